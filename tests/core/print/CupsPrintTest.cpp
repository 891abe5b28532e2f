// SPDX-License-Identifier: MIT
// Printing through a real print scheduler: a private cupsd with cups-pdf queues (see
// PrivateCups). Where none can be started every test here is skipped with the reason.
#include "print/CupsPrint.h"

#include "PrivateCups.h"
#include "StandInPage.h"
#include "TestUtils.h"
#include "adf/PatternReader.h"
#include "base/Prompter.h"
#include "catalogue/IndexRefresh.h"
#include "pages/DataSheet.h"
#include "pages/PageRoutines.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QLocale>
#include <QtGui/QPainter>
#include <cmath>
#include <cups/cups.h>
#include <gtest/gtest.h>

using namespace printtest;
using testutils::PrivateCups;

namespace {

// A copy of cups-pdf's PPD whose A4 sheet keeps 18 pt at the sides and 36 pt at top and bottom.
QString marginPpd(const QString& folder) {
    QFile in(PrivateCups::cupsPdfPpd());
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QByteArray ppd = in.readAll();
    ppd.replace("*ImageableArea A4/A4: \"0 0 595 842\"", "*ImageableArea A4/A4: \"18 36 577 806\"");
    const QString path = folder + QStringLiteral("/margins.ppd");
    return testutils::writeFile(path, ppd) ? path : QString();
}

class PrivateScheduler : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        cups = new PrivateCups;
        if (!cups->running())
            return;
        // Before any queue exists: a scheduler without printers.
        emptyLookup = new PrinterLookup(FindPrinter({}));
        QString error = cups->addPdfQueue(QStringLiteral("LobeviewPDF"), {}, {}, true);
        if (error.isEmpty())
            error = cups->addPdfQueue(QStringLiteral("LobeviewLetter"), {},
                                      {QStringLiteral("PageSize=Letter")});
        if (error.isEmpty())
            error = cups->addPdfQueue(QStringLiteral("LobeviewMargins"), marginPpd(cups->root()));
        if (error.isEmpty())
            error = cups->addPdfQueue(QStringLiteral("LobeviewClosed"));
        if (error.isEmpty())
            error = cups->runTool(QStringLiteral("cupsreject"), {QStringLiteral("LobeviewClosed")});
        queueError = new QString(error);
    }
    static void TearDownTestSuite() {
        delete cups;
        delete emptyLookup;
        delete queueError;
        cups = nullptr;
        emptyLookup = nullptr;
        queueError = nullptr;
    }
    void SetUp() override {
        if (!cups->running())
            GTEST_SKIP() << "no private print scheduler: " << cups->skipReason().toStdString();
        if (!queueError->isEmpty())
            GTEST_SKIP() << "cannot add the cups-pdf queues: " << queueError->toStdString();
        if (!testutils::havePopplerTools())
            GTEST_SKIP() << "pdfinfo and pdftotext are missing (Debian package poppler-utils)";
    }

    static PrivateCups* cups;
    static PrinterLookup* emptyLookup;
    static QString* queueError;
};
PrivateCups* PrivateScheduler::cups = nullptr;
PrinterLookup* PrivateScheduler::emptyLookup = nullptr;
QString* PrivateScheduler::queueError = nullptr;

struct RunCase {
    const char* name;
    bool graph, data;
    FeedKind feed;
};

