// SPDX-License-Identifier: MIT
// The graph window's export commands, driven headless: the option dialogs answered through their
// modal hook (and once through the real modal loop), the save dialogs from a script, the
// converter real or stood in for.
#include "AppContext.h"
#include "AppWindows.h"
#include "ExportChecks.h"
#include "ScriptedSaveDialogs.h"
#include "TestUtils.h"
#include "base/DisplayText.h"
#include "base/Prompter.h"
#include "catalogue/IndexRefresh.h"
#include "dialogs/ExportDataDialog.h"
#include "dialogs/ExportOptionsDialog.h"
#include "dialogs/OutputFoldersDialog.h"
#include "dialogs/VectorExportDialog.h"
#include "graph/GraphSession.h"
#include "graph/GraphWindow.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>
#include <gtest/gtest.h>
#include <signal.h>

using namespace exportchecks;

namespace {

struct Window {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    std::unique_ptr<AppWindows> w;
    ScriptedSaveDialogs* dialogs = nullptr;
    int optionDialogs = 0;
    int programEnds = 0;

    Window() {
        QDir().mkpath(box.path(QStringLiteral("prog/NSMAData")));
        QDir().mkpath(box.path(QStringLiteral("out")));
        for (const char* name : {"QS2-370.adf", "ZZX10-60L.adf", "ZZ8-107.adf"})
            QFile::copy(testutils::samplePath(QString::fromLatin1(name)),
                        box.path(QStringLiteral("prog/NSMAData/") + QLatin1String(name)));
        w = std::make_unique<AppWindows>(AppEnvironment::inFolder(box.path(), prompter));
        g().runModal = [](GraphWindow&) {};
        g().endProgram = [this] { ++programEnds; };
        auto scripted = std::make_unique<ScriptedSaveDialogs>();
        dialogs = scripted.get();
        g().saveDialogs = std::move(scripted);
    }
    GraphWindow& g() { return *w->graph; }
    QString prog(const QString& name = {}) const {
        return box.path(QStringLiteral("prog/")) + name;
    }
    QString out(const char* name) const {
        return box.path(QStringLiteral("out/")) + QLatin1String(name);
    }
    void show(const char* name) {
        IndexRecord r;
        ASSERT_FALSE(
            BuildRecordFromFile(prog(QStringLiteral("NSMAData/")) + QLatin1String(name), r));
        g().ShowAntenna(r);
    }
    // The next option dialogs close with OK after `radio` was chosen, or with Cancel.
    void answerOptions(AntennaOptionsDialog& dialog, QRadioButton* radio) {
        dialog.runModal = [this, &dialog, radio](QDialog&) {
            ++optionDialogs;
            if (radio) {
                radio->setChecked(true);
                dialog.okButton->click();
            } else {
                dialog.cancelButton->click();
            }
            return dialog.result();
        };
    }
    void exportGraph(QRadioButton* radio) {
        answerOptions(*w->exportOptions, radio);
        g().exportGraph();
    }
    void exportData(QRadioButton* radio) {
        answerOptions(*w->exportData, radio);
        g().exportData();
    }
    QString flags() const {
        QString f;
        for (GraphSession::Choice c :
             {GraphSession::Graph, GraphSession::Data, GraphSession::MakeJpg, GraphSession::MakeGif,
              GraphSession::MakePdf})
            f += w->graph->session().isOn(c) ? QLatin1Char('1') : QLatin1Char('0');
        return f; // graph, data, jpg, gif, pdf
    }
};

} // namespace

