#include "selection/DataFolderDialog.h"

#include "dialogs/DirectoryPicker.h"
#include "dialogs/WindowPlacement.h"

#include <QtCore/QDir>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeView>
#include <QtWidgets/QVBoxLayout>

DataFolderDialog::DataFolderDialog(QWidget* parent) : QDialog(parent) {
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

    picker_ = new DirectoryPicker(bevel);
    folderTree = picker_->tree();
    driveBox_ = picker_->volumes();
    connect(picker_, &DirectoryPicker::directoryChanged, this,
            [this](const QString& path) { PathEdit->setText(QDir::toNativeSeparators(path)); });

    auto* inside = new QVBoxLayout(bevel);
    inside->setContentsMargins(14, 14, 14, 14);
    inside->setSpacing(7);
    inside->addWidget(PathEdit);
    inside->addWidget(folderTree, 1);
    inside->addWidget(driveBox_);

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

void DataFolderDialog::chooseDrive(int index) {
    picker_->volumeChosen(index);
}

QString DataFolderDialog::currentDirectory() const {
    return picker_->currentDirectory();
}

void DataFolderDialog::setCurrentDirectory(const QString& path) {
    picker_->setCurrentDirectory(path);
}