TEST_F(PrivateScheduler, EachDocumentIsOnePrintedPageInItsOrientation) {
    const RunCase cases[] = {
        {"graph only, one-sided", true, false, FeedKind::None},
        {"graph only, two-sided", true, false, FeedKind::Left},
        {"data only, two-sided", false, true, FeedKind::UhpRight},
        {"both, one-sided", true, true, FeedKind::None},
        {"both, two-sided", true, true, FeedKind::Right},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList before = cups->outputPdfs();
        StandInPages stand;
        CupsBackend backend({}, cups->root());
        RecordingPrompter prompter;
        PrintRunRequest request{c.graph, c.data, false, c.feed, 0, QStringLiteral("ZZX12-65")};
        const PrintRunResult result = RunPrint(request, stand.pages(), backend, prompter);
        ASSERT_TRUE(result.ok()) << result.Error.toStdString();
        EXPECT_TRUE(prompter.errors.isEmpty());
        EXPECT_EQ(result.PrinterName, QStringLiteral("LobeviewPDF"));
        ASSERT_EQ(result.JobIds.size(), size_t(int(c.graph) + int(c.data)));

        // What was printed, in order: the graph page (if any), then the data sheet.
        struct Expected {
            QString text;
            bool landscape;
        };
        std::vector<Expected> expected;
        if (c.graph)
            expected.push_back({isTwoSided(c.feed) ? stand.landscape.title : stand.portrait.title,
                                isTwoSided(c.feed)});
        if (c.data)
            expected.push_back({stand.data.title, false});
        for (size_t i = 0; i < expected.size(); ++i) {
            const int job = result.JobIds[i];
            EXPECT_EQ(cups->waitForJob(job), IPP_JSTATE_COMPLETED) << "job " << job;
            const testutils::PdfFacts spooled = testutils::readPdf(cups->spooledDocument(job));
            ASSERT_TRUE(spooled.ok) << cups->spooledDocument(job).toStdString();
            EXPECT_EQ(spooled.pages, 1);
            EXPECT_EQ(spooled.widthPt > spooled.heightPt, expected[i].landscape);
            EXPECT_TRUE(spooled.text.contains(expected[i].text)) << spooled.text.toStdString();
            EXPECT_TRUE(spooled.text.contains(QStringLiteral("12.50")));
        }
        EXPECT_EQ(stand.portrait.calls, int(c.graph && !isTwoSided(c.feed)));
        EXPECT_EQ(stand.landscape.calls, int(c.graph && isTwoSided(c.feed)));
        EXPECT_EQ(stand.data.calls, int(c.data));

        // cups-pdf made one one-page PDF per document.
        QStringList made = cups->outputPdfs();
        for (const QString& old : before)
            made.removeAll(old);
        ASSERT_EQ(made.size(), qsizetype(expected.size()));
        for (const QString& pdf : made) {
            const testutils::PdfFacts facts = testutils::readPdf(pdf);
            EXPECT_TRUE(facts.ok) << pdf.toStdString();
            EXPECT_EQ(facts.pages, 1) << pdf.toStdString();
        }
    }
    // Nothing of a document is left behind in the temporary folder.
    EXPECT_TRUE(QDir(cups->root())
                    .entryList({QStringLiteral("lobeview-print-*")}, QDir::AllEntries)
                    .isEmpty());
}

TEST_F(PrivateScheduler, PagesAreTheDefaultPrintersPrintableAreaAt600Dpi) {
    // cups-pdf's A4 has no margins.
    StandInPages stand;
    CupsBackend backend({}, cups->root());
    RecordingPrompter prompter;
    const PrintRunResult result =
        RunPrint({true, true, false, FeedKind::Right, 2, QStringLiteral("ZZX12-65")}, stand.pages(),
                 backend, prompter);
    ASSERT_TRUE(result.ok()) << result.Error.toStdString();
    EXPECT_TRUE(isArea(stand.landscape.device, 842, 595));
    EXPECT_TRUE(isArea(stand.data.device, 595, 842));
    EXPECT_EQ(stand.landscape.dpi, 600);
    EXPECT_EQ(stand.landscape.penFactor, 2);
    ASSERT_EQ(result.JobIds.size(), 2u);
    for (int job : result.JobIds)
        EXPECT_EQ(cups->waitForJob(job), IPP_JSTATE_COMPLETED);
    const testutils::PdfFacts data = testutils::readPdf(cups->spooledDocument(result.JobIds[1]));
    EXPECT_NEAR(data.widthPt, 595, 1);
    EXPECT_NEAR(data.heightPt, 842, 1);
}

