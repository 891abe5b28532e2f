// SPDX-License-Identifier: MIT
// The graph window's output: the pages it draws (chart and data sheet, with the mask a page
// shows), the print/export run, its export commands and File Locations, and its printing (the
// print command, the print branch, the printer setup and the pen width). The rest of the window
// calls into this file; nothing here calls back into the window's other file, so the two stay
// in one direction.
#include "AppContext.h"
#include "base/DisplayText.h"
#include "base/ProgramPaths.h"
#include "base/Prompter.h"
#include "dialogs/ExportDataDialog.h"
#include "dialogs/ExportOptionsDialog.h"
#include "dialogs/OutputFoldersDialog.h"
#include "dialogs/PenWidthDialog.h"
#include "dialogs/PrintOptionsDialog.h"
#include "dialogs/PrinterSetupDialog.h"
#include "dialogs/QtSaveDialogs.h"
#include "dialogs/VectorExportDialog.h"
#include "dialogs/WaitCursor.h"
#include "graph/ComplianceWindow.h"
#include "graph/GraphSession.h"
#include "graph/GraphWindow.h"
#include "output/ExportRun.h"
#include "output/OutputNames.h"
#include "output/PdfExport.h"
#include "output/VectorExportRun.h"
#include "pages/PageRoutines.h"
#include "print/CupsPrint.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QAction>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>

std::optional<MaskOverlay> GraphWindow::PageMaskOverlay() const {
    return compliance_ ? compliance_->PageOverlay() : std::nullopt;
}

PageSource GraphWindow::pageSource() {
    PageSource page{PageMap, session_->antenna.record, session_->antenna.pattern,
                    session_->isOn(GraphSession::Colour), session_->penFactor()};
    pageMask_ = PageMaskOverlay();
    if (pageMask_)
        page.Mask = &*pageMask_;
    return page;
}

// The page routines never change the session's pen factor: it holds the pen width dialog's
// choice, which the printer pages use (3 while none was made), and the export images are drawn
// with 1 regardless.
void GraphWindow::DrawPortraitGraphPage(QPainter& printerPage) {
    ::DrawPortraitGraphPage(pageSource(), printerPage);
}

void GraphWindow::DrawPortraitGraphPage(QImage& scratchImage) {
    ::DrawPortraitGraphPage(pageSource(), scratchImage);
}

void GraphWindow::DrawLandscapeGraphPage(QPainter& printerPage) {
    ::DrawLandscapeGraphPage(pageSource(), printerPage);
}

void GraphWindow::DrawLandscapeGraphPage(QImage& scratchImage) {
    ::DrawLandscapeGraphPage(pageSource(), scratchImage);
}

void GraphWindow::DrawDataPage(QPainter& printerPage) {
    ::DrawDataPage(pageSource(), printerPage);
}

void GraphWindow::DrawDataPage(QImage& scratchImage) {
    ::DrawDataPage(pageSource(), scratchImage);
}

void GraphWindow::bindColourBox(QCheckBox* box) {
    if (!box)
        return;
    box->setChecked(session_->isOn(GraphSession::Colour));
    connect(box, &QCheckBox::toggled, this,
            [this](bool on) { session_->set(GraphSession::Colour, on); });
    connect(session_, &GraphSession::choiceChanged, box,
            [box](GraphSession::Choice choice, bool on) {
                if (choice == GraphSession::Colour)
                    box->setChecked(on);
            });
}

void GraphWindow::runOutput() {
    if (!beginRun())
        return;
    runConfirmedFile_.clear();
    {
        WaitCursor wait;
        if (session_->writesFiles())
            ExportBranch();
        else
            PrintBranch();
    }
    if (!runConfirmedFile_.isEmpty())
        context_.prompter().openFile(runConfirmedFile_);
    runConfirmedFile_.clear();
    endRun();
}

void GraphWindow::buildExportCommands() {
    connect(exportGraphAction_, &QAction::triggered, this, &GraphWindow::exportGraph);
    connect(exportDataAction_, &QAction::triggered, this, &GraphWindow::exportData);
    connect(tbExport_, &QToolButton::clicked, this, &GraphWindow::exportGraph);
    connect(exportGraphAction_, &QAction::enabledChanged, tbExport_, &QWidget::setEnabled);
    vectorExportDialog_ = new VectorExportDialog(this);
    connect(exportVectorPdfAction_, &QAction::triggered, this, &GraphWindow::exportVectorPdf);
    connect(exportSvgAction_, &QAction::triggered, this, &GraphWindow::exportSvg);
}

void GraphWindow::setExportWindows(ExportOptionsDialog* graphOptions, ExportDataDialog* dataOptions,
                                   OutputFoldersDialog* fileLocations) {
    graphExportDialog_ = graphOptions;
    dataExportDialog_ = dataOptions;
    outputFolders_ = fileLocations;
    if (graphExportDialog_)
        bindColourBox(graphExportDialog_->colourBox);
}

void GraphWindow::chooseOutputFolders() {
    if (runActive_ || !outputFolders_)
        return;
    outputFolders_->exec();
}

void GraphWindow::exportGraph() {
    if (runActive_ || !graphExportDialog_ || !exportGraphAction_->isEnabled())
        return;
    if (!graphExportDialog_->ShowForAntenna(session_->antenna.record))
        return;
    session_->setOutputFlags({true, false, graphExportDialog_->rbJPG->isChecked(),
                              graphExportDialog_->rbGIF->isChecked(),
                              graphExportDialog_->rbPDF->isChecked()});
    runOutput();
}

