// SPDX-License-Identifier: MIT
#include "dialogs/PenWidthDialog.h"

#include "dialogs/WindowPlacement.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStyle>

PenWidthDialog::PenWidthDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PenWidthDlg"));
    setWindowTitle(QStringLiteral("Pen Width"));
    // The outer 196 x 247 less a dialog frame.
    setFixedSize(188, 220);
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPixelSize(13);
    setFont(base);

    widthGroup_ = new QGroupBox(QStringLiteral("Select Pen Width"), this);
    widthGroup_->setObjectName(QStringLiteral("widthGroup"));
    widthGroup_->setGeometry(8, 8, 169, 145);
    QFont itemFont(QStringLiteral("Liberation Sans"));
    itemFont.setPixelSize(17);
    itemFont.setBold(true);
    auto* group = new QButtonGroup(this);
    const auto item = [&](const char* name, const QString& caption, int index) {
        auto* button = new QRadioButton(caption, widthGroup_);
        button->setObjectName(QLatin1String(name));
        button->setFont(itemFont);
        button->setGeometry(10, 24 + index * 38, 150, 28);
        group->addButton(button, index + 1);
        return button;
    };
    Narrow = item("Narrow", QStringLiteral("Narrow"), 0);
    Medium = item("Medium", QStringLiteral("Medium"), 1);
    Wide = item("Wide", QStringLiteral("Wide"), 2);
    SelectFactor(0);

    okButton_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(9, 168, 78, 41);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                    QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setGeometry(97, 168, 81, 41);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void PenWidthDialog::SelectFactor(int penFactor) {
    (penFactor == 1 ? Narrow : penFactor == 2 ? Medium : Wide)->setChecked(true);
}

int PenWidthDialog::SelectedFactor() const {
    return Narrow->isChecked() ? 1 : Medium->isChecked() ? 2 : 3;
}

std::optional<int> PenWidthDialog::ShowForFactor(int penFactor) {
    SelectFactor(penFactor);
    centreOnScreen(this);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return SelectedFactor();
}
