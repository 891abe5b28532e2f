// SPDX-License-Identifier: MIT
// Lobeview: radiation pattern envelopes of microwave antennas from a maker's NSMA catalogue.
#include "AppWindows.h"
#include "dialogs/QtPrompter.h"
#include "output/PdfRunFolder.h"
#include "selection/SelectionWindow.h"

#include <QtWidgets/QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lobeview"));
    QApplication::setOrganizationName(QStringLiteral("Quelda"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/MAINICON-256x256.png")));
    QApplication::setDesktopFileName(QStringLiteral("lobeview"));

    // A PDF run stopped by a signal takes its private folder with it; what a killed one left goes
    // now.
    InstallPdfRunCleanupOnSignals();
    RemoveAbandonedPdfRunFolders();

    QtPrompter prompter;
    AppWindows windows(AppEnvironment::fromApplication(prompter));
    prompter.setParent(windows.select.get());
    windows.select->show();
    return QApplication::exec();
}
