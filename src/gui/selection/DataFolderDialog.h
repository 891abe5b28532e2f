// SPDX-License-Identifier: MIT
#pragma once
// The directory dialog: picks the data directory from a folder tree and a list of mounted volumes,
// showing the selected folder's full path above the tree. It can be resized; the tree grows.
#include <QtWidgets/QDialog>

class DirectoryPicker;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeView;

class DataFolderDialog : public QDialog {
    Q_OBJECT
public:
    explicit DataFolderDialog(QWidget* parent = nullptr);

    // The folder selected in the tree: a full path without a trailing separator (except "/").
    QString currentDirectory() const;
    void setCurrentDirectory(const QString& path);
    // The list of mounted volumes below the tree.
    QComboBox* driveBox() const { return driveBox_; }

    QLineEdit* pathEdit = nullptr; // the selected folder's full path, read-only
    QTreeView* folderTree = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

public Q_SLOTS:
    // A volume chosen in the list: the tree moves to it.
    void chooseDrive(int index);

private:
    DirectoryPicker* picker_ = nullptr;
    QComboBox* driveBox_ = nullptr;
};
