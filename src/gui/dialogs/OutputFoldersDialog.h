// SPDX-License-Identifier: MIT
#pragma once
// The File Locations dialog: edits the three output folders (JPG, GIF, PDF) that preset the
// export save dialogs, with a folder tree that writes into the edit of the chosen kind.
#include <QtWidgets/QDialog>

class DirectoryPicker;
class Prompter;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;
struct ShellSettings;

class OutputFoldersDialog : public QDialog {
    Q_OBJECT
public:
    // `settings` holds the three folders (JPGfiles, GIFfiles, PDFfiles); texts that are not
    // absolute are taken relative to `programDir`.
    OutputFoldersDialog(ShellSettings& settings, const QString& programDir, Prompter& prompter,
                        QWidget* parent = nullptr);

    // The edit that belongs to the selected kind.
    QLineEdit* selectedEdit() const;
    // Points the tree at a folder text; on failure the tree stays and the error names the
    // folder and the system's reason. True when the tree moved.
    bool pointTreeAt(const QString& text);

    // The folder edits of the three kinds, the list of mounted volumes, OK and Cancel.
    QLineEdit* jpgFolderEdit() const { return jpgFolderEdit_; }
    QLineEdit* gifFolderEdit() const { return gifFolderEdit_; }
    QLineEdit* pdfFolderEdit() const { return pdfFolderEdit_; }
    QComboBox* driveBox() const { return driveBox_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    QButtonGroup* kindButtons = nullptr; // ids 0 "JPG", 1 "GIF", 2 "PDF"
    QTreeView* folderTree = nullptr;
    DirectoryPicker* picker = nullptr;

public Q_SLOTS:
    // Once each time the dialog is shown: the edits receive the three folders, and the tree is
    // pointed at the selected kind's folder.
    void loadFolders();
    // The tree's folder replaces the text of the selected kind's edit.
    void folderChanged(const QString& path);
    // Leaving an edit: an existing folder is fine; otherwise that one folder is created (its
    // parent must exist). Failure shows "Cannot create " and the text. True when the folder
    // exists afterwards.
    bool checkJpgFolder();
    bool checkGifFolder();
    bool checkPdfFolder();
    // OK: checks the three edits again (the dialog stays open on failure), then stores their
    // texts unchanged and closes.
    void acceptFolders();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool validate(QLineEdit* edit);

    ShellSettings& settings_;
    QString programDir_;
    Prompter& prompter_;
    QGroupBox* kindGroup_ = nullptr; // the JPG, GIF and PDF radio buttons
    QLineEdit* jpgFolderEdit_ = nullptr;
    QLineEdit* gifFolderEdit_ = nullptr;
    QLineEdit* pdfFolderEdit_ = nullptr;
    QComboBox* driveBox_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
