// SPDX-License-Identifier: MIT
// The print options dialog, the pen width dialog, the printer setup on the program's printer,
// and message boxes lifting the wait cursor. Modal dialogs run their real event loop: a
// single-shot timer acts on the dialog while exec() runs.
#include "PrivateCups.h"
#include "TestUtils.h"
#include "catalogue/IndexRecord.h"
#include "dialogs/PenWidthDialog.h"
#include "dialogs/PrintOptionsDialog.h"
#include "dialogs/PrinterSetupDialog.h"
#include "dialogs/QtPrompter.h"
#include "dialogs/WaitCursor.h"

#include <QtCore/QTimer>
#include <QtGui/QPainter>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTreeWidget>
#include <cups/cups.h>
#include <functional>
#include <gtest/gtest.h>

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

IndexRecord antenna() {
    IndexRecord record;
    record.setText(IndexField::ModelNumber, "ZZX12-65");
    record.setText(IndexField::RpeNumber, "R4711");
    return record;
}

QStringList rows(const QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0) + QLatin1Char('|') + list->topLevelItem(i)->text(1);
    return out;
}

TEST(PrintOptionsForm, LayoutAsDesigned) {
    PrintOptionsDialog form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Print Options"));
    EXPECT_EQ(form.size(), QSize(452, 173));
    EXPECT_EQ(form.antennaGroup()->geometry(), QRect(6, 4, 249, 129));
    EXPECT_EQ(form.antennaList->geometry(), QRect(11, 31, 227, 86));
    EXPECT_EQ(form.choiceGroup()->geometry(), QRect(262, 4, 185, 129));
    EXPECT_EQ(form.modelLabel()->text(), QStringLiteral("Antenna Model"));
    EXPECT_EQ(form.choiceLabel()->text(), QStringLiteral("Select Print Options"));
    const QTreeWidgetItem* header = form.antennaList->headerItem();
    EXPECT_EQ(header->text(0), QStringLiteral("Model Number"));
    EXPECT_EQ(header->text(1), QStringLiteral("RPE Number"));
    const std::tuple<QRadioButton*, const char*, int> radios[] = {
        {form.graphButton, "Print Graph Only", 41},
        {form.dataButton, "Print Data Only", 66},
        {form.bothButton, "Print Both", 91}};
    for (const auto& [button, caption, y] : radios) {
        EXPECT_EQ(button->text(), QLatin1String(caption));
        EXPECT_EQ(button->parentWidget(), form.choiceGroup());
        EXPECT_EQ(button->pos(), QPoint(32, y));
    }
    EXPECT_TRUE(form.graphButton->isChecked());
    const std::tuple<QPushButton*, const char*, int> buttons[] = {
        {form.printerSetupButton(), "Printer Setup", 7},
        {form.okButton, "OK", 280},
        {form.cancelButton, "Cancel", 366}};
    for (const auto& [button, caption, x] : buttons) {
        EXPECT_EQ(button->text(), QLatin1String(caption));
        EXPECT_EQ(button->geometry(), QRect(x, 140, 80, 28));
    }
    // Its own numbers beside the export dialogs': the font, the labels, the radios' width.
    EXPECT_EQ(form.font().pixelSize(), 13);
    EXPECT_EQ(form.modelLabel()->geometry(), QRect(11, 12, 227, 17));
    EXPECT_EQ(form.choiceLabel()->geometry(), QRect(16, 17, 160, 17));
    EXPECT_EQ(form.bothButton->width(), 145);
    // Tab runs as the dialog reads: list, choices, Printer Setup, OK, Cancel.
    const QWidget* chain[] = {form.antennaList, form.graphButton,          form.dataButton,
                              form.bothButton,  form.printerSetupButton(), form.okButton,
                              form.cancelButton};
    const auto nextTabStop = [](const QWidget* w) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        EXPECT_EQ(nextTabStop(chain[i]), chain[i + 1]) << i;
}

