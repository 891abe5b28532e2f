// SPDX-License-Identifier: MIT
// Export of a whole catalogue: the names decided before the workers start, the run with bad
// files and a stop, and the batch tool in every format.
#include "output/CatalogueExport.h"

#include "TestUtils.h"
#include "adf/PatternReader.h"
#include "catalogue/IndexRefresh.h"
#include "output/PdfRunFolder.h"
#include "output/TextExport.h"
#include "pages/PageRoutines.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QSet>
#include <QtCore/QStandardPaths>
#include <QtCore/QXmlStreamReader>
#include <QtGui/QImage>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QStringList sampleNames() {
    return QDir(testutils::samplePath())
        .entryList({QStringLiteral("*.adf")}, QDir::Files, QDir::Name);
}

// A copy of a sample file with its RPE number (and model number) replaced.
QByteArray withRpe(const QString& sampleName, const QByteArray& rpe, const QByteArray& model = {}) {
    const QByteArray bytes = testutils::readFile(testutils::samplePath(sampleName));
    QByteArray out;
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray end = line.endsWith('\r') ? QByteArray("\r") : QByteArray();
        if (line.startsWith("PATNUM:,"))
            out += "PATNUM:," + rpe + end;
        else if (line.startsWith("MODNUM:,") && !model.isEmpty())
            out += "MODNUM:," + model + end;
        else
            out += line;
        out += '\n';
    }
    out.chop(1);
    return out;
}

void copySamples(const testutils::Sandbox& box, const QString& folder) {
    for (const QString& name : sampleNames())
        ASSERT_TRUE(box.write(folder + QLatin1Char('/') + name,
                              testutils::readFile(testutils::samplePath(name))));
}

struct Loaded {
    IndexRecord record;
    LoadedPattern pattern;
};

Loaded load(const QString& path) {
    Loaded l;
    EXPECT_FALSE(BuildRecordFromFile(path, l.record));
    EXPECT_EQ(LoadPatternFile(path, l.record.feedOrientation(), l.pattern).status,
              LoadStatus::Loaded);
    return l;
}

QImage pageImage(const Loaded& l, ExportPage page, bool color) {
    PageMapper map;
    const PageSource source{map, l.record, l.pattern, color, ImagePenFactor};
    QImage image;
    if (page == ExportPage::Chart)
        DrawGraphPage(source, image);
    else
        DrawDataPage(source, image);
    return image;
}

QStringList files(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString rpeOf(const QString& path) {
    IndexRecord r;
    EXPECT_FALSE(BuildRecordFromFile(path, r));
    return QString::fromLatin1(r.rpeNumber());
}

testutils::CliResult exportCatalogue(const QString& dir, const QString& format,
                                     const QString& pages, const QString& out,
                                     const QStringList& more = {}) {
    return testutils::runCli(QStringList{QStringLiteral("export"), QStringLiteral("--catalogue"),
                                         dir, QStringLiteral("--page"), pages,
                                         QStringLiteral("--format"), format, QStringLiteral("-o"),
                                         out} +
                             more);
}

} // namespace

// ---- Names --------------------------------------------------------------------------------------

