// SPDX-License-Identifier: MIT
#include "graph/GraphWindow.h"

#include "AppContext.h"
#include "adf/PatternReader.h"
#include "base/ProgramPaths.h"
#include "base/Prompter.h"
#include "catalogue/DataFileLocation.h"
#include "dialogs/WaitCursor.h"
#include "dialogs/WindowPlacement.h"
#include "graph/ComplianceWindow.h"
#include "graph/GraphSession.h"
#include "graph/LegendWindow.h"
#include "output/PdfExport.h"
#include "pages/ChartReadout.h"
#include "pages/GrownChart.h"
#include "pages/PageRoutines.h"
#include "pages/ScreenChart.h"

#include <QtCore/QEventLoop>
#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QResizeEvent>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QSlider>
#include <QtWidgets/QStyle>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>
#include <algorithm>
#include <cmath>

namespace {

constexpr int ClientWidth = 674;
constexpr int ClientHeight = 492;
constexpr int ToolBarHeight = 41;
constexpr int SliderStart = 155;
constexpr int StatusHeight = 22; // the status line under the chart
constexpr int SliderStripHeight = 38;

QAction* item(QObject* parent, const char* name, const char* text) {
    auto* a = new QAction(QString::fromLatin1(text), parent);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

// Draws the cursor lines over the chart view, leaving the chart itself as it is: the free
// cursor solid, pinned ones dashed.
class CursorLayer : public QWidget {
public:
    explicit CursorLayer(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }
    std::vector<int> pinned;
    std::optional<int> free;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QPen pen(QColor(96, 96, 96));
        pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        for (const int x : pinned)
            p.drawLine(x, 0, x, height() - 1);
        if (free) {
            p.setPen(QColor(96, 96, 96));
            p.drawLine(*free, 0, *free, height() - 1);
        }
    }
};

} // namespace

