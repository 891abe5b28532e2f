// SPDX-License-Identifier: MIT
// Printing from the graph window: the print command with its options dialog answered in the
// real modal loop, the print branch with the window's own page routines, the pen width choice,
// the hidden option holders, and a run through a private print scheduler.
#include "AppWindows.h"
#include "PageTestSupport.h"
#include "PrivateCups.h"
#include "TestUtils.h"
#include "base/Prompter.h"
#include "catalogue/IndexRefresh.h"
#include "dialogs/PenWidthDialog.h"
#include "dialogs/PrintOptionsDialog.h"
#include "graph/GraphSession.h"
#include "graph/GraphWindow.h"
#include "pages/ChartPage.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtGui/QPainter>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QTreeWidget>
#include <cups/cups.h>
#include <functional>
#include <gtest/gtest.h>

using namespace pagetest;

namespace {

// Acts on the modal dialog once its exec() runs; closes it afterwards if the action did not, so
// a failed check never leaves the test waiting.
void whenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        act(modal);
        if (QWidget* still = QApplication::activeModalWidget(); still && still == modal) {
            ADD_FAILURE() << "the dialog was still open";
            if (auto* dialog = qobject_cast<QDialog*>(still))
                dialog->reject();
        }
    });
}

// Answers the print options dialog with one of its radio buttons and OK (or Cancel).
void answerPrintOptions(PrintOptionsDialog& form, QRadioButton* PrintOptionsDialog::*choice,
                        bool ok = true, QStringList* listed = nullptr) {
    whenModal([&form, choice, ok, listed](QWidget* modal) {
        EXPECT_EQ(modal, &form);
        if (listed)
            for (int i = 0; i < form.antennaList->topLevelItemCount(); ++i)
                *listed << form.antennaList->topLevelItem(i)->text(0) + QLatin1Char('|') +
                               form.antennaList->topLevelItem(i)->text(1);
        (form.*choice)->click();
        (ok ? form.okButton : form.cancelButton)->click();
    });
}

// A printing system that keeps what it is handed: each document drawn on a white page of
// letter size at `dotsPerInch`, and what was going on when it came.
struct Printed {
    QString title;
    QPageLayout::Orientation orientation;
    QImage page;
    int promptsBefore; // prompts shown before this document
    bool waitCursor;   // the wait cursor was up while it was drawn
};

class RecordingBackend : public PrintBackend {
public:
    RecordingBackend(std::vector<Printed>& log, const RecordingPrompter& prompter, int dotsPerInch,
                     std::optional<QString> failure)
        : log_(log), prompter_(prompter), dpi_(dotsPerInch), failure_(std::move(failure)) {}
    std::optional<QString> prepare() override { return failure_; }
    QString printerName() const override { return QStringLiteral("Recorder"); }
    PrintJobResult print(const PrintDocument& document) override {
        const bool landscape = document.Orientation == QPageLayout::Landscape;
        QImage page(landscape ? QSize(11 * dpi_, 17 * dpi_ / 2) : QSize(17 * dpi_ / 2, 11 * dpi_),
                    QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        document.Paint(painter);
        painter.end();
        const QCursor* cursor = QGuiApplication::overrideCursor();
        log_.push_back({document.Title, document.Orientation, page, int(prompter_.messages.size()),
                        cursor && cursor->shape() == Qt::WaitCursor});
        return {int(log_.size()), {}};
    }

private:
    std::vector<Printed>& log_;
    const RecordingPrompter& prompter_;
    int dpi_;
    std::optional<QString> failure_;
};

QByteArray adf(const QByteArray& model, const QByteArray& feed, const QByteArray& points) {
    return "REVNUM:,NSMA\nMODNUM:," + model + "\nPATNUM:,4711\nFEDORN:," + feed +
           "\nDESCR1:,12 ft HP\nDESCR2:,A description\nDTDATA:,20200102\n"
           "LOWFRQ:,10700\nHGHFRQ:,11700\nMDGAIN:,48.6\nPOLARI:,V/V\nNUPOIN:," +
           QByteArray::number(points.count('\n')) + "\n" + points + "ENDFIL:,EOF\n";
}

// The program's windows on a sandbox, the graph window printing into `printed`.
struct Program {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    std::unique_ptr<AppWindows> w;
    std::vector<Printed> printed;
    int dotsPerInch = 60;
    std::optional<QString> printerFailure;