TEST(CatalogueNames, DecidedInNameOrderLaterFilesOfAnRpeNumberGetTheirNameAsSuffix) {
    testutils::Sandbox box;
    const QString one = QStringLiteral("QS1-212.adf");
    ASSERT_TRUE(box.write(QStringLiteral("cat/A.adf"), withRpe(one, "12050")));
    ASSERT_TRUE(box.write(QStringLiteral("cat/B.adf"), withRpe(one, "12050")));
    // Letter case only: one name on a case-blind disk.
    ASSERT_TRUE(box.write(QStringLiteral("cat/C.adf"), withRpe(one, "ab1")));
    ASSERT_TRUE(box.write(QStringLiteral("cat/D.adf"), withRpe(one, "AB1")));
    // A number that would leave the folder, and none at all.
    ASSERT_TRUE(box.write(QStringLiteral("cat/E.adf"), withRpe(one, "../..")));
    ASSERT_TRUE(box.write(QStringLiteral("cat/F.adf"), withRpe(one, "")));
    // Q.adf's data sheet would take Qdat.adf's suffixed chart name.
    ASSERT_TRUE(box.write(QStringLiteral("cat/Q.ADF"), withRpe(one, "777")));
    ASSERT_TRUE(box.write(QStringLiteral("cat/Q.adf"), withRpe(one, "777")));
    ASSERT_TRUE(box.write(QStringLiteral("cat/Qdat.adf"), withRpe(one, "777")));
    ASSERT_TRUE(box.write(QStringLiteral("cat/Z.adf"), "not a pattern file\n"));

    catalogue::Options o;
    o.catalogueDir = box.path(QStringLiteral("cat"));
    o.outputDir = box.path(QStringLiteral("out"));
    o.format = catalogue::Format::Png;
    o.pages = catalogue::Pages::Both;
    const catalogue::Plan plan = catalogue::PlanCatalogueExport(o);
    ASSERT_TRUE(plan.error.isEmpty());
    QStringList got;
    for (const catalogue::Item& item : plan.items)
        got << item.fileName + QLatin1Char(' ') + item.chartFile + QLatin1Char(' ') +
                   item.dataFile + QLatin1Char(' ') + item.suffixedAfter;
    EXPECT_EQ(got, (QStringList{
                       QStringLiteral("A.adf 12050.png 12050dat.png "),
                       QStringLiteral("B.adf 12050_B.png 12050_Bdat.png A.adf"),
                       QStringLiteral("C.adf ab1.png ab1dat.png "),
                       QStringLiteral("D.adf AB1_D.png AB1_Ddat.png C.adf"),
                       QStringLiteral("E.adf _____.png _____dat.png "),
                       QStringLiteral("F.adf RPE.png RPEdat.png "),
                       QStringLiteral("Q.ADF 777.png 777dat.png "),
                       QStringLiteral("Q.adf 777_Q.png 777_Qdat.png Q.ADF"),
                       QStringLiteral("Qdat.adf 777_Qdat_2.png 777_Qdat_2dat.png Q.ADF"),
                       QStringLiteral("Z.adf   "),
                   }));
    EXPECT_EQ(plan.items.back().headerError, QString::fromLatin1(NotNsmaFileReason));

    // One page kind: only its names, so no clash between a chart and a data sheet.
    o.pages = catalogue::Pages::Chart;
    o.format = catalogue::Format::VectorPdf;
    const catalogue::Plan charts = catalogue::PlanCatalogueExport(o);
    EXPECT_EQ(charts.items[0].chartFile, QStringLiteral("12050.pdf"));
    EXPECT_TRUE(charts.items[0].dataFile.isEmpty());
    EXPECT_EQ(charts.items[8].chartFile, QStringLiteral("777_Qdat.pdf"));
    // The text copy is the data file's: R.txt whatever the page choice.
    o.format = catalogue::Format::Txt;
    const catalogue::Plan texts = catalogue::PlanCatalogueExport(o);
    EXPECT_EQ(texts.items[0].dataFile, QStringLiteral("12050.txt"));
    EXPECT_TRUE(texts.items[0].chartFile.isEmpty());
    EXPECT_EQ(texts.items[1].dataFile, QStringLiteral("12050_B.txt"));
}

TEST(CatalogueNames, FolderWithoutDataFilesOrNoFolderAtAll) {
    testutils::Sandbox box;
    catalogue::Options o;
    o.catalogueDir = box.path(QStringLiteral("missing"));
    EXPECT_EQ(catalogue::PlanCatalogueExport(o).error,
              QStringLiteral("%1: no such folder").arg(o.catalogueDir));
    ASSERT_TRUE(box.write(QStringLiteral("empty/readme.txt"), "x"));
    o.catalogueDir = box.path(QStringLiteral("empty"));
    EXPECT_EQ(catalogue::PlanCatalogueExport(o).error, QString::fromLatin1(NoDataFilesMessage));
    EXPECT_EQ(catalogue::WorkerCount(4, 2), 2);
    EXPECT_EQ(catalogue::WorkerCount(3, 100), 3);
    EXPECT_GE(catalogue::WorkerCount(0, 100), 1);
}

