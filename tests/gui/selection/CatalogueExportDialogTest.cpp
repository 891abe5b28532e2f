// SPDX-License-Identifier: MIT
// File > Export Catalogue... of the main window: the dialog, the run behind a progress dialog,
// and its Stop button.
#include "selection/CatalogueExportDialog.h"

#include "AppWindows.h"
#include "TestUtils.h"
#include "base/Prompter.h"
#include "output/CatalogueRun.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QSemaphore>
#include <QtGui/QAction>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <gtest/gtest.h>

namespace {

const QStringList Samples{QStringLiteral("QS1-212.adf"), QStringLiteral("ZZX10-60L.adf"),
                          QStringLiteral("QU12-59.adf")};

struct MainWindow {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    std::function<int(QDialog&)> answer;
    std::unique_ptr<AppWindows> w;

    MainWindow() {
        for (const QString& name : Samples)
            box.write(QStringLiteral("prog/NSMAData/") + name,
                      testutils::readFile(testutils::samplePath(name)));
        AppEnvironment env = AppEnvironment::inFolder(box.path(), prompter);
        w = std::make_unique<AppWindows>(env);
        w->select->runDialog = [this](QDialog& d) {
            if (answer)
                return answer(d);
            d.reject();
            return int(QDialog::Rejected);
        };
    }
    SelectionWindow& s() { return *w->select; }
};

void selectFormat(CatalogueExportDialog& d, const QString& captionStart) {
    for (int i = 0; i < d.formatBox->count(); ++i)
        if (d.formatBox->itemText(i).startsWith(captionStart))
            d.formatBox->setCurrentIndex(i);
}

} // namespace

TEST(ExportCatalogueWindow, MenuItemExportsTheDataDirectoryInTheChosenFormat) {
    MainWindow m;
    QAction* menuItem = testutils::child<QAction>(m.s(), "exportCatalogueAction");
    ASSERT_TRUE(menuItem);
    EXPECT_EQ(menuItem->text(), QStringLiteral("Export &Catalogue..."));
    const QString out = m.box.path(QStringLiteral("exports"));
    QString shownCatalogue;
    QString presetFolder;
    m.answer = [&](QDialog& dialog) {
        auto& d = dynamic_cast<CatalogueExportDialog&>(dialog);
        shownCatalogue = d.catalogueLabel->text();
        presetFolder = d.folderEdit->text();
        d.chooseFolder = [&](const QString&) { return out; };
        d.browseButton->click();
        selectFormat(d, QStringLiteral("SVG"));
        d.bothButton->setChecked(true);
        d.okButton->click();
        return d.result();
    };
    testutils::child<QAction>(m.s(), "exportCatalogueAction")->trigger();

    EXPECT_TRUE(shownCatalogue.endsWith(QStringLiteral("NSMAData")))
        << shownCatalogue.toStdString();
    // The folder offered first is the PDF folder of File Locations.
    EXPECT_EQ(presetFolder, m.box.path(QStringLiteral("prog/PDF")));
    EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("12050.svg"), QStringLiteral("12050dat.svg"),
                           QStringLiteral("13802.svg"), QStringLiteral("13802dat.svg"),
                           QStringLiteral("4102A.svg"), QStringLiteral("4102Adat.svg")}));
    ASSERT_EQ(m.prompter.messages.size(), 1);
    EXPECT_TRUE(m.prompter.messages[0].startsWith(
        QStringLiteral("3 of 3 antennas exported to %1 (svg, both): 6 files").arg(out)))
        << m.prompter.messages[0].toStdString();
    EXPECT_TRUE(m.prompter.errors.isEmpty());

    // Cancel writes nothing more and says nothing.
    m.answer = [](QDialog& d) {
        d.reject();
        return int(QDialog::Rejected);
    };
    testutils::child<QAction>(m.s(), "exportCatalogueAction")->trigger();
    EXPECT_EQ(m.prompter.messages.size(), 1);
}