    explicit Program(bool recordPrints = true) {
        QDir().mkpath(box.path(QStringLiteral("prog/NSMAData")));
        w = std::make_unique<AppWindows>(AppEnvironment::inFolder(box.path(), prompter));
        g().runModal = [](GraphWindow&) {};
        g().endProgram = [] {};
        if (recordPrints)
            g().makePrintBackend = [this] {
                return std::make_unique<RecordingBackend>(printed, prompter, dotsPerInch,
                                                          printerFailure);
            };
    }
    GraphWindow& g() { return *w->graph; }
    PrintOptionsDialog& options() { return *w->printOptions; }
    void showSample(const QString& name) {
        const QString path = box.path(QStringLiteral("prog/NSMAData/") + name);
        ASSERT_TRUE(QFile::copy(testutils::samplePath(name), path));
        IndexRecord record;
        ASSERT_FALSE(BuildRecordFromFile(path, record));
        g().ShowAntenna(record);
    }
    void show(const QString& name, const QByteArray& text) {
        box.write(QStringLiteral("prog/NSMAData/") + name, text);
        IndexRecord record;
        BuildRecordFromFile(box.path(QStringLiteral("prog/NSMAData/") + name), record);
        g().ShowAntenna(record);
    }
    QStringList titles() const {
        QStringList out;
        for (const Printed& p : printed)
            out << p.title + (p.orientation == QPageLayout::Landscape
                                  ? QStringLiteral(" landscape")
                                  : QStringLiteral(" portrait"));
        return out;
    }
};

// ---- The print command ------------------------------------------------------------------------

TEST(GraphPrint, PrintCommandIsThereOnceAnAntennaIsShown) {
    Program p;
    GraphWindow& g = p.g();
    EXPECT_EQ(testutils::child<QAction>(g, "printAction")->text(), QStringLiteral("Print..."));
    EXPECT_EQ(testutils::child<QAction>(g, "printAction")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(testutils::child<QToolButton>(g, "tbPrint")->text(), QStringLiteral("Print"));
    EXPECT_EQ(testutils::child<QToolButton>(g, "tbPrint")->toolTip(),
              QStringLiteral("Print RPE Graph/Data"));
    EXPECT_FALSE(testutils::child<QAction>(g, "printAction")->isEnabled());
    EXPECT_FALSE(testutils::child<QToolButton>(g, "tbPrint")->isEnabled());
    g.printCommand(); // nothing to print yet: no dialog, nothing printed
    EXPECT_TRUE(p.printed.empty());

    p.showSample(QStringLiteral("ZZX10-60L.adf"));
    EXPECT_TRUE(testutils::child<QAction>(g, "printAction")->isEnabled());
    EXPECT_TRUE(testutils::child<QToolButton>(g, "tbPrint")->isEnabled());
    // The menu item and the tool button both open the print options dialog for the antenna.
    QStringList listed;
    answerPrintOptions(p.options(), &PrintOptionsDialog::graphButton, true, &listed);
    testutils::child<QAction>(g, "printAction")->trigger();
    EXPECT_EQ(listed, QStringList{QStringLiteral("ZZX10-60|12050")});
    answerPrintOptions(p.options(), &PrintOptionsDialog::graphButton);
    testutils::child<QToolButton>(g, "tbPrint")->click();
    EXPECT_EQ(p.titles(), (QStringList{QStringLiteral("ZZX10-60 RPE graph landscape"),
                                       QStringLiteral("ZZX10-60 RPE graph landscape")}));
    // The dialog's "Printer Setup" works on the program's printer.
    EXPECT_TRUE(p.options().printerSetupButton()->isEnabled());
}

TEST(GraphPrint, PrintBothAfterAnExportPrintsAndPausesOnlyWhenAsked) {
    Program p;
    GraphWindow& g = p.g();
    p.showSample(QStringLiteral("ZZX10-60L.adf"));
    g.session().set(GraphSession::MakeGif, true); // as an earlier GIF export left it
    ASSERT_TRUE(g.session().isOn(GraphSession::Graph) && !g.session().isOn(GraphSession::Data));

    answerPrintOptions(p.options(), &PrintOptionsDialog::bothButton);
    g.printCommand();
    EXPECT_EQ(p.titles(), (QStringList{QStringLiteral("ZZX10-60 RPE graph landscape"),
                                       QStringLiteral("ZZX10-60 RPE data portrait")}));
    EXPECT_TRUE(p.prompter.messages.isEmpty());
    EXPECT_TRUE(p.prompter.errors.isEmpty());
    EXPECT_TRUE(p.prompter.opened.isEmpty()); // a print run opens no file
    EXPECT_FALSE(g.session().isOn(GraphSession::MakeGif) ||
                 g.session().isOn(GraphSession::MakeJpg) ||
                 g.session().isOn(GraphSession::MakePdf));
    EXPECT_FALSE(g.session().graphSettings().MakeGIF);
    EXPECT_TRUE(g.session().isOn(GraphSession::Graph));
    EXPECT_TRUE(g.session().isOn(GraphSession::Data));
    EXPECT_EQ(g.LastPrintRun.JobIds, (std::vector<int>{1, 2}));
    EXPECT_EQ(g.LastPrintRun.PrinterName, QStringLiteral("Recorder"));
    // Drawn by the window's page routines, under the wait cursor, which is gone afterwards.
    ASSERT_EQ(p.printed.size(), 2u);
    EXPECT_TRUE(p.printed[0].waitCursor && p.printed[1].waitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(g.PageMap.LogicalWidth, 800); // the data sheet came last
    EXPECT_GT(p.printed[0].page.width(), p.printed[0].page.height());
    EXPECT_FALSE(inkBox(p.printed[0].page).isNull());

    // With "Pause Printing" the prompt comes between the two documents; the choice is kept.
    g.session().set(GraphSession::PausePrinting, true);
    ASSERT_TRUE(g.session().isOn(GraphSession::PausePrinting));
    p.printed.clear();
    answerPrintOptions(p.options(), &PrintOptionsDialog::bothButton);
    g.printCommand();
    ASSERT_EQ(p.printed.size(), 2u);
    EXPECT_EQ(p.printed[0].promptsBefore, 0);
    EXPECT_EQ(p.printed[1].promptsBefore, 1);
    EXPECT_EQ(p.prompter.messages,
              QStringList{QStringLiteral("Press Ok when ready to print second side")});

    // "Print Data Only" never prompts.
    p.printed.clear();
    answerPrintOptions(p.options(), &PrintOptionsDialog::dataButton);
    g.printCommand();
    EXPECT_EQ(p.titles(), QStringList{QStringLiteral("ZZX10-60 RPE data portrait")});
    EXPECT_EQ(p.prompter.messages.size(), 1);
    EXPECT_FALSE(g.session().isOn(GraphSession::Graph));

    // Cancel changes nothing and prints nothing, even after an export set a flag again.
    p.printed.clear();
    g.session().set(GraphSession::MakePdf, true);
    answerPrintOptions(p.options(), &PrintOptionsDialog::graphButton, false);
    g.printCommand();
    EXPECT_TRUE(p.printed.empty());
    EXPECT_FALSE(g.session().isOn(GraphSession::Graph));
    EXPECT_TRUE(g.session().isOn(GraphSession::Data));
    EXPECT_TRUE(g.session().isOn(GraphSession::MakePdf));
}

TEST(GraphPrint, OneSidedChartIsPortraitAndFailuresAreShownOnce) {
    Program p;
    GraphWindow& g = p.g();
    p.showSample(QStringLiteral("ZZ6-77A.adf"));
    answerPrintOptions(p.options(), &PrintOptionsDialog::graphButton);
    g.printCommand();
    EXPECT_EQ(p.titles(), QStringList{QStringLiteral("ZZ6-77 RPE graph portrait")});
    EXPECT_EQ(g.PageMap.LogicalWidth, 600);
    EXPECT_EQ(g.PageMap.LogicalHeight, 650);

    // No printer: the message, nothing drawn, the cursor back.
    p.printed.clear();
    p.printerFailure = QStringLiteral("No printer is installed");
    answerPrintOptions(p.options(), &PrintOptionsDialog::bothButton);
    g.printCommand();
    EXPECT_TRUE(p.printed.empty());
    EXPECT_EQ(p.prompter.errors, QStringList{QStringLiteral("No printer is installed")});
    EXPECT_FALSE(g.LastPrintRun.ok());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// ---- Pen width ---------------------------------------------------------------------------------

TEST(GraphPrint, ThePenWidthChoiceGovernsPrintedPagesOnly) {
    Program p;
    GraphWindow& g = p.g();
    p.dotsPerInch = 600; // a letter page at 600 dpi, 6 pixels a unit across in landscape
    p.show(QStringLiteral("flat.adf"), adf("ZZX12-65", "RIGHT", "-170,-75,\n-130,-75,\n"));
    g.session().set(GraphSession::Colour, true);
    ASSERT_TRUE(g.session().isOn(GraphSession::Colour));
    const QRgb green = qRgb(0, 191, 0);
    const auto traceWidth = [&] {
        p.printed.clear();
        answerPrintOptions(p.options(), &PrintOptionsDialog::graphButton);
        g.printCommand();
        EXPECT_EQ(p.printed.size(), 1u);
        if (p.printed.empty())
            return 0;
        return runDown(p.printed[0].page, toDevice(FullChartX(-150), 1100, 6600),
                       toDevice(450, 650, 5100), [green](QRgb c) { return isColour(c, green); })
            .length();
    };
    // None chosen: "Wide", 3: a colour trace of DeviceToLogicalX(9) = R(1.5) = 2 units.
    EXPECT_EQ(g.session().penFactor(), 0);
    EXPECT_EQ(traceWidth(), 12);

    // The hidden "Pen Width..." item: "Wide" shown, "Narrow" chosen.
    bool wideShown = false;
    whenModal([&](QWidget* modal) {
        ASSERT_EQ(modal, p.w->penWidth);
        wideShown = p.w->penWidth->Wide->isChecked();
        p.w->penWidth->Narrow->click();
        p.w->penWidth->okButton()->click();
    });
    g.choosePenWidth();
    EXPECT_TRUE(wideShown);
    EXPECT_EQ(g.session().penFactor(), 1);
    // Narrow: DeviceToLogicalX(3) = 0 units, the thinnest line, one dot.
    EXPECT_EQ(traceWidth(), 1);

    // Cancel keeps "Narrow"; "Medium" then gives 1 unit, 6 pixels.
    whenModal([&](QWidget*) {
        EXPECT_TRUE(p.w->penWidth->Narrow->isChecked());
        p.w->penWidth->Wide->click();
        p.w->penWidth->cancelButton()->click();
    });
    g.choosePenWidth();
    EXPECT_EQ(g.session().penFactor(), 1);
    whenModal([&](QWidget*) {
        p.w->penWidth->Medium->click();
        p.w->penWidth->okButton()->click();
    });
    g.choosePenWidth();
    EXPECT_EQ(g.session().penFactor(), 2);
    // An export image in between keeps factor 1 for itself and leaves the choice alone.
    QImage image;
    g.DrawLandscapeGraphPage(image);
    EXPECT_EQ(runDown(image, toDevice(FullChartX(-150), 1100, 2200), toDevice(450, 650, 1700),
                      [green](QRgb c) { return isColour(c, green); })
                  .length(),
              4);
    EXPECT_EQ(g.session().penFactor(), 2);
    EXPECT_EQ(traceWidth(), 6);
}

// ---- The session's choices ----------------------------------------------------------------------

TEST(GraphPrint, TheRunPrintsWhatTheSessionHoldsWhoeverSetIt) {
    Program p;
    GraphWindow& g = p.g();
    p.showSample(QStringLiteral("ZZX10-60L.adf"));
    // The print menus are gone from the window: only File, Edit (copy) and View are there.
    QStringList menus;
    for (const QAction* a : g.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("File"), QStringLiteral("&Edit"),
                                  QStringLiteral("&View")}));

    // Settings applied after the window was made reach the run, which asks nothing.
    GraphSettings s = g.session().graphSettings();
    s.PrintGraph = false;
    s.PrintData = true;
    s.PrintPause = false;
    g.session().applyGraphSettings(s);
    g.runOutput();
    EXPECT_EQ(p.titles(), QStringList{QStringLiteral("ZZX10-60 RPE data portrait")});

    // Graph and data with a pause, set on the session itself.
    p.printed.clear();
    g.session().set(GraphSession::Graph, true);
    g.session().set(GraphSession::PausePrinting, true);
    g.runOutput();
    EXPECT_EQ(p.titles(), (QStringList{QStringLiteral("ZZX10-60 RPE graph landscape"),
                                       QStringLiteral("ZZX10-60 RPE data portrait")}));
    EXPECT_EQ(p.prompter.messages.size(), 1);
}

TEST(GraphPrint, PrinterSetUpOpensOnTheProgramsPrinter) {
    Program p;
    GraphWindow& g = p.g();
    ASSERT_TRUE(g.Printer);
    EXPECT_EQ(g.Printer->resolution(), 600);
    bool seen = false;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_TRUE(dialog);
        seen = true;
        EXPECT_EQ(dialog->printer(), g.Printer.get());
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
        dialog->reject();
    });
    g.setUpPrinter();
    EXPECT_TRUE(seen);
}

