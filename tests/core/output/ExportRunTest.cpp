// SPDX-License-Identifier: MIT
// The export branch of the output run: which save dialogs it shows with which presets, the files
// each step writes (decoded and compared with the page), how a failure ends the run, and the
// PDF steps with the real htmldoc.
#include "output/ExportRun.h"

#include "ExportChecks.h"
#include "ScriptedSaveDialogs.h"
#include "TestUtils.h"
#include "base/Prompter.h"
#include "output/TextExport.h"
#include "pages/PageRoutines.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QPainter>
#include <csetjmp>
#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>

using namespace exportchecks;
using output::ExportKind;

namespace {

// One antenna of the sample catalogue, drawn as the export pages are (in colour).
struct Antenna {
    AntennaFile file;
    const IndexRecord& record = file.record;
    const LoadedPattern& pattern = file.pattern;
    PageMapper map;
    explicit Antenna(const char* name) {
        AntennaFileOrError opened =
            AntennaFile::open(testutils::samplePath(QString::fromLatin1(name)));
        EXPECT_TRUE(opened.file) << opened.error.toStdString();
        if (opened.file)
            file = std::move(*opened.file);
    }
    PageSource source() { return PageSource{map, record, pattern, true, ImagePenFactor}; }
    QImage chart() {
        QImage image;
        DrawGraphPage(source(), image);
        return image;
    }
};

struct RunCase {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    ScriptedSaveDialogs dialogs;
    ExportRunRequest request;
    PageOptions options;
    const AntennaFile& antenna;

