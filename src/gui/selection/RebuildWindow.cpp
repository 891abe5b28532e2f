// SPDX-License-Identifier: MIT
#include "selection/RebuildWindow.h"

#include "dialogs/WindowPlacement.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

RebuildWindow::RebuildWindow(std::function<bool()> rebuild, QWidget* parent)
    : QDialog(parent), rebuild_(std::move(rebuild)) {
    setObjectName(QStringLiteral("RefreshForm"));
    setWindowTitle(QStringLiteral("RefreshForm"));
    setFixedSize(635, 265);
    setModal(true);
    centreOnScreen(this);

    QFont lineFont(QStringLiteral("Arial"));
    lineFont.setPixelSize(17);
    lineFont.setBold(true);
    const char* const lines[] = {
        "The purpose of this routine is to update the index file to add new data files",
        "and to delete files that have been removed from the NSMA data directory.",
        "This process will take some time, depending on the CPU and hard drive ",
        "speeds.  If you have not added or deleted files you can exit by pressing",
        "the cancel button.  If you choose to proceed please wait until this window",
        "closes before proceding."};
    const int tops[] = {16, 43, 70, 98, 125, 152};
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(QString::fromLatin1(lines[i]), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setFont(lineFont);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, Qt::red);
        label->setPalette(pal);
        label->move(16, tops[i]);
        label->adjustSize();
    }

    QFont buttonFont(QStringLiteral("Arial"));
    buttonFont.setPixelSize(20);
    Proceed = new QPushButton(QStringLiteral("&Proceed"), this);
    Proceed->setObjectName(QStringLiteral("Proceed"));
    Proceed->setFont(buttonFont);
    Proceed->setGeometry(189, 184, 113, 41);
    Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    Cancel->setFont(buttonFont);
    Cancel->setGeometry(325, 184, 113, 41);
    connect(Proceed, &QPushButton::clicked, this, &RebuildWindow::ProceedClick);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void RebuildWindow::ProceedClick() {
    if (rebuild_ && rebuild_())
        accept();
}
