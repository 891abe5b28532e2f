#include "FileIndx.h"

#include "app/MainUnit.h"
#include "common/ProgramPaths.h"
#include "common/Prompter.h"
#include "common/WindowPlacement.h"
#include "index/IndexDump.h"
#include "index/IndexFile.h"

#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QVBoxLayout>

TIndexFileForm::TIndexFileForm(TSelect& select, QWidget* parent)
    : QDialog(parent), select_(select) {
    setObjectName(QStringLiteral("IndexFileForm"));
    setWindowTitle(QStringLiteral("File Index Display"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(800, 600);
    centreOnScreen(this);

    QFont cellFont(QStringLiteral("Liberation Mono"));
    cellFont.setPixelSize(13);
    StringGrid1 = new QTableWidget(0, 14, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setFont(cellFont);
    StringGrid1->setHorizontalHeaderLabels(IndexColumnHeadings());
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(24);
    StringGrid1->setWordWrap(false);
    StringGrid1->setTextElideMode(Qt::ElideNone); // cells clip their text, as a grid does
    QHeaderView* header = StringGrid1->horizontalHeader();
    QFont bold = cellFont;
    bold.setBold(true);
    header->setFont(bold);
    header->setSectionsMovable(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QList<int> widths = IndexColumnWidths();
    for (int c = 0; c < widths.size(); ++c)
        StringGrid1->setColumnWidth(c, widths[c]);
    auto* panel = new QWidget(this);
    panel->setFixedHeight(41);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 8, 0, 4);
    Button2 = new QPushButton(QStringLiteral("Save"), panel);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setFixedSize(123, 29);
    Button2->hide();
    Button1 = new QPushButton(QStringLiteral("&Close"), panel);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedSize(123, 29);
    row->addStretch();
    row->addWidget(Button2);
    row->addWidget(Button1);
    row->addStretch();
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(StringGrid1, 1);
    layout->addWidget(panel);
}

QString TIndexFileForm::dumpPath() const {
    return select_.programDirectory() + QStringLiteral("FileIndx.txt");
}

void TIndexFileForm::FormShow() {
    IndexFile index;
    QList<QStringList> rows;
    if (index.open(paths::indexFilePath(select_.programDirectory()))) {
        IndexRecord r;
        while (index.readNext(r))
            rows << IndexRowCells(r);
    }
    StringGrid1->setUpdatesEnabled(false);
    StringGrid1->clearContents();
    StringGrid1->setRowCount(static_cast<int>(rows.size()));
    QFont bold = StringGrid1->font();
    bold.setBold(true);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < 14; ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            if (c == 0) {
                item->setFont(bold);
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            }
            StringGrid1->setItem(r, c, item);
        }
    }
    StringGrid1->setUpdatesEnabled(true);
}

void TIndexFileForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

QList<QStringList> TIndexFileForm::tableRows() const {
    const QHeaderView* header = StringGrid1->horizontalHeader();
    const int columns = StringGrid1->columnCount();
    QList<QStringList> rows;
    QStringList headings;
    for (int v = 0; v < columns; ++v)
        headings << StringGrid1->horizontalHeaderItem(header->logicalIndex(v))->text();
    rows << headings;
    for (int r = 0; r < StringGrid1->rowCount(); ++r) {
        QStringList cells;
        for (int v = 0; v < columns; ++v) {
            const QTableWidgetItem* item = StringGrid1->item(r, header->logicalIndex(v));
            cells << (item ? item->text() : QString());
        }
        rows << cells;
    }
    return rows;
}

void TIndexFileForm::done(int result) {
    // Every way of closing writes the dump; a failure is reported and the window closes anyway.
    if (const auto error = WriteIndexDump(dumpPath(), tableRows()))
        select_.prompter().error(*error);
    QDialog::done(result);
}
