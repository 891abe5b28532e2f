#include "graph/GraphWindow.h"

#include "AppContext.h"
#include "adf/PatternReader.h"
#include "base/ProgramPaths.h"
#include "base/Prompter.h"
#include "catalogue/DataFileLocation.h"
#include "dialogs/WaitCursor.h"
#include "dialogs/WindowPlacement.h"
#include "graph/ComplianceWindow.h"
#include "graph/LegendWindow.h"
#include "output/PdfExport.h"
#include "pages/PageRoutines.h"
#include "pages/ScreenChart.h"

#include <QtCore/QEventLoop>
#include <QtGui/QAction>
#include <QtGui/QCloseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QSlider>
#include <QtWidgets/QStyle>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

namespace {

constexpr int ClientWidth = 674;
constexpr int ClientHeight = 492;
constexpr int ToolBarHeight = 41;
constexpr int SliderStart = 155;

QAction* checkItem(QObject* parent, const char* name, const char* text) {
    auto* a = new QAction(QString::fromLatin1(text), parent);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(true);
    return a;
}

QAction* item(QObject* parent, const char* name, const char* text) {
    auto* a = new QAction(QString::fromLatin1(text), parent);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

} // namespace

GraphWindow::GraphWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
    setObjectName(QStringLiteral("GraphForm"));
    setWindowTitle(QStringLiteral("Graph Form"));
    Color1 = checkItem(this, "Color1", "&Color");
    MakeGIF1 = checkItem(this, "MakeGIF1", "Make &GIF");
    MakeJPG1 = checkItem(this, "MakeJPG1", "Make &JPG");
    MakePDF1 = checkItem(this, "MakePDF1", "&Make PDF");
    Graph1 = checkItem(this, "Graph1", "  &Graph");
    Data1 = checkItem(this, "Data1", "  &Data");
    Pause1 = checkItem(this, "Pause1", " Pause Printing");
    applyGraphSettings(GraphSettings::read(context_.settingsStore()));

    runModal = [](GraphWindow& form) {
        QEventLoop loop;
        form.setWindowModality(Qt::ApplicationModal);
        form.show();
        form.raise();
        form.activateWindow();
        QObject::connect(qApp, &QApplication::lastWindowClosed, &loop, &QEventLoop::quit);
        while (form.isVisible())
            loop.processEvents(QEventLoop::WaitForMoreEvents);
    };
    endProgram = [this] {
        // However the program ends, the settings are kept.
        context_.saveSettings();
        QCoreApplication::exit(0);
    };
    buildWindow();
}

