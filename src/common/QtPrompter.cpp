#include "QtPrompter.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

void QtPrompter::message(const QString& text) {
    QMessageBox::information(parent_ ? parent_ : QApplication::activeWindow(),
                             QStringLiteral("Lobeview"), text, QMessageBox::Ok);
}

void QtPrompter::error(const QString& text) {
    QMessageBox::critical(parent_ ? parent_ : QApplication::activeWindow(),
                          QStringLiteral("Lobeview"), text, QMessageBox::Ok);
}