void GraphWindow::exportData() {
    if (runActive_ || !dataExportDialog_ || !exportDataAction_->isEnabled())
        return;
    if (!dataExportDialog_->ShowForAntenna(session_->antenna.record))
        return;
    session_->setOutputFlags({false, true, false, false, dataExportDialog_->rbPDF->isChecked()});
    if (session_->isOn(GraphSession::MakePdf))
        runOutput();
    else
        ExportTextData();
}

void GraphWindow::exportVectorPdf() {
    exportVector(VectorFormat::Pdf);
}

void GraphWindow::exportSvg() {
    exportVector(VectorFormat::Svg);
}

void GraphWindow::exportVector(VectorFormat format) {
    const QAction* command =
        format == VectorFormat::Pdf ? exportVectorPdfAction_ : exportSvgAction_;
    if (runActive_ || !command->isEnabled())
        return;
    vectorExportDialog_->SetFormat(format);
    if (!vectorExportDialog_->ShowForAntenna(session_->antenna.record) || !beginRun())
        return;
    VectorExportRequest request;
    request.Format = format;
    request.Pages = vectorExportDialog_->Choice();
    request.ProgramDir = context_.programDirectory();
    request.PdfLocation = output::PrepareOutputFolder(
        output::ExportKind::ChartPdf, context_.shellSettings().PDFfiles, request.ProgramDir);
    request.Color = session_->isOn(GraphSession::Colour);
    if (!saveDialogs)
        saveDialogs = std::make_unique<QtSaveDialogs>(this);
    // The pages show the mask the printed chart would show.
    const std::optional<MaskOverlay> mask = PageMaskOverlay();
    VectorExportResult result;
    {
        WaitCursor wait; // lifted while the dialogs and the messages are shown
        result = RunVectorExport(request, session_->antenna, mask ? &*mask : nullptr, *saveDialogs,
                                 context_.prompter());
    }
    for (const QString& file : result.Produced)
        context_.prompter().openFile(file);
    endRun();
}

void GraphWindow::ExportBranch() {
    const ShellSettings& shell = context_.shellSettings();
    const GraphSession& s = *session_;
    ExportRunRequest request;
    request.Graph = s.isOn(GraphSession::Graph);
    request.Data = s.isOn(GraphSession::Data);
    request.MakeJPG = s.isOn(GraphSession::MakeJpg);
    request.MakeGIF = s.isOn(GraphSession::MakeGif);
    request.MakePDF = s.isOn(GraphSession::MakePdf);
    request.RpeNumber = s.antenna.record.rpeNumber();
    request.ProgramDir = context_.programDirectory();
    // The save dialogs of the run open in folders that exist: a default one is made when first
    // used. A JPG or GIF is asked for the chart only.
    const auto folder = [&request](output::ExportKind kind, const QString& text, bool asked) {
        return asked ? output::PrepareOutputFolder(kind, text, request.ProgramDir) : text;
    };
    request.JpgLocation =
        folder(output::ExportKind::ChartJpg, shell.JPGfiles, request.Graph && request.MakeJPG);
    request.GifLocation =
        folder(output::ExportKind::ChartGif, shell.GIFfiles, request.Graph && request.MakeGIF);
    request.PdfLocation = folder(output::ExportKind::ChartPdf, shell.PDFfiles,
                                 request.MakePDF && (request.Graph || request.Data));
    // The pages show the colour and the mask the printed chart would show.
    const std::optional<MaskOverlay> mask = PageMaskOverlay();
    PageOptions options;
    options.color = s.isOn(GraphSession::Colour);
    options.mask = mask ? &*mask : nullptr;
    options.commonFilesDir = context_.commonFilesDirectory();

    if (!saveDialogs)
        saveDialogs = std::make_unique<QtSaveDialogs>(this);
    PdfRunControl control;
    // While the converter runs the window takes no commands: user input waits meanwhile and is
    // then dropped by the modal message box that ends the step.
    control.onConverterStarted = [this] {
        setEnabled(false);
        if (onConverterStarted)
            onConverterStarted();
    };
    control.onConverterEnded = [this] { setEnabled(true); };
    pdfRun_ = &control;
    options.pdfControl = &control;
    const ExportRunResult result =
        RunExport(request, s.antenna, options, *saveDialogs, context_.prompter());
    pdfRun_ = nullptr;
    runConfirmedFile_ = result.fileToOpen();
}

void GraphWindow::ExportTextData() {
    if (!beginRun())
        return;
    // The data file the antenna was read from; when it was not found, where it was looked for.
    const GraphSession& s = *session_;
    QString source = s.antenna.path;
    if (source.isEmpty())
        source = QDir(paths::dataDirectory(context_.shellSettings().SourceDir,
                                           context_.programDirectory()))
                     .filePath(DisplayText(s.antenna.record.fileName()));
    const QString start = lastTextFolder_.isEmpty() ? QDir::homePath() : lastTextFolder_;
    if (!saveDialogs)
        saveDialogs = std::make_unique<QtSaveDialogs>(this);
    std::optional<QString> written;
    {
        WaitCursor wait; // lifted while the dialog and the messages are shown
        written = RunTextExport(source, s.antenna.record.rpeNumber(), start, *saveDialogs,
                                context_.prompter());
    }
    if (written) {
        lastTextFolder_ = QFileInfo(*written).absolutePath();
        context_.prompter().openFile(*written);
    }
    endRun();
}

bool GraphWindow::beginRun() {
    if (runActive_)
        return false;
    runActive_ = true;
    closeAfterRun_ = false;
    return true;
}

void GraphWindow::endRun() {
    setEnabled(true);
    runActive_ = false;
    if (std::exchange(closeAfterRun_, false))
        close();
}

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
