// SPDX-License-Identifier: MIT
#include "dialogs/PrintOptionsDialog.h"

#include "dialogs/PrinterSetupDialog.h"

#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTreeWidget>

namespace {

// The print dialog's own numbers: a larger font, and wider radio buttons for their captions.
AntennaOptionsDialog::Layout printLayout() {
    AntennaOptionsDialog::Layout layout;
    layout.clientWidth = 452;
    layout.fontPixels = 13;
    layout.modelLabel = QRect(11, 12, 227, 17);
    layout.list = QRect(11, 31, 227, 86);
    layout.choiceGroup = QRect(262, 4, 185, 129);
    layout.choiceLabel = QRect(16, 17, 160, 17);
    layout.radioWidth = 145;
    layout.okX = 280;
    layout.cancelX = 366;
    return layout;
}

} // namespace

PrintOptionsDialog::PrintOptionsDialog(QWidget* parent)
    : AntennaOptionsDialog(parent, "PrintOptionsForm", QStringLiteral("Print Options"),
                           QStringLiteral("Select Print Options"), printLayout()) {
    printerSetup = ShowPrinterSetup;
    graphButton = addRadio("graphButton", QStringLiteral("Print Graph Only"), 41);
    dataButton = addRadio("dataButton", QStringLiteral("Print Data Only"), 66);
    bothButton = addRadio("bothButton", QStringLiteral("Print Both"), 91);
    graphButton->setChecked(true);

    printerSetupButton_ = new QPushButton(QStringLiteral("Printer Setup"), this);
    printerSetupButton_->setObjectName(QStringLiteral("printerSetupButton"));
    printerSetupButton_->setGeometry(7, 140, 80, 28);
    printerSetupButton_->setAutoDefault(false);
    printerSetupButton_->setEnabled(false);
    connect(printerSetupButton_, &QPushButton::clicked, this, &PrintOptionsDialog::setUpPrinter);
    addColourBox(96);
    // Tab goes through the choices, then Printer Setup, OK and Cancel, as the dialog is read.
    setTabOrder(antennaList, graphButton);
    setTabOrder(graphButton, dataButton);
    setTabOrder(dataButton, bothButton);
    setTabOrder(bothButton, printerSetupButton_);
    setTabOrder(printerSetupButton_, okButton);
    setTabOrder(okButton, cancelButton);
}

bool PrintOptionsDialog::ShowForAntenna(const IndexRecord& record) {
    antennaList->clear();
    return AntennaOptionsDialog::ShowForAntenna(record);
}

PrintChoice PrintOptionsDialog::Choice() const {
    if (bothButton->isChecked())
        return PrintChoice::Both;
    if (dataButton->isChecked())
        return PrintChoice::DataOnly;
    return PrintChoice::GraphOnly;
}

void PrintOptionsDialog::setPrinter(QPrinter* printer) {
    printer_ = printer;
    printerSetupButton_->setEnabled(printer_ != nullptr);
}

void PrintOptionsDialog::setUpPrinter() {
    if (printer_ && printerSetup)
        printerSetup(*printer_, this);
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
