// SPDX-License-Identifier: MIT
// The graph window's printing: the print command, the print branch of the run, the printer setup
// and the pen width.
#include "AppContext.h"
#include "base/DisplayText.h"
#include "base/Prompter.h"
#include "dialogs/PenWidthDialog.h"
#include "dialogs/PrintOptionsDialog.h"
#include "dialogs/PrinterSetupDialog.h"
#include "graph/GraphSession.h"
#include "graph/GraphWindow.h"
#include "print/CupsPrint.h"

#include <QtGui/QAction>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QToolButton>

void GraphWindow::PrinterDelete::operator()(QPrinter* printer) const {
    delete printer;
}

void GraphWindow::buildPrintCommand() {
    Printer.reset(MakeProgramPrinter().release());

    // The print command: File > "Print..." (Ctrl+P) and the tool bar's "Print", both enabled once
    // an antenna is shown.
    connect(printAction_, &QAction::triggered, this, &GraphWindow::printCommand);
    connect(tbPrint_, &QToolButton::clicked, this, &GraphWindow::printCommand);
    connect(printAction_, &QAction::enabledChanged, tbPrint_, &QWidget::setEnabled);
}

void GraphWindow::setPrintDialogs(PrintOptionsDialog* options, PenWidthDialog* penWidth) {
    printOptions_ = options;
    penWidth_ = penWidth;
    if (printOptions_) {
        printOptions_->setPrinter(Printer.get());
        bindColourBox(printOptions_->colourBox);
    }
}

void GraphWindow::printCommand() {
    // Nothing starts while a run (a PDF converter) is still going.
    if (!printAction_->isEnabled() || !printOptions_ || isRunning())
        return;
    OutputFlags flags = session_->outputFlags();
    PrintCommand(*printOptions_, session_->antenna.record, flags, [this, &flags] {
        // The choice sets graph and data; the output flags are cleared so that the run prints
        // even after an export earlier in the session.
        session_->setOutputFlags(flags);
        runOutput();
    });
}

void GraphWindow::PrintBranch() {
    const GraphSession& s = *session_;
    PrintRunRequest request;
    request.Graph = s.isOn(GraphSession::Graph);
    request.Data = s.isOn(GraphSession::Data);
    request.Pause = s.isOn(GraphSession::PausePrinting);
    request.Feed = s.feed();
    request.PenFactor = s.penFactor();
    request.Title = DisplayText(s.antenna.record.modelNumber()).trimmed();
    // The page routines draw with the session's pen factor, the same choice the run hands the
    // callbacks.
    const PrintRunPages pages{
        [this](QPainter& page, int) { DrawPortraitGraphPage(page); },
        [this](QPainter& page, int) { DrawLandscapeGraphPage(page); },
        [this](QPainter& page, int) { DrawDataPage(page); },
    };
    const std::unique_ptr<PrintBackend> backend =
        makePrintBackend ? makePrintBackend()
                         : std::make_unique<CupsBackend>(SetupFromPrinter(*Printer));
    LastPrintRun = RunPrint(request, pages, *backend, context_.prompter());
    // The printer keeps the orientation the run used last, as the next printer setup shows.
    if (LastPrintRun.LastOrientation)
        Printer->setPageOrientation(*LastPrintRun.LastOrientation);
}

void GraphWindow::setUpPrinter() {
    ShowPrinterSetup(*Printer, this);
}

void GraphWindow::choosePenWidth() {
    if (!penWidth_)
        return;
    if (const std::optional<int> chosen = penWidth_->ShowForFactor(session_->penFactor()))
        session_->setPenFactor(*chosen);
}
