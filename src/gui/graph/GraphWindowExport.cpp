// The graph window's export: the export commands, the output toggles, the File Locations
// command, the export branch of the run and the text copy.
#include "AppContext.h"
#include "base/DisplayText.h"
#include "base/ProgramPaths.h"
#include "base/Prompter.h"
#include "dialogs/ExportDataDialog.h"
#include "dialogs/ExportOptionsDialog.h"
#include "dialogs/OutputFoldersDialog.h"
#include "dialogs/QtSaveDialogs.h"
#include "dialogs/VectorExportDialog.h"
#include "dialogs/WaitCursor.h"
#include "graph/GraphWindow.h"
#include "output/ExportRun.h"
#include "output/OutputNames.h"
#include "output/PdfExport.h"
#include "output/VectorExportRun.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QAction>
#include <QtWidgets/QApplication>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>

void GraphWindow::buildExportCommands() {
    OutputLocations1 = new QAction(QStringLiteral("&Output Locations..."), this);
    OutputLocations1->setObjectName(QStringLiteral("OutputLocations1"));
    connect(OutputLocations1, &QAction::triggered, this, &GraphWindow::OutputLocations1Click);
    // The toggles are checkable: triggering one has already flipped its mark.
    for (QAction* flag : {MakeJPG1, MakeGIF1, MakePDF1})
        connect(flag, &QAction::triggered, this,
                [this, flag](bool on) { setOutputFlag(flag, on); });
    connect(ExportGraph1, &QAction::triggered, this, &GraphWindow::ExportGraphClick);
    connect(ExportData1, &QAction::triggered, this, &GraphWindow::ExportDataClick);
    connect(tbExport, &QToolButton::clicked, this, &GraphWindow::ExportGraphClick);
    connect(ExportGraph1, &QAction::enabledChanged, tbExport, &QWidget::setEnabled);
    VectorExportForm = new VectorExportDialog(this);
    connect(ExportVectorPdf1, &QAction::triggered, this, &GraphWindow::ExportVectorPdfClick);
    connect(ExportSvg1, &QAction::triggered, this, &GraphWindow::ExportSvgClick);
}

void GraphWindow::setExportWindows(ExportOptionsDialog* graphOptions, ExportDataDialog* dataOptions,
                                   OutputFoldersDialog* fileLocations) {
    ExportOptionsForm = graphOptions;
    ExportDataForm = dataOptions;
    FileLoc = fileLocations;
}

void GraphWindow::setOutputFlag(QAction* flag, bool on) {
    flag->setChecked(on);
    if (!on)
        return;
    for (QAction* other : {MakeJPG1, MakeGIF1, MakePDF1})
        if (other != flag)
            other->setChecked(false);
}

void GraphWindow::MakeJPG1Click() {
    setOutputFlag(MakeJPG1, !MakeJPG1->isChecked());
}

void GraphWindow::MakeGIF1Click() {
    setOutputFlag(MakeGIF1, !MakeGIF1->isChecked());
}

void GraphWindow::MakePDF1Click() {
    setOutputFlag(MakePDF1, !MakePDF1->isChecked());
}

void GraphWindow::OutputLocations1Click() {
    if (runActive_ || !FileLoc)
        return;
    FileLoc->exec();
}

void GraphWindow::ExportGraphClick() {
    if (runActive_ || !ExportOptionsForm || !ExportGraph1->isEnabled())
        return;
    if (!ExportOptionsForm->ShowForAntenna(CurrentRecord))
        return;
    Graph1->setChecked(true);
    Data1->setChecked(false);
    MakePDF1->setChecked(ExportOptionsForm->rbPDF->isChecked());
    MakeGIF1->setChecked(ExportOptionsForm->rbGIF->isChecked());
    MakeJPG1->setChecked(ExportOptionsForm->rbJPG->isChecked());
    runOutput();
}