TEST_F(PrivateScheduler, PaperAndMarginsComeFromTheChosenPrinter) {
    {
        SCOPED_TRACE("a queue whose default paper is Letter");
        const PrinterLookup letter = FindPrinter(printer(QStringLiteral("LobeviewLetter")));
        ASSERT_TRUE(letter.Printer) << letter.Error.toStdString();
        EXPECT_EQ(letter.Printer->PageSize.id(), QPageSize::Letter);
        EXPECT_EQ(letter.Printer->Media, QByteArray("na_letter_8.5x11in"));
        StandInPages stand;
        CupsBackend backend(printer(QStringLiteral("LobeviewLetter")), cups->root());
        RecordingPrompter prompter;
        const PrintRunResult result =
            RunPrint({true, false, false, FeedKind::None, 0, QStringLiteral("Letter")},
                     stand.pages(), backend, prompter);
        ASSERT_TRUE(result.ok()) << result.Error.toStdString();
        EXPECT_TRUE(isArea(stand.portrait.device, 612, 792));
        ASSERT_EQ(result.JobIds.size(), 1u);
        EXPECT_EQ(cups->waitForJob(result.JobIds[0]), IPP_JSTATE_COMPLETED);
        const testutils::PdfFacts spooled =
            testutils::readPdf(cups->spooledDocument(result.JobIds[0]));
        EXPECT_NEAR(spooled.widthPt, 612, 1);
        EXPECT_NEAR(spooled.heightPt, 792, 1);
    }
    {
        SCOPED_TRACE("a queue with margins: 18 pt at the sides, 36 pt at top and bottom");
        StandInPages stand;
        CupsBackend backend(printer(QStringLiteral("LobeviewMargins")), cups->root());
        RecordingPrompter prompter;
        const PrintRunResult result =
            RunPrint({true, true, false, FeedKind::UhpLeft, 0, QStringLiteral("Margins")},
                     stand.pages(), backend, prompter);
        ASSERT_TRUE(result.ok()) << result.Error.toStdString();
        ASSERT_TRUE(backend.paper());
        EXPECT_NEAR(backend.paper()->Margins.left(), 18, 0.1);
        EXPECT_NEAR(backend.paper()->Margins.top(), 36, 0.1);
        EXPECT_TRUE(isArea(stand.data.device, 595 - 36, 842 - 72));
        // Landscape: the larger margin of each pair guards both edges across the turned sheet.
        EXPECT_TRUE(isArea(stand.landscape.device, 842 - 72, 595 - 36));
        for (int job : result.JobIds)
            EXPECT_EQ(cups->waitForJob(job), IPP_JSTATE_COMPLETED);
    }
    {
        SCOPED_TRACE("the paper chosen in the printer setup, with the printer's margins for it");
        StandInPages stand;
        PrinterSetup setup{QStringLiteral("LobeviewMargins"), QPageSize(QPageSize::Letter), {}};
        CupsBackend backend(setup, cups->root());
        RecordingPrompter prompter;
        const PrintRunResult result =
            RunPrint({false, true, false, FeedKind::None, 0, QStringLiteral("Chosen")},
                     stand.pages(), backend, prompter);
        ASSERT_TRUE(result.ok()) << result.Error.toStdString();
        EXPECT_EQ(backend.paper()->Media, QByteArray("na_letter_8.5x11in"));
        EXPECT_TRUE(isArea(stand.data.device, 612, 792));
        ASSERT_EQ(result.JobIds.size(), 1u);
        EXPECT_EQ(cups->waitForJob(result.JobIds[0]), IPP_JSTATE_COMPLETED);
    }
}

