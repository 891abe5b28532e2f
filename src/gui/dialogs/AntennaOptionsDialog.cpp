// SPDX-License-Identifier: MIT
#include "dialogs/AntennaOptionsDialog.h"

#include "base/DisplayText.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTreeWidget>

AntennaOptionsDialog::Layout AntennaOptionsDialog::exportLayout(int clientWidth, int labelY) {
    Layout layout;
    layout.clientWidth = clientWidth;
    layout.choiceLabel.moveTop(labelY);
    return layout;
}

AntennaOptionsDialog::AntennaOptionsDialog(QWidget* parent, const char* name,
                                           const QString& caption, int clientWidth, int labelY)
    : AntennaOptionsDialog(parent, name, caption, caption, exportLayout(clientWidth, labelY)) {}

AntennaOptionsDialog::AntennaOptionsDialog(QWidget* parent, const char* name,
                                           const QString& caption, const QString& choiceCaption,
                                           const Layout& layout)
    : QDialog(parent), radioWidth_(layout.radioWidth) {
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setFixedSize(layout.clientWidth, 173);
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPixelSize(layout.fontPixels);
    setFont(base);
    runModal = [](QDialog& dialog) { return dialog.exec(); };

    antennaGroup_ = new QGroupBox(this);
    antennaGroup_->setObjectName(QStringLiteral("antennaGroup"));
    antennaGroup_->setGeometry(6, 4, 249, 129);
    modelLabel_ = new QLabel(QStringLiteral("Antenna Model"), antennaGroup_);
    modelLabel_->setObjectName(QStringLiteral("modelLabel"));
    modelLabel_->setGeometry(layout.modelLabel);
    antennaList = new QTreeWidget(antennaGroup_);
    antennaList->setObjectName(QStringLiteral("antennaList"));
    antennaList->setGeometry(layout.list);
    antennaList->setHeaderLabels({QStringLiteral("Model Number"), QStringLiteral("RPE Number")});
    antennaList->setRootIsDecorated(false);
    antennaList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    antennaList->setSelectionMode(QAbstractItemView::SingleSelection);
    antennaList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    antennaList->header()->setSectionsMovable(false);

    choiceGroup_ = new QGroupBox(this);
    choiceGroup_->setObjectName(QStringLiteral("choiceGroup"));
    choiceGroup_->setGeometry(layout.choiceGroup);
    choiceLabel_ = new QLabel(choiceCaption, choiceGroup_);
    choiceLabel_->setObjectName(QStringLiteral("choiceLabel"));
    choiceLabel_->setGeometry(layout.choiceLabel);

    const auto button = [this](const char* buttonName, const QString& text, int x) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(buttonName));
        b->setGeometry(x, 140, 80, 28);
        b->setAutoDefault(false);
        return b;
    };
    okButton = button("okButton", QStringLiteral("OK"), layout.okX);
    cancelButton = button("cancelButton", QStringLiteral("Cancel"), layout.cancelX);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QRadioButton* AntennaOptionsDialog::addRadio(const char* name, const QString& caption, int y) {
    auto* radio = new QRadioButton(caption, choiceGroup_);
    radio->setObjectName(QLatin1String(name));
    radio->setGeometry(32, y, radioWidth_, 17);
    return radio;
}

void AntennaOptionsDialog::AddAntennaRow(const IndexRecord& record) {
    auto* row = new QTreeWidgetItem(
        antennaList, {DisplayText(record.modelNumber()), DisplayText(record.rpeNumber())});
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

bool AntennaOptionsDialog::ShowForAntenna(const IndexRecord& record) {
    AddAntennaRow(record);
    return runModal(*this) == QDialog::Accepted;
}

void AntennaOptionsDialog::done(int result) {
    clearAntennas();
    QDialog::done(result);
}

void AntennaOptionsDialog::clearAntennas() {
    antennaList->clear();
}

void AntennaOptionsDialog::addColourBox(int x) {
    colourBox = new QCheckBox(QStringLiteral("Colour pages"), this);
    colourBox->setObjectName(QStringLiteral("colourBox"));
    colourBox->setGeometry(x, 145, okButton->x() - x - 6, 20);
}