    explicit RunCase(Antenna& a) : antenna(a.file) {
        request.RpeNumber = antenna.record.rpeNumber();
        request.ProgramDir = box.path(QStringLiteral("prog")) + QLatin1Char('/');
        options.color = true;
        options.commonFilesDir = box.path(QStringLiteral("common")) + QLatin1Char('/');
        request.JpgLocation = QStringLiteral("JPG");
        request.GifLocation = box.path(QStringLiteral("out/GIF"));
        request.PdfLocation = QStringLiteral("~/PDF");
        QDir().mkpath(request.ProgramDir);
        QDir().mkpath(box.path(QStringLiteral("out")));
    }
    ExportRunResult run(PdfRunControl* control = nullptr) {
        PageOptions o = options;
        o.pdfControl = control;
        return RunExport(request, antenna, o, dialogs, prompter);
    }
};

struct JpegFacts {
    int width = 0, height = 0;
    bool progressive = true, jfif = false, ycbcr = false;
    unsigned lumaDc = 0; // first luminance quantisation value
    QImage pixels;
};

struct JumpError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

JpegFacts readJpeg(const QByteArray& bytes) {
    JpegFacts f;
    jpeg_decompress_struct cinfo;
    JumpError err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = [](j_common_ptr c) {
        std::longjmp(reinterpret_cast<JumpError*>(c->err)->jump, 1);
    };
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        ADD_FAILURE() << "libjpeg cannot read the file";
        return JpegFacts{};
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    f.width = int(cinfo.image_width);
    f.height = int(cinfo.image_height);
    f.progressive = cinfo.progressive_mode;
    f.jfif = cinfo.saw_JFIF_marker;
    f.ycbcr = cinfo.jpeg_color_space == JCS_YCbCr;
    f.lumaDc = cinfo.quant_tbl_ptrs[0] ? cinfo.quant_tbl_ptrs[0]->quantval[0] : 0;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    f.pixels = QImage(f.width, f.height, QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = f.pixels.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return f;
}

} // namespace

TEST(ExportRun, SaveDialogPresetsFilterIndexesAndTheDatVariants) {
    Antenna antenna("ZZX10-60L.adf"); // RPE number 12050
    RunCase t(antenna);
    const QString graphFilter =
        QStringLiteral("JPG Image File (.jpg)|*.jpg|GIF Image File (.gif)|*.gif|PDF File "
                       "Format (.pdf)|*.pdf");
    // Every step in one run (settings holding all three flags), every dialog cancelled.
    t.request.MakeJPG = t.request.MakeGIF = t.request.MakePDF = true;
    t.request.Graph = t.request.Data = true;
    const ExportRunResult result = t.run();
    EXPECT_TRUE(result.Produced.isEmpty());
    EXPECT_FALSE(result.Stopped);
    EXPECT_EQ(result.fileToOpen(), QString());
    ASSERT_EQ(t.dialogs.shown.size(), 4);
    const struct {
        QString file;
        int index;
    } expected[] = {
        {t.request.ProgramDir + QStringLiteral("JPG/12050.jpg"), 1},
        {t.box.path(QStringLiteral("out/GIF/12050.gif")), 2},
        {QDir::homePath() + QStringLiteral("/PDF/12050.pdf"), 3},
        {QDir::homePath() + QStringLiteral("/PDF/12050dat.pdf"), 3},
    };
    for (int i = 0; i < 4; ++i) {
        const SaveRequest& shown = t.dialogs.shown[i];
        EXPECT_EQ(shown.FileName, expected[i].file) << i;
        EXPECT_EQ(shown.FilterIndex, expected[i].index) << i;
        EXPECT_EQ(shown.Filter, graphFilter) << i;
        EXPECT_EQ(shown.Title, QString()) << i;
        EXPECT_EQ(shown.DefaultExtension, QString()) << i;
    }
    // Nothing was left in the program directory.
    EXPECT_TRUE(entries(t.request.ProgramDir).isEmpty());
    EXPECT_TRUE(t.prompter.errors.isEmpty());

    // Only what is selected runs: the data sheet alone gives only its PDF.
    t.dialogs.shown.clear();
    t.request.Graph = false;
    t.run();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].FileName.endsWith(QStringLiteral("/12050dat.pdf")));
    // ... and the chart alone only the chart's.
    t.dialogs.shown.clear();
    t.request.Graph = true;
    t.request.Data = false;
    t.request.MakeJPG = t.request.MakeGIF = false;
    t.run();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].FileName.endsWith(QStringLiteral("/12050.pdf")));

    // A name that could leave its folder, and an empty RPE number.
    EXPECT_EQ(
        GraphSaveRequest(ExportKind::ChartGif, QStringLiteral("/g"), "../..", QStringLiteral("/p/"))
            .FileName,
        QStringLiteral("/g/_____.gif"));
    EXPECT_EQ(GraphSaveRequest(ExportKind::DataPdf, QString(), "", QStringLiteral("/p/")).FileName,
              QStringLiteral("/p/RPEdat.pdf"));

    // The text dialog: its title, filter and default extension, a bare name in the start folder.
    const SaveRequest text = TextSaveRequest("12050", QStringLiteral("/home/u/out"));
    EXPECT_EQ(text.Title, QStringLiteral("Export Data"));
    EXPECT_EQ(text.FileName, QStringLiteral("12050.txt"));
    EXPECT_EQ(text.StartFolder, QStringLiteral("/home/u/out"));
    EXPECT_EQ(text.Filter, QStringLiteral("Text Files (*.txt)|*.txt"));
    EXPECT_EQ(text.FilterIndex, 1);
    EXPECT_EQ(text.DefaultExtension, QStringLiteral("txt"));
    EXPECT_EQ(FilterPairs(graphFilter).size(), 3);
    EXPECT_EQ(FilterPairs(graphFilter)[1],
              (QStringList{QStringLiteral("GIF Image File (.gif)"), QStringLiteral("*.gif")}));
}