void GraphWindow::ExportDataClick() {
    if (runActive_ || !ExportDataForm || !ExportData1->isEnabled())
        return;
    if (!ExportDataForm->ShowForAntenna(CurrentRecord))
        return;
    Graph1->setChecked(false);
    Data1->setChecked(true);
    MakePDF1->setChecked(ExportDataForm->rbPDF->isChecked());
    MakeJPG1->setChecked(false);
    MakeGIF1->setChecked(false);
    if (MakePDF1->isChecked())
        runOutput();
    else
        ExportTextData();
}

void GraphWindow::ExportVectorPdfClick() {
    exportVector(VectorFormat::Pdf);
}

void GraphWindow::ExportSvgClick() {
    exportVector(VectorFormat::Svg);
}

void GraphWindow::exportVector(VectorFormat format) {
    const QAction* command = format == VectorFormat::Pdf ? ExportVectorPdf1 : ExportSvg1;
    if (runActive_ || !command->isEnabled())
        return;
    VectorExportForm->SetFormat(format);
    if (!VectorExportForm->ShowForAntenna(CurrentRecord) || !beginRun())
        return;
    VectorExportRequest request;
    request.Format = format;
    request.Pages = VectorExportForm->Choice();
    request.ProgramDir = context_.programDirectory();
    request.PdfLocation = output::PrepareOutputFolder(
        output::ExportKind::ChartPdf, context_.shellSettings().PDFfiles, request.ProgramDir);
    request.Color = Color1->isChecked();
    if (!saveDialogs)
        saveDialogs = std::make_unique<QtSaveDialogs>(this);
    // The pages show the mask the printed chart would show.
    const std::optional<MaskOverlay> mask = PageMaskOverlay();
    VectorExportResult result;
    {
        WaitCursor wait; // lifted while the dialogs and the messages are shown
        result = RunVectorExport(request, CurrentRecord, Pattern, mask ? &*mask : nullptr,
                                 *saveDialogs, context_.prompter());
    }
    for (const QString& file : result.Produced)
        context_.prompter().openFile(file);
    endRun();
}

void GraphWindow::ExportBranch() {
    const ShellSettings& shell = context_.shellSettings();
    ExportRunRequest request;
    request.Graph = Graph1->isChecked();
    request.Data = Data1->isChecked();
    request.MakeJPG = MakeJPG1->isChecked();
    request.MakeGIF = MakeGIF1->isChecked();
    request.MakePDF = MakePDF1->isChecked();
    request.Landscape = isTwoSided(Pattern.feedKind);
    request.RpeNumber = CurrentRecord.rpeNumber();
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
    request.CommonFilesDir = context_.commonFilesDirectory();

    ExportRunPages pages;
    pages.Graph = [this](QImage& image) {
        if (isTwoSided(Pattern.feedKind))
            DrawLandscapeGraphPage(image);
        else
            DrawPortraitGraphPage(image);
    };
    pages.Data = [this](QImage& image) { DrawDataPage(image); };

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
    const ExportRunResult result =
        RunExport(request, pages, *saveDialogs, context_.prompter(), &control);
    pdfRun_ = nullptr;
    runConfirmedFile_ = result.fileToOpen();
}

void GraphWindow::ExportTextData() {
    if (!beginRun())
        return;
    // The data file the antenna was read from; when it was not found, where it was looked for.
    QString source = CurrentDataPath;
    if (source.isEmpty())
        source = QDir(paths::dataDirectory(context_.shellSettings().SourceDir,
                                           context_.programDirectory()))
                     .filePath(DisplayText(CurrentRecord.fileName()));
    const QString start = lastTextFolder_.isEmpty() ? QDir::homePath() : lastTextFolder_;
    if (!saveDialogs)
        saveDialogs = std::make_unique<QtSaveDialogs>(this);
    std::optional<QString> written;
    {
        WaitCursor wait; // lifted while the dialog and the messages are shown
        written = RunTextExport(source, CurrentRecord.rpeNumber(), start, *saveDialogs,
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
