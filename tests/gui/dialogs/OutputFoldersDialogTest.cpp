// SPDX-License-Identifier: MIT
// The File Locations dialog, answered through the recording prompter.
#include "dialogs/OutputFoldersDialog.h"

#include "TestUtils.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "dialogs/DirectoryPicker.h"

#include <QtCore/QDir>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

namespace {

struct Locations {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    QString prog = box.path(QStringLiteral("prog/"));
    ShellSettings settings = ShellSettings::defaults(prog);
    std::unique_ptr<OutputFoldersDialog> dialog;

    Locations() {
        QDir().mkpath(prog + QStringLiteral("JPG"));
        QDir().mkpath(prog + QStringLiteral("GIF"));
        QDir().mkpath(box.path(QStringLiteral("other")));
        dialog = std::make_unique<OutputFoldersDialog>(settings, prog, prompter);
    }
    QString path(const QString& relative) const { return box.path(relative); }
};

} // namespace

TEST(FileLocations, ActivationFillsTheEditsAndTheTreeWritesTheChosenKind) {
    Locations t;
    EXPECT_EQ(t.dialog->windowTitle(), QStringLiteral("File Locations"));
    EXPECT_EQ(t.dialog->pdfFolderEdit()->geometry(), QRect(79, 88, 362, 22));
    t.dialog->show();
    EXPECT_EQ(t.dialog->jpgFolderEdit()->text(), t.prog + QStringLiteral("JPG"));
    EXPECT_EQ(t.dialog->gifFolderEdit()->text(), t.prog + QStringLiteral("GIF"));
    EXPECT_EQ(t.dialog->pdfFolderEdit()->text(), t.prog + QStringLiteral("PDF"));
    EXPECT_EQ(t.dialog->picker->currentDirectory(), t.prog + QStringLiteral("JPG"));
    EXPECT_TRUE(t.prompter.errors.isEmpty());

    // Choosing GIF does not move the tree; navigating then writes only into the GIF edit.
    t.dialog->kindButtons->button(1)->click();
    EXPECT_EQ(t.dialog->picker->currentDirectory(), t.prog + QStringLiteral("JPG"));
    t.dialog->picker->setCurrentDirectory(t.path(QStringLiteral("other")));
    EXPECT_EQ(t.dialog->jpgFolderEdit()->text(), t.prog + QStringLiteral("JPG"));
    EXPECT_EQ(t.dialog->gifFolderEdit()->text(), t.path(QStringLiteral("other")));
    EXPECT_EQ(t.dialog->pdfFolderEdit()->text(), t.prog + QStringLiteral("PDF"));

    // Cancel keeps the stored folders; the next showing reloads the edits, with GIF still chosen.
    t.dialog->cancelButton()->click();
    EXPECT_EQ(t.dialog->result(), int(QDialog::Rejected));
    EXPECT_EQ(t.settings.GIFfiles, t.prog + QStringLiteral("GIF"));
    t.dialog->show();
    EXPECT_EQ(t.dialog->gifFolderEdit()->text(), t.prog + QStringLiteral("GIF"));
    EXPECT_EQ(t.dialog->picker->currentDirectory(), t.prog + QStringLiteral("GIF"));
    t.dialog->hide();
}

TEST(FileLocations, MissingFolderAtActivationIsReportedOncePerShowing) {
    Locations t;
    t.settings.JPGfiles = t.path(QStringLiteral("gone"));
    t.dialog->picker->setCurrentDirectory(t.path(QStringLiteral("other")));
    t.dialog->show();
    EXPECT_EQ(t.prompter.errors,
              QStringList{QStringLiteral("Cannot open folder ") + t.path(QStringLiteral("gone")) +
                          QStringLiteral(": No such file or directory")});
    // The tree stays where it was, and the edits show the stored texts.
    EXPECT_EQ(t.dialog->picker->currentDirectory(), t.path(QStringLiteral("other")));
    EXPECT_EQ(t.dialog->jpgFolderEdit()->text(), t.path(QStringLiteral("gone")));
    // Activating the window again (as after an error box) does not run it again.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(t.dialog.get(), &activate);
    EXPECT_EQ(t.prompter.errors.size(), 1);
    t.dialog->hide();
    t.dialog->show();
    EXPECT_EQ(t.prompter.errors.size(), 2);
    t.dialog->hide();
}

