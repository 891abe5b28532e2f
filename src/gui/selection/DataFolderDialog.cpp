// SPDX-License-Identifier: MIT
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

    pathEdit = new QLineEdit(bevel);
    pathEdit->setObjectName(QStringLiteral("pathEdit"));
    pathEdit->setReadOnly(true);

    picker_ = new DirectoryPicker(bevel);
    folderTree = picker_->tree();
    driveBox_ = picker_->volumes();
    connect(picker_, &DirectoryPicker::directoryChanged, this,
            [this](const QString& path) { pathEdit->setText(QDir::toNativeSeparators(path)); });

    auto* inside = new QVBoxLayout(bevel);
    inside->setContentsMargins(14, 14, 14, 14);
    inside->setSpacing(7);
    inside->addWidget(pathEdit);
    inside->addWidget(folderTree, 1);
    inside->addWidget(driveBox_);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setMinimumSize(93, 30);
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setMinimumSize(92, 30);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

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
