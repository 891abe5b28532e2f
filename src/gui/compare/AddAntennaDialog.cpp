// SPDX-License-Identifier: MIT
#include "compare/AddAntennaDialog.h"

#include "base/DisplayText.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

namespace {

// "ZZX10-60L.adf  RPE 12050  5925-6425 MHz": a data file of the chosen model.
QString fileLine(const IndexRecord& record) {
    return QStringLiteral("%1  RPE %2  %3")
        .arg(DisplayText(record.fileName()).trimmed(), DisplayText(record.rpeNumber()).trimmed(),
             DisplayText(record.frequencyRange()).trimmed());
}

void fill(QListWidget* list, const QStringList& items) {
    list->clear();
    list->addItems(items);
}

} // namespace

AddAntennaDialog::AddAntennaDialog(IndexFile& index, QWidget* parent)
    : QDialog(parent), index_(index) {
    setObjectName(QStringLiteral("addAntennaDialog"));
    setWindowTitle(QStringLiteral("Add Antenna"));
    auto makeList = [this](const char* name) {
        auto* list = new QListWidget(this);
        list->setObjectName(QString::fromLatin1(name));
        return list;
    };
    rangeList = makeList("rangeList");
    typeList = makeList("typeList");
    modelList = makeList("modelList");
    fileList = makeList("fileList");
    auto* grid = new QGridLayout(this);
    const QList<QPair<const char*, QListWidget*>> columns = {{"Frequency Range", rangeList},
                                                             {"Type", typeList},
                                                             {"Model Number", modelList},
                                                             {"Data File", fileList}};
    for (int c = 0; c < columns.size(); ++c) {
        grid->addWidget(new QLabel(QString::fromLatin1(columns[c].first), this), 0, c);
        grid->addWidget(columns[c].second, 1, c);
    }
    // The file lines are the longest.
    for (int c = 0; c < 3; ++c)
        grid->setColumnStretch(c, 2);
    grid->setColumnStretch(3, 5);
    auto* buttons = new QDialogButtonBox(this);
    addButton = buttons->addButton(QStringLiteral("&Add"), QDialogButtonBox::ApplyRole);
    addButton->setObjectName(QStringLiteral("addButton"));
    addButton->setEnabled(false);
    addButton->setAutoDefault(false); // Return on a file adds it once, through the list
    buttons->addButton(QDialogButtonBox::Close);
    grid->addWidget(buttons, 2, 0, 1, 4);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(addButton, &QPushButton::clicked, this, &AddAntennaDialog::addChosen);
    connect(rangeList, &QListWidget::currentRowChanged, this, &AddAntennaDialog::rangeChosen);
    connect(typeList, &QListWidget::currentRowChanged, this, &AddAntennaDialog::typeChosen);
    connect(modelList, &QListWidget::currentRowChanged, this, &AddAntennaDialog::modelChosen);
    connect(fileList, &QListWidget::currentRowChanged, this,
            [this](int row) { addButton->setEnabled(row >= 0); });
    // A double click on a file adds it.
    connect(fileList, &QListWidget::itemActivated, this, &AddAntennaDialog::addChosen);
    resize(1000, 420);
}

void AddAntennaDialog::reload() {
    const CatalogueLists lists = ScanAllLists(index_);
    fill(rangeList, lists.ranges);
    fill(typeList, lists.types);
    fill(modelList, lists.models);
    fileList->clear();
    files_.clear();
}

std::optional<RangeFilter> AddAntennaDialog::selectedRange() const {
    const int row = rangeList->currentRow();
    if (row <= 0)
        return std::nullopt;
    return RangeFilter::fromLabel(rangeList->item(row)->text().toLatin1());
}

void AddAntennaDialog::rangeChosen() {
    if (rangeList->currentRow() < 0)
        return;
    const CatalogueLists lists = ScanRange(index_, selectedRange());
    fill(typeList, lists.types);
    fill(modelList, lists.models);
}

void AddAntennaDialog::typeChosen() {
    if (const QListWidgetItem* item = typeList->currentItem())
        fill(modelList, ScanType(index_, item->text(), selectedRange()));
}

void AddAntennaDialog::modelChosen() {
    fileList->clear();
    files_.clear();
    const QListWidgetItem* item = modelList->currentItem();
    if (!item)
        return;
    // The model's files within the chosen range (a model may have one file per band).
    const std::optional<RangeFilter> range = selectedRange();
    for (const IndexRecord& record : FindListedModel(index_, item->text()))
        if (!range || range->passes(record)) {
            files_ << record;
            fileList->addItem(fileLine(record));
        }
    // One file: it is the choice.
    if (files_.size() == 1)
        fileList->setCurrentRow(0);
}

std::optional<IndexRecord> AddAntennaDialog::chosenRecord() const {
    const int row = fileList->currentRow();
    if (row < 0 || row >= files_.size())
        return std::nullopt;
    return files_.at(row);
}

void AddAntennaDialog::addChosen() {
    if (const std::optional<IndexRecord> record = chosenRecord())
        Q_EMIT recordChosen(*record);
}