// ---- Runs ---------------------------------------------------------------------------------------

TEST(CatalogueRun, StopLetsTheFileInHandFinishAndStartsNoOther) {
    testutils::Sandbox box;
    copySamples(box, QStringLiteral("cat"));
    catalogue::Options o;
    o.catalogueDir = box.path(QStringLiteral("cat"));
    o.outputDir = box.path(QStringLiteral("out"));
    o.format = catalogue::Format::Svg;
    o.pages = catalogue::Pages::Chart;
    o.threads = 1;
    const catalogue::Plan plan = catalogue::PlanCatalogueExport(o);
    std::atomic<bool> stop{false};
    QList<int> done;
    const catalogue::Report report = catalogue::RunCatalogueExport(
        o, plan,
        [&](const catalogue::Progress& p) {
            done << p.done;
            EXPECT_EQ(p.total, 17);
            if (p.done == 2)
                stop = true;
        },
        &stop);
    EXPECT_EQ(done, (QList<int>{1, 2}));
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.exported, 2);
    EXPECT_EQ(report.notStarted(), 15);
    EXPECT_EQ(files(o.outputDir).size(), 2);
    const QStringList summary = report.summary(o);
    EXPECT_TRUE(summary[0].startsWith(QStringLiteral("2 of 17 antennas exported to ")))
        << summary[0].toStdString();
    EXPECT_EQ(summary[1], QStringLiteral("Stopped: 15 antennas were not exported"));
}

TEST(CatalogueRun, OutputFolderThatCannotBeMade) {
    testutils::Sandbox box;
    copySamples(box, QStringLiteral("cat"));
    ASSERT_TRUE(box.write(QStringLiteral("taken"), "a file, not a folder"));
    catalogue::Options o;
    o.catalogueDir = box.path(QStringLiteral("cat"));
    o.outputDir = box.path(QStringLiteral("taken/out"));
    const catalogue::Report report =
        catalogue::RunCatalogueExport(o, catalogue::PlanCatalogueExport(o));
    EXPECT_EQ(report.error, QStringLiteral("Cannot create folder %1").arg(o.outputDir));
    EXPECT_EQ(report.filesWritten, 0);
}

// ---- The batch tool -----------------------------------------------------------------------------

