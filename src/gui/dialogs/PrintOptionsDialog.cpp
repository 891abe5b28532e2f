#include "dialogs/PrintOptionsDialog.h"

#include "base/DisplayText.h"
#include "dialogs/PrinterSetupDialog.h"

#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTreeWidget>

PrintOptionsDialog::PrintOptionsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PrintOptionsForm"));
    setWindowTitle(QStringLiteral("Print Options"));
    setFixedSize(452, 173);
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPixelSize(13);
    setFont(base);
    printerSetup = ShowPrinterSetup;

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(6, 4, 249, 129);
    Label1 = new QLabel(QStringLiteral("Antenna Model"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(11, 12, 227, 17);
    lvwRPE = new QTreeWidget(GroupBox1);
    lvwRPE->setObjectName(QStringLiteral("lvwRPE"));
    lvwRPE->setGeometry(11, 31, 227, 86);
    lvwRPE->setHeaderLabels({QStringLiteral("Model Number"), QStringLiteral("RPE Number")});
    lvwRPE->setRootIsDecorated(false);
    lvwRPE->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwRPE->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwRPE->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lvwRPE->header()->setSectionsMovable(false);

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(262, 4, 185, 129);
    Label2 = new QLabel(QStringLiteral("Select Print Options"), GroupBox2);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(16, 17, 160, 17);
    const auto radio = [this](const char* name, const QString& caption, int y) {
        auto* button = new QRadioButton(caption, GroupBox2);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(32, y, 145, 17);
        return button;
    };
    rbGraph = radio("rbGraph", QStringLiteral("Print Graph Only"), 41);
    rbData = radio("rbData", QStringLiteral("Print Data Only"), 66);
    rbBoth = radio("rbBoth", QStringLiteral("Print Both"), 91);
    rbGraph->setChecked(true);

    const auto button = [this](const char* name, const QString& caption, int x) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, 140, 80, 28);
        b->setAutoDefault(false);
        return b;
    };
    Button3 = button("Button3", QStringLiteral("Printer Setup"), 7);
    btnOK = button("btnOK", QStringLiteral("OK"), 280);
    btnCancel = button("btnCancel", QStringLiteral("Cancel"), 366);
    btnOK->setDefault(true);
    Button3->setEnabled(false);
    connect(Button3, &QPushButton::clicked, this, &PrintOptionsDialog::Button3Click);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool PrintOptionsDialog::ShowForAntenna(const IndexRecord& record) {
    lvwRPE->clear();
    auto* row = new QTreeWidgetItem(
        lvwRPE, {DisplayText(record.modelNumber()), DisplayText(record.rpeNumber())});
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return exec() == QDialog::Accepted;
}

PrintChoice PrintOptionsDialog::Choice() const {
    if (rbBoth->isChecked())
        return PrintChoice::Both;
    if (rbData->isChecked())
        return PrintChoice::DataOnly;
    return PrintChoice::GraphOnly;
}

void PrintOptionsDialog::setPrinter(QPrinter* printer) {
    printer_ = printer;
    Button3->setEnabled(printer_ != nullptr);
}

void PrintOptionsDialog::Button3Click() {
    if (printer_ && printerSetup)
        printerSetup(*printer_, this);
}

void PrintOptionsDialog::done(int result) {
    FormClose();
    QDialog::done(result);
}

void PrintOptionsDialog::FormClose() {
    lvwRPE->clear();
}

bool PrintCommand(PrintOptionsDialog& dialog, const IndexRecord& record, OutputFlags& flags,
                  const std::function<void()>& run) {
    if (!dialog.ShowForAntenna(record))
        return false;
    ApplyPrintChoice(dialog.Choice(), flags);
    if (run)
        run();
    return true;
}