void GraphWindow::buildWindow() {
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPixelSize(13);
    setFont(base);

    // Tool bar: Export, Print, Legend, Selection.
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(ToolBarHeight);
    bar->setIconSize(QSize(16, 16)); // leaves room for the caption under the icon
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QFont tahoma;
    tahoma.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans")});
    tahoma.setPixelSize(13);
    bar->setFont(tahoma);
    addToolBar(Qt::TopToolBarArea, bar);

    ExportGraph1 = item(this, "ExportGraph1", "Graph");
    ExportData1 = item(this, "ExportData1", "Data");
    printAction = item(this, "printAction", "Print...");
    printAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    Close1 = item(this, "Close1", "Exit");
    Legend1 = item(this, "Legend1", "&Legend...");
    Select1 = item(this, "Select1", "&Selection...");
    Legend1->setEnabled(false);
    Compliance1 = item(this, "Compliance1", "Compliance...");
    Compliance1->setEnabled(false);
    // Printing and export come with their own windows; until then they are shown but disabled.
    ExportVectorPdf1 = item(this, "ExportVectorPdf1", "Vector PDF...");
    ExportSvg1 = item(this, "ExportSvg1", "SVG...");
    for (QAction* a : {ExportGraph1, ExportData1, ExportVectorPdf1, ExportSvg1, printAction})
        a->setEnabled(false);

    auto makeButton = [bar, this](const char* name, const char* text, const char* hint,
                                  QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(QString::fromLatin1(text));
        b->setToolTip(QString::fromLatin1(hint));
        b->setStatusTip(QString::fromLatin1(hint));
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setFixedSize(59, 39);
        bar->addWidget(b);
        return b;
    };
    tbExport =
        makeButton("tbExport", "Export", "Export RPE Graph/Data", QStyle::SP_DialogSaveButton);
    auto* exportMenu = new QMenu(tbExport);
    exportMenu->addAction(ExportGraph1);
    exportMenu->addAction(ExportData1);
    tbExport->setMenu(exportMenu);
    tbExport->setPopupMode(QToolButton::MenuButtonPopup);
    tbExport->setEnabled(false);
    bar->addSeparator();
    tbPrint =
        makeButton("tbPrint", "Print", "Print RPE Graph/Data", QStyle::SP_FileDialogDetailedView);
    tbPrint->setEnabled(false);
    bar->addSeparator();
    tbLegend = makeButton("tbLegend", "Legend", "View RPE Legend", QStyle::SP_FileDialogInfoView);
    tbLegend->setEnabled(false);
    bar->addSeparator();
    tbSelect = makeButton("tbSelect", "Selection", "View Antenna Selection", QStyle::SP_ArrowBack);
    connect(tbLegend, &QToolButton::clicked, this, &GraphWindow::Legend1Click);
    connect(tbSelect, &QToolButton::clicked, this, &GraphWindow::Select1Click);
    connect(Legend1, &QAction::enabledChanged, tbLegend, &QWidget::setEnabled);

    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    QMenu* exportSub = file->addMenu(QStringLiteral("Export"));
    exportSub->addAction(ExportGraph1);
    exportSub->addAction(ExportData1);
    exportSub->addSeparator();
    exportSub->addAction(ExportVectorPdf1);
    exportSub->addAction(ExportSvg1);
    file->addSeparator();
    file->addAction(printAction);
    file->addSeparator();
    file->addAction(Close1);
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->addAction(Legend1);
    view->addAction(Select1);
    view->addSeparator();
    view->addAction(Compliance1);
    connect(Compliance1, &QAction::triggered, this, &GraphWindow::Compliance1Click);
    connect(Legend1, &QAction::triggered, this, &GraphWindow::Legend1Click);
    connect(Select1, &QAction::triggered, this, &GraphWindow::Select1Click);
    connect(Close1, &QAction::triggered, this, &GraphWindow::Close1Click);
    buildExportCommands();

    // Chart area: the visible image at the top, the slider in a strip at the bottom.
    chartArea_ = new QFrame(this);
    chartArea_->setObjectName(QStringLiteral("ChartArea"));
    chartArea_->setFrameShape(QFrame::Panel);
    chartArea_->setFrameShadow(QFrame::Sunken);
    chartArea_->setAutoFillBackground(true);
    setCentralWidget(chartArea_);
    Image1 = new QLabel(chartArea_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(98, 9, 480, 400);

    auto* strip = new QWidget(chartArea_);
    strip->setObjectName(QStringLiteral("BottomStrip"));
    strip->setGeometry(0, ClientHeight - ToolBarHeight - 38, ClientWidth, 38);
    TrackBar1 = new QSlider(Qt::Horizontal, strip);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, screen::CanvasWidth - 650);
    TrackBar1->setTickInterval(10);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setPageStep(10);
    TrackBar1->setValue(SliderStart);
    TrackBar1->setGeometry(182, 4, 257, 33);
    TrackBar1->hide();
    connect(TrackBar1, &QSlider::valueChanged, this, &GraphWindow::TrackBar1Change);
    buildPrintHolders(strip);

    chartArea_->setFixedSize(ClientWidth, ClientHeight - ToolBarHeight);
    setFixedSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    // Fixed single border with the system menu and the minimise box only.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    centreOnScreen(this);
}

GraphSettings GraphWindow::graphSettings() const {
    GraphSettings g;
    g.PenColor = Color1->isChecked();
    g.MakeGIF = MakeGIF1->isChecked();
    g.MakeJPG = MakeJPG1->isChecked();
    g.MakePDF = MakePDF1->isChecked();
    g.PrintGraph = Graph1->isChecked();
    g.PrintData = Data1->isChecked();
    g.PrintPause = Pause1->isChecked();
    return g;
}

void GraphWindow::applyGraphSettings(const GraphSettings& g) {
    Color1->setChecked(g.PenColor);
    MakeGIF1->setChecked(g.MakeGIF);
    MakeJPG1->setChecked(g.MakeJPG);
    MakePDF1->setChecked(g.MakePDF);
    Graph1->setChecked(g.PrintGraph);
    Data1->setChecked(g.PrintData);
    Pause1->setChecked(g.PrintPause);
}

void GraphWindow::ShowAntenna(const IndexRecord& record, const QString& dataFile) {
    CurrentRecord = record;
    if (const auto error = LoadAntenna(dataFile)) {
        context_.prompter().error(*error);
        return;
    }
    selectionChosen_ = false;
    runModal(*this);
}

std::optional<QString> GraphWindow::LoadAntenna(const QString& dataFile) {
    if (!FirstLoad) {
        Image2 = QImage();
        Pattern.clear();
        TrackBar1->setValue(SliderStart);
        if (legend_ && legend_->isVisible())
            legend_->close();
        Legend1->setEnabled(false);
    }
    FirstLoad = false;

    DataFileLookup file;
    if (!dataFile.isEmpty()) {
        file.path = dataFile;
    } else {
        const ShellSettings& shell = context_.shellSettings();
        file = LocateDataFile(paths::dataDirectory(shell.SourceDir, context_.resourceDirectory()),
                              CurrentRecord);
    }
    const LoadResult r = file.path
                             ? LoadPatternFile(*file.path, CurrentRecord.feedOrientation(), Pattern)
                             : LoadResult{LoadStatus::FileNotFound, file.notFoundMessage()};
    CurrentDataPath = r.status == LoadStatus::Loaded ? *file.path : QString();
    if (r.status == LoadStatus::ConversionFailed)
        return r.message;
    if (r.status == LoadStatus::FileNotFound)
        context_.prompter().message(r.message);

    if (complianceWindow)
        complianceWindow->AntennaLoaded();
    Legend1->setEnabled(true);
    printAction->setEnabled(true);
    Compliance1->setEnabled(true);
    ExportGraph1->setEnabled(true);
    ExportData1->setEnabled(true);
    ExportVectorPdf1->setEnabled(true);
    ExportSvg1->setEnabled(true);
    RedrawScreenChart();
    return std::nullopt;
}

