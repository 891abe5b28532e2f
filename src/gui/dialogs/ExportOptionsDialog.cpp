#include "dialogs/ExportOptionsDialog.h"

#include "base/DisplayText.h"

#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTreeWidget>

AntennaOptionsDialog::AntennaOptionsDialog(QWidget* parent, const char* name,
                                           const QString& caption, int clientWidth, int labelY)
    : QDialog(parent) {
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setFixedSize(clientWidth, 173);
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPixelSize(11);
    setFont(base);
    runModal = [](QDialog& dialog) { return dialog.exec(); };

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(6, 4, 249, 129);
    Label1 = new QLabel(QStringLiteral("Antenna Model"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(11, 14, 227, 15);
    lvwRPE = new QTreeWidget(GroupBox1);
    lvwRPE->setObjectName(QStringLiteral("lvwRPE"));
    lvwRPE->setGeometry(11, 31, 227, 89);
    lvwRPE->setHeaderLabels({QStringLiteral("Model Number"), QStringLiteral("RPE Number")});
    lvwRPE->setRootIsDecorated(false);
    lvwRPE->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwRPE->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwRPE->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lvwRPE->header()->setSectionsMovable(false);

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(264, 4, 179, 129);
    Label2 = new QLabel(caption, GroupBox2);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(16, labelY, 155, 15);

    const auto button = [this](const char* buttonName, const QString& text, int x) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(buttonName));
        b->setGeometry(x, 140, 80, 28);
        b->setAutoDefault(false);
        return b;
    };
    btnOK = button("btnOK", QStringLiteral("OK"), 276);
    btnCancel = button("btnCancel", QStringLiteral("Cancel"), 363);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QRadioButton* AntennaOptionsDialog::addRadio(const char* name, const QString& caption, int y) {
    auto* radio = new QRadioButton(caption, GroupBox2);
    radio->setObjectName(QLatin1String(name));
    radio->setGeometry(32, y, 113, 17);
    return radio;
}

void AntennaOptionsDialog::AddAntennaRow(const IndexRecord& record) {
    auto* row = new QTreeWidgetItem(
        lvwRPE, {DisplayText(record.modelNumber()), DisplayText(record.rpeNumber())});
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

bool AntennaOptionsDialog::ShowForAntenna(const IndexRecord& record) {
    AddAntennaRow(record);
    return runModal(*this) == QDialog::Accepted;
}

void AntennaOptionsDialog::done(int result) {
    FormClose();
    QDialog::done(result);
}

void AntennaOptionsDialog::FormClose() {
    lvwRPE->clear();
}

ExportOptionsDialog::ExportOptionsDialog(QWidget* parent)
    : AntennaOptionsDialog(parent, "ExportOptionsForm", QStringLiteral("Export Graph Options"), 455,
                           17) {
    rbPDF = addRadio("rbPDF", QStringLiteral("Export to .pdf"), 43);
    rbGIF = addRadio("rbGIF", QStringLiteral("Export to .gif"), 63);
    rbJPG = addRadio("rbJPG", QStringLiteral("Export to .jpg"), 83);
    rbPDF->setChecked(true);
}