TEST(GraphPrint, ThePrinterKeepsTheOrientationTheRunUsedLast) {
    Program p;
    GraphWindow& g = p.g();
    QPrinter& printer = *g.Printer;
    const auto orientation = [&printer] { return printer.pageLayout().orientation(); };
    ASSERT_EQ(orientation(), QPageLayout::Portrait);
    const struct {
        const char* sample;
        QRadioButton* PrintOptionsDialog::*choice;
        QPageLayout::Orientation after;
    } runs[] = {
        {"ZZX10-60L.adf", &PrintOptionsDialog::graphButton, QPageLayout::Landscape}, // two-sided
        {"ZZX10-60L.adf", &PrintOptionsDialog::bothButton, QPageLayout::Portrait}, // the sheet last
        {"ZZX10-60L.adf", &PrintOptionsDialog::graphButton, QPageLayout::Landscape},
        {"ZZ6-77A.adf", &PrintOptionsDialog::graphButton, QPageLayout::Portrait}, // one-sided
    };
    QStringList copied;
    const auto show = [&](const char* sample) {
        const QString name = QString::fromLatin1(sample);
        if (copied.contains(name)) {
            IndexRecord r;
            BuildRecordFromFile(p.box.path(QStringLiteral("prog/NSMAData/") + name), r);
            g.ShowAntenna(r);
        } else {
            p.showSample(name);
            copied << name;
        }
    };
    for (const auto& run : runs) {
        show(run.sample);
        answerPrintOptions(p.options(), run.choice);
        g.printCommand();
        EXPECT_EQ(orientation(), run.after) << run.sample;
    }
    // Nothing handed to the printing system leaves the printer as it was.
    show("ZZX10-60L.adf");
    p.printerFailure = QStringLiteral("No printer is installed");
    answerPrintOptions(p.options(), &PrintOptionsDialog::graphButton);
    g.printCommand();
    EXPECT_EQ(orientation(), QPageLayout::Portrait);

    // The next printer setup opens on it.
    p.printerFailure.reset();
    answerPrintOptions(p.options(), &PrintOptionsDialog::graphButton);
    g.printCommand();
    QPageLayout::Orientation shown = QPageLayout::Portrait;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_TRUE(dialog);
        shown = dialog->printer()->pageLayout().orientation();
        dialog->reject();
    });
    g.setUpPrinter();
    EXPECT_EQ(shown, QPageLayout::Landscape);
}

