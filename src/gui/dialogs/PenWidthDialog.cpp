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

    RadioGroup1 = new QGroupBox(QStringLiteral("Select Pen Width"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(8, 8, 169, 145);
    QFont itemFont(QStringLiteral("Liberation Sans"));
    itemFont.setPixelSize(17);
    itemFont.setBold(true);
    auto* group = new QButtonGroup(this);
    const auto item = [&](const char* name, const QString& caption, int index) {
        auto* button = new QRadioButton(caption, RadioGroup1);
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

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(9, 168, 78, 41);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(97, 168, 81, 41);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
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
