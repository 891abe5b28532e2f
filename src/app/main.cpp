// Lobeview: radiation pattern envelopes of microwave antennas from a maker's NSMA catalogue.
#include "app/AppWindows.h"
#include "app/MainUnit.h"
#include "common/QtPrompter.h"

#include <QtWidgets/QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lobeview"));
    QApplication::setOrganizationName(QStringLiteral("Quelda"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/MAINICON-256x256.png")));
    QApplication::setDesktopFileName(QStringLiteral("lobeview"));

    QtPrompter prompter;
    AppWindows windows(AppEnvironment::fromApplication(prompter));
    prompter.setParent(windows.select.get());
    windows.select->show();
    return QApplication::exec();
}