TEST(ExportRun, JpegAndGifDecodeToTheChartPage) {
    for (const char* file : {"QS2-370.adf", "ZZX10-60L.adf"}) {
        SCOPED_TRACE(file);
        Antenna antenna(file);
        RunCase t(antenna);
        const QImage page = antenna.chart();
        const QSize size =
            isTwoSided(antenna.pattern.feedKind) ? QSize(2200, 1700) : QSize(1200, 1500);
        ASSERT_EQ(page.size(), size);

        const QString jpg = t.box.path(QStringLiteral("out/chart.jpg"));
        const QString gif = t.box.path(QStringLiteral("out/chart.gif"));
        // An existing file is replaced without a question.
        ASSERT_TRUE(testutils::writeFile(jpg, "old"));
        t.request.MakeJPG = true;
        t.dialogs.answers = {jpg};
        ExportRunResult result = t.run();
        EXPECT_EQ(result.Produced, QStringList{jpg});
        EXPECT_EQ(result.fileToOpen(), jpg);
        const JpegFacts facts = readJpeg(testutils::readFile(jpg));
        EXPECT_EQ(QSize(facts.width, facts.height), size);
        EXPECT_FALSE(facts.progressive);
        EXPECT_TRUE(facts.jfif);
        EXPECT_TRUE(facts.ycbcr);
        EXPECT_EQ(facts.lumaDc, 3u); // libjpeg's luminance table at quality 90: 16 * 20 / 100
        EXPECT_LT(meanDifference(facts.pixels, page), 2.0);

        t.request.MakeJPG = false;
        t.request.MakeGIF = true;
        t.dialogs.answers = {gif};
        result = t.run();
        EXPECT_EQ(result.Produced, QStringList{gif});
        const QImage decoded = QImage::fromData(testutils::readFile(gif), "GIF");
        EXPECT_EQ(firstDifference(decoded, paletteMapped(page)), std::string());
        EXPECT_TRUE(t.prompter.errors.isEmpty());
        EXPECT_TRUE(t.prompter.messages.isEmpty());
    }
}

TEST(ExportRun, AFileThatCannotBeCreatedEndsTheRun) {
    Antenna antenna("ZZX10-60L.adf");
    RunCase t(antenna);
    t.request.MakeJPG = t.request.MakeGIF = true;
    const QString missing = t.box.path(QStringLiteral("no such folder/12050.jpg"));
    t.dialogs.answers = {missing, t.box.path(QStringLiteral("out/12050.gif"))};
    ExportRunResult result = t.run();
    EXPECT_TRUE(result.Stopped);
    EXPECT_TRUE(result.Produced.isEmpty());
    EXPECT_EQ(t.prompter.errors, QStringList{QStringLiteral("Cannot create file ") + missing});
    EXPECT_EQ(t.dialogs.shown.size(), 1); // the GIF step never asked
    EXPECT_FALSE(QFileInfo::exists(t.box.path(QStringLiteral("out/12050.gif"))));

    // The same for the GIF; a file produced before the failure is still the one to open.
    t.prompter.errors.clear();
    const QString jpg = t.box.path(QStringLiteral("out/12050.jpg"));
    const QString gif = t.box.path(QStringLiteral("no such folder/12050.gif"));
    t.dialogs.answers = {jpg, gif};
    result = t.run();
    EXPECT_TRUE(result.Stopped);
    EXPECT_EQ(result.Produced, QStringList{jpg});
    EXPECT_EQ(t.prompter.errors, QStringList{QStringLiteral("Cannot create file ") + gif});
}

TEST(ExportRun, PdfCancelWritesNothingAndStartsNoConverter) {
    Antenna antenna("QS2-370.adf");
    RunCase t(antenna);
    fakeConverter(t.options.commonFilesDir, "printf '%%PDF-1.4' > \"$out\"");
    t.request.MakePDF = true;
    t.request.Graph = t.request.Data = true;
    const ExportRunResult result = t.run(); // both dialogs cancelled
    EXPECT_TRUE(result.Produced.isEmpty());
    EXPECT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_TRUE(entries(t.request.ProgramDir).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(t.options.commonFilesDir + QStringLiteral("log")));

    // A converter that fails ends the run before the data sheet's dialog.
    fakeConverter(t.options.commonFilesDir, "exit 4");
    t.dialogs.shown.clear();
    t.dialogs.answers = {t.box.path(QStringLiteral("out/a.pdf")),
                         t.box.path(QStringLiteral("out/b.pdf"))};
    const ExportRunResult failed = t.run();
    EXPECT_TRUE(failed.Stopped);
    EXPECT_TRUE(failed.Produced.isEmpty());
    EXPECT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.prompter.errors, QStringList{QStringLiteral("Unable to create PDF file.")});
    EXPECT_TRUE(entries(t.request.ProgramDir).isEmpty());
    EXPECT_TRUE(entries(t.box.path(QStringLiteral("out"))).isEmpty());
}

