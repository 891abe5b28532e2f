// SPDX-License-Identifier: MIT
#pragma once
// The program's printer: one QPrinter for the whole run of the program, which keeps the printer,
// paper and options chosen in the printer setup dialog. Documents are not printed through it
// (see CupsPrint.h): it only tells the print run which printer and paper the user chose.
#include "print/CupsPrint.h"

#include <memory>

class QPrintDialog;
class QPrinter;
class QWidget;

// A fresh program printer at 600 dots per inch, on the printing system's default printer.
std::unique_ptr<QPrinter> MakeProgramPrinter();

// True when `printer` is a printer of the printing system. With no scheduler or no printer, Qt
// quietly turns a QPrinter into a PDF file writer that still reports itself valid.
bool IsSystemPrinter(const QPrinter& printer);

// What the print run needs from the program's printer: its name, the paper and the job options
// chosen in the setup dialog (copies, two-sided, monochrome). A printer that is not a printer
// of the printing system gives the empty setup, so the run looks for the default printer
// itself (one may have been added since the program started) and otherwise says that there is
// no printer.
PrinterSetup SetupFromPrinter(const QPrinter& printer);

// Turns the platform's print dialog into the printer setup: no "print to file" (documents
// become files only through Export), and OK instead of Print, since nothing prints yet.
void PreparePrinterSetupDialog(QPrintDialog& dialog);

// Shows the printer setup dialog on `printer`, modally. True when it was closed with OK; the
// printer then keeps the choice.
bool ShowPrinterSetup(QPrinter& printer, QWidget* parent);
