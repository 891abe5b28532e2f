// SPDX-License-Identifier: MIT
#include "dialogs/QtPrompter.h"

#include "dialogs/WaitCursor.h"

#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

QWidget* QtPrompter::owner() const {
    // The window the user is working in: the top modal one (the chart, or a dialog over it),
    // else the active one. A message box belongs to it, so the window system shows it there and
    // raises no other window with it.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return parent_;
}

// A message box shown during a run waits for the user: the run's wait cursor is lifted meanwhile.
void QtPrompter::message(const QString& text) {
    const CursorLift lift;
    QMessageBox::information(owner(), QStringLiteral("Lobeview"), text, QMessageBox::Ok);
}

void QtPrompter::error(const QString& text) {
    const CursorLift lift;
    QMessageBox::critical(owner(), QStringLiteral("Lobeview"), text, QMessageBox::Ok);
}

// From a local path, so "#" and "%" in a name stay part of it.
void QtPrompter::openFile(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