TEST_F(PrivateScheduler, NoPrinterOrAMissingOneIsSaidPlainly) {
    ASSERT_TRUE(emptyLookup);
    EXPECT_FALSE(emptyLookup->Printer);
    EXPECT_EQ(emptyLookup->Error, QStringLiteral("No printer is installed"));

    const PrinterLookup missing = FindPrinter(printer(QStringLiteral("Nope")));
    EXPECT_FALSE(missing.Printer);
    EXPECT_TRUE(missing.Error.startsWith(QStringLiteral("The printer \"Nope\" was not found")))
        << missing.Error.toStdString();
    EXPECT_TRUE(missing.Error.contains(QStringLiteral("LobeviewPDF")));
}

TEST_F(PrivateScheduler, ARefusedDocumentShowsTheSchedulersTextAndEndsTheRun) {
    const int jobsBefore = cups->jobCount();
    StandInPages stand;
    CupsBackend backend(printer(QStringLiteral("LobeviewClosed")), cups->root());
    RecordingPrompter prompter;
    const PrintRunResult result =
        RunPrint({true, true, true, FeedKind::None, 0, QStringLiteral("ZZX12-65")}, stand.pages(),
                 backend, prompter);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.JobIds.empty());
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].startsWith(
        QStringLiteral("The graph could not be printed on \"LobeviewClosed\": ")))
        << prompter.errors[0].toStdString();
    EXPECT_TRUE(prompter.errors[0].contains(QStringLiteral("not accepting jobs")))
        << prompter.errors[0].toStdString();
    EXPECT_TRUE(prompter.messages.isEmpty()); // no pause prompt after a failed graph
    EXPECT_EQ(stand.data.calls, 0);
    EXPECT_EQ(cups->jobCount(), jobsBefore);
}

TEST_F(PrivateScheduler, APageThatCannotBeDrawnIsNotSubmitted) {
    const int jobsBefore = cups->jobCount();
    StandInPages stand;
    CupsBackend backend({}, cups->root() + QStringLiteral("/no/such/folder"));
    RecordingPrompter prompter;
    const PrintRunResult result =
        RunPrint({true, false, false, FeedKind::None, 0, {}}, stand.pages(), backend, prompter);
    EXPECT_FALSE(result.ok());
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].contains(QStringLiteral("no temporary folder")))
        << prompter.errors[0].toStdString();
    EXPECT_EQ(cups->jobCount(), jobsBefore);
}

// ---- The real pages -----------------------------------------------------------------------------

// A sample antenna of the catalogue, printed with the program's own page routines.
struct SamplePages {
    explicit SamplePages(const QString& name) {
        const QString path = testutils::samplePath(name + QStringLiteral(".adf"));
        EXPECT_FALSE(BuildRecordFromFile(path, record));
        EXPECT_EQ(LoadPatternFile(path, record.feedOrientation(), pattern).status,
                  LoadStatus::Loaded);
    }
    PageSource source(int penFactor) { return PageSource{map, record, pattern, false, penFactor}; }
    PrintRunPages pages() {
        return {[this](QPainter& p, int f) { DrawPortraitGraphPage(source(f), p); },
                [this](QPainter& p, int f) { DrawLandscapeGraphPage(source(f), p); },
                [this](QPainter& p, int f) { DrawDataPage(source(f), p); }};
    }
    QString model() const { return QString::fromLatin1(record.modelNumber()).trimmed(); }
    // Texts the chart page must show.
    QStringList chartTexts() const {
        QStringList texts{QStringLiteral("RADIATION PATTERN ENVELOPE"), model(),
                          QString::fromLatin1(record.rpeNumber()).trimmed(),
                          QStringLiteral("Expanded Scale"), QStringLiteral("dB Below Beam Peak")};
        if (isTwoSided(pattern.feedKind))
            texts << QStringLiteral("Red Right Feed Orientation");
        return texts;
    }
    // The model and the second and last point of each cut as the data sheet writes them.
    QStringList sheetTexts() const {
        QStringList texts{model()};
        for (const PatternPoints& cut : pattern.CutPoints) {
            if (cut.size() < 2)
                continue;
            for (const PatternPoint& p : {cut[1], cut.back()})
                texts << SheetNumberText(p.Angle, QLocale::c())
                      << SheetNumberText(p.Level, QLocale::c());
        }
        return texts;
    }