GraphWindow::GraphWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
    setObjectName(QStringLiteral("GraphForm"));
    setWindowTitle(QStringLiteral("Graph Form"));
    session_ = new GraphSession(this);
    session_->applyGraphSettings(GraphSettings::read(context_.settingsStore()));

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
    bar->setObjectName(QStringLiteral("toolBar"));
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

    exportGraphAction_ = item(this, "exportGraphAction", "Graph");
    exportDataAction_ = item(this, "exportDataAction", "Data");
    printAction_ = item(this, "printAction", "Print...");
    printAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    exitAction_ = item(this, "exitAction", "Exit");
    legendAction_ = item(this, "legendAction", "&Legend...");
    selectionAction_ = item(this, "selectionAction", "&Selection...");
    legendAction_->setEnabled(false);
    complianceAction_ = item(this, "complianceAction", "Compliance...");
    complianceAction_->setEnabled(false);
    compareAction_ = item(this, "compareAction", "Co&mpare...");
    compareAction_->setStatusTip(QStringLiteral("Compare this antenna with others"));
    compareAction_->setEnabled(false);
    // Printing and export come with their own windows; until then they are shown but disabled.
    exportVectorPdfAction_ = item(this, "exportVectorPdfAction", "Vector PDF...");
    exportSvgAction_ = item(this, "exportSvgAction", "SVG...");
    for (QAction* a : {exportGraphAction_, exportDataAction_, exportVectorPdfAction_,
                       exportSvgAction_, printAction_})
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
    tbExport_ =
        makeButton("tbExport", "Export", "Export RPE Graph/Data", QStyle::SP_DialogSaveButton);
    auto* exportMenu = new QMenu(tbExport_);
    exportMenu->addAction(exportGraphAction_);
    exportMenu->addAction(exportDataAction_);
    tbExport_->setMenu(exportMenu);
    tbExport_->setPopupMode(QToolButton::MenuButtonPopup);
    tbExport_->setEnabled(false);
    bar->addSeparator();
    tbPrint_ =
        makeButton("tbPrint", "Print", "Print RPE Graph/Data", QStyle::SP_FileDialogDetailedView);
    tbPrint_->setEnabled(false);
    bar->addSeparator();
    tbLegend_ = makeButton("tbLegend", "Legend", "View RPE Legend", QStyle::SP_FileDialogInfoView);
    tbLegend_->setEnabled(false);
    bar->addSeparator();
    tbSelect_ = makeButton("tbSelect", "Selection", "View Antenna Selection", QStyle::SP_ArrowBack);
    connect(tbLegend_, &QToolButton::clicked, this, &GraphWindow::showLegend);
    connect(tbSelect_, &QToolButton::clicked, this, &GraphWindow::backToSelection);
    connect(legendAction_, &QAction::enabledChanged, tbLegend_, &QWidget::setEnabled);

    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    QMenu* exportSub = file->addMenu(QStringLiteral("Export"));
    exportSub->addAction(exportGraphAction_);
    exportSub->addAction(exportDataAction_);
    exportSub->addSeparator();
    exportSub->addAction(exportVectorPdfAction_);
    exportSub->addAction(exportSvgAction_);
    file->addSeparator();
    file->addAction(printAction_);
    file->addSeparator();
    file->addAction(exitAction_);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    QAction* copy = item(this, "copyAction", "&Copy");
    copy->setShortcut(QKeySequence::Copy);
    QAction* copyData = item(this, "copyDataAction", "Copy &Data");
    edit->addAction(copy);
    edit->addAction(copyData);
    connect(copy, &QAction::triggered, this, &GraphWindow::copyChart);
    connect(copyData, &QAction::triggered, this, &GraphWindow::copyData);
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->addAction(legendAction_);
    view->addAction(selectionAction_);
    view->addSeparator();
    view->addAction(complianceAction_);
    view->addAction(compareAction_);
    view->addSeparator();
    // The colour of printed and exported pages (the PenColor setting); the screen chart and the
    // legend are in colour whatever it says.
    QAction* colour = item(this, "colourPagesAction", "Colour pages");
    colour->setCheckable(true);
    colour->setChecked(session_->isOn(GraphSession::Colour));
    view->addAction(colour);
    connect(colour, &QAction::toggled, this,
            [this](bool on) { session_->set(GraphSession::Colour, on); });
    connect(session_, &GraphSession::choiceChanged, colour,
            [colour](GraphSession::Choice choice, bool on) {
                if (choice == GraphSession::Colour)
                    colour->setChecked(on);
            });
    connect(complianceAction_, &QAction::triggered, this, &GraphWindow::showCompliance);
    connect(compareAction_, &QAction::triggered, this, &GraphWindow::compareRequested);
    connect(legendAction_, &QAction::triggered, this, &GraphWindow::showLegend);
    connect(selectionAction_, &QAction::triggered, this, &GraphWindow::backToSelection);
    connect(exitAction_, &QAction::triggered, this, &GraphWindow::exitProgram);
    buildExportCommands();

    // Chart area: the visible image at the top, the slider in a strip at the bottom.
    auto* pane = new QWidget(this);
    pane->setObjectName(QStringLiteral("chartPane"));
    setCentralWidget(pane);
    chartArea_ = new QFrame(pane);
    chartArea_->setObjectName(QStringLiteral("ChartArea"));
    chartArea_->setFrameShape(QFrame::Panel);
    chartArea_->setFrameShadow(QFrame::Sunken);
    chartArea_->setAutoFillBackground(true);
    chartView_ = new QLabel(chartArea_);
    chartView_->setObjectName(QStringLiteral("chartView"));
    chartView_->setGeometry(98, 9, 480, 400);
    chartView_->setMouseTracking(true);
    chartView_->setFocusPolicy(Qt::ClickFocus);
    chartView_->setCursor(Qt::CrossCursor);
    chartView_->installEventFilter(this);
    cursorLayer_ = new CursorLayer(chartView_);
    cursorLayer_->setObjectName(QStringLiteral("cursorLayer"));
    cursorLayer_->setGeometry(0, 0, 480, 400);

    // The status line: the read-out on the left, the antenna on the right.
    auto* status = new QFrame(pane);
    status->setObjectName(QStringLiteral("statusLine"));
    status->setFrameShape(QFrame::StyledPanel);
    status->setGeometry(0, ClientHeight - ToolBarHeight, ClientWidth, StatusHeight);
    readoutLabel_ = new QLabel(status);
    readoutLabel_->setObjectName(QStringLiteral("readoutLabel"));
    readoutLabel_->setTextFormat(Qt::PlainText);
    antennaLabel_ = new QLabel(status);
    antennaLabel_->setObjectName(QStringLiteral("antennaLabel"));
    antennaLabel_->setTextFormat(Qt::PlainText);
    antennaLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont small = font();
    small.setPixelSize(11);
    readoutLabel_->setFont(small);
    antennaLabel_->setFont(small);
    readoutLabel_->setGeometry(4, 0, ClientWidth - 8, StatusHeight);
    antennaLabel_->setGeometry(4, 0, ClientWidth - 8, StatusHeight);

    auto* strip = new QWidget(chartArea_);
    strip->setObjectName(QStringLiteral("BottomStrip"));
    strip->setGeometry(0, ClientHeight - ToolBarHeight - SliderStripHeight, ClientWidth,
                       SliderStripHeight);
    slider_ = new QSlider(Qt::Horizontal, strip);
    slider_->setObjectName(QStringLiteral("slider"));
    slider_->setRange(0, screen::CanvasWidth - 650);
    slider_->setTickInterval(10);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setPageStep(10);
    slider_->setValue(SliderStart);
    slider_->setGeometry(182, 4, 257, 33);
    slider_->hide();
    connect(slider_, &QSlider::valueChanged, this, &GraphWindow::sliderMoved);
    buildPrintCommand();

    chartArea_->setGeometry(0, 0, ClientWidth, ClientHeight - ToolBarHeight);
    // The written size is the smallest; the window grows from there (drag, maximise), to the
    // size the user left it at last time.
    const QSize written(ClientWidth, ClientHeight + StatusHeight + menuBar()->sizeHint().height());
    setMinimumSize(written);
    resize(written);
    const QStringList kept = context_.settingsStore()
                                 .readString(QStringLiteral("GraphWindowSize"), {})
                                 .split(QLatin1Char('x'));
    if (kept.size() == 2 && kept[0].toInt() > 0 && kept[1].toInt() > 0)
        resize(written.expandedTo(QSize(kept[0].toInt(), kept[1].toInt())));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    centreOnScreen(this);
}