TEST(PrintOptionsForm, ListsTheAntennaEmptiesOnCloseAndKeepsTheChoice) {
    PrintOptionsDialog form;
    QStringList shown;
    whenModal([&](QWidget* modal) {
        EXPECT_EQ(modal, &form);
        shown = rows(form.antennaList);
        form.bothButton->click();
        form.okButton->click();
    });
    EXPECT_TRUE(form.ShowForAntenna(antenna()));
    EXPECT_EQ(shown, QStringList{QStringLiteral("ZZX12-65|R4711")});
    EXPECT_EQ(form.antennaList->topLevelItemCount(), 0);
    EXPECT_EQ(form.Choice(), PrintChoice::Both);

    // Shown again: one row again (not two), the choice kept; Cancel gives false.
    bool bothStillChecked = false;
    whenModal([&](QWidget*) {
        shown = rows(form.antennaList);
        bothStillChecked = form.bothButton->isChecked();
        form.cancelButton->click();
    });
    EXPECT_FALSE(form.ShowForAntenna(antenna()));
    EXPECT_EQ(shown.size(), 1);
    EXPECT_TRUE(bothStillChecked);
    EXPECT_EQ(form.antennaList->topLevelItemCount(), 0);

    // Closed by Escape: still emptied.
    whenModal([&](QWidget*) {
        form.dataButton->click();
        QTest::keyClick(&form, Qt::Key_Escape);
    });
    EXPECT_FALSE(form.ShowForAntenna(antenna()));
    EXPECT_EQ(form.antennaList->topLevelItemCount(), 0);
    EXPECT_EQ(form.Choice(), PrintChoice::DataOnly);
}

TEST(PrintOptionsForm, PrintCommandSetsTheRunOnOkAndNothingOnCancel) {
    PrintOptionsDialog form;
    int runs = 0;
    const OutputFlags before{true, false, false, true, false}; // an earlier GIF export
    OutputFlags flags = before;
    whenModal([&](QWidget*) {
        form.bothButton->click();
        form.cancelButton->click();
    });
    EXPECT_FALSE(PrintCommand(form, antenna(), flags, [&] { ++runs; }));
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(flags.Graph && !flags.Data && flags.MakeGIF);

    whenModal([&](QWidget*) {
        form.dataButton->click();
        form.okButton->click();
    });
    EXPECT_TRUE(PrintCommand(form, antenna(), flags, [&] {
        ++runs;
        EXPECT_FALSE(flags.Graph);
        EXPECT_TRUE(flags.Data);
        EXPECT_FALSE(flags.MakeJPG || flags.MakeGIF || flags.MakePDF);
    }));
    EXPECT_EQ(runs, 1);
}

TEST(PrintOptionsForm, PrinterSetupWorksOnTheProgramsPrinter) {
    PrintOptionsDialog form;
    QPrinter* seen = nullptr;
    form.printerSetup = [&seen](QPrinter& printer, QWidget*) {
        seen = &printer;
        return true;
    };
    EXPECT_FALSE(form.printerSetupButton()->isEnabled());
    QPrinter printer;
    form.setPrinter(&printer);
    ASSERT_TRUE(form.printerSetupButton()->isEnabled());
    form.printerSetupButton()->click();
    EXPECT_EQ(seen, &printer);
}

TEST(PrinterSetup, ThePrintDialogOffersNoPrintToFile) {
    const std::unique_ptr<QPrinter> printer = MakeProgramPrinter();
    EXPECT_EQ(printer->resolution(), 600);
    bool checked = false;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_TRUE(dialog);
        checked = true;
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
        EXPECT_EQ(dialog->printer(), printer.get());
        for (const QComboBox* combo : dialog->findChildren<QComboBox*>())
            EXPECT_EQ(combo->findText(QStringLiteral("Print to File (PDF)")), -1);
        bool hasOk = false;
        for (const QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>())
            if (const QPushButton* ok = box->button(QDialogButtonBox::Ok))
                hasOk = ok->text() == QStringLiteral("OK");
        EXPECT_TRUE(hasOk);
        dialog->reject();
    });
    EXPECT_FALSE(ShowPrinterSetup(*printer, nullptr));
    EXPECT_TRUE(checked);
}

// ---- The program's printer and the printing system -----------------------------------------

class ProgramPrinter : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cups = new testutils::PrivateCups; }
    static void TearDownTestSuite() {
        delete cups;
        cups = nullptr;
    }
    static testutils::PrivateCups* cups;
};
testutils::PrivateCups* ProgramPrinter::cups = nullptr;

