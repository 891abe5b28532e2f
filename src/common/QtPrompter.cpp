#include "QtPrompter.h"

#include "common/WaitCursor.h"

#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

// A message box shown during a run waits for the user: the run's wait cursor is lifted meanwhile.
void QtPrompter::message(const QString& text) {
    const CursorLift lift;
    QMessageBox::information(parent_ ? parent_ : QApplication::activeWindow(),
                             QStringLiteral("Lobeview"), text, QMessageBox::Ok);
}

void QtPrompter::error(const QString& text) {
    const CursorLift lift;
    QMessageBox::critical(parent_ ? parent_ : QApplication::activeWindow(),
                          QStringLiteral("Lobeview"), text, QMessageBox::Ok);
}

// From a local path, so "#" and "%" in a name stay part of it.
void QtPrompter::openFile(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