void GraphWindow::RedrawScreenChart() {
    Image2 = screen::newCanvas();
    screen::DrawScreenChart(Image2, Pattern.feedKind);
    for (int cut = 0; cut < CutCount; ++cut)
        screen::DrawScreenTrace(Image2, Pattern.CutPoints[static_cast<size_t>(cut)], cut);
    if (complianceWindow)
        complianceWindow->DrawScreenOverlay(Image2);
    UpdateChartView();
}

std::optional<MaskOverlay> GraphWindow::PageMaskOverlay() const {
    return complianceWindow ? complianceWindow->PageOverlay() : std::nullopt;
}

QString GraphWindow::programDirectory() const {
    return context_.programDirectory();
}

QString GraphWindow::resourceDirectory() const {
    return context_.resourceDirectory();
}

QRect GraphWindow::commandBars() const {
    const auto* bar = findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    const QRect outer = frameGeometry();
    const int bottom = bar ? bar->mapToGlobal(QPoint(0, bar->height() - 1)).y() : outer.top();
    return QRect(outer.topLeft(), QPoint(outer.right(), bottom));
}

void GraphWindow::Compliance1Click() {
    if (!Compliance1->isEnabled())
        return;
    if (!complianceWindow)
        complianceWindow = new ComplianceWindow(*this, this);
    const auto error = complianceWindow->Recheck();
    RedrawScreenChart();
    if (error) {
        complianceWindow->close();
        context_.prompter().error(*error);
        return;
    }
    // Each opening places it beside the chart, clear of the window's commands.
    if (!complianceWindow->isVisible())
        complianceWindow->PlaceBeside(*this, commandBars());
    complianceWindow->show();
    complianceWindow->raise();
    complianceWindow->activateWindow();
}

void GraphWindow::UpdateChartView() {
    if (Image2.isNull())
        Image2 = screen::newCanvas();
    if (Pattern.feedKind == FeedKind::None) {
        Image1->setGeometry(98, 9, 480, 400);
        TrackBar1->hide();
        visible_ = Image2.copy(480, 0, 480, 400);
    } else {
        Image1->setGeometry(10, 9, 650, 400);
        TrackBar1->show();
        visible_ = Image2.copy(TrackBar1->value(), 0, 650, 400);
    }
    Image1->setPixmap(QPixmap::fromImage(visible_));
}

PageSource GraphWindow::pageSource() {
    PageSource page{PageMap, CurrentRecord, Pattern, Color1->isChecked(), PenFactor};
    pageMask_ = PageMaskOverlay();
    if (pageMask_)
        page.Mask = &*pageMask_;
    return page;
}

// The page routines never change PenFactor: it holds the pen width dialog's choice, which the
// printer pages use (3 while none was made), and the export images are drawn with 1 regardless.
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

void GraphWindow::TrackBar1Change(int) {
    UpdateChartView();
}

void GraphWindow::Select1Click() {
    if (runActive_)
        return;
    selectionChosen_ = true;
    close();
}

void GraphWindow::Legend1Click() {
    if (!legend_ || !Legend1->isEnabled())
        return;
    legend_->show();
    legend_->raise();
    legend_->activateWindow();
    legend_->FormActivate();
}

void GraphWindow::Close1Click() {
    close();
}

void GraphWindow::closeEvent(QCloseEvent* event) {
    // During a run the window closes once the run is over; a converter still running is
    // stopped and its temporaries removed.
    if (runActive_) {
        event->ignore();
        closeAfterRun_ = true;
        if (pdfRun_)
            pdfRun_->cancel();
        return;
    }
    QMainWindow::closeEvent(event);
    // The legend and the compliance window belong to the chart on show and close with it.
    if (legend_ && legend_->isVisible())
        legend_->close();
    if (complianceWindow && complianceWindow->isVisible())
        complianceWindow->close();
    if (!selectionChosen_ && endProgram)
        endProgram();
    selectionChosen_ = false;
}

void GraphWindow::runOutput() {
    if (!beginRun())
        return;
    runConfirmedFile_.clear();
    {
        WaitCursor wait;
        if (MakeJPG1->isChecked() || MakeGIF1->isChecked() || MakePDF1->isChecked())
            ExportBranch();
        else
            PrintBranch();
    }
    if (!runConfirmedFile_.isEmpty())
        context_.prompter().openFile(runConfirmedFile_);
    runConfirmedFile_.clear();
    endRun();
}
