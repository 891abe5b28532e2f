// SPDX-License-Identifier: MIT
#include "graph/ComplianceWindow.h"

#include "adf/PatternReader.h"
#include "base/DisplayText.h"
#include "catalogue/AntennaHeader.h"
#include "compliance/ComplianceReports.h"
#include "compliance/ComplianceText.h"
#include "dialogs/WindowPlacement.h"
#include "graph/GraphSession.h"

#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtGui/QScreen>
#include <QtGui/QWindow>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

enum Column {
    ColCategory,
    ColResult,
    ColDecidedBy,
    ColGainBeam,
    ColCut,
    ColSuppression,
    ColMargin,
    ColAngle,
    ColumnCount
};

QColor verdictColour(Verdict v) {
    switch (v) {
    case Verdict::Pass:
        return {0, 128, 0};
    case Verdict::Fail:
        return {192, 0, 0};
    default:
        return {128, 96, 0};
    }
}

QTableWidgetItem* tableCell(const QString& text, Qt::Alignment align = Qt::AlignLeft) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(align | Qt::AlignVCenter);
    item->setToolTip(text);
    return item;
}

QTableWidgetItem* verdictCell(const QString& text, Verdict v) {
    QTableWidgetItem* item = tableCell(text);
    item->setForeground(verdictColour(v));
    return item;
}

// A cut listed for information only: its result in grey, as it decides nothing.
QTableWidgetItem* informationCell(const QString& text) {
    QTableWidgetItem* item = tableCell(text);
    item->setForeground(QColor(112, 112, 112));
    return item;
}

QString mhz(double v) {
    return QString::number(v, 'g', 10);
}

} // namespace

ComplianceWindow::ComplianceWindow(GraphSession& session, const QString& resourceDir,
                                   QWidget* parent)
    : QDialog(parent), session_(session), resourceDir_(resourceDir) {
    setObjectName(QStringLiteral("complianceWindow"));
    setWindowTitle(QStringLiteral("Compliance"));
    setModal(false);
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPixelSize(13);
    setFont(base);

    summaryLabel_ = new QLabel(this);
    summaryLabel_->setObjectName(QStringLiteral("summaryLabel"));
    summaryLabel_->setWordWrap(true);
    summaryLabel_->setTextFormat(Qt::PlainText);

    resultTable_ = new QTableWidget(0, ColumnCount, this);
    resultTable_->setObjectName(QStringLiteral("resultTable"));
    resultTable_->setHorizontalHeaderLabels(
        {QStringLiteral("Category"), QStringLiteral("Result"), QStringLiteral("Decided by"),
         QStringLiteral("Gain / beamwidth"), QStringLiteral("Cut"), QStringLiteral("Suppression"),
         QStringLiteral("Worst margin (dB)"), QStringLiteral("Angle (deg)")});
    resultTable_->verticalHeader()->hide();
    resultTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultTable_->setWordWrap(false);
    resultTable_->horizontalHeader()->setStretchLastSection(false);
    resultTable_->verticalHeader()->setDefaultSectionSize(QFontMetrics(base).height() + 6);

    categoryBox = new QComboBox(this);
    categoryBox->setObjectName(QStringLiteral("categoryBox"));
    auto* categoryLabel = new QLabel(QStringLiteral("Mask &category:"), this);
    categoryLabel->setBuddy(categoryBox);
    showMaskBox = new QCheckBox(QStringLiteral("Show mask"), this);
    showMaskBox->setObjectName(QStringLiteral("showMaskBox"));
    maskOnPagesBox = new QCheckBox(QStringLiteral("Show mask on pages"), this);
    maskOnPagesBox->setObjectName(QStringLiteral("maskOnPagesBox"));
    maskOnPagesBox->setToolTip(
        QStringLiteral("Printed and exported chart pages draw the mask too"));
    closeButton = new QPushButton(QStringLiteral("&Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    saveCsvButton = new QPushButton(QStringLiteral("Save as C&SV..."), this);
    saveCsvButton->setObjectName(QStringLiteral("saveCsvButton"));
    saveCsvButton->setEnabled(false);
    askCsvPath = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Save as CSV"),
                                            QFileInfo(session_.antenna.path).completeBaseName() +
                                                QStringLiteral("-fcc.csv"),
                                            QStringLiteral("CSV files (*.csv)"));
    };
    connect(saveCsvButton, &QPushButton::clicked, this, [this] {
        const QString path = askCsvPath();
        if (!path.isEmpty() && !SaveCsv(path))
            QMessageBox::warning(this, windowTitle(),
                                 QStringLiteral("Cannot create file %1").arg(path));
    });

    auto* controls = new QHBoxLayout;
    controls->addWidget(categoryLabel);
    controls->addWidget(categoryBox);
    controls->addSpacing(12);
    controls->addWidget(showMaskBox);
    controls->addSpacing(12);
    controls->addWidget(maskOnPagesBox);
    controls->addStretch(1);
    controls->addWidget(saveCsvButton);
    controls->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel_);
    layout->addWidget(resultTable_, 1);
    layout->addLayout(controls);
    resize(760, 380);

    connect(showMaskBox, &QCheckBox::toggled, this, &ComplianceWindow::maskChanged);
    connect(categoryBox, &QComboBox::currentIndexChanged, this, [this] {
        if (showMaskBox->isChecked())
            Q_EMIT maskChanged();
    });
    // The box shows the session's choice and sets it.
    maskOnPagesBox->setChecked(session_.isOn(GraphSession::MaskOnPages));
    connect(maskOnPagesBox, &QCheckBox::toggled, &session_,
            [this](bool on) { session_.set(GraphSession::MaskOnPages, on); });
    connect(&session_, &GraphSession::choiceChanged, maskOnPagesBox,
            [this](GraphSession::Choice choice, bool on) {
                if (choice == GraphSession::MaskOnPages)
                    maskOnPagesBox->setChecked(on);
            });
    centreOnScreen(this);
}

