#include "AppEnvironment.h"

#include "app/ProgramPaths.h"

#include <QtCore/QCoreApplication>

AppEnvironment AppEnvironment::fromApplication(Prompter& prompter) {
    AppEnvironment env;
    env.programDir = paths::programDirectory();
    env.programFile = paths::programFile();
    env.desktop = DesktopLocations::fromEnvironment();
    env.prompter = &prompter;
    env.arguments = QCoreApplication::arguments().mid(1);
    return env;
}