TEST_F(ProgramPrinter, QtsSilentPdfFallbackIsNotTakenForAPrinter) {
    const QByteArray saved = qgetenv("CUPS_SERVER");
    testutils::Sandbox sandbox;
    const QByteArray dead = QFile::encodeName(sandbox.path(QStringLiteral("none.sock")));
    qputenv("CUPS_SERVER", dead);
    cupsSetServer(dead.constData());

    const std::unique_ptr<QPrinter> printer = MakeProgramPrinter();
    printer->setPrinterName(QStringLiteral("LobeviewPDF"));
    EXPECT_TRUE(printer->isValid());         // what Qt says...
    EXPECT_FALSE(IsSystemPrinter(*printer)); // ...and what it is
    const PrinterSetup setup = SetupFromPrinter(*printer);
    EXPECT_TRUE(setup.Name.isEmpty());
    EXPECT_FALSE(setup.PageSize);

    CupsBackend backend(setup, sandbox.path());
    RecordingPrompter prompter;
    const PrintRunResult result =
        RunPrint({}, {[](QPainter&, int) {}, [](QPainter&, int) {}, [](QPainter&, int) {}}, backend,
                 prompter);
    EXPECT_EQ(prompter.errors, QStringList{QStringLiteral("No printer is installed")});
    EXPECT_TRUE(result.JobIds.empty());

    qputenv("CUPS_SERVER", saved);
    if (saved.isNull())
        qunsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
    if (cups->running())
        cupsSetServer(QFile::encodeName(cups->socketPath()).constData());
}

TEST_F(ProgramPrinter, TheChosenPrinterAndPaperReachTheRun) {
    if (!cups->running())
        GTEST_SKIP() << "no private print scheduler: " << cups->skipReason().toStdString();
    const QString error = cups->addPdfQueue(QStringLiteral("LobeviewPDF"), {}, {}, true);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();

    const std::unique_ptr<QPrinter> printer = MakeProgramPrinter();
    ASSERT_TRUE(IsSystemPrinter(*printer)) << printer->printerName().toStdString();
    EXPECT_EQ(printer->printerName(), QStringLiteral("LobeviewPDF"));
    // As the printer setup dialog leaves it after the user picked Letter and two copies.
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setCopyCount(2);
    const PrinterSetup setup = SetupFromPrinter(*printer);
    EXPECT_EQ(setup.Name, QStringLiteral("LobeviewPDF"));
    ASSERT_TRUE(setup.PageSize);
    EXPECT_EQ(setup.PageSize->id(), QPageSize::Letter);
    EXPECT_NE(std::find(setup.Options.begin(), setup.Options.end(),
                        std::pair<QByteArray, QByteArray>("copies", "2")),
              setup.Options.end());

    CupsBackend backend(setup, cups->root());
    RecordingPrompter prompter;
    QSize device;
    const auto page = [&device](QPainter& painter, int) {
        device = QSize(painter.device()->width(), painter.device()->height());
        painter.drawText(200, 200, QStringLiteral("Letter page"));
    };
    const PrintRunResult result =
        RunPrint({false, true, false, FeedKind::None, 0, QStringLiteral("ZZX12-65")},
                 {page, page, page}, backend, prompter);
    ASSERT_TRUE(result.ok()) << result.Error.toStdString();
    EXPECT_EQ(device, QSize(5100, 6600)); // 8.5 x 11 in at 600 dpi, no margins on cups-pdf
    ASSERT_EQ(result.JobIds.size(), 1u);
    EXPECT_EQ(cups->waitForJob(result.JobIds[0]), IPP_JSTATE_COMPLETED);
}

// ---- The pen width dialog ---------------------------------------------------------------------

TEST(PenWidthDlg, LayoutAndWideUntilChosen) {
    PenWidthDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pen Width"));
    EXPECT_EQ(dialog.widthGroup()->title(), QStringLiteral("Select Pen Width"));
    EXPECT_EQ(dialog.widthGroup()->geometry(), QRect(8, 8, 169, 145));
    EXPECT_EQ(dialog.okButton()->geometry(), QRect(9, 168, 78, 41));
    EXPECT_EQ(dialog.cancelButton()->geometry(), QRect(97, 168, 81, 41));
    EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("Cancel"));
    const QRadioButton* items[] = {dialog.Narrow, dialog.Medium, dialog.Wide};
    const char* captions[] = {"Narrow", "Medium", "Wide"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i]->text(), QLatin1String(captions[i]));
        EXPECT_TRUE(items[i]->font().bold());
        EXPECT_EQ(items[i]->font().pixelSize(), 17);
        if (i > 0) { // listed top to bottom
            EXPECT_GT(items[i]->y(), items[i - 1]->y());
        }
    }
    EXPECT_TRUE(dialog.Wide->isChecked());
    EXPECT_EQ(dialog.SelectedFactor(), 3);
}

