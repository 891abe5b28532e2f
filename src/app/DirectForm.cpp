#include "DirectForm.h"

#include "common/WindowPlacement.h"

#include <QtCore/QDir>
#include <QtCore/QStorageInfo>
#include <QtGui/QFileSystemModel>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeView>

TDirectorySelect::TDirectorySelect(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DirectorySelect"));
    setWindowTitle(QStringLiteral("Select Location"));
    setFixedSize(212, 332);
    centreOnScreen(this);

    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::StyledPanel);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(10, 10, 191, 271);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QStringLiteral("/"));
    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setModel(model_);
    DirectoryListBox1->setGeometry(24, 24, 161, 217);
    DirectoryListBox1->setHeaderHidden(true);
    for (int c = 1; c < model_->columnCount(); ++c)
        DirectoryListBox1->hideColumn(c);
    connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid())
                    current_ = model_->filePath(index);
            });

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(24, 248, 161, 22);
    fillVolumes();
    connect(DriveComboBox1, &QComboBox::activated, this, &TDirectorySelect::DriveComboBox1Change);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(9, 294, 93, 30);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(108, 294, 92, 30);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    // First shown at the process's current folder; afterwards wherever the user left it.
    setCurrentDirectory(QDir::currentPath());
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

void TDirectorySelect::setCurrentDirectory(const QString& path) {
    current_ = QDir::cleanPath(QDir(path).absolutePath());
    const QModelIndex index = model_->index(current_);
    if (index.isValid()) {
        DirectoryListBox1->setCurrentIndex(index);
        DirectoryListBox1->scrollTo(index);
        DirectoryListBox1->expand(index);
    }
}