TEST(GraphExport, CommandsAreEnabledOnceAnAntennaIsShown) {
    Window t;
    GraphWindow& g = t.g();
    EXPECT_FALSE(testutils::child<QToolButton>(g, "tbExport")->isEnabled());
    EXPECT_FALSE(testutils::child<QAction>(g, "exportGraphAction")->isEnabled());
    EXPECT_FALSE(testutils::child<QAction>(g, "exportDataAction")->isEnabled());
    g.exportGraph(); // ignored while disabled
    EXPECT_EQ(t.optionDialogs, 0);
    t.show("QS2-370.adf");
    EXPECT_TRUE(testutils::child<QToolButton>(g, "tbExport")->isEnabled());
    EXPECT_TRUE(testutils::child<QAction>(g, "exportGraphAction")->isEnabled());
    EXPECT_TRUE(testutils::child<QAction>(g, "exportDataAction")->isEnabled());
    ASSERT_NE(testutils::child<QToolButton>(g, "tbExport")->menu(), nullptr);
    EXPECT_EQ(testutils::child<QToolButton>(g, "tbExport")->menu()->actions(),
              (QList<QAction*>{testutils::child<QAction>(g, "exportGraphAction"),
                               testutils::child<QAction>(g, "exportDataAction")}));
    EXPECT_EQ(testutils::child<QAction>(g, "exportGraphAction")->text(), QStringLiteral("Graph"));
    EXPECT_EQ(testutils::child<QAction>(g, "exportDataAction")->text(), QStringLiteral("Data"));
    EXPECT_EQ(testutils::child<QToolButton>(g, "tbExport")->toolTip(),
              QStringLiteral("Export RPE Graph/Data"));

    // The button and both menu items reach their commands.
    t.answerOptions(*t.w->exportOptions, nullptr);
    t.answerOptions(*t.w->exportData, nullptr);
    testutils::child<QToolButton>(g, "tbExport")->click();
    testutils::child<QAction>(g, "exportGraphAction")->trigger();
    EXPECT_EQ(t.optionDialogs, 2);
    testutils::child<QAction>(g, "exportDataAction")->trigger();
    EXPECT_EQ(t.optionDialogs, 3);
    EXPECT_TRUE(t.dialogs->shown.isEmpty());
}