TEST(PenWidthDlg, OkGivesTheChosenFactorAndCancelNothing) {
    PenWidthDialog dialog;
    bool wideShown = false;
    whenModal([&](QWidget*) {
        wideShown = dialog.Wide->isChecked();
        dialog.Narrow->click();
        dialog.okButton()->click();
    });
    EXPECT_EQ(dialog.ShowForFactor(0), std::optional<int>(1));
    EXPECT_TRUE(wideShown);

    // Each showing reflects the factor in force; Cancel changes nothing.
    bool narrowShown = false;
    whenModal([&](QWidget*) {
        narrowShown = dialog.Narrow->isChecked();
        dialog.Medium->click();
        dialog.cancelButton()->click();
    });
    EXPECT_EQ(dialog.ShowForFactor(1), std::nullopt);
    EXPECT_TRUE(narrowShown);

    bool mediumShown = false;
    whenModal([&](QWidget*) {
        mediumShown = dialog.Medium->isChecked();
        dialog.okButton()->click();
    });
    EXPECT_EQ(dialog.ShowForFactor(2), std::optional<int>(2));
    EXPECT_TRUE(mediumShown);
}

// ---- Message boxes during a run ---------------------------------------------------------------

TEST(QtPrompterCursor, AMessageBoxLiftsTheWaitCursorAndItComesBack) {
    const WaitCursor wait;
    QtPrompter prompter;
    bool sawBox = false;
    const QCursor* during = reinterpret_cast<const QCursor*>(1);
    whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_TRUE(box);
        sawBox = box->text() == QStringLiteral("Press Ok when ready to print second side");
        during = QGuiApplication::overrideCursor();
        box->button(QMessageBox::Ok)->click();
    });
    prompter.message(QStringLiteral("Press Ok when ready to print second side"));
    EXPECT_TRUE(sawBox);
    EXPECT_EQ(during, nullptr);
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

} // namespace

TEST_F(ProgramPrinter, TwoSidedPrintingReachesTheJobAsItsSides) {
    if (!cups->running())
        GTEST_SKIP() << "no private print scheduler: " << cups->skipReason().toStdString();
    // cups-pdf with the two-sided choices of a duplex printer.
    testutils::Sandbox sandbox;
    QByteArray ppd = testutils::readFile(testutils::PrivateCups::cupsPdfPpd());
    ppd += "*OpenUI *Duplex/2-Sided Printing: PickOne\n"
           "*OrderDependency: 10 AnySetup *Duplex\n"
           "*DefaultDuplex: None\n"
           "*Duplex None/Off: \"<</Duplex false>>setpagedevice\"\n"
           "*Duplex DuplexNoTumble/Long Edge: \"<</Duplex true/Tumble false>>setpagedevice\"\n"
           "*Duplex DuplexTumble/Short Edge: \"<</Duplex true/Tumble true>>setpagedevice\"\n"
           "*CloseUI: *Duplex\n";
    ASSERT_TRUE(sandbox.write(QStringLiteral("duplex.ppd"), ppd));
    const QString error = cups->addPdfQueue(QStringLiteral("LobeviewDuplex"),
                                            sandbox.path(QStringLiteral("duplex.ppd")));
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const std::unique_ptr<QPrinter> printer = MakeProgramPrinter();
    printer->setPrinterName(QStringLiteral("LobeviewDuplex"));
    ASSERT_TRUE(IsSystemPrinter(*printer));
    const std::pair<QPrinter::DuplexMode, QByteArray> sides[] = {
        {QPrinter::DuplexLongSide, "two-sided-long-edge"},
        {QPrinter::DuplexAuto, "two-sided-long-edge"},
        {QPrinter::DuplexShortSide, "two-sided-short-edge"},
        {QPrinter::DuplexNone, QByteArray()},
    };
    for (const auto& [mode, expected] : sides) {
        printer->setDuplex(mode);
        const PrinterSetup chosen = SetupFromPrinter(*printer);
        const auto side = std::find_if(chosen.Options.begin(), chosen.Options.end(),
                                       [](const auto& option) { return option.first == "sides"; });
        EXPECT_EQ(side == chosen.Options.end() ? QByteArray() : side->second, expected) << mode;
    }
}