TEST(ExportRun, RealHtmldocMakesTheChartAndTheDataSheet) {
    if (!haveRealConverter())
        GTEST_SKIP() << "htmldoc or pdfinfo missing";
    Antenna antenna("ZZX10-60L.adf");
    RunCase t(antenna);
    t.request.MakePDF = true;
    t.request.Graph = t.request.Data = true;
    t.dialogs.answers = {t.box.path(QStringLiteral("out/chart.png")),
                         t.box.path(QStringLiteral("out/sheet"))};
    const ExportRunResult result = t.run();
    const QString chart = t.box.path(QStringLiteral("out/chart.pdf"));
    const QString sheet = t.box.path(QStringLiteral("out/sheet.pdf"));
    EXPECT_EQ(result.Produced, (QStringList{chart, sheet}));
    EXPECT_EQ(result.fileToOpen(), sheet);
    EXPECT_TRUE(t.prompter.errors.isEmpty())
        << t.prompter.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(t.prompter.messages, (QStringList{chart + QStringLiteral(" successfully created."),
                                                sheet + QStringLiteral(" successfully created.")}));
    const QString chartInfo = pdfinfo(chart);
    EXPECT_EQ(pageCount(chartInfo), 1);
    EXPECT_EQ(pageBox(chartInfo), QStringLiteral("792 x 595")); // landscape
    const QString sheetInfo = pdfinfo(sheet);
    EXPECT_EQ(pageCount(sheetInfo), 1);
    EXPECT_EQ(pageBox(sheetInfo), QStringLiteral("595 x 792"));
    EXPECT_TRUE(entries(t.request.ProgramDir).isEmpty());
    EXPECT_EQ(entries(t.box.path(QStringLiteral("out"))),
              (QStringList{QStringLiteral("chart.pdf"), QStringLiteral("sheet.pdf")}));
}

TEST(ExportRun, TextCopyAsksWithItsOwnDialog) {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    ScriptedSaveDialogs dialogs;
    const QString source = box.path(QStringLiteral("data/ZZ8.adf"));
    ASSERT_TRUE(testutils::writeFile(source, "REVNUM:,NSMA\nMODNUM:,ZZ8\r\nENDFIL:,EOF"));
    // Cancel: nothing happens.
    EXPECT_FALSE(RunTextExport(source, "10233", box.path(), dialogs, prompter));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0], TextSaveRequest("10233", box.path()));
    EXPECT_TRUE(prompter.messages.isEmpty());

    // A name without an extension gets ".txt".
    dialogs.answers = {box.path(QStringLiteral("copy"))};
    const QString target = box.path(QStringLiteral("copy.txt"));
    EXPECT_EQ(RunTextExport(source, "10233", box.path(), dialogs, prompter),
              std::optional<QString>(target));
    EXPECT_EQ(testutils::readFile(target),
              QByteArray("REVNUM:,NSMA\r\nMODNUM:,ZZ8\r\nENDFIL:,EOF\r\n"));
    EXPECT_EQ(prompter.messages, QStringList{target + QStringLiteral(" successfully created.")});

    // A source that is gone: "Cannot open file" and nothing written.
    dialogs.answers = {box.path(QStringLiteral("other.txt"))};
    EXPECT_FALSE(RunTextExport(box.path(QStringLiteral("gone.adf")), "10233", box.path(), dialogs,
                               prompter));
    EXPECT_EQ(prompter.errors, QStringList{QStringLiteral("Cannot open file ") +
                                           box.path(QStringLiteral("gone.adf"))});
    EXPECT_FALSE(QFileInfo::exists(box.path(QStringLiteral("other.txt"))));
}
