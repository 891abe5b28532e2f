// SPDX-License-Identifier: MIT
#include "dialogs/PrinterSetupDialog.h"

#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>

std::unique_ptr<QPrinter> MakeProgramPrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setResolution(PrinterDotsPerInch);
    return printer;
}

bool IsSystemPrinter(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty() &&
           printer.outputFileName().isEmpty();
}

PrinterSetup SetupFromPrinter(const QPrinter& printer) {
    PrinterSetup setup;
    if (!IsSystemPrinter(printer))
        return setup;
    setup.Name = printer.printerName();
    const QPageSize size = printer.pageLayout().pageSize();
    if (size.isValid())
        setup.PageSize = size;
    if (printer.copyCount() > 1)
        setup.Options.emplace_back("copies", QByteArray::number(printer.copyCount()));
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto:
        setup.Options.emplace_back("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        setup.Options.emplace_back("sides", "two-sided-short-edge");
        break;
    case QPrinter::DuplexNone:
        break;
    }
    if (printer.colorMode() == QPrinter::GrayScale)
        setup.Options.emplace_back("print-color-mode", "monochrome");
    return setup;
}

void PreparePrinterSetupDialog(QPrintDialog& dialog) {
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
}

bool ShowPrinterSetup(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    PreparePrinterSetupDialog(dialog);
    return dialog.exec() == QDialog::Accepted;
}