TEST(CatalogueCli, SampleCatalogueInEveryFormat) {
    const QStringList names = sampleNames();
    ASSERT_EQ(names.size(), 17);
    testutils::Sandbox box;
#if defined(__SANITIZE_THREAD__)
    // QProcess starts the converter with a vfork-like clone, which runs in the batch tool's
    // memory out of the thread sanitizer's sight and leaves its bookkeeping wrong; the other
    // formats run the same workers.
    const bool htmldoc = false;
#else
    const bool htmldoc = !QStandardPaths::findExecutable(QStringLiteral("htmldoc")).isEmpty();
#endif
    for (const char* f : {"png", "jpg", "gif", "pdf", "vector-pdf", "svg", "txt"}) {
        const QString format = QString::fromLatin1(f);
        if (format == QStringLiteral("pdf") && !htmldoc)
            continue;
        const QString out = box.path(format);
        const auto r = exportCatalogue(testutils::samplePath(), format, QStringLiteral("both"), out,
                                       {QStringLiteral("-j"), QStringLiteral("2")});
        ASSERT_EQ(r.exitCode, 0) << f << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        const QString extension =
            format == QStringLiteral("vector-pdf") ? QStringLiteral("pdf") : format;
        QStringList expected;
        for (const QString& name : names) {
            const QString rpe = rpeOf(testutils::samplePath(name));
            if (format == QStringLiteral("txt")) {
                expected << rpe + QStringLiteral(".txt");
                EXPECT_EQ(
                    testutils::readFile(out + QLatin1Char('/') + rpe + QStringLiteral(".txt")),
                    TextCopyBytes(testutils::readFile(testutils::samplePath(name))));
                continue;
            }
            expected << rpe + QLatin1Char('.') + extension
                     << rpe + QStringLiteral("dat.") + extension;
        }
        expected.sort();
        EXPECT_EQ(files(out), expected) << f;
        // A plain line per file, then the summary.
        const QString stdOut = QString::fromLocal8Bit(r.out);
        for (int i = 1; i <= 17; ++i)
            EXPECT_TRUE(stdOut.contains(QStringLiteral("[%1/17] ").arg(i))) << f;
        EXPECT_TRUE(stdOut.contains(
            QStringLiteral("17 of 17 antennas exported to %1 (%2, ").arg(out, format)))
            << stdOut.toStdString();

        // The pages are the export pages: the PNG ones pixel for pixel, the others by their kind.
        const QString two = QStringLiteral("ZZX10-60L.adf");
        const QString twoRpe = rpeOf(testutils::samplePath(two));
        const QString chart = out + QLatin1Char('/') + twoRpe + QLatin1Char('.') + extension;
        const QString sheet = out + QLatin1Char('/') + twoRpe + QStringLiteral("dat.") + extension;
        if (format == QStringLiteral("png")) {
            const Loaded l = load(testutils::samplePath(two));
            EXPECT_EQ(QImage(chart).convertToFormat(QImage::Format_RGB32),
                      pageImage(l, ExportPage::Chart, false));
            EXPECT_EQ(QImage(sheet).convertToFormat(QImage::Format_RGB32),
                      pageImage(l, ExportPage::Data, false));
        } else if (format == QStringLiteral("jpg") || format == QStringLiteral("gif")) {
            EXPECT_EQ(QImage(chart).size(), LandscapeGraphImageSize) << f;
            EXPECT_EQ(QImage(sheet).size(), DataImageSize) << f;
        } else if (format.endsWith(QStringLiteral("pdf"))) {
            EXPECT_TRUE(testutils::readFile(chart).startsWith("%PDF-")) << f;
            EXPECT_TRUE(testutils::readFile(sheet).startsWith("%PDF-")) << f;
        } else if (format == QStringLiteral("svg")) {
            QXmlStreamReader xml(testutils::readFile(chart));
            while (!xml.atEnd())
                xml.readNext();
            EXPECT_FALSE(xml.hasError());
        }
    }
    // No temporaries of the PDF converter are left behind.
    EXPECT_TRUE(
        QDir(PdfRunsRoot()).entryList({QStringLiteral("pdf-*")}, QDir::AllEntries).isEmpty());
}

TEST(CatalogueCli, BadFilesAreReportedAndSkippedTheRestIsWritten) {
    testutils::Sandbox box;
    copySamples(box, QStringLiteral("cat"));
    ASSERT_TRUE(box.write(QStringLiteral("cat/AAA-notes.adf"), "just some notes\n"));
    ASSERT_TRUE(box.write(QStringLiteral("cat/QS1-extra.adf"),
                          withRpe(QStringLiteral("QS1-212.adf"), "99999")));
    // A readable header with a point that is not a number.
    QByteArray points = withRpe(QStringLiteral("QS1-212.adf"), "99998");
    const qsizetype at = points.indexOf("FSTLST");
    ASSERT_GT(at, 0);
    const qsizetype lineEnd = points.indexOf('\n', at);
    points.insert(lineEnd + 1, "abc,def,\n");
    ASSERT_TRUE(box.write(QStringLiteral("cat/QS1-points.adf"), points));

    const QString out = box.path(QStringLiteral("out"));
    const auto r = exportCatalogue(box.path(QStringLiteral("cat")), QStringLiteral("gif"),
                                   QStringLiteral("chart"), out);
    EXPECT_EQ(r.exitCode, 1);
    const QString err = QString::fromLocal8Bit(r.err);
    EXPECT_TRUE(err.contains(QStringLiteral("failed: AAA-notes.adf: not an NSMA data file")))
        << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("failed: QS1-points.adf: 'abc' is not a valid "
                                            "floating point value")))
        << err.toStdString();
    // Every other file is written, the file after the bad ones included.
    const QStringList written = files(out);
    EXPECT_EQ(written.size(), 18) << written.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("99999.gif")));
    EXPECT_FALSE(written.contains(QStringLiteral("99998.gif")));
    const QString stdOut = QString::fromLocal8Bit(r.out);
    EXPECT_TRUE(stdOut.contains(QStringLiteral("18 of 20 antennas exported")))
        << stdOut.toStdString();
    EXPECT_TRUE(stdOut.contains(QStringLiteral("\n2 failed\n"))) << stdOut.toStdString();
    EXPECT_TRUE(stdOut.contains(QStringLiteral(" AAA-notes.adf failed\n")));
}