TEST(ExportCatalogueWindow, DialogNeedsAFolderAndTheTextCopyHasNoChart) {
    RecordingPrompter prompter;
    CatalogueExportDialog d(prompter);
    d.prepare(QStringLiteral("/data/cat"), QString());
    d.okButton->click();
    EXPECT_EQ(prompter.messages,
              QStringList{QStringLiteral("Choose the folder the files are saved in.")});
    EXPECT_NE(d.result(), QDialog::Accepted);
    d.folderEdit->setText(QStringLiteral("relative/out"));
    d.okButton->click();
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_NE(d.result(), QDialog::Accepted);

    selectFormat(d, QStringLiteral("Text"));
    EXPECT_FALSE(d.chartButton->isEnabled());
    EXPECT_TRUE(d.dataButton->isChecked());
    selectFormat(d, QStringLiteral("Vector PDF"));
    EXPECT_TRUE(d.chartButton->isEnabled());
    d.folderEdit->setText(QStringLiteral("/tmp/out"));
    d.okButton->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const catalogue::Options o = d.options();
    EXPECT_EQ(o.catalogueDir, QStringLiteral("/data/cat"));
    EXPECT_EQ(o.outputDir, QStringLiteral("/tmp/out"));
    EXPECT_EQ(o.format, catalogue::Format::VectorPdf);
    EXPECT_EQ(o.pages, catalogue::Pages::Data);
    // The folder chosen stays for the next showing.
    d.prepare(QStringLiteral("/data/cat"), QStringLiteral("/elsewhere"));
    EXPECT_EQ(d.folderEdit->text(), QStringLiteral("/tmp/out"));
}

TEST(ExportCatalogueWindow, LabelsShowTheirMnemonicsAndEveryWindowHasACaption) {
    MainWindow m;
    testutils::child<QAction>(m.s(), "exportCatalogueAction")->trigger(); // made on first use
    auto* d = m.s().findChild<CatalogueExportDialog*>();
    ASSERT_NE(d, nullptr);
    // A label with a mnemonic needs its buddy, or it shows the "&" itself.
    for (const QLabel* label : d->findChildren<QLabel*>()) {
        if (label->text().contains(QLatin1Char('&'))) {
            EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
        }
    }
    const auto* folderLabel = [d]() -> QLabel* {
        for (QLabel* l : d->findChildren<QLabel*>())
            if (l->text() == QStringLiteral("Save &in:"))
                return l;
        return nullptr;
    }();
    ASSERT_NE(folderLabel, nullptr);
    EXPECT_EQ(folderLabel->buddy(), d->folderEdit);

    // Every window of the program says what it is, none only the program's name.
    QList<QWidget*> windows{m.s().window()};
    for (QWidget* w : m.s().findChildren<QWidget*>())
        if (w->isWindow() && qobject_cast<QDialog*>(w))
            windows << w;
    EXPECT_GE(windows.size(), 13);
    for (const QWidget* w : windows) {
        const QString title = w->windowTitle().trimmed();
        EXPECT_FALSE(title.isEmpty()) << w->objectName().toStdString();
        EXPECT_NE(title, QCoreApplication::applicationName()) << w->objectName().toStdString();
        EXPECT_NE(title, QStringLiteral("Lobeview")) << w->objectName().toStdString();
    }
}

TEST(ExportCatalogueWindow, StopFinishesTheFileInHandAndSaysWhatWasLeft) {
    testutils::Sandbox box;
    for (const QString& name : Samples)
        box.write(QStringLiteral("cat/") + name, testutils::readFile(testutils::samplePath(name)));
    catalogue::Options o;
    o.catalogueDir = box.path(QStringLiteral("cat"));
    o.outputDir = box.path(QStringLiteral("out"));
    o.format = catalogue::Format::Png;
    o.threads = 1;
    RecordingPrompter prompter;
    // After each file the worker waits until the window has seen it; after the first, the
    // window presses Stop.
    QSemaphore seen;
    const catalogue::Report report = RunCatalogueExportWithProgress(
        nullptr, o, prompter, [&](catalogue::BackgroundExport& run, QProgressDialog& progress) {
            run.workerHook = [&](const catalogue::Progress&) { seen.acquire(); };
            QObject::connect(
                &run, &catalogue::BackgroundExport::progressed, &progress,
                [&progress, &seen](int done) {
                    if (done == 1)
                        progress.findChild<QPushButton*>(QStringLiteral("StopButton"))->click();
                    seen.release();
                });
        });
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.exported, 1);
    EXPECT_EQ(QDir(o.outputDir).entryList(QDir::Files).size(), 1);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(
        prompter.messages[0].contains(QStringLiteral("\nStopped: 2 antennas were not exported")))
        << prompter.messages[0].toStdString();
}