// ---- Through a print scheduler -----------------------------------------------------------------

class GraphPrintCups : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cups = new testutils::PrivateCups; }
    static void TearDownTestSuite() {
        delete cups;
        cups = nullptr;
    }
    void SetUp() override {
        if (!cups->running())
            GTEST_SKIP() << "no private print scheduler: " << cups->skipReason().toStdString();
        if (!testutils::havePopplerTools())
            GTEST_SKIP() << "pdfinfo and pdftotext are missing (Debian package poppler-utils)";
    }
    static testutils::PrivateCups* cups;
};
testutils::PrivateCups* GraphPrintCups::cups = nullptr;

TEST_F(GraphPrintCups, PrintBothOfTheAntennaOnShow) {
    Program p(false);
    GraphWindow& g = p.g();
    p.showSample(QStringLiteral("ZZX10-60L.adf"));

    // A scheduler without printers: said plainly, nothing printed.
    answerPrintOptions(p.options(), &PrintOptionsDialog::bothButton);
    g.printCommand();
    EXPECT_EQ(p.prompter.errors, QStringList{QStringLiteral("No printer is installed")});
    EXPECT_TRUE(g.LastPrintRun.JobIds.empty());
    EXPECT_EQ(cups->jobCount(), 0);

    // A printer added while the program runs is found by the next print.
    const QString error = cups->addPdfQueue(QStringLiteral("LobeviewPDF"), {}, {}, true);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    g.session().set(GraphSession::MakeJpg, true);
    answerPrintOptions(p.options(), &PrintOptionsDialog::bothButton);
    g.printCommand();
    ASSERT_TRUE(g.LastPrintRun.ok()) << g.LastPrintRun.Error.toStdString();
    EXPECT_EQ(p.prompter.errors.size(), 1);
    EXPECT_EQ(g.LastPrintRun.PrinterName, QStringLiteral("LobeviewPDF"));
    ASSERT_EQ(g.LastPrintRun.JobIds.size(), 2u);
    EXPECT_FALSE(g.session().isOn(GraphSession::MakeJpg));
    const struct {
        bool landscape;
        QStringList texts;
    } expected[] = {{true,
                     {QStringLiteral("RADIATION PATTERN ENVELOPE"), QStringLiteral("ZZX10-60"),
                      QStringLiteral("Red Right Feed Orientation"), QStringLiteral("12050")}},
                    {false,
                     {QStringLiteral("ZZX10-60"), QStringLiteral("-180.00"),
                      QStringLiteral("-65.90"), QStringLiteral("QUELDA CORPORATION")}}};
    for (int i = 0; i < 2; ++i) {
        const int job = g.LastPrintRun.JobIds[size_t(i)];
        SCOPED_TRACE(job);
        EXPECT_EQ(cups->waitForJob(job), IPP_JSTATE_COMPLETED);
        const testutils::PdfFacts spooled = testutils::readPdf(cups->spooledDocument(job));
        ASSERT_TRUE(spooled.ok);
        EXPECT_EQ(spooled.pages, 1);
        EXPECT_EQ(spooled.widthPt > spooled.heightPt, expected[i].landscape);
        for (const QString& text : expected[i].texts)
            EXPECT_TRUE(spooled.text.contains(text)) << text.toStdString();
    }
}

} // namespace