TEST(GraphExport, GraphAsJpgAndGifOpensOnlyWhatWasProduced) {
    Window t;
    GraphWindow& g = t.g();
    t.show("QS2-370.adf"); // one-sided, RPE number 4388
    const QString jpg = t.out("chart.jpg");
    t.dialogs->answers = {jpg};
    t.exportGraph(t.w->exportOptions->rbJPG);
    ASSERT_EQ(t.dialogs->shown.size(), 1);
    EXPECT_EQ(t.dialogs->shown[0].FileName, t.prog(QStringLiteral("JPG/4388.jpg")));
    EXPECT_EQ(t.dialogs->shown[0].FilterIndex, 1);
    EXPECT_FALSE(t.dialogs->shown[0].ConfirmReplace); // a written export replaces unasked
    EXPECT_EQ(QImage(jpg).size(), QSize(1200, 1500));
    EXPECT_EQ(t.prompter.opened, QStringList{jpg});
    EXPECT_EQ(t.flags(), QStringLiteral("10100"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Cancelled: nothing is written or opened.
    t.exportGraph(t.w->exportOptions->rbGIF);
    ASSERT_EQ(t.dialogs->shown.size(), 2);
    EXPECT_EQ(t.dialogs->shown[1].FileName, t.prog(QStringLiteral("GIF/4388.gif")));
    EXPECT_EQ(t.dialogs->shown[1].FilterIndex, 2);
    EXPECT_EQ(t.prompter.opened, QStringList{jpg});
    EXPECT_EQ(t.flags(), QStringLiteral("10010"));
    EXPECT_EQ(entries(t.out("")), QStringList{QStringLiteral("chart.jpg")});

    // A two-sided chart as GIF: the landscape page, pixel for pixel through the palette.
    t.show("ZZX10-60L.adf");
    g.session().set(GraphSession::Colour, true);
    const QString gif = t.out("chart.gif");
    t.dialogs->answers = {gif};
    t.exportGraph(t.w->exportOptions->rbGIF);
    QImage expected;
    g.DrawLandscapeGraphPage(expected);
    ASSERT_EQ(expected.size(), QSize(2200, 1700));
    EXPECT_EQ(
        firstDifference(QImage::fromData(testutils::readFile(gif), "GIF"), paletteMapped(expected)),
        std::string());
    EXPECT_EQ(t.prompter.opened, (QStringList{jpg, gif}));

    // A failed write is reported and nothing is opened.
    const QString missing = t.out("none/chart.gif");
    t.dialogs->answers = {missing};
    t.exportGraph(t.w->exportOptions->rbGIF);
    EXPECT_EQ(t.prompter.errors, QStringList{QStringLiteral("Cannot create file ") + missing});
    EXPECT_EQ(t.prompter.opened.size(), 2);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(GraphExport, SaveDialogsOpenInAFolderThatExists) {
    Window t;
    GraphWindow& g = t.g();
    ShellSettings& shell = t.w->context->shellSettings();
    t.show("QS2-370.adf"); // RPE number 4388
    const auto exists = [&t](const char* folder) {
        return QFileInfo(t.box.path(QLatin1String(folder))).isDir();
    };
    const auto shownFolder = [&t] {
        return QFileInfo(t.dialogs->shown.last().FileName).absolutePath();
    };
    // The default folders: each is made when its dialog is first shown, and only then.
    ASSERT_FALSE(exists("prog/JPG") || exists("prog/GIF") || exists("prog/PDF"));
    t.exportGraph(t.w->exportOptions->rbJPG); // cancelled in the save dialog
    EXPECT_EQ(shownFolder(), t.prog(QStringLiteral("JPG")));
    EXPECT_TRUE(exists("prog/JPG"));
    EXPECT_FALSE(exists("prog/GIF") || exists("prog/PDF"));
    t.exportGraph(t.w->exportOptions->rbGIF);
    EXPECT_EQ(shownFolder(), t.prog(QStringLiteral("GIF")));
    EXPECT_TRUE(exists("prog/GIF"));
    EXPECT_FALSE(exists("prog/PDF"));
    t.answerOptions(*g.vectorExportDialog(), g.vectorExportDialog()->graphButton);
    g.exportSvg();
    EXPECT_EQ(shownFolder(), t.prog(QStringLiteral("PDF")));
    EXPECT_TRUE(exists("prog/PDF"));

    // A folder chosen in File Locations: used when it is there; when it is gone it is not made
    // again (a drive not attached, say): the dialog opens in the default folder.
    shell.JPGfiles = t.box.path(QStringLiteral("out"));
    t.exportGraph(t.w->exportOptions->rbJPG);
    EXPECT_EQ(shownFolder(), t.box.path(QStringLiteral("out")));
    shell.JPGfiles = t.box.path(QStringLiteral("stick/JPG"));
    shell.PDFfiles = t.box.path(QStringLiteral("stick/PDF"));
    t.exportGraph(t.w->exportOptions->rbJPG);
    EXPECT_EQ(shownFolder(), t.prog(QStringLiteral("JPG")));
    t.exportData(t.w->exportData->rbPDF);
    EXPECT_EQ(shownFolder(), t.prog(QStringLiteral("PDF")));
    EXPECT_EQ(t.dialogs->shown.last().FileName, t.prog(QStringLiteral("PDF/4388dat.pdf")));
    EXPECT_FALSE(exists("stick"));
    // The settings keep the chosen folders.
    EXPECT_EQ(shell.JPGfiles, t.box.path(QStringLiteral("stick/JPG")));
    EXPECT_EQ(t.prompter.errors, QStringList());
}

TEST(GraphExport, CancelInTheOptionsChangesNothing) {
    Window t;
    GraphWindow& g = t.g();
    t.show("ZZX10-60L.adf");
    g.session().set(GraphSession::Graph, false);
    g.session().set(GraphSession::Data, true);
    g.session().set(GraphSession::MakeJpg, true);
    t.exportGraph(nullptr);
    t.exportData(nullptr);
    EXPECT_EQ(t.flags(), QStringLiteral("01100"));
    EXPECT_EQ(t.optionDialogs, 2);
    EXPECT_TRUE(t.dialogs->shown.isEmpty());
    EXPECT_TRUE(g.isEnabled());
    EXPECT_FALSE(g.isRunning());
}

TEST(GraphExport, TextCopyReadsTheFileTheAntennaWasReadFrom) {
    Window t;
    GraphWindow& g = t.g();
    // The data directory is elsewhere; the folder beside the program holds another file of the
    // same name, which must not be copied.
    const QString elsewhere = t.box.path(QStringLiteral("catalogue"));
    const QByteArray own = "REVNUM:,NSMA\nMODNUM:,ZZ8\nPATNUM:,777\nFEDORN:,\nPOLARI:,V/V\n"
                           "NUPOIN:,2\n0,0,\n180,-60,\nENDFIL:,EOF";
    ASSERT_TRUE(testutils::writeFile(elsewhere + QStringLiteral("/ZZ8.adf"), own));
    ASSERT_TRUE(testutils::writeFile(t.prog(QStringLiteral("NSMAData/ZZ8.adf")), "other\n"));
    t.w->context->shellSettings().SourceDir = elsewhere;
    IndexRecord r;
    ASSERT_FALSE(BuildRecordFromFile(elsewhere + QStringLiteral("/ZZ8.adf"), r));
    g.session().set(GraphSession::MakeGif, true);
    g.ShowAntenna(r);
    ASSERT_EQ(g.session().antenna.path, elsewhere + QStringLiteral("/ZZ8.adf"));

    t.dialogs->answers = {t.out("copy")};
    t.exportData(t.w->exportData->rbTXT);
    const QString copy = t.out("copy.txt");
    ASSERT_EQ(t.dialogs->shown.size(), 1);
    EXPECT_EQ(t.dialogs->shown[0].Title, QStringLiteral("Export Data"));
    EXPECT_EQ(t.dialogs->shown[0].FileName, QStringLiteral("777.txt"));
    EXPECT_EQ(t.dialogs->shown[0].StartFolder, QDir::homePath());
    EXPECT_EQ(testutils::readFile(copy),
              QByteArray("REVNUM:,NSMA\r\nMODNUM:,ZZ8\r\nPATNUM:,777\r\nFEDORN:,\r\nPOLARI:,V/V\r\n"
                         "NUPOIN:,2\r\n0,0,\r\n180,-60,\r\nENDFIL:,EOF\r\n"));
    EXPECT_EQ(t.prompter.messages, QStringList{copy + QStringLiteral(" successfully created.")});
    EXPECT_EQ(t.prompter.opened, QStringList{copy});
    EXPECT_EQ(t.flags(), QStringLiteral("01000"));

    // The next time the dialog starts where it was confirmed.
    t.exportData(t.w->exportData->rbTXT);
    EXPECT_EQ(t.dialogs->shown[1].StartFolder, t.box.path(QStringLiteral("out")));

    // A data file that was not found: the copy names where it was looked for.
    IndexRecord gone;
    gone.setText(IndexField::FileName, "GONE.adf");
    gone.setText(IndexField::RpeNumber, "1");
    g.ShowAntenna(gone);
    t.dialogs->answers = {t.out("gone.txt")};
    t.exportData(t.w->exportData->rbTXT);
    EXPECT_EQ(t.prompter.errors, QStringList{QStringLiteral("Cannot open file ") + elsewhere +
                                             QStringLiteral("/GONE.adf")});
    EXPECT_EQ(t.prompter.opened, QStringList{copy});
    EXPECT_FALSE(QFileInfo::exists(t.out("gone.txt")));
}

TEST(GraphExport, SettingsHoldingTwoFormatsWriteBoth) {
    Window t;
    GraphWindow& g = t.g();
    // Settings edited to hold two flags: each file is made in turn, the last one opened.
    t.show("QS2-370.adf");
    GraphSettings two = g.session().graphSettings();
    two.MakeJPG = two.MakeGIF = two.PrintGraph = true;
    g.session().applyGraphSettings(two);
    t.dialogs->answers = {t.out("a.jpg"), t.out("a.gif")};
    g.runOutput();
    EXPECT_EQ(QImage(t.out("a.jpg")).size(), QSize(1200, 1500));
    EXPECT_EQ(QImage(t.out("a.gif")).size(), QSize(1200, 1500));
    EXPECT_EQ(t.prompter.opened, QStringList{t.out("a.gif")});
}

TEST(GraphExport, DataPdfOnlyEvenAfterAGifAndTheWindowIdleWhileConverting) {
    Window t;
    GraphWindow& g = t.g();
    t.show("ZZ8-107.adf"); // RPE number 10233
    g.session().set(GraphSession::MakeGif, true);
    // The converter stands in: the common files directory is the program directory.
    fakeConverter(t.prog(), "echo $$ > \"$(dirname \"$0\")/pid\"; exec sleep 30");
    const QStringList before = entries(t.prog());
    bool disabledWhileConverting = false;
    g.onConverterStarted = [&] {
        // Once the converter is surely running.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return QFileInfo::exists(t.prog(QStringLiteral("pid"))); }, 10000));
        disabledWhileConverting = !g.isEnabled() && g.isRunning();
        // Commands meanwhile do nothing.
        g.exportGraph();
        g.exportData();
        g.runOutput();
        g.chooseOutputFolders();
        g.backToSelection();
        // Closing the window stops the converter; the window closes after the run.
        g.close();
    };
    g.show();
    t.answerOptions(*t.w->exportOptions, nullptr); // counted, should a command get through
    t.dialogs->answers = {t.out("sheet.pdf")};
    t.exportData(t.w->exportData->rbPDF);
    EXPECT_TRUE(disabledWhileConverting);
    EXPECT_EQ(t.optionDialogs, 1);
    ASSERT_EQ(t.dialogs->shown.size(), 1);
    EXPECT_EQ(t.dialogs->shown[0].FileName, t.prog(QStringLiteral("PDF/10233dat.pdf")));
    EXPECT_EQ(t.dialogs->shown[0].FilterIndex, 3);
    EXPECT_EQ(t.flags(), QStringLiteral("01001"));
    EXPECT_EQ(t.programEnds, 1);
    EXPECT_TRUE(t.prompter.errors.isEmpty());
    EXPECT_TRUE(t.prompter.messages.isEmpty());
    EXPECT_TRUE(t.prompter.opened.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(t.out("sheet.pdf")));
    // The converter was killed, and nothing but its log is left in the program directory, beside
    // the default PDF folder the dialog opened in, which stays empty.
    const int pid = testutils::readFile(t.prog(QStringLiteral("pid"))).trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0);
    EXPECT_TRUE(entries(t.prog(QStringLiteral("PDF"))).isEmpty());
    QStringList expected =
        before + QStringList{QStringLiteral("PDF"), QStringLiteral("log"), QStringLiteral("pid")};
    expected.sort();
    EXPECT_EQ(entries(t.prog()), expected);
    EXPECT_TRUE(g.isEnabled());
    EXPECT_FALSE(g.isRunning());
}

TEST(GraphExport, RealHtmldocFromTheWindow) {
    if (!haveRealConverter())
        GTEST_SKIP() << "htmldoc or pdfinfo missing";
    Window t;
    t.show("ZZX10-60L.adf"); // two-sided, RPE number 12050
    const QStringList before = entries(t.prog());
    t.dialogs->answers = {t.out("chart.pdf"), t.out("sheet.pdf")};
    t.exportGraph(t.w->exportOptions->rbPDF);
    t.exportData(t.w->exportData->rbPDF);
    const QString chart = t.out("chart.pdf");
    const QString sheet = t.out("sheet.pdf");
    EXPECT_TRUE(t.prompter.errors.isEmpty())
        << t.prompter.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(t.prompter.opened, (QStringList{chart, sheet}));
    EXPECT_EQ(t.dialogs->shown[0].FileName, t.prog(QStringLiteral("PDF/12050.pdf")));
    EXPECT_EQ(t.dialogs->shown[1].FileName, t.prog(QStringLiteral("PDF/12050dat.pdf")));
    EXPECT_EQ(pageBox(pdfinfo(chart)), QStringLiteral("792 x 595"));
    EXPECT_EQ(pageCount(pdfinfo(chart)), 1);
    EXPECT_EQ(pageBox(pdfinfo(sheet)), QStringLiteral("595 x 792"));
    // No temporaries are left; the default PDF folder the dialogs opened in stays, empty.
    QStringList expected = before + QStringList{QStringLiteral("PDF")};
    expected.sort();
    EXPECT_EQ(entries(t.prog()), expected);
    EXPECT_TRUE(entries(t.prog(QStringLiteral("PDF"))).isEmpty());
}

TEST(GraphExport, OutputLocationsOpensTheFileLocationsDialog) {
    Window t;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = QApplication::activeModalWidget() == t.w->fileLocations;
        t.w->fileLocations->cancelButton()->click();
    });
    t.g().chooseOutputFolders();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(t.w->fileLocations->isVisible());
}

