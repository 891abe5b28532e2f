// SPDX-License-Identifier: MIT
#include "compare/CompareWindow.h"

#include "AppContext.h"
#include "base/ProgramPaths.h"
#include "base/Prompter.h"
#include "base/SaveFile.h"
#include "compare/AddAntennaDialog.h"
#include "compare/ComparisonText.h"
#include "dialogs/QtSaveDialogs.h"
#include "dialogs/WaitCursor.h"
#include "output/OutputNames.h"
#include "output/PageWriter.h"
#include "pages/ChartReadout.h"
#include "print/CupsPrint.h"

#include <QtCore/QFileInfo>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QString CutSetting = QStringLiteral("CompareCut");
const QString AnglesSetting = QStringLiteral("CompareAngles");

// A widget that paints through a function: the chart and the legend.
class PaintedPane : public QWidget {
public:
    PaintedPane(QWidget* parent, std::function<void(QPainter&, const QRect&)> paint)
        : QWidget(parent), paint_(std::move(paint)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paint_(p, rect());
    }

private:
    std::function<void(QPainter&, const QRect&)> paint_;
};

} // namespace

CompareWindow::CompareWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
    setObjectName(QStringLiteral("compareWindow"));
    setWindowTitle(QStringLiteral("Compare Antennas"));
    setWindowFlag(Qt::Window);
    saveDialogs = std::make_unique<QtSaveDialogs>(this);
    askDataFile = [this] {
        // First in the data directory, then where the last file came from.
        const QString folder = lastDataFolder_.isEmpty()
                                   ? paths::dataDirectory(context_.shellSettings().SourceDir,
                                                          context_.resourceDirectory())
                                   : lastDataFolder_;
        return QFileDialog::getOpenFileName(this, QStringLiteral("Add File"), folder,
                                            QStringLiteral("Antenna data files (*.adf *.ADF);;"
                                                           "All files (*)"));
    };
    makePrintBackend = [] { return std::make_unique<CupsBackend>(PrinterSetup{}); };
    const MaskTableOrError read =
        ReadMaskTable(context_.resourceDirectory() + QString::fromLatin1(DefaultMaskFile));
    if (read.table)
        fcc_ = read.table;
    else
        fccError_ = read.error;

    // The cut and angles of the last run, when they still read.
    SettingsStore& store = context_.settingsStore();
    if (const auto cut = compare::compareCutFromName(store.readString(CutSetting, {})))
        comparison_.cut = *cut;
    if (const auto angles = compare::parseAngleList(store.readString(AnglesSetting, {})))
        comparison_.tableAngles = *angles;
    buildWindow();
    refresh(-1);
}

CompareWindow::~CompareWindow() = default;