    IndexRecord record;
    LoadedPattern pattern;
    PageMapper map;
};

// Checks the document the scheduler was handed for `job`: one page, its orientation, its texts.
void expectSpooled(PrivateCups& cups, int job, bool landscape, const QStringList& texts) {
    SCOPED_TRACE("job " + std::to_string(job));
    EXPECT_EQ(cups.waitForJob(job), IPP_JSTATE_COMPLETED);
    const testutils::PdfFacts spooled = testutils::readPdf(cups.spooledDocument(job));
    ASSERT_TRUE(spooled.ok) << cups.spooledDocument(job).toStdString();
    EXPECT_EQ(spooled.pages, 1);
    EXPECT_EQ(spooled.widthPt > spooled.heightPt, landscape)
        << spooled.widthPt << " x " << spooled.heightPt;
    for (const QString& text : texts)
        EXPECT_TRUE(spooled.text.contains(text)) << "missing '" << text.toStdString() << "' in:\n"
                                                 << spooled.text.left(600).toStdString();
}

TEST_F(PrivateScheduler, SampleAntennasPrintWithTheRealPages) {
    for (const char* name : {"ZZ6-77A", "ZZX10-60L"}) {
        SamplePages sample{QString::fromLatin1(name)};
        const bool twoSided = isTwoSided(sample.pattern.feedKind);
        EXPECT_EQ(twoSided, qstrcmp(name, "ZZX10-60L") == 0);
        for (const auto& [graph, data] : {std::pair{true, false}, {false, true}, {true, true}}) {
            SCOPED_TRACE(std::string(name) + (graph ? " graph" : "") + (data ? " data" : ""));
            const QStringList before = cups->outputPdfs();
            CupsBackend backend({}, cups->root());
            RecordingPrompter prompter;
            const PrintRunResult result =
                RunPrint({graph, data, false, sample.pattern.feedKind, 0, sample.model()},
                         sample.pages(), backend, prompter);
            ASSERT_TRUE(result.ok()) << result.Error.toStdString();
            ASSERT_EQ(result.JobIds.size(), size_t(int(graph) + int(data)));
            size_t next = 0;
            if (graph)
                expectSpooled(*cups, result.JobIds[next++], twoSided, sample.chartTexts());
            if (data)
                expectSpooled(*cups, result.JobIds[next++], false, sample.sheetTexts());

            // cups-pdf made one one-page PDF of each document.
            QStringList made = cups->outputPdfs();
            for (const QString& old : before)
                made.removeAll(old);
            ASSERT_EQ(made.size(), qsizetype(result.JobIds.size()));
            for (const QString& pdf : made)
                EXPECT_EQ(testutils::readPdf(pdf).pages, 1) << pdf.toStdString();
        }
    }
}

// ---- The batch tool -----------------------------------------------------------------------------

QList<QByteArray> outputLines(const testutils::CliResult& r) {
    return r.out.trimmed().split('\n');
}

int jobOf(const QByteArray& line) {
    const QList<QByteArray> words = line.split(' ');
    return words.size() >= 2 ? words[1].toInt() : 0;
}