TEST(GraphExport, VectorPdfAndSvgAskForThePagesThenAFileForEach) {
    Window t;
    GraphWindow& g = t.g();
    EXPECT_FALSE(testutils::child<QAction>(g, "exportVectorPdfAction")->isEnabled());
    EXPECT_FALSE(testutils::child<QAction>(g, "exportSvgAction")->isEnabled());
    t.show("ZZX10-60L.adf"); // two-sided, RPE number 5012
    const QString rpe = DisplayText(g.session().antenna.record.rpeNumber());
    ASSERT_TRUE(testutils::child<QAction>(g, "exportVectorPdfAction")->isEnabled());
    ASSERT_TRUE(testutils::child<QAction>(g, "exportSvgAction")->isEnabled());
    // File > Export: the written items first, then the vector ones; the tool button keeps two.
    QMenu* exportMenu = nullptr;
    for (QAction* top : g.menuBar()->actions())
        if (top->text() == QStringLiteral("File"))
            for (QAction* sub : top->menu()->actions())
                if (sub->menu() && sub->text() == QStringLiteral("Export"))
                    exportMenu = sub->menu();
    ASSERT_NE(exportMenu, nullptr);
    QStringList items;
    for (const QAction* a : exportMenu->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(items,
              (QStringList{QStringLiteral("Graph"), QStringLiteral("Data"), QStringLiteral("-"),
                           QStringLiteral("Vector PDF..."), QStringLiteral("SVG...")}));
    EXPECT_EQ(testutils::child<QToolButton>(g, "tbExport")->menu()->actions().size(), 2);

    // Both pages as PDF: the chart on a landscape sheet, the data sheet on a portrait one.
    VectorExportDialog& form = *g.vectorExportDialog();
    const QString chartPdf = t.out("chart.pdf");
    const QString dataPdf = t.out("sheet"); // no extension typed
    t.dialogs->answers = {chartPdf, dataPdf};
    t.answerOptions(form, form.bothButton);
    testutils::child<QAction>(g, "exportVectorPdfAction")->trigger();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Export Vector PDF"));
    ASSERT_EQ(t.dialogs->shown.size(), 2);
    EXPECT_EQ(t.dialogs->shown[0].FileName, t.prog(QStringLiteral("PDF/%1.pdf").arg(rpe)));
    EXPECT_EQ(t.dialogs->shown[1].FileName, t.prog(QStringLiteral("PDF/%1dat.pdf").arg(rpe)));
    EXPECT_EQ(t.dialogs->shown[1].Title, QStringLiteral("Export Data as Vector PDF"));
    EXPECT_EQ(t.dialogs->shown[1].DefaultExtension, QStringLiteral("pdf"));
    // Unlike the written exports, these ask before replacing a file.
    EXPECT_TRUE(t.dialogs->shown[0].ConfirmReplace && t.dialogs->shown[1].ConfirmReplace);
    const QByteArray chart = testutils::readFile(chartPdf);
    const QByteArray data = testutils::readFile(dataPdf + QStringLiteral(".pdf"));
    EXPECT_TRUE(chart.startsWith("%PDF-"));
    EXPECT_TRUE(chart.contains("/MediaBox [0 0 792.000000 612.000000]"));
    EXPECT_TRUE(data.contains("/MediaBox [0 0 612.000000 792.000000]"));
    EXPECT_EQ(t.prompter.opened, (QStringList{chartPdf, dataPdf + QStringLiteral(".pdf")}));

    // The data sheet alone as SVG; the choice is remembered and the caption follows the format.
    const QString svg = t.out("sheet.svg");
    t.dialogs->answers = {svg};
    t.answerOptions(form, form.dataButton);
    testutils::child<QAction>(g, "exportSvgAction")->trigger();
    EXPECT_EQ(form.choiceLabel()->text(), QStringLiteral("Export SVG"));
    ASSERT_EQ(t.dialogs->shown.size(), 3);
    EXPECT_EQ(t.dialogs->shown[2].FileName, t.prog(QStringLiteral("PDF/%1dat.svg").arg(rpe)));
    EXPECT_EQ(t.dialogs->shown[2].Filter, QStringLiteral("SVG drawings (*.svg)|*.svg"));
    EXPECT_TRUE(testutils::readFile(svg).contains("<svg"));
    EXPECT_EQ(t.prompter.opened.last(), svg);

    // A page that cannot be written is reported, ends the run and nothing more is opened.
    const QString missing = t.out("none/chart.svg");
    t.dialogs->answers = {missing, svg};
    t.answerOptions(form, form.bothButton);
    g.exportSvg();
    EXPECT_EQ(t.dialogs->shown.size(), 4);
    ASSERT_EQ(t.prompter.errors.size(), 1);
    EXPECT_TRUE(t.prompter.errors[0].startsWith(QStringLiteral("Cannot create file ") + missing));
    EXPECT_EQ(t.prompter.opened.size(), 3);
    EXPECT_FALSE(g.isRunning());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