std::optional<QString> ComplianceWindow::Recheck() {
    const QString path = resourceDir_ + QString::fromLatin1(DefaultMaskFile);
    MaskTableOrError read = ReadMaskTable(path);
    table_ = std::move(read.table);
    check();
    if (!table_)
        return QStringLiteral("The mask table cannot be used:\n%1").arg(read.error);
    return std::nullopt;
}

void ComplianceWindow::AntennaLoaded() {
    if (table_)
        check();
}

void ComplianceWindow::check() {
    report_ = ComplianceReport{};
    headerError_.clear();
    if (table_) {
        const std::optional<AntennaHeader> header =
            session_.antenna.path.isEmpty() ? std::nullopt : std::optional(session_.antenna.header);
        if (header)
            report_ = CheckCompliance(*table_, *header, session_.antenna.pattern);
        else
            headerError_ = QString::fromLatin1(FileNotFoundMessage);
    }
    fill();
}

bool ComplianceWindow::SaveCsv(const QString& path) const {
    if (!table_ || !headerError_.isEmpty() || session_.antenna.path.isEmpty())
        return false;
    QSaveFile out(path);
    const QByteArray csv =
        ComplianceCsvHeading() + ComplianceCsvRows(QFileInfo(session_.antenna.path).fileName(),
                                                   session_.antenna.header, report_);
    return out.open(QIODevice::WriteOnly) && out.write(csv) == csv.size() && out.commit();
}

