// SPDX-License-Identifier: MIT
#pragma once
// The program's way of picking a folder: a folder tree and, in place of a drive list, the mounted
// volumes, linked so that choosing a volume moves the tree to its root. The directory dialog and
// the File Locations dialog place the two controls where they need them. Both are filled when the
// tree is first shown: a dialog that stays hidden lists no folder, watches none and asks for no
// volume (the program creates its dialogs at start).
#include <QtCore/QObject>
#include <QtCore/QString>
#include <memory>
#include <optional>

class QAbstractFileIconProvider;
class QComboBox;
class QFileSystemModel;
class QTreeView;
class QWidget;

class DirectoryPicker : public QObject {
    Q_OBJECT
public:
    // Creates the tree and the volume list as children of `parent`, not yet placed.
    explicit DirectoryPicker(QWidget* parent);
    ~DirectoryPicker() override;

    QTreeView* tree() const { return tree_; }
    QComboBox* volumes() const { return volumes_; }

    // The folder selected in the tree: a full path without a trailing separator (except "/").
    QString currentDirectory() const { return current_; }
    // Moves the tree to `path`. When it names no folder that can be listed, the tree keeps its
    // folder and the reason is returned ("No such file or directory", ...).
    std::optional<QString> setCurrentDirectory(const QString& path);
    // Fills the volume list again.
    void fillVolumes();
    // True once the tree has been shown and the folders are listed.
    bool prepared() const { return prepared_; }

Q_SIGNALS:
    // The tree's current folder changed: by the user, through the volume list or by
    // setCurrentDirectory.
    void directoryChanged(const QString& path);

public Q_SLOTS:
    void volumeChosen(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void prepare();
    void showInTree(const QString& path);
    void setCurrent(const QString& path);
    std::unique_ptr<QAbstractFileIconProvider> icons_; // outlives the model (see destructor)
    QFileSystemModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    QComboBox* volumes_ = nullptr;
    QString current_;
    bool prepared_ = false;
};