void GraphWindow::ShowAntenna(const IndexRecord& record, const QString& dataFile) {
    session_->antenna.record = record;
    if (const auto error = LoadAntenna(dataFile)) {
        context_.prompter().error(*error);
        return;
    }
    selectionChosen_ = false;
    runModal(*this);
}

std::optional<QString> GraphWindow::LoadAntenna(const QString& dataFile) {
    AntennaFile& antenna = session_->antenna;
    if (!firstLoad_) {
        canvas_ = QImage();
        antenna.pattern.clear();
        slider_->setValue(SliderStart);
        if (legend_ && legend_->isVisible())
            legend_->close();
        legendAction_->setEnabled(false);
    }
    firstLoad_ = false;

    // The record stays as it was chosen; the file gives its header numbers and its pattern.
    const ShellSettings& shell = context_.shellSettings();
    AntennaFileOrError opened =
        dataFile.isEmpty()
            ? AntennaFile::open(antenna.record,
                                paths::dataDirectory(shell.SourceDir, context_.resourceDirectory()))
            : AntennaFile::open(dataFile);
    antenna.path.clear();
    antenna.header = AntennaHeader{};
    if (opened.file) {
        antenna.path = opened.file->path;
        antenna.header = opened.file->header;
        antenna.pattern = std::move(opened.file->pattern);
    } else if (opened.notFound) {
        context_.prompter().message(opened.error);
    } else {
        return opened.error;
    }

    if (compliance_)
        compliance_->AntennaLoaded();
    legendAction_->setEnabled(true);
    printAction_->setEnabled(true);
    complianceAction_->setEnabled(true);
    // Only an antenna read from its file can be compared.
    compareAction_->setEnabled(!antenna.path.isEmpty());
    exportGraphAction_->setEnabled(true);
    exportDataAction_->setEnabled(true);
    exportVectorPdfAction_->setEnabled(true);
    exportSvgAction_->setEnabled(true);
    cursorAngle_.reset();
    pins_.clear();
    zoom_.reset();
    showAntennaNames();
    RedrawScreenChart();
    return std::nullopt;
}

void GraphWindow::RedrawScreenChart() {
    const LoadedPattern& pattern = session_->antenna.pattern;
    canvas_ = screen::newCanvas();
    screen::DrawScreenChart(canvas_, pattern.feedKind);
    for (int cut = 0; cut < CutCount; ++cut)
        screen::DrawScreenTrace(canvas_, pattern.CutPoints[static_cast<size_t>(cut)], cut);
    if (compliance_)
        compliance_->DrawScreenOverlay(canvas_);
    UpdateChartView();
    updateReadout();
}

QRect GraphWindow::commandBars() const {
    const auto* bar = findChild<QToolBar*>(QStringLiteral("toolBar"));
    const QRect outer = frameGeometry();
    const int bottom = bar ? bar->mapToGlobal(QPoint(0, bar->height() - 1)).y() : outer.top();
    return QRect(outer.topLeft(), QPoint(outer.right(), bottom));
}