void ComplianceWindow::fill() {
    saveCsvButton->setEnabled(table_ && headerError_.isEmpty() && !session_.antenna.path.isEmpty());
    const QString previous = categoryBox->currentText();
    const QSignalBlocker block(categoryBox);
    categoryBox->clear();
    resultTable_->setRowCount(0);

    const QString model = DisplayText(session_.antenna.record.modelNumber());
    QString head = model.isEmpty() ? QString() : model + QStringLiteral(": ");
    if (!table_) {
        summaryLabel_->setText(head + QStringLiteral("no mask table"));
    } else if (!headerError_.isEmpty()) {
        summaryLabel_->setText(head + headerError_);
    } else if (report_.status != ComplianceReport::Status::Checked) {
        summaryLabel_->setText(
            head + report_.message +
            (std::isnan(report_.midFrequency)
                 ? QString()
                 : QStringLiteral(" (mid-band %1 MHz)").arg(mhz(report_.midFrequency))));
    } else {
        QStringList verdicts;
        for (const GroupResult& g : report_.groups)
            verdicts << QStringLiteral("Category %1 %2").arg(g.category, groupText(report_, g));
        summaryLabel_->setText(
            head +
            QStringLiteral("%1 %2-%3 MHz band (mid-band %4 MHz), %5 antenna. %6.")
                .arg(table_->title, mhz(report_.bandLowMHz), mhz(report_.bandHighMHz),
                     mhz(report_.midFrequency),
                     report_.twoSided ? QStringLiteral("two-sided") : QStringLiteral("one-sided"),
                     verdicts.join(QStringLiteral(", "))) +
            (report_.note.isEmpty() ? QString() : QStringLiteral(" Note: %1.").arg(report_.note)));
        for (const CategoryResult& c : report_.categories) {
            categoryBox->addItem(c.category);
            const int first = resultTable_->rowCount();
            const auto rows = std::max<size_t>(1, c.suppression.cuts.size());
            resultTable_->setRowCount(first + int(rows));
            const QString decided = decidedByText(c);
            resultTable_->setItem(first, ColCategory, tableCell(c.category));
            resultTable_->setItem(first, ColResult, verdictCell(verdictText(c.verdict), c.verdict));
            resultTable_->setItem(first, ColDecidedBy, tableCell(decided));
            resultTable_->setItem(first, ColGainBeam,
                                  verdictCell(gainBeamText(c.gainBeam), c.gainBeam.verdict));
            if (c.suppression.cuts.empty())
                resultTable_->setItem(
                    first, ColSuppression,
                    verdictCell(verdictText(c.suppression.verdict), c.suppression.verdict));
            for (size_t k = 0; k < c.suppression.cuts.size(); ++k) {
                const CutSuppression& cs = c.suppression.cuts[k];
                const int row = first + int(k);
                resultTable_->setItem(row, ColCut, tableCell(cutLabel(cs)));
                resultTable_->setItem(row, ColSuppression,
                                      cs.decides ? verdictCell(cutSuppressionText(cs), cs.verdict)
                                                 : informationCell(cutSuppressionText(cs)));
                resultTable_->setItem(row, ColMargin,
                                      tableCell(marginText(cs.worstMargin), Qt::AlignRight));
                const QString end = binEndText(cs);
                resultTable_->setItem(
                    row, ColAngle,
                    tableCell(angleText(cs.worstAngle) +
                                  (end.isEmpty() ? QString() : QStringLiteral(", ") + end),
                              Qt::AlignRight));
            }
        }
        for (const GroupResult& g : report_.groups) {
            if (!g.split)
                continue;
            const int row = resultTable_->rowCount();
            resultTable_->setRowCount(row + 1);
            resultTable_->setItem(row, ColCategory, tableCell(g.category));
            resultTable_->setItem(row, ColResult, verdictCell(verdictText(g.verdict), g.verdict));
            resultTable_->setItem(row, ColDecidedBy,
                                  tableCell(g.decidedBy >= 0
                                                ? report_.categories[size_t(g.decidedBy)].category
                                                : QString()));
            resultTable_->setItem(
                row, ColGainBeam,
                tableCell(QStringLiteral("passes when %1 passes in full").arg([&] {
                    QStringList parts;
                    for (int p : g.parts)
                        parts << report_.categories[size_t(p)].category;
                    return parts.join(QStringLiteral(" or "));
                }())));
        }
    }
    resultTable_->resizeColumnsToContents();
    for (int c = 0; c < ColumnCount; ++c)
        resultTable_->setColumnWidth(c, resultTable_->columnWidth(c) + 8);
    // Wide enough for every column, as far as the screen allows.
    const QMargins margins = layout()->contentsMargins();
    const int wanted = resultTable_->horizontalHeader()->length() + 2 * resultTable_->frameWidth() +
                       resultTable_->verticalScrollBar()->sizeHint().width() + margins.left() +
                       margins.right();
    if (wanted > width() && screen())
        resize(std::min(wanted, screen()->availableGeometry().width()), height());
    const int keep = categoryBox->findText(previous);
    categoryBox->setCurrentIndex(keep >= 0 ? keep : 0);
    const bool any = categoryBox->count() > 0;
    categoryBox->setEnabled(any);
    showMaskBox->setEnabled(any);
    maskOnPagesBox->setEnabled(any);
}

QString ComplianceWindow::chosenCategory() const {
    return categoryBox->currentText();
}

std::optional<MaskOverlay> ComplianceWindow::overlay() const {
    if (!table_ || report_.status != ComplianceReport::Status::Checked)
        return std::nullopt;
    const CategoryResult* c = report_.category(chosenCategory());
    if (!c)
        return std::nullopt;
    return MakeMaskOverlay(*table_, *c->row, report_.twoSided);
}

std::optional<MaskOverlay> ComplianceWindow::ScreenOverlay() const {
    return showMaskBox->isChecked() ? overlay() : std::nullopt;
}

void ComplianceWindow::DrawScreenOverlay(QImage& canvas) const {
    if (const auto o = ScreenOverlay())
        screen::DrawScreenMask(canvas, *o);
}

std::optional<MaskOverlay> ComplianceWindow::PageOverlay() const {
    if (!session_.isOn(GraphSession::MaskOnPages))
        return std::nullopt;
    return overlay();
}

void ComplianceWindow::PlaceBeside(const QWidget& other, const QRect& keepClear) {
    const QScreen* s = other.screen() ? other.screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    // Outer sizes. Before this window was first shown its frame is not known: the other
    // window's frame stands in for it.
    QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull() && other.windowHandle())
        frame = other.windowHandle()->frameMargins();
    const QSize size = this->size().grownBy(frame);
    move(besidePosition(s->availableGeometry(), other.frameGeometry(), keepClear, size));
}
