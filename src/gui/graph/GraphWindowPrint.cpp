// The graph window's printing: the print command, the print branch of the run, and the hidden
// holders of the print options.
#include "AppContext.h"
#include "base/DisplayText.h"
#include "base/Prompter.h"
#include "dialogs/PenWidthDialog.h"
#include "dialogs/PrintOptionsDialog.h"
#include "dialogs/PrinterSetupDialog.h"
#include "graph/GraphWindow.h"
#include "print/CupsPrint.h"

#include <QtGui/QAction>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>

void GraphWindow::PrinterDelete::operator()(QPrinter* printer) const {
    delete printer;
}

namespace {

QAction* menuItem(QObject* parent, const char* name, const char* text) {
    auto* a = new QAction(QString::fromLatin1(text), parent);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QCheckBox* holderBox(QWidget* parent, const char* name, const char* text, bool checked) {
    auto* box = new QCheckBox(QString::fromLatin1(text), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    box->hide();
    return box;
}

} // namespace

void GraphWindow::buildPrintHolders(QWidget* bottomStrip) {
    Printer.reset(MakeProgramPrinter().release());

    // The print command: File > "Print..." (Ctrl+P) and the tool bar's "Print", both enabled once
    // an antenna is shown.
    connect(printAction, &QAction::triggered, this, &GraphWindow::printCommand);
    connect(tbPrint, &QToolButton::clicked, this, &GraphWindow::printCommand);
    connect(printAction, &QAction::enabledChanged, tbPrint, &QWidget::setEnabled);

    // The hidden menus. A checkable item inverts its own check mark when chosen; the *Click
    // handlers do the same for callers.
    PenWidth1 = menuItem(this, "PenWidth1", "Pen &Width...");
    SetUp1 = menuItem(this, "SetUp1", "Printer &Set Up...");
    runOutputAction = menuItem(this, "runOutputAction", "&Print");
    PrintOptions1 = menuBar()->addMenu(QStringLiteral("&Print Options"));
    PrintOptions1->setObjectName(QStringLiteral("PrintOptions1"));
    for (QAction* a : {PenWidth1, SetUp1, Pause1, MakeJPG1, MakeGIF1, MakePDF1, Graph1, Data1,
                       runOutputAction, OutputLocations1})
        PrintOptions1->addAction(a);
    PrintOptions1->menuAction()->setVisible(false);
    PrintMenu1 = menuBar()->addMenu(QStringLiteral("Print"));
    PrintMenu1->setObjectName(QStringLiteral("PrintMenu1"));
    PrintMenu1->addAction(Color1);
    PrintMenu1->menuAction()->setVisible(false);
    connect(PenWidth1, &QAction::triggered, this, &GraphWindow::PenWidth1Click);
    connect(SetUp1, &QAction::triggered, this, &GraphWindow::SetUp1Click);
    connect(runOutputAction, &QAction::triggered, this, &GraphWindow::runOutput);

    // The hidden check boxes and "&Print" button of the bottom panel. Each box and its menu item
    // follow each other whoever changes them (a handler, the settings, the print command).
    graphChoice = holderBox(bottomStrip, "graphChoice", "Graph", Graph1->isChecked());
    dataChoice = holderBox(bottomStrip, "dataChoice", "Data", Data1->isChecked());
    connect(Graph1, &QAction::toggled, graphChoice, &QCheckBox::setChecked);
    connect(graphChoice, &QCheckBox::toggled, Graph1, &QAction::setChecked);
    connect(Data1, &QAction::toggled, dataChoice, &QCheckBox::setChecked);
    connect(dataChoice, &QCheckBox::toggled, Data1, &QAction::setChecked);
    Button3 = new QPushButton(QStringLiteral("&Print"), bottomStrip);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->hide();
    connect(Button3, &QPushButton::clicked, this, &GraphWindow::runOutput);
    // The run's hidden items need an antenna on show, as the print command does.
    runOutputAction->setEnabled(false);
    Button3->setEnabled(false);
    connect(printAction, &QAction::enabledChanged, runOutputAction, &QAction::setEnabled);
    connect(printAction, &QAction::enabledChanged, Button3, &QWidget::setEnabled);
}

void GraphWindow::setPrintDialogs(PrintOptionsDialog* options, PenWidthDialog* penWidth) {
    printOptions_ = options;
    penWidth_ = penWidth;
    if (printOptions_)
        printOptions_->setPrinter(Printer.get());
}

void GraphWindow::printCommand() {
    // Nothing starts while a run (a PDF converter) is still going.
    if (!printAction->isEnabled() || !printOptions_ || isRunning())
        return;
    OutputFlags flags{Graph1->isChecked(), Data1->isChecked(), MakeJPG1->isChecked(),
                      MakeGIF1->isChecked(), MakePDF1->isChecked()};
    PrintCommand(*printOptions_, CurrentRecord, flags, [this, &flags] {
        // The choice sets graph and data; the output flags are cleared so that the run prints
        // even after an export earlier in the session.
        Graph1->setChecked(flags.Graph);
        Data1->setChecked(flags.Data);
        MakeJPG1->setChecked(flags.MakeJPG);
        MakeGIF1->setChecked(flags.MakeGIF);
        MakePDF1->setChecked(flags.MakePDF);
        runOutput();
    });
}

void GraphWindow::PrintBranch() {
    PrintRunRequest request;
    request.Graph = graphChoice->isChecked();
    request.Data = dataChoice->isChecked();
    request.Pause = Pause1->isChecked();
    request.Feed = Pattern.feedKind;
    request.PenFactor = PenFactor;
    request.Title = DisplayText(CurrentRecord.modelNumber()).trimmed();
    // The page routines draw with PenFactor, the same choice the run hands the callbacks.
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

void GraphWindow::SetUp1Click() {
    ShowPrinterSetup(*Printer, this);
}

void GraphWindow::PenWidth1Click() {
    if (!penWidth_)
        return;
    if (const std::optional<int> chosen = penWidth_->ShowForFactor(PenFactor))
        PenFactor = *chosen;
}

void GraphWindow::Color1Click() {
    Color1->toggle();
}

void GraphWindow::Pause1Click() {
    Pause1->toggle();
}

void GraphWindow::Graph1Click() {
    Graph1->toggle();
    graphChoice->setChecked(Graph1->isChecked());
}

void GraphWindow::Data1Click() {
    Data1->toggle();
    dataChoice->setChecked(Data1->isChecked());
}

void GraphWindow::graphChoiceClicked() {
    Graph1->setChecked(graphChoice->isChecked());
}

void GraphWindow::dataChoiceClicked() {
    Data1->setChecked(dataChoice->isChecked());
}
