#include "DirectForm.h"

#include "common/WindowPlacement.h"

#include <QtCore/QDir>
#include <QtCore/QStorageInfo>
#include <QtGui/QAbstractFileIconProvider>
#include <QtGui/QFileSystemModel>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QTreeView>
#include <QtWidgets/QVBoxLayout>

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

TDirectorySelect::TDirectorySelect(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DirectorySelect"));
    setWindowTitle(QStringLiteral("Select Location"));
    setSizeGripEnabled(true);

    // The bevel holds the full path of the selected folder, the folder tree (which takes any room
    // the window is given) and the volume list; the buttons sit below it.
    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel"));
    bevel->setFrameShape(QFrame::StyledPanel);
    bevel->setFrameShadow(QFrame::Sunken);

    PathEdit = new QLineEdit(bevel);
    PathEdit->setObjectName(QStringLiteral("PathEdit"));
    PathEdit->setReadOnly(true);

    icons_ = std::make_unique<FolderIcons>(style()->standardIcon(QStyle::SP_DirIcon));
    model_ = new QFileSystemModel(this);
    model_->setIconProvider(icons_.get());
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QStringLiteral("/"));
    DirectoryListBox1 = new QTreeView(bevel);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setModel(model_);
    DirectoryListBox1->setHeaderHidden(true);
    for (int c = 1; c < model_->columnCount(); ++c)
        DirectoryListBox1->hideColumn(c);
    // Deep folder names scroll sideways instead of being cut short: the column takes the width
    // of the names on show whenever the user opens or picks a folder (measured then, not on
    // every change the file system reports).
    DirectoryListBox1->header()->setStretchLastSection(false);
    const auto fitNames = [this] { DirectoryListBox1->resizeColumnToContents(0); };
    connect(DirectoryListBox1, &QTreeView::expanded, this, fitNames);
    connect(model_, &QFileSystemModel::directoryLoaded, this, fitNames);
    connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, fitNames](const QModelIndex& index) {
                if (index.isValid())
                    showCurrent(model_->filePath(index));
                fitNames();
            });

    DriveComboBox1 = new QComboBox(bevel);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    fillVolumes();
    connect(DriveComboBox1, &QComboBox::activated, this, &TDirectorySelect::DriveComboBox1Change);

    auto* inside = new QVBoxLayout(bevel);
    inside->setContentsMargins(14, 14, 14, 14);
    inside->setSpacing(7);
    inside->addWidget(PathEdit);
    inside->addWidget(DirectoryListBox1, 1);
    inside->addWidget(DriveComboBox1);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setMinimumSize(93, 30);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setMinimumSize(92, 30);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 8);
    layout->setSpacing(13);
    layout->addWidget(bevel, 1);
    layout->addLayout(buttons);

    setMinimumSize(212, 360);
    resize(440, 480);
    centreOnScreen(this);

    // First shown at the process's current folder; afterwards wherever the user left it.
    setCurrentDirectory(QDir::currentPath());
}

TDirectorySelect::~TDirectorySelect() {
    // The model uses the icon provider to its end.
    delete model_;
}

void TDirectorySelect::fillVolumes() {
    DriveComboBox1->clear();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        const QString label = volume.displayName() == root
                                  ? root
                                  : QStringLiteral("%1 (%2)").arg(root, volume.displayName());
        DriveComboBox1->addItem(label, root);
    }
}

void TDirectorySelect::DriveComboBox1Change(int index) {
    const QString root = DriveComboBox1->itemData(index).toString();
    if (!root.isEmpty())
        setCurrentDirectory(root);
}

QString TDirectorySelect::currentDirectory() const {
    QString path = QDir::cleanPath(current_);
    return path;
}

void TDirectorySelect::showCurrent(const QString& path) {
    current_ = path;
    PathEdit->setText(QDir::toNativeSeparators(currentDirectory()));
}

void TDirectorySelect::setCurrentDirectory(const QString& path) {
    showCurrent(QDir::cleanPath(QDir(path).absolutePath()));
    const QModelIndex index = model_->index(current_);
    if (index.isValid()) {
        DirectoryListBox1->setCurrentIndex(index);
        DirectoryListBox1->scrollTo(index);
        DirectoryListBox1->expand(index);
    }
}
