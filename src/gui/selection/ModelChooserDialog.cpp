// SPDX-License-Identifier: MIT
#include "selection/ModelChooserDialog.h"

#include "base/DisplayText.h"
#include "base/Prompter.h"

#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>

ModelChooserDialog::ModelChooserDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("ChooseDlg"));
    setWindowTitle(QStringLiteral("Choose RPE and Date"));
    setFixedSize(328, 207);
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPixelSize(13);
    setFont(base);

    matchList = new QListWidget(this);
    matchList->setObjectName(QStringLiteral("matchList"));
    matchList->setGeometry(24, 9, 281, 152);
    matchList->setStyleSheet(QStringLiteral("QListView::item { height: 16px; }"));
    connect(matchList, &QListWidget::itemClicked, this, &ModelChooserDialog::matchChosen);

    okButton_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(108, 168, 113, 33);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &ModelChooserDialog::confirmMatch);
}

QString ModelChooserDialog::matchLine(const IndexRecord& r) {
    return DisplayText(r.fileName()) + QStringLiteral("  ") + DisplayText(r.frequencyRange()) +
           QStringLiteral(" GHz      ") + DisplayText(r.feedOrientation()) +
           QStringLiteral(" FEED");
}

void ModelChooserDialog::setMatches(const QList<IndexRecord>& matches) {
    matches_ = matches;
    confirmed_.reset();
    matchList->clear();
    matchList->addItem(QStringLiteral("RPE File   Frequency Range  Orientation"));
    for (const IndexRecord& r : matches_)
        matchList->addItem(matchLine(r));
    matchList->setCurrentRow(matches_.isEmpty() ? 0 : 1);
}

void ModelChooserDialog::matchChosen() {
    if (matchList->currentRow() < 1)
        prompter_.message(QStringLiteral("Please select an antenna"));
}

void ModelChooserDialog::confirmMatch() {
    const int row = matchList->currentRow();
    if (row > 0)
        confirmed_ = row - 1;
    accept();
}
