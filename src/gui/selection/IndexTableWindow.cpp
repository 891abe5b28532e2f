// SPDX-License-Identifier: MIT
#include "selection/IndexTableWindow.h"

#include "AppContext.h"
#include "base/ProgramPaths.h"
#include "base/Prompter.h"
#include "catalogue/IndexDump.h"
#include "catalogue/IndexFile.h"
#include "dialogs/WindowPlacement.h"

#include <QtGui/QPainter>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyledItemDelegate>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr int RowHeight = 24;

// Draws a cell as the grid does: its text with the top-left corner at the cell's top-left corner,
// no margin, clipped to the cell, over the fixed-cell colour in the leftmost (fixed) column, the
// selection colour, or the normal background; bold in the fixed column. Fixed cells are not
// edited.
class GridCellDelegate : public QStyledItemDelegate {
public:
    GridCellDelegate(const QHeaderView* columns, QObject* parent)
        : QStyledItemDelegate(parent), columns_(columns) {}

    bool isFixed(const QModelIndex& index) const {
        return columns_->visualIndex(index.column()) == 0;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool fixed = isFixed(index);
        const bool selected = !fixed && (option.state & QStyle::State_Selected);
        const QPalette& pal = option.palette;
        painter->save();
        painter->setClipRect(option.rect);
        painter->fillRect(option.rect, fixed      ? pal.color(QPalette::Button)
                                       : selected ? pal.color(QPalette::Highlight)
                                                  : pal.color(QPalette::Base));
        QFont font = option.font;
        font.setBold(fixed);
        painter->setFont(font);
        painter->setPen(fixed      ? pal.color(QPalette::ButtonText)
                        : selected ? pal.color(QPalette::HighlightedText)
                                   : pal.color(QPalette::Text));
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        return isFixed(index) ? nullptr : QStyledItemDelegate::createEditor(parent, option, index);
    }

private:
    const QHeaderView* columns_;
};

// The heading row: fixed cells, bold, text at the top-left corner of each cell.
class GridHeader : public QHeaderView {
public:
    explicit GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        setFixedHeight(RowHeight);
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        painter->save();
        painter->setClipRect(rect);
        painter->fillRect(rect, palette().color(QPalette::Button));
        painter->setPen(palette().color(QPalette::Mid));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        QFont bold = font();
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          model()->headerData(logicalIndex, orientation()).toString());
        painter->restore();
    }
};

// The table with its leftmost column frozen: a second view of the same cells, showing only that
// column, lies over the table's left edge and scrolls only up and down with it, while the other
// columns scroll sideways beneath. Columns stay movable: whichever column is moved to the front
// becomes the frozen one ("File Name" unless the user moved another one there).
class IndexGrid : public QTableWidget {
public:
    IndexGrid(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {
        setHorizontalHeader(new GridHeader(this));
        setHorizontalScrollMode(ScrollPerPixel);
        setVerticalScrollMode(ScrollPerPixel);
        setItemDelegate(new GridCellDelegate(horizontalHeader(), this));

        frozen_ = new QTableView(this);
        frozen_->setObjectName(QStringLiteral("FrozenColumn"));
        frozen_->setHorizontalHeader(new GridHeader(frozen_));
        frozen_->setModel(model());
        frozen_->setSelectionModel(selectionModel());
        frozen_->setItemDelegate(new GridCellDelegate(horizontalHeader(), frozen_));
        frozen_->setFocusPolicy(Qt::NoFocus);
        frozen_->setEditTriggers(NoEditTriggers);
        frozen_->verticalHeader()->hide();
        frozen_->setFrameShape(QFrame::NoFrame);
        frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        frozen_->setVerticalScrollMode(ScrollPerPixel);
        viewport()->stackUnder(frozen_);

        connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
                &QAbstractSlider::setValue);
        connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
                &QAbstractSlider::setValue);
        connect(horizontalHeader(), &QHeaderView::sectionMoved, this,
                [this] { updateFrozenColumn(); });
        connect(horizontalHeader(), &QHeaderView::sectionResized, this,
                [this](int logical, int, int size) {
                    frozen_->setColumnWidth(logical, size);
                    updateFrozenGeometry();
                });
        // Widening the frozen column from its own heading widens the table's column.
        connect(frozen_->horizontalHeader(), &QHeaderView::sectionResized, this,
                [this](int logical, int, int size) {
                    if (logical == frozenColumn() && columnWidth(logical) != size)
                        setColumnWidth(logical, size);
                });
        connect(verticalHeader(), &QHeaderView::sectionResized, this,
                [this](int logical, int, int size) { frozen_->setRowHeight(logical, size); });
        updateFrozenColumn();
    }

    void setDefaultRowHeight(int height) {
        verticalHeader()->setDefaultSectionSize(height);
        frozen_->verticalHeader()->setDefaultSectionSize(height);
    }

    int frozenColumn() const { return horizontalHeader()->logicalIndex(0); }

    void scrollTo(const QModelIndex& index, ScrollHint hint) override {
        // The frozen column is always in view; other cells must not end up beneath it.
        if (!index.isValid() || index.column() == frozenColumn()) {
            const int keep = horizontalScrollBar()->value();
            QTableWidget::scrollTo(index, hint);
            horizontalScrollBar()->setValue(keep);
            return;
        }
        QTableWidget::scrollTo(index, hint);
        const int hidden = frozen_->width() - visualRect(index).left();
        if (hidden > 0)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QTableWidget::resizeEvent(event);
        updateFrozenGeometry();
    }
    void updateGeometries() override {
        QTableWidget::updateGeometries();
        updateFrozenGeometry();
    }