void CompareWindow::buildWindow() {
    auto action = [this](QMenu* menu, const char* name, const QString& text, auto slot,
                         bool needsAntennas) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        if (needsAntennas)
            needAntennas_ << a;
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    action(file, "addAction", QStringLiteral("&Add Antenna..."), &CompareWindow::addFromCatalogue,
           false);
    action(file, "addFileAction", QStringLiteral("Add &File..."), &CompareWindow::addFromDisk,
           false);
    file->addSeparator();
    action(file, "saveCsvAction", QStringLiteral("&Save Table as CSV..."),
           &CompareWindow::saveTableCsv, true);
    action(file, "exportAction", QStringLiteral("&Export Page..."), &CompareWindow::exportPage,
           true);
    action(file, "printAction", QStringLiteral("&Print..."), &CompareWindow::printPage, true)
        ->setShortcut(QKeySequence::Print);
    file->addSeparator();
    action(file, "closeAction", QStringLiteral("&Close"), &QWidget::close, false)
        ->setShortcut(QKeySequence::Close);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    action(edit, "copyTableAction", QStringLiteral("&Copy Table"), &CompareWindow::copyTable, true)
        ->setShortcut(QKeySequence::Copy);

    // Left: the antennas and what is compared.
    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel(QStringLiteral("Antennas:"), side));
    antennaList = new QListWidget(side);
    antennaList->setObjectName(QStringLiteral("antennaList"));
    sideLayout->addWidget(antennaList, 1);
    auto button = [this, side](const char* name, const QString& text, auto slot) {
        auto* b = new QPushButton(text, side);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    addButton = button("addButton", QStringLiteral("Add..."), &CompareWindow::addFromCatalogue);
    addFileButton =
        button("addFileButton", QStringLiteral("Add File..."), &CompareWindow::addFromDisk);
    removeButton = button("removeButton", QStringLiteral("Remove"), &CompareWindow::removeSelected);
    upButton = button("upButton", QStringLiteral("Move Up"), [this] { moveSelected(-1); });
    downButton = button("downButton", QStringLiteral("Move Down"), [this] { moveSelected(1); });
    auto* rows = new QGridLayout;
    rows->addWidget(addButton, 0, 0);
    rows->addWidget(addFileButton, 0, 1);
    rows->addWidget(removeButton, 1, 0, 1, 2);
    rows->addWidget(upButton, 2, 0);
    rows->addWidget(downButton, 2, 1);
    sideLayout->addLayout(rows);
    sideLayout->addWidget(new QLabel(QStringLiteral("Cut:"), side));
    cutBox = new QComboBox(side);
    cutBox->setObjectName(QStringLiteral("cutBox"));
    for (const auto cut :
         {compare::CompareCut::HH, compare::CompareCut::VV, compare::CompareCut::HV,
          compare::CompareCut::VH, compare::CompareCut::WorstCoPolar})
        cutBox->addItem(compare::compareCutName(cut), int(cut));
    cutBox->setCurrentIndex(cutBox->findData(int(comparison_.cut)));
    connect(cutBox, &QComboBox::activated, this,
            [this](int index) { setCut(compare::CompareCut(cutBox->itemData(index).toInt())); });
    sideLayout->addWidget(cutBox);
    side->setFixedWidth(230);
    connect(antennaList, &QListWidget::currentRowChanged, this, [this](int row) {
        removeButton->setEnabled(row >= 0);
        upButton->setEnabled(row > 0);
        downButton->setEnabled(row >= 0 && row + 1 < comparison_.size());
    });
    // Whatever is chosen in the list, the chart keeps the keys once clicked.

    // Middle: the chart; right: its legend.
    chart = new PaintedPane(this, [this](QPainter& p, const QRect& r) {
        compare::drawComparisonChart(p, r, comparison_, view_, true);
        if (cursor_) {
            const double x = compare::chartX(r, comparison_.twoSided(), view_, *cursor_);
            p.setPen(QColor(96, 96, 96));
            p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        }
    });
    chart->setObjectName(QStringLiteral("chart"));
    chart->setMinimumSize(480, 300);
    chart->setMouseTracking(true);
    chart->setFocusPolicy(Qt::ClickFocus);
    chart->setCursor(Qt::CrossCursor);
    chart->installEventFilter(this);
    legend = new PaintedPane(this, [this](QPainter& p, const QRect& r) {
        p.fillRect(r, Qt::white);
        compare::drawComparisonLegend(p, QRectF(r).adjusted(6, 6, -6, -6), comparison_, 13, true);
    });
    legend->setObjectName(QStringLiteral("legend"));
    legend->setFixedWidth(280);

    auto* top = new QWidget(this);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(6, 6, 6, 0);
    topLayout->addWidget(side);
    topLayout->addWidget(chart, 1);
    topLayout->addWidget(legend);

    // Bottom: the angles and the table.
    auto* bottom = new QWidget(this);
    auto* bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(6, 0, 6, 0);
    auto* angleRow = new QHBoxLayout;
    auto* angleLabel = new QLabel(QStringLiteral("&Angles (degrees from the main beam):"), bottom);
    angleEdit = new QLineEdit(compare::angleListText(comparison_.tableAngles), bottom);
    angleEdit->setObjectName(QStringLiteral("angleEdit"));
    angleLabel->setBuddy(angleEdit);
    connect(angleEdit, &QLineEdit::returnPressed, this, &CompareWindow::applyAngles);
    angleMessage = new QLabel(bottom);
    angleMessage->setObjectName(QStringLiteral("angleMessage"));
    angleMessage->setStyleSheet(QStringLiteral("color: #b00000"));
    angleRow->addWidget(angleLabel);
    angleRow->addWidget(angleEdit, 1);
    angleRow->addWidget(angleMessage, 1);
    bottomLayout->addLayout(angleRow);
    table = new QTableWidget(bottom);
    table->setObjectName(QStringLiteral("table"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->verticalHeader()->hide();
    bottomLayout->addWidget(table, 1);
    // Without the FCC table the margins stay empty, and the window says why.
    fccNote = new QLabel(
        QStringLiteral("No FCC margins: the mask table cannot be used: ") + fccError_, bottom);
    fccNote->setObjectName(QStringLiteral("fccNote"));
    fccNote->setVisible(!fcc_);
    bottomLayout->addWidget(fccNote);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(top);
    splitter->addWidget(bottom);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    // Room for the angles and eight rows of the table under the chart.
    splitter->setSizes({540, 250});
    setCentralWidget(splitter);

    readout_ = new QLabel(this);
    readout_->setObjectName(QStringLiteral("readout"));
    readout_->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(readout_, 1);
    resize(1240, 820);
}

void CompareWindow::showWith(const std::vector<AntennaFile>& antennas) {
    if (!isVisible())
        comparison_.clear();
    for (const AntennaFile& antenna : antennas) {
        const bool held = std::any_of(
            comparison_.antennas().begin(), comparison_.antennas().end(),
            [&](const compare::ComparedAntenna& a) { return a.file.path == antenna.path; });
        if (!held && !addAntenna(antenna))
            break;
    }
    refresh(comparison_.size() - 1);
    show();
    raise();
    activateWindow();
}

void CompareWindow::showWithRecords(const std::vector<Source>& sources) {
    std::vector<AntennaFile> files;
    const QString dataDir =
        paths::dataDirectory(context_.shellSettings().SourceDir, context_.resourceDirectory());
    for (const Source& source : sources) {
        AntennaFileOrError opened = source.path.isEmpty()
                                        ? AntennaFile::open(source.record, dataDir)
                                        : AntennaFile::open(source.path);
        if (opened.file)
            files.push_back(std::move(*opened.file));
        else
            context_.prompter().error(opened.error);
    }
    showWith(files);
}

bool CompareWindow::addAntenna(AntennaFile antenna) {
    const QString name = QFileInfo(antenna.path).fileName();
    if (!comparison_.add(std::move(antenna))) {
        context_.prompter().error(
            QStringLiteral("%1 was not added: at most %2 antennas can be compared. Remove one "
                           "first.")
                .arg(name)
                .arg(compare::MaxAntennas));
        return false;
    }
    refresh(comparison_.size() - 1);
    return true;
}

bool CompareWindow::addFile(const QString& path) {
    AntennaFileOrError opened = AntennaFile::open(path);
    if (!opened.file) {
        context_.prompter().error(QStringLiteral("%1 cannot be compared: %2")
                                      .arg(QFileInfo(path).fileName(), opened.error));
        return false;
    }
    return addAntenna(std::move(*opened.file));
}

bool CompareWindow::addRecord(const IndexRecord& record, const QString& path) {
    if (!path.isEmpty())
        return addFile(path);
    AntennaFileOrError opened =
        AntennaFile::open(record, paths::dataDirectory(context_.shellSettings().SourceDir,
                                                       context_.resourceDirectory()));
    if (!opened.file) {
        context_.prompter().error(opened.error);
        return false;
    }
    return addAntenna(std::move(*opened.file));
}

void CompareWindow::addFromCatalogue() {
    if (!addDialog) {
        addDialog = new AddAntennaDialog(context_.index(), this);
        connect(addDialog, &AddAntennaDialog::recordChosen, this,
                [this](const IndexRecord& record) { addRecord(record); });
    }
    addDialog->reload();
    addDialog->exec();
}

void CompareWindow::addFromDisk() {
    const QString path = askDataFile();
    if (path.isEmpty())
        return;
    lastDataFolder_ = QFileInfo(path).absolutePath();
    addFile(path);
}

void CompareWindow::removeSelected() {
    const int row = antennaList->currentRow();
    if (row < 0 || row >= comparison_.size())
        return;
    comparison_.remove(row);
    refresh(std::min(row, comparison_.size() - 1));
}

void CompareWindow::moveSelected(int by) {
    const int row = antennaList->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= comparison_.size())
        return;
    comparison_.move(row, to);
    refresh(to);
}

void CompareWindow::setCut(compare::CompareCut cut) {
    comparison_.cut = cut;
    cutBox->setCurrentIndex(cutBox->findData(int(cut)));
    rememberChoices();
    refresh(antennaList->currentRow());
}

bool CompareWindow::applyAngles() {
    QString why;
    const auto angles = compare::parseAngleList(angleEdit->text(), &why);
    if (!angles) {
        angleMessage->setText(QStringLiteral("Not taken: ") + why);
        return false;
    }
    angleMessage->clear();
    comparison_.tableAngles = *angles;
    angleEdit->setText(compare::angleListText(*angles));
    rememberChoices();
    refreshTable();
    return true;
}

void CompareWindow::rememberChoices() {
    SettingsStore& store = context_.settingsStore();
    store.writeString(CutSetting,
                      QStringList{QStringLiteral("hh"), QStringLiteral("vv"), QStringLiteral("hv"),
                                  QStringLiteral("vh"), QStringLiteral("copolar")}
                          .value(int(comparison_.cut)));
    store.writeString(AnglesSetting, compare::angleListText(comparison_.tableAngles));
}

void CompareWindow::refresh(int selectRow) {
    antennaList->clear();
    for (int i = 0; i < comparison_.size(); ++i) {
        const compare::ComparedAntenna& a = comparison_.antenna(i);
        auto* item = new QListWidgetItem(
            QStringLiteral("%1  %2").arg(i + 1).arg(QFileInfo(a.file.path).fileName()),
            antennaList);
        item->setToolTip(compare::legendText(a));
        // A swatch of the antenna's colour and dashes.
        QPixmap swatch(28, 12);
        swatch.fill(Qt::transparent);
        QPainter p(&swatch);
        p.setPen(compare::tracePen(i, 2, true));
        p.drawLine(1, 6, 27, 6);
        p.end();
        item->setIcon(QIcon(swatch));
    }
    antennaList->setIconSize(QSize(28, 12));
    if (selectRow >= 0 && selectRow < comparison_.size())
        antennaList->setCurrentRow(selectRow);
    for (QPushButton* b : {removeButton, upButton, downButton})
        b->setEnabled(false);
    if (const int row = antennaList->currentRow(); row >= 0) {
        removeButton->setEnabled(true);
        upButton->setEnabled(row > 0);
        downButton->setEnabled(row + 1 < comparison_.size());
    }
    for (QAction* a : needAntennas_)
        a->setEnabled(!comparison_.empty());
    if (cursor_) {
        const auto [lo, hi] = angleRange();
        cursor_ = std::clamp(*cursor_, lo, hi);
    }
    if (view_.zoom && !comparison_.twoSided() && view_.zoom->fromAngle < 0)
        view_.zoom.reset(); // the chart lost its negative side
    refreshTable();
    refreshChart();
}

void CompareWindow::refreshTable() {
    const compare::TableCells cells = compare::tableCells(comparison_, comparison_.table(fcc()));
    table->clear();
    table->setColumnCount(int(cells.headings.size()));
    table->setHorizontalHeaderLabels(cells.headings);
    table->setRowCount(int(cells.rows.size()));
    for (int r = 0; r < int(cells.rows.size()); ++r) {
        const auto& row = cells.rows[size_t(r)];
        for (int c = 0; c < int(row.size()); ++c) {
            auto* item = new QTableWidgetItem(row[size_t(c)].text);
            if (c >= compare::FirstAngleColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row[size_t(c)].best) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setToolTip(QStringLiteral("Best of the column"));
            }
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
}

void CompareWindow::refreshChart() {
    chart->update();
    legend->update();
    updateReadout();
}

QStringList CompareWindow::legendLines() const {
    QStringList lines;
    for (const compare::ComparedAntenna& a : comparison_.antennas())
        lines << compare::legendText(a);
    return lines;
}

std::pair<double, double> CompareWindow::angleRange() const {
    return {comparison_.twoSided() ? -180.0 : 0.0, 180.0};
}

double CompareWindow::angleAtX(double x) const {
    return compare::chartAngleAt(chart->rect(), comparison_.twoSided(), view_, x);
}

void CompareWindow::setZoom(std::optional<grown::Zoom> zoom) {
    view_.zoom = zoom;
    refreshChart();
}

void CompareWindow::setCursorAngle(std::optional<double> angle) {
    if (angle) {
        const auto [lo, hi] = angleRange();
        angle = std::clamp(readoutAngle(*angle), lo, hi);
    }
    cursor_ = angle;
    refreshChart();
}

void CompareWindow::updateReadout() {
    readout_->setText(cursor_ && !comparison_.empty()
                          ? compare::comparisonReadout(comparison_, *cursor_)
                          : QString());
}

QString CompareWindow::readoutLine() const {
    return readout_->text();
}

void CompareWindow::wheelOverChart(const QWheelEvent& event) {
    const int steps = event.angleDelta().y();
    if (steps == 0)
        return;
    const double factor = grown::wheelZoomFactor(steps);
    const auto [lo, hi] = angleRange();
    grown::Zoom z = view_.zoom ? *view_.zoom : grown::Zoom{lo, hi, 0, -100};
    const QRectF r = chart->rect();
    if (event.modifiers() & Qt::ControlModifier) {
        z = grown::zoomLevels(z, compare::chartLevelAt(r, view_, event.position().y()), factor);
    } else {
        z = grown::zoomAnglesAtPointer(z, angleAtX(event.position().x()), factor,
                                       event.position().x() / r.width(), lo, hi);
    }
    setZoom(z);
}

bool CompareWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != chart)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* e = static_cast<QMouseEvent*>(event);
        if (dragZoom_ && (e->buttons() & Qt::LeftButton)) {
            const QPointF d = e->position() - dragStart_;
            const grown::Zoom& z = *dragZoom_;
            const auto [lo, hi] = angleRange();
            setZoom(grown::pan(z, -d.x() * (z.toAngle - z.fromAngle) / chart->width(),
                               d.y() * (z.topLevel - z.bottomLevel) / chart->height(), lo, hi));
        }
        setCursorAngle(angleAtX(e->position().x()));
        return false;
    }
    case QEvent::MouseButtonPress: {
        const auto* e = static_cast<QMouseEvent*>(event);
        // A drag moves a zoomed view.
        if (e->button() == Qt::LeftButton && view_.zoom) {
            dragStart_ = e->position();
            dragZoom_ = view_.zoom;
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        dragZoom_.reset();
        return false;
    case QEvent::MouseButtonDblClick:
        dragZoom_.reset();
        setZoom(std::nullopt);
        return true;
    case QEvent::Wheel:
        wheelOverChart(*static_cast<QWheelEvent*>(event));
        return true;
    default:
        return false;
    }
}