void GraphWindow::showCompliance() {
    if (!complianceAction_->isEnabled())
        return;
    if (!compliance_) {
        compliance_ = new ComplianceWindow(*session_, context_.resourceDirectory(), this);
        compliance_->setWindowTitle(QStringLiteral("Compliance - ") +
                                    antennaCaption(session_->antenna.record));
        connect(compliance_, &ComplianceWindow::maskChanged, this, &GraphWindow::RedrawScreenChart);
    }
    const auto error = compliance_->Recheck();
    RedrawScreenChart();
    if (error) {
        compliance_->close();
        context_.prompter().error(*error);
        return;
    }
    // Each opening places it beside the chart, clear of the window's commands.
    if (!compliance_->isVisible())
        compliance_->PlaceBeside(*this, commandBars());
    compliance_->show();
    compliance_->raise();
    compliance_->activateWindow();
}

void GraphWindow::UpdateChartView() {
    if (canvas_.isNull())
        canvas_ = screen::newCanvas();
    const bool oneSided = session_->feed() == FeedKind::None;
    const QSize area = chartArea_->size();
    grownView_ = area.width() > ClientWidth || area.height() > ClientHeight - ToolBarHeight;
    if (!grownView_) {
        // The written size: a slice of the canvas, pixel for pixel.
        if (oneSided) {
            chartView_->setGeometry(98, 9, 480, 400);
            slider_->hide();
            visible_ = canvas_.copy(480, 0, 480, 400);
        } else {
            chartView_->setGeometry(10, 9, 650, 400);
            slider_->show();
            visible_ = canvas_.copy(slider_->value(), 0, 650, 400);
        }
        span_ = {double(oneSided ? 480 : slider_->value()),
                 double((oneSided ? 480 : slider_->value()) + chartView_->width())};
    } else {
        // Grown: the chart drawn afresh to fill the space, the whole of it when it fits.
        const int width = area.width() - 20;
        const int height = area.height() - 9 - SliderStripHeight - 4;
        const bool whole = !oneSided && width >= screen::CanvasWidth;
        slider_->setVisible(!oneSided && !whole);
        if (oneSided)
            span_ = {480, 960};
        else if (whole)
            span_ = {0, 960};
        else
            span_ = {double(slider_->value()), double(slider_->value() + 650)};
        chartView_->setGeometry(10, 9, width, height);
        const std::optional<MaskOverlay> mask =
            compliance_ ? compliance_->ScreenOverlay() : std::nullopt;
        visible_ = grown::DrawGrownChart(QSize(width, height), span_, session_->antenna.pattern,
                                         mask ? &*mask : nullptr);
    }
    if (zoom_) {
        const std::optional<MaskOverlay> mask =
            compliance_ ? compliance_->ScreenOverlay() : std::nullopt;
        visible_ = grown::DrawZoomedChart(chartView_->size(), *zoom_, session_->antenna.pattern,
                                          mask ? &*mask : nullptr);
        slider_->hide();
    }
    chartView_->setPixmap(QPixmap::fromImage(visible_));
    cursorLayer_->setGeometry(0, 0, chartView_->width(), chartView_->height());
    updateReadout();
}

void GraphWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutPane();
}

void GraphWindow::layoutPane() {
    QWidget* pane = centralWidget();
    if (!pane || !chartArea_)
        return;
    const int w = pane->width();
    const int h = pane->height();
    const int areaHeight = std::max(ClientHeight - ToolBarHeight, h - StatusHeight);
    chartArea_->setGeometry(0, 0, std::max(ClientWidth, w), areaHeight);
    if (auto* status = pane->findChild<QFrame*>(QStringLiteral("statusLine"))) {
        status->setGeometry(0, areaHeight, std::max(ClientWidth, w), StatusHeight);
        readoutLabel_->setGeometry(4, 0, status->width() - 8, StatusHeight);
        antennaLabel_->setGeometry(4, 0, status->width() - 8, StatusHeight);
    }
    if (auto* strip = chartArea_->findChild<QWidget*>(QStringLiteral("BottomStrip"))) {
        strip->setGeometry(0, areaHeight - SliderStripHeight, chartArea_->width(),
                           SliderStripHeight);
        slider_->setGeometry(182 + (chartArea_->width() - ClientWidth) / 2, 4, 257, 33);
    }
    UpdateChartView();
}

