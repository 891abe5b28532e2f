#include "DirectForm.h"

#include "common/DirectoryPicker.h"
#include "common/WindowPlacement.h"

#include <QtCore/QDir>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
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

    picker_ = new DirectoryPicker(this);
    DirectoryListBox1 = picker_->tree();
    DirectoryListBox1->setGeometry(24, 24, 161, 217);
    DriveComboBox1 = picker_->volumes();
    DriveComboBox1->setGeometry(24, 248, 161, 22);

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

void TDirectorySelect::DriveComboBox1Change(int index) {
    picker_->volumeChosen(index);
}

QString TDirectorySelect::currentDirectory() const {
    return picker_->currentDirectory();
}

void TDirectorySelect::setCurrentDirectory(const QString& path) {
    picker_->setCurrentDirectory(path);
}