void CompareWindow::keyPressEvent(QKeyEvent* event) {
    const bool left = event->key() == Qt::Key_Left;
    if ((left || event->key() == Qt::Key_Right) && chart->hasFocus()) {
        const double step = (event->modifiers() & Qt::ShiftModifier) ? 0.1 : 1.0;
        setCursorAngle(cursor_.value_or(0.0) + (left ? -step : step));
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && view_.zoom) {
        setZoom(std::nullopt);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void CompareWindow::copyTable() {
    if (comparison_.empty())
        return;
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(compare::comparisonTsv(comparison_, comparison_.table(fcc()))));
}

QString CompareWindow::saveFolder() const {
    if (!lastFolder_.isEmpty())
        return lastFolder_;
    return output::ResolveLocation(context_.shellSettings().PDFfiles, context_.programDirectory());
}

void CompareWindow::saveTableCsv() {
    if (comparison_.empty())
        return;
    SaveRequest request;
    request.Title = QStringLiteral("Save Table as CSV");
    request.FileName = QStringLiteral("comparison.csv");
    request.StartFolder = saveFolder();
    request.Filter = QStringLiteral("CSV files (*.csv)|*.csv");
    request.DefaultExtension = QStringLiteral("csv");
    request.ConfirmReplace = true;
    const std::optional<QString> path = saveDialogs->save(request);
    if (!path)
        return;
    lastFolder_ = QFileInfo(*path).absolutePath();
    if (const auto error =
            saveWhole(*path, compare::comparisonCsv(comparison_, comparison_.table(fcc()))))
        context_.prompter().error(*error);
}

void CompareWindow::exportPage() {
    if (comparison_.empty())
        return;
    SaveRequest request;
    request.Title = QStringLiteral("Export Page");
    request.FileName = QStringLiteral("comparison.pdf");
    request.StartFolder = saveFolder();
    request.Filter = QStringLiteral("PDF File (*.pdf)|*.pdf|PNG Picture (*.png)|*.png|"
                                    "SVG Drawing (*.svg)|*.svg");
    request.DefaultExtension = QStringLiteral("pdf");
    request.ConfirmReplace = true;
    const std::optional<QString> path = saveDialogs->save(request);
    if (!path)
        return;
    lastFolder_ = QFileInfo(*path).absolutePath();
    const QString suffix = QFileInfo(*path).suffix().toLower();
    std::optional<OutputFormat> format;
    if (suffix == QLatin1String("pdf"))
        format = OutputFormat::VectorPdf;
    else if (suffix == QLatin1String("png"))
        format = OutputFormat::Png;
    else if (suffix == QLatin1String("svg"))
        format = OutputFormat::Svg;
    if (!format) {
        context_.prompter().error(
            QStringLiteral("%1 was not written: the page is exported as .pdf, .png or .svg.")
                .arg(QFileInfo(*path).fileName()));
        return;
    }
    std::optional<QString> error;
    {
        WaitCursor wait;
        error = PageWriter::writeComparison(comparison_, fcc(), *format, *path, colour());
    }
    if (error)
        context_.prompter().error(*error);
}

void CompareWindow::printPage() {
    if (comparison_.empty())
        return;
    const std::unique_ptr<PrintBackend> backend = makePrintBackend();
    WaitCursor wait;
    lastPrintRun = RunComparisonPrint(comparison_, fcc(), colour(), *backend, context_.prompter());
}

void CompareWindow::closeEvent(QCloseEvent* event) {
    rememberChoices();
    QMainWindow::closeEvent(event);
}
