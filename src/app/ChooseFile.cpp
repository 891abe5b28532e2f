#include "ChooseFile.h"

#include "common/DisplayText.h"
#include "common/Prompter.h"

#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>

TChooseDlg::TChooseDlg(Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("ChooseDlg"));
    setWindowTitle(QStringLiteral("Choose RPE and Date"));
    setFixedSize(328, 207);
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPixelSize(13);
    setFont(base);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(24, 9, 281, 152);
    ListBox1->setStyleSheet(QStringLiteral("QListView::item { height: 16px; }"));
    connect(ListBox1, &QListWidget::itemClicked, this, &TChooseDlg::ListBox1Click);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(108, 168, 113, 33);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TChooseDlg::BitBtn1Click);
}

QString TChooseDlg::matchLine(const IndexRecord& r) {
    return DisplayText(r.fileName()) + QStringLiteral("  ") + DisplayText(r.frequencyRange()) +
           QStringLiteral(" GHz      ") + DisplayText(r.feedOrientation()) +
           QStringLiteral(" FEED");
}

void TChooseDlg::setMatches(const QList<IndexRecord>& matches) {
    matches_ = matches;
    confirmed_.reset();
    ListBox1->clear();
    ListBox1->addItem(QStringLiteral("RPE File   Frequency Range  Orientation"));
    for (const IndexRecord& r : matches_)
        ListBox1->addItem(matchLine(r));
    ListBox1->setCurrentRow(matches_.isEmpty() ? 0 : 1);
}

void TChooseDlg::ListBox1Click() {
    if (ListBox1->currentRow() < 1)
        prompter_.message(QStringLiteral("Please select an antenna"));
}

void TChooseDlg::BitBtn1Click() {
    const int row = ListBox1->currentRow();
    if (row > 0)
        confirmed_ = row - 1;
    accept();
}