double GraphWindow::angleAtViewX(double x) const {
    if (zoom_)
        return grown::zoomAngleAt(*zoom_, chartView_->width(), x);
    return screenAngleAt(grown::canvasX(span_, chartView_->width(), std::floor(x)));
}

void GraphWindow::setZoom(std::optional<grown::Zoom> zoom) {
    zoom_ = zoom;
    UpdateChartView();
}

void GraphWindow::wheelOverChart(const QWheelEvent& event) {
    const int steps = event.angleDelta().y();
    if (steps == 0)
        return;
    const double factor = grown::wheelZoomFactor(steps);
    const QSize view = chartView_->size();
    grown::Zoom z =
        zoom_ ? *zoom_ : grown::Zoom{screenAngleAt(span_.from), screenAngleAt(span_.to), 0, -100};
    const auto [lo, hi] = cursorRange();
    if (event.modifiers() & Qt::ControlModifier) {
        const double pivot = grown::zoomLevelAt(z, view.height(), event.position().y());
        z = grown::zoomLevels(z, pivot, factor);
    } else {
        z = grown::zoomAnglesAtPointer(z, angleAtViewX(event.position().x()), factor,
                                       event.position().x() / view.width(), lo, hi);
    }
    setZoom(z);
}

std::pair<double, double> GraphWindow::cursorRange() const {
    return {session_->feed() == FeedKind::None ? 0.0 : -180.0, 180.0};
}

void GraphWindow::setCursorAngle(std::optional<double> angle) {
    if (angle) {
        const auto [lo, hi] = cursorRange();
        angle = std::clamp(readoutAngle(*angle), lo, hi);
    }
    cursorAngle_ = angle;
    updateReadout();
}

void GraphWindow::pinCursor(double angle) {
    if (pins_.size() >= 2)
        pins_.clear();
    const auto [lo, hi] = cursorRange();
    pins_.push_back(std::clamp(readoutAngle(angle), lo, hi));
    updateReadout();
}

void GraphWindow::clearPins() {
    pins_.clear();
    updateReadout();
}

QString GraphWindow::readoutLine() const {
    return readoutLabel_->text();
}

QString GraphWindow::antennaLine() const {
    return antennaLabel_->text();
}

void GraphWindow::showAntennaNames() {
    const IndexRecord& record = session_->antenna.record;
    setWindowTitle(graphWindowTitle(record));
    if (legend_)
        legend_->setWindowTitle(QStringLiteral("Legend - ") + antennaCaption(record));
    if (compliance_)
        compliance_->setWindowTitle(QStringLiteral("Compliance - ") + antennaCaption(record));
    const QString folder = session_->antenna.path.isEmpty()
                               ? QString()
                               : QFileInfo(session_->antenna.path).absolutePath();
    antennaLabel_->setText(antennaStatusText(record, folder));
}

void GraphWindow::updateReadout() {
    if (!readoutLabel_ || !cursorLayer_)
        return;
    const LoadedPattern& pattern = session_->antenna.pattern;
    auto* layer = static_cast<CursorLayer*>(cursorLayer_);
    const auto viewX = [this](double angle) -> std::optional<int> {
        const int x =
            int(std::floor(zoom_ ? grown::zoomX(*zoom_, chartView_->width(), angle)
                                 : grown::imageX(span_, chartView_->width(), screenXOf(angle))));
        if (x < 0 || x >= chartView_->width())
            return std::nullopt;
        return x;
    };
    layer->pinned.clear();
    for (const double pin : pins_)
        if (const auto x = viewX(pin))
            layer->pinned.push_back(*x);
    layer->free = cursorAngle_ ? viewX(*cursorAngle_) : std::nullopt;
    layer->update();

    QString text;
    if (pins_.size() == 2) {
        text = readoutDifferenceText(pattern, pins_[0], pins_[1]);
    } else if (cursorAngle_ || !pins_.empty()) {
        const std::optional<MaskOverlay> mask =
            compliance_ ? compliance_->ScreenOverlay() : std::nullopt;
        text = readoutText(pattern, cursorAngle_ ? *cursorAngle_ : pins_.front(),
                           mask ? &*mask : nullptr);
    }
    readoutLabel_->setText(text);
    // The antenna gives way to the read-out while there is one.
    antennaLabel_->setVisible(text.isEmpty());
}