private:
    void updateFrozenColumn() {
        const int keep = frozenColumn();
        for (int c = 0; c < columnCount(); ++c) {
            frozen_->setColumnHidden(c, c != keep);
            frozen_->setColumnWidth(c, columnWidth(c));
        }
        updateFrozenGeometry();
        viewport()->update();
    }
    void updateFrozenGeometry() {
        if (!frozen_)
            return;
        const int left =
            frameWidth() + (verticalHeader()->isHidden() ? 0 : verticalHeader()->width());
        frozen_->setGeometry(left, frameWidth(), columnWidth(frozenColumn()),
                             viewport()->height() + horizontalHeader()->height());
    }

    QTableView* frozen_ = nullptr;
};

} // namespace

IndexTableWindow::IndexTableWindow(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("IndexFileForm"));
    setWindowTitle(QStringLiteral("File Index Display"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(800, 600);
    centreOnScreen(this);

    QFont cellFont(QStringLiteral("Liberation Mono"));
    cellFont.setPixelSize(13);
    auto* grid = new IndexGrid(0, 14, this);
    indexTable_ = grid;
    indexTable_->setObjectName(QStringLiteral("indexTable"));
    indexTable_->setFont(cellFont);
    indexTable_->setHorizontalHeaderLabels(IndexColumnHeadings());
    indexTable_->verticalHeader()->hide();
    grid->setDefaultRowHeight(RowHeight);
    indexTable_->setWordWrap(false);
    indexTable_->setTextElideMode(Qt::ElideNone); // cells clip their text, as a grid does
    QHeaderView* header = indexTable_->horizontalHeader();
    QFont bold = cellFont;
    bold.setBold(true);
    header->setFont(bold);
    header->setSectionsMovable(true);
    const QList<int> widths = IndexColumnWidths();
    for (int c = 0; c < widths.size(); ++c)
        indexTable_->setColumnWidth(c, widths[c]);
    auto* panel = new QWidget(this);
    panel->setFixedHeight(41);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 8, 0, 4);
    saveButton_ = new QPushButton(QStringLiteral("Save"), panel);
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    saveButton_->setFixedSize(123, 29);
    saveButton_->hide();
    closeButton_ = new QPushButton(QStringLiteral("&Close"), panel);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    closeButton_->setFixedSize(123, 29);
    row->addStretch();
    row->addWidget(saveButton_);
    row->addWidget(closeButton_);
    row->addStretch();
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(indexTable_, 1);
    layout->addWidget(panel);
}

QString IndexTableWindow::dumpPath() const {
    return context_.programDirectory() + QStringLiteral("FileIndx.txt");
}

void IndexTableWindow::fillTable() {
    IndexFile index;
    QList<QStringList> rows;
    if (index.open(paths::indexFilePath(context_.programDirectory()))) {
        IndexRecord r;
        while (index.readNext(r))
            rows << IndexRowCells(r);
    }
    indexTable_->setUpdatesEnabled(false);
    indexTable_->clearContents();
    indexTable_->setRowCount(static_cast<int>(rows.size()));
    QFont bold = indexTable_->font();
    bold.setBold(true);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < 14; ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            if (c == 0) {
                item->setFont(bold);
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            }
            indexTable_->setItem(r, c, item);
        }
    }
    indexTable_->setUpdatesEnabled(true);
}

void IndexTableWindow::showEvent(QShowEvent* event) {
    fillTable();
    QDialog::showEvent(event);
}

QList<QStringList> IndexTableWindow::tableRows() const {
    const QHeaderView* header = indexTable_->horizontalHeader();
    const int columns = indexTable_->columnCount();
    QList<QStringList> rows;
    QStringList headings;
    for (int v = 0; v < columns; ++v)
        headings << indexTable_->horizontalHeaderItem(header->logicalIndex(v))->text();
    rows << headings;
    for (int r = 0; r < indexTable_->rowCount(); ++r) {
        QStringList cells;
        for (int v = 0; v < columns; ++v) {
            const QTableWidgetItem* item = indexTable_->item(r, header->logicalIndex(v));
            cells << (item ? item->text() : QString());
        }
        rows << cells;
    }
    return rows;
}

void IndexTableWindow::done(int result) {
    // Every way of closing writes the dump; a failure is reported and the window closes anyway.
    if (const auto error = WriteIndexDump(dumpPath(), tableRows()))
        context_.prompter().error(*error);
    QDialog::done(result);
}