TEST(FileLocations, LeavingAnEditCreatesOneLevel) {
    Locations t;
    t.dialog->show();
    // The PDF folder is missing in a fresh installation: leaving its edit creates it.
    EXPECT_TRUE(t.dialog->checkPdfFolder());
    EXPECT_TRUE(QFileInfo(t.prog + QStringLiteral("PDF")).isDir());
    // Relative to the program directory.
    t.dialog->gifFolderEdit()->setText(QStringLiteral("Charts"));
    EXPECT_TRUE(t.dialog->checkGifFolder());
    EXPECT_TRUE(QFileInfo(t.prog + QStringLiteral("Charts")).isDir());
    // Two missing levels are not created; an empty text names nothing.
    const QString nested = t.path(QStringLiteral("new/deeper"));
    t.dialog->jpgFolderEdit()->setText(nested);
    EXPECT_FALSE(t.dialog->checkJpgFolder());
    EXPECT_FALSE(QFileInfo::exists(t.path(QStringLiteral("new"))));
    EXPECT_EQ(t.dialog->jpgFolderEdit()->text(), nested);
    t.dialog->jpgFolderEdit()->setText(QString());
    EXPECT_FALSE(t.dialog->checkJpgFolder());
    EXPECT_EQ(t.prompter.errors, (QStringList{QStringLiteral("Cannot create ") + nested,
                                              QStringLiteral("Cannot create ")}));
    t.dialog->hide();
}

TEST(FileLocations, FocusLeavingAnEditValidatesIt) {
    Locations t;
    t.dialog->show();
    t.dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(t.dialog.get()));
    t.dialog->jpgFolderEdit()->setFocus(Qt::MouseFocusReason);
    t.dialog->jpgFolderEdit()->setText(t.path(QStringLiteral("a/b")));
    t.dialog->gifFolderEdit()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(t.prompter.errors,
              QStringList{QStringLiteral("Cannot create ") + t.path(QStringLiteral("a/b"))});
    // Unchanged and valid: nothing to say.
    t.dialog->pdfFolderEdit()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(t.prompter.errors.size(), 1);
    EXPECT_TRUE(QFileInfo(t.prog + QStringLiteral("GIF")).isDir());
    t.dialog->hide();
}

TEST(FileLocations, OkChecksAgainAndStoresTheTextsUnchanged) {
    Locations t;
    t.dialog->show();
    t.dialog->jpgFolderEdit()->setText(t.path(QStringLiteral("x/y")));
    t.dialog->gifFolderEdit()->setText(QStringLiteral("GIF"));
    t.dialog->okButton()->click();
    EXPECT_TRUE(t.dialog->isVisible());
    EXPECT_EQ(t.prompter.errors,
              QStringList{QStringLiteral("Cannot create ") + t.path(QStringLiteral("x/y"))});
    EXPECT_EQ(t.settings.JPGfiles, t.prog + QStringLiteral("JPG"));

    t.dialog->jpgFolderEdit()->setText(t.path(QStringLiteral("x")));
    t.dialog->okButton()->click();
    EXPECT_FALSE(t.dialog->isVisible());
    EXPECT_EQ(t.dialog->result(), int(QDialog::Accepted));
    EXPECT_EQ(t.settings.JPGfiles, t.path(QStringLiteral("x")));
    EXPECT_EQ(t.settings.GIFfiles, QStringLiteral("GIF"));
    EXPECT_EQ(t.settings.PDFfiles, t.prog + QStringLiteral("PDF"));
    EXPECT_TRUE(QFileInfo(t.prog + QStringLiteral("PDF")).isDir());
}