bool GraphWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == chartView_) {
        switch (event->type()) {
        case QEvent::MouseMove: {
            const auto* e = static_cast<QMouseEvent*>(event);
            if (dragZoom_ && (e->buttons() & Qt::LeftButton)) {
                const QPointF d = e->position() - dragStart_;
                if (!panning_ && d.manhattanLength() > 3) {
                    panning_ = true;
                    if (!pins_.empty())
                        pins_.pop_back(); // a drag pins nothing
                }
                if (panning_) {
                    const grown::Zoom& z = *dragZoom_;
                    const auto [lo, hi] = cursorRange();
                    setZoom(grown::pan(z, -d.x() * (z.toAngle - z.fromAngle) / chartView_->width(),
                                       d.y() * (z.topLevel - z.bottomLevel) / chartView_->height(),
                                       lo, hi));
                }
            }
            setCursorAngle(angleAtViewX(e->position().x()));
            return false;
        }
        case QEvent::MouseButtonPress: {
            const auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton) {
                pinCursor(angleAtViewX(e->position().x()));
                dragStart_ = e->position();
                dragZoom_ = zoom_;
                panning_ = false;
            } else if (e->button() == Qt::RightButton) {
                clearPins();
            }
            return false;
        }
        case QEvent::MouseButtonRelease:
            dragZoom_.reset();
            panning_ = false;
            return false;
        case QEvent::MouseButtonDblClick:
            dragZoom_.reset();
            setZoom(std::nullopt);
            return true;
        case QEvent::Wheel:
            wheelOverChart(*static_cast<QWheelEvent*>(event));
            return true;
        case QEvent::Leave:
            setCursorAngle(std::nullopt);
            return false;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void GraphWindow::keyPressEvent(QKeyEvent* event) {
    const bool left = event->key() == Qt::Key_Left;
    if (left || event->key() == Qt::Key_Right) {
        const double step = (event->modifiers() & Qt::ShiftModifier) ? 0.1 : 1.0;
        const double from = cursorAngle_ ? *cursorAngle_ : pins_.empty() ? 0.0 : pins_.back();
        setCursorAngle(from + (left ? -step : step));
        // A two-sided chart scrolls to keep the cursor in view.
        if (session_->feed() != FeedKind::None && cursorAngle_ && slider_->isVisible() && !zoom_) {
            const int x = int(std::floor(screenXOf(*cursorAngle_)));
            if (x < slider_->value())
                slider_->setValue(std::max(slider_->minimum(), x - 20));
            else if (x >= slider_->value() + chartView_->width())
                slider_->setValue(std::min(slider_->maximum(), x - chartView_->width() + 20));
        }
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && (!pins_.empty() || zoom_)) {
        pins_.clear();
        setZoom(std::nullopt);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void GraphWindow::sliderMoved(int) {
    UpdateChartView();
}

void GraphWindow::backToSelection() {
    if (runActive_)
        return;
    selectionChosen_ = true;
    close();
}

void GraphWindow::showLegend() {
    if (!legend_ || !legendAction_->isEnabled())
        return;
    legend_->show();
    legend_->raise();
    legend_->activateWindow();
    legend_->rebuild();
}

void GraphWindow::copyChart() {
    const std::optional<MaskOverlay> mask =
        compliance_ ? compliance_->ScreenOverlay() : std::nullopt;
    auto* data = new QMimeData;
    const QSize twice = chartView_->size() * 2;
    const LoadedPattern& pattern = session_->antenna.pattern;
    data->setImageData(zoom_
                           ? grown::DrawZoomedChart(twice, *zoom_, pattern, mask ? &*mask : nullptr)
                           : grown::DrawGrownChart(twice, span_, pattern, mask ? &*mask : nullptr));
    data->setText(envelopeTableText(session_->antenna.pattern));
    QGuiApplication::clipboard()->setMimeData(data);
}

void GraphWindow::copyData() {
    QGuiApplication::clipboard()->setText(envelopeTableText(session_->antenna.pattern));
}

void GraphWindow::exitProgram() {
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
    // The size is kept once it differed from the written one.
    const QString size = QStringLiteral("%1x%2").arg(width()).arg(height());
    SettingsStore& store = context_.settingsStore();
    if (size != store.readString(QStringLiteral("GraphWindowSize"), size) ||
        size != QStringLiteral("%1x%2").arg(minimumWidth()).arg(minimumHeight()))
        store.writeString(QStringLiteral("GraphWindowSize"), size);
    // The legend and the compliance window belong to the chart on show and close with it.
    if (legend_ && legend_->isVisible())
        legend_->close();
    if (compliance_ && compliance_->isVisible())
        compliance_->close();
    if (!selectionChosen_ && endProgram)
        endProgram();
    selectionChosen_ = false;
}
