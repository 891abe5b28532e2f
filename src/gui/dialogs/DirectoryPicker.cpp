// SPDX-License-Identifier: MIT
#include "dialogs/DirectoryPicker.h"

#include <QtCore/QDir>
#include <QtCore/QEvent>
#include <QtCore/QFileInfo>
#include <QtCore/QStorageInfo>
#include <QtGui/QAbstractFileIconProvider>
#include <QtGui/QFileSystemModel>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QStyle>
#include <QtWidgets/QTreeView>
#include <cerrno>
#include <cstring>
#include <dirent.h>

namespace {

// Every entry of the tree is a folder: one folder picture for all, instead of a look-up in the
// desktop's icon theme for every folder the file system reports.
class FolderIcons : public QAbstractFileIconProvider {
public:
    explicit FolderIcons(const QIcon& folder) : folder_(folder) {}
    QIcon icon(IconType) const override { return folder_; }
    QIcon icon(const QFileInfo&) const override { return folder_; }

private:
    QIcon folder_;
};

} // namespace

DirectoryPicker::DirectoryPicker(QWidget* parent) : QObject(parent) {
    icons_ = std::make_unique<FolderIcons>(parent->style()->standardIcon(QStyle::SP_DirIcon));
    model_ = new QFileSystemModel(this);
    model_->setIconProvider(icons_.get());
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    tree_ = new QTreeView(parent);
    tree_->installEventFilter(this);
    tree_->setObjectName(QStringLiteral("folderTree"));
    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    for (int c = 1; c < model_->columnCount(); ++c)
        tree_->hideColumn(c);
    // Deep folder names scroll sideways instead of being cut short: the column takes the width
    // of the names on show whenever the user opens or picks a folder (measured then, not on
    // every change the file system reports).
    tree_->header()->setStretchLastSection(false);
    const auto fitNames = [this] { tree_->resizeColumnToContents(0); };
    connect(tree_, &QTreeView::expanded, this, fitNames);
    connect(model_, &QFileSystemModel::directoryLoaded, this, fitNames);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, fitNames](const QModelIndex& index) {
                if (index.isValid())
                    setCurrent(model_->filePath(index));
                fitNames();
            });

    volumes_ = new QComboBox(parent);
    volumes_->setObjectName(QStringLiteral("driveBox"));
    connect(volumes_, &QComboBox::activated, this, &DirectoryPicker::volumeChosen);
}

DirectoryPicker::~DirectoryPicker() {
    // The model uses the icon provider to its end.
    delete model_;
}

bool DirectoryPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_ && event->type() == QEvent::Show)
        prepare();
    return QObject::eventFilter(watched, event);
}

void DirectoryPicker::prepare() {
    if (prepared_)
        return;
    prepared_ = true;
    model_->setRootPath(QStringLiteral("/"));
    fillVolumes();
    if (!current_.isEmpty())
        showInTree(current_);
}

void DirectoryPicker::showInTree(const QString& path) {
    const QModelIndex index = model_->index(path);
    if (index.isValid()) {
        tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
        tree_->expand(index);
    }
}

void DirectoryPicker::fillVolumes() {
    volumes_->clear();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        const QString label = volume.displayName() == root
                                  ? root
                                  : QStringLiteral("%1 (%2)").arg(root, volume.displayName());
        volumes_->addItem(label, root);
    }
}

void DirectoryPicker::volumeChosen(int index) {
    const QString root = volumes_->itemData(index).toString();
    if (!root.isEmpty())
        setCurrentDirectory(root);
}

void DirectoryPicker::setCurrent(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    if (clean == current_)
        return;
    current_ = clean;
    Q_EMIT directoryChanged(current_);
}

std::optional<QString> DirectoryPicker::setCurrentDirectory(const QString& path) {
    const QString absolute = QDir::cleanPath(QDir(path).absolutePath());
    // The system's own reason when the folder cannot be listed.
    if (path.isEmpty())
        return QString::fromLocal8Bit(std::strerror(ENOENT));
    DIR* dir = ::opendir(QFile::encodeName(absolute).constData());
    if (!dir)
        return QString::fromLocal8Bit(std::strerror(errno));
    ::closedir(dir);
    if (prepared_)
        showInTree(absolute);
    setCurrent(absolute);
    return std::nullopt;
}