TEST(CatalogueCli, DuplicateRpeNumbersDoNotOverwriteEachOther) {
    testutils::Sandbox box;
    ASSERT_TRUE(box.write(QStringLiteral("cat/A.adf"),
                          withRpe(QStringLiteral("ZZX10-60L.adf"), "12050", "MODEL-A")));
    ASSERT_TRUE(box.write(QStringLiteral("cat/B.adf"),
                          withRpe(QStringLiteral("QS1-212.adf"), "12050", "MODEL-B")));
    const QString out = box.path(QStringLiteral("out"));
    const auto r = exportCatalogue(box.path(QStringLiteral("cat")), QStringLiteral("png"),
                                   QStringLiteral("both"), out, {QStringLiteral("--color")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(files(out),
              (QStringList{QStringLiteral("12050.png"), QStringLiteral("12050_B.png"),
                           QStringLiteral("12050_Bdat.png"), QStringLiteral("12050dat.png")}));
    // Each name holds its own antenna's page.
    const Loaded a = load(box.path(QStringLiteral("cat/A.adf")));
    const Loaded b = load(box.path(QStringLiteral("cat/B.adf")));
    EXPECT_EQ(QImage(out + QStringLiteral("/12050.png")).convertToFormat(QImage::Format_RGB32),
              pageImage(a, ExportPage::Chart, true));
    EXPECT_EQ(QImage(out + QStringLiteral("/12050_B.png")).convertToFormat(QImage::Format_RGB32),
              pageImage(b, ExportPage::Chart, true));
    EXPECT_EQ(QImage(out + QStringLiteral("/12050_Bdat.png")).convertToFormat(QImage::Format_RGB32),
              pageImage(b, ExportPage::Data, true));
    const QString stdOut = QString::fromLocal8Bit(r.out);
    EXPECT_TRUE(stdOut.contains(
        QStringLiteral("1 with an RPE number used before, written with the data file name as "
                       "suffix:\n  B.adf: written as 12050_B.png, 12050_Bdat.png (RPE number "
                       "12050, as A.adf)\n")))
        << stdOut.toStdString();
}

TEST(CatalogueCli, OneAndFourThreadsWriteTheSameBytes) {
    testutils::Sandbox box;
    for (const char* f : {"png", "gif", "txt", "svg"}) {
        const QString format = QString::fromLatin1(f);
        const QString one = box.path(format + QStringLiteral("-1"));
        const QString four = box.path(format + QStringLiteral("-4"));
        const QString pages =
            format == QStringLiteral("txt") ? QStringLiteral("data") : QStringLiteral("both");
        auto r = exportCatalogue(testutils::samplePath(), format, pages, one,
                                 {QStringLiteral("-j"), QStringLiteral("1")});
        ASSERT_EQ(r.exitCode, 0) << f;
        EXPECT_TRUE(r.out.contains("on 1 thread\n")) << f;
        r = exportCatalogue(testutils::samplePath(), format, pages, four,
                            {QStringLiteral("-j"), QStringLiteral("4")});
        ASSERT_EQ(r.exitCode, 0) << f;
        EXPECT_TRUE(r.out.contains("on 4 threads")) << f;
        const QStringList names = files(one);
        ASSERT_EQ(names, files(four)) << f;
        ASSERT_EQ(names.size(), format == QStringLiteral("txt") ? 17 : 34) << f;
        for (const QString& name : names)
            EXPECT_EQ(testutils::readFile(one + QLatin1Char('/') + name),
                      testutils::readFile(four + QLatin1Char('/') + name))
                << f << " " << name.toStdString();
    }
}

TEST(CatalogueCli, WrongArgumentsAreRefused) {
    testutils::Sandbox box;
    const QString sample = testutils::samplePath();
    const QString out = box.path(QStringLiteral("out"));
    struct Case {
        QStringList args;
        const char* message;
    };
    const QList<Case> cases{
        {{QStringLiteral("--page"), QStringLiteral("chart"), QStringLiteral("--format"),
          QStringLiteral("txt")},
         "txt is the text copy of the data file"},
        {{QStringLiteral("--page"), QStringLiteral("chart"), QStringLiteral("--format"),
          QStringLiteral("bmp")},
         "unknown format 'bmp'"},
        {{QStringLiteral("--page"), QStringLiteral("all")}, "usage:"},
        {{QStringLiteral("--page"), QStringLiteral("chart"), QStringLiteral("-j"),
          QStringLiteral("0")},
         "-j needs a number of threads from 1 to 256"},
        {{QStringLiteral("--page"), QStringLiteral("chart"), QStringLiteral("extra.adf")},
         "unexpected argument 'extra.adf'"},
    };
    for (const Case& c : cases) {
        const auto r =
            testutils::runCli(QStringList{QStringLiteral("export"), QStringLiteral("--catalogue"),
                                          sample, QStringLiteral("-o"), out} +
                              c.args);
        EXPECT_EQ(r.exitCode, 2) << c.message;
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
    }
    const auto r = exportCatalogue(box.path(QStringLiteral("nowhere")), QStringLiteral("png"),
                                   QStringLiteral("chart"), out);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("no such folder"));
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST(CatalogueCli, InterruptFinishesTheFilesInHandAndSaysHowFarItGot) {
    // 170 antennas, one worker: far more than can be written before the signal arrives.
    testutils::Sandbox box;
    for (int copy = 0; copy < 10; ++copy)
        for (const QString& name : sampleNames())
            ASSERT_TRUE(box.write(QStringLiteral("cat/%1-%2").arg(copy).arg(name),
                                  testutils::readFile(testutils::samplePath(name))));
    QProcess cli;
    cli.start(QStringLiteral(LOBEVIEW_CLI_PATH),
              {QStringLiteral("export"), QStringLiteral("--catalogue"),
               box.path(QStringLiteral("cat")), QStringLiteral("--page"), QStringLiteral("chart"),
               QStringLiteral("--format"), QStringLiteral("png"), QStringLiteral("-o"),
               box.path(QStringLiteral("out")), QStringLiteral("-j"), QStringLiteral("1")});
    ASSERT_TRUE(cli.waitForStarted());
    QByteArray out;
    while (!out.contains("[3/170]") && cli.waitForReadyRead(30000))
        out += cli.readAllStandardOutput();
    ASSERT_EQ(::kill(static_cast<pid_t>(cli.processId()), SIGINT), 0);
    ASSERT_TRUE(cli.waitForFinished(60000));
    out += cli.readAllStandardOutput();
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 1);
    // The summary counts what is on disk, and nothing half-written is left.
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("(\\d+) of 170 antennas exported"))
            .match(QString::fromLocal8Bit(out));
    ASSERT_TRUE(m.hasMatch()) << out.toStdString();
    const int exported = m.captured(1).toInt();
    EXPECT_GE(exported, 3);
    EXPECT_LT(exported, 170);
    EXPECT_TRUE(out.contains(
        QStringLiteral("Stopped: %1 antennas were not exported").arg(170 - exported).toLocal8Bit()))
        << out.toStdString();
    const QStringList written = files(box.path(QStringLiteral("out")));
    EXPECT_EQ(written.size(), exported);
    for (const QString& name : written)
        EXPECT_TRUE(name.endsWith(QStringLiteral(".png"))) << name.toStdString();
}
