// SPDX-License-Identifier: MIT
#include "dialogs/OutputFoldersDialog.h"

#include "base/Prompter.h"
#include "base/Settings.h"
#include "dialogs/DirectoryPicker.h"
#include "dialogs/WindowPlacement.h"
#include "output/OutputNames.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QFocusEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QTreeView>

OutputFoldersDialog::OutputFoldersDialog(ShellSettings& settings, const QString& programDir,
                                         Prompter& prompter, QWidget* parent)
    : QDialog(parent), settings_(settings), programDir_(programDir), prompter_(prompter) {
    setObjectName(QStringLiteral("FileLoc"));
    setWindowTitle(QStringLiteral("File Locations"));
    setFixedSize(464, 292); // 472 x 319 with the frame
    centreOnScreen(this);
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPixelSize(14);
    setFont(base);

    kindGroup_ = new QGroupBox(this);
    kindGroup_->setObjectName(QStringLiteral("kindGroup"));
    kindGroup_->setGeometry(6, 6, 443, 124);
    kindButtons = new QButtonGroup(this);
    const char* const kinds[3] = {"JPG", "GIF", "PDF"};
    const int rows[3] = {27, 57, 88};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(QString::fromLatin1(kinds[i]), kindGroup_);
        item->setGeometry(8, rows[i] - 6, 60, 22);
        kindButtons->addButton(item, i);
    }
    kindButtons->button(0)->setChecked(true);

    QLineEdit** edits[3] = {&jpgFolderEdit_, &gifFolderEdit_, &pdfFolderEdit_};
    const char* const editNames[3] = {"jpgFolderEdit", "gifFolderEdit", "pdfFolderEdit"};
    for (int i = 0; i < 3; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(editNames[i]));
        edit->setGeometry(79, rows[i], 362, 22);
        edit->installEventFilter(this);
        *edits[i] = edit;
    }

    picker = new DirectoryPicker(this);
    driveBox_ = picker->volumes();
    driveBox_->setGeometry(6, 137, 129, 22);
    folderTree = picker->tree();
    folderTree->setGeometry(145, 136, 166, 129);
    connect(picker, &DirectoryPicker::directoryChanged, this, &OutputFoldersDialog::folderChanged);

    okButton_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(348, 189, 91, 25);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                    QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setGeometry(348, 232, 91, 25);
    connect(okButton_, &QPushButton::clicked, this, &OutputFoldersDialog::acceptFolders);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* OutputFoldersDialog::selectedEdit() const {
    switch (kindButtons->checkedId()) {
    case 1:
        return gifFolderEdit_;
    case 2:
        return pdfFolderEdit_;
    default:
        return jpgFolderEdit_;
    }
}

void OutputFoldersDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once per showing, not on every activation: an error box of its own would activate the
    // dialog again.
    if (!event->spontaneous())
        loadFolders();
}

void OutputFoldersDialog::loadFolders() {
    jpgFolderEdit_->setText(settings_.JPGfiles);
    gifFolderEdit_->setText(settings_.GIFfiles);
    pdfFolderEdit_->setText(settings_.PDFfiles);
    pointTreeAt(selectedEdit()->text());
}

bool OutputFoldersDialog::pointTreeAt(const QString& text) {
    const QString folder = output::ResolveLocation(text, programDir_);
    if (const auto reason = picker->setCurrentDirectory(folder)) {
        prompter_.error(
            QStringLiteral("Cannot open folder %1: %2")
                .arg(QDir::toNativeSeparators(folder.isEmpty() ? text : folder), *reason));
        return false;
    }
    // The tree now names the folder: its full path replaces the text, changed or not.
    folderChanged(picker->currentDirectory());
    return true;
}

void OutputFoldersDialog::folderChanged(const QString& path) {
    selectedEdit()->setText(QDir::toNativeSeparators(path));
}

bool OutputFoldersDialog::validate(QLineEdit* edit) {
    const QString text = edit->text();
    const QString folder = output::ResolveLocation(text, programDir_);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return true;
    // One level only: the parent must already exist.
    if (!folder.isEmpty() && QDir().mkdir(folder))
        return true;
    prompter_.error(QStringLiteral("Cannot create ") + text);
    return false;
}

bool OutputFoldersDialog::checkJpgFolder() {
    return validate(jpgFolderEdit_);
}

bool OutputFoldersDialog::checkGifFolder() {
    return validate(gifFolderEdit_);
}

bool OutputFoldersDialog::checkPdfFolder() {
    return validate(pdfFolderEdit_);
}

bool OutputFoldersDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut &&
        (watched == jpgFolderEdit_ || watched == gifFolderEdit_ || watched == pdfFolderEdit_)) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Focus taken by another window (an error box among them) or a menu is not leaving the
        // edit; neither is pressing OK, which checks all three, or Cancel, which keeps nothing.
        const QWidget* next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            next != okButton_ && next != cancelButton_)
            validate(static_cast<QLineEdit*>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

void OutputFoldersDialog::acceptFolders() {
    for (QLineEdit* edit : {jpgFolderEdit_, gifFolderEdit_, pdfFolderEdit_}) {
        if (!validate(edit)) {
            edit->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    settings_.JPGfiles = jpgFolderEdit_->text();
    settings_.GIFfiles = gifFolderEdit_->text();
    settings_.PDFfiles = pdfFolderEdit_->text();
    accept();
}