TEST_F(PrivateScheduler, TheBatchToolPrintsWithoutDialogs) {
    SamplePages two{QStringLiteral("ZZX10-60L")};
    SamplePages one{QStringLiteral("ZZ6-77A")};
    const QString twoFile = testutils::samplePath(QStringLiteral("ZZX10-60L.adf"));
    const QString oneFile = testutils::samplePath(QStringLiteral("ZZ6-77A.adf"));
    {
        SCOPED_TRACE("graph and data, in colour, on the default printer");
        const auto r =
            testutils::runCli({QStringLiteral("print"), twoFile, QStringLiteral("--data"),
                               QStringLiteral("--graph"), QStringLiteral("--color")});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();
        const QList<QByteArray> lines = outputLines(r);
        ASSERT_EQ(lines.size(), 3) << r.out.constData();
        EXPECT_EQ(lines[0], "printer: LobeviewPDF");
        EXPECT_TRUE(lines[1].startsWith("job: ") && lines[1].endsWith(" graph")) << lines[1].data();
        EXPECT_TRUE(lines[2].startsWith("job: ") && lines[2].endsWith(" data")) << lines[2].data();
        EXPECT_GT(jobOf(lines[2]), jobOf(lines[1]));
        expectSpooled(*cups, jobOf(lines[1]), true, two.chartTexts());
        expectSpooled(*cups, jobOf(lines[2]), false, two.sheetTexts());
    }
    {
        SCOPED_TRACE("the default: graph only");
        const auto r = testutils::runCli({QStringLiteral("print"), oneFile});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        const QList<QByteArray> lines = outputLines(r);
        ASSERT_EQ(lines.size(), 2) << r.out.constData();
        EXPECT_TRUE(lines[1].endsWith(" graph"));
        expectSpooled(*cups, jobOf(lines[1]), false, one.chartTexts());
    }
    {
        SCOPED_TRACE("a named printer");
        const auto r =
            testutils::runCli({QStringLiteral("print"), oneFile, QStringLiteral("--data"),
                               QStringLiteral("--printer"), QStringLiteral("LobeviewLetter")});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        const QList<QByteArray> lines = outputLines(r);
        ASSERT_EQ(lines.size(), 2) << r.out.constData();
        EXPECT_EQ(lines[0], "printer: LobeviewLetter");
        EXPECT_TRUE(lines[1].endsWith(" data"));
        ASSERT_EQ(cups->waitForJob(jobOf(lines[1])), IPP_JSTATE_COMPLETED);
        const testutils::PdfFacts letter =
            testutils::readPdf(cups->spooledDocument(jobOf(lines[1])));
        EXPECT_NEAR(letter.widthPt, 612, 1);
        EXPECT_NEAR(letter.heightPt, 792, 1);
    }
    const int jobsBefore = cups->jobCount();
    {
        SCOPED_TRACE("a printer that refuses jobs");
        const auto r =
            testutils::runCli({QStringLiteral("print"), twoFile, QStringLiteral("--printer"),
                               QStringLiteral("LobeviewClosed")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.startsWith("The graph could not be printed on \"LobeviewClosed\": "))
            << r.err.constData();
        EXPECT_TRUE(r.err.contains("not accepting jobs")) << r.err.constData();
        EXPECT_EQ(r.out, "printer: LobeviewClosed\n");
    }
    {
        SCOPED_TRACE("a printer that does not exist");
        const auto r = testutils::runCli({QStringLiteral("print"), twoFile,
                                          QStringLiteral("--printer"), QStringLiteral("Nope")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.startsWith("The printer \"Nope\" was not found; the printers are: "))
            << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty());
    }
    {
        SCOPED_TRACE("no printing system to reach: no printer");
        testutils::Sandbox box;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), box.path(QStringLiteral("none.sock")));
        const auto r = testutils::runCli({QStringLiteral("print"), twoFile}, {}, env);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "No printer is installed\n");
        EXPECT_TRUE(r.out.isEmpty());
    }
    {
        SCOPED_TRACE("wrong arguments and a missing file");
        EXPECT_EQ(testutils::runCli({QStringLiteral("print")}).exitCode, 2);
        EXPECT_EQ(testutils::runCli({QStringLiteral("print"), twoFile, QStringLiteral("--pause")})
                      .exitCode,
                  2);
        EXPECT_EQ(testutils::runCli({QStringLiteral("print"), twoFile, QStringLiteral("--printer")})
                      .exitCode,
                  2);
        const auto r = testutils::runCli({QStringLiteral("print"), QStringLiteral("/no/such.adf")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "such.adf: File was not found\n");
    }
    EXPECT_EQ(cups->jobCount(), jobsBefore);
}

} // namespace
