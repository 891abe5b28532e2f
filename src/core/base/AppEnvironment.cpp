// SPDX-License-Identifier: MIT
#include "base/AppEnvironment.h"

#include "base/ProgramPaths.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>

AppEnvironment AppEnvironment::fromApplication(Prompter& prompter) {
    AppEnvironment env;
    const QString own = paths::programDirectory();
    env.programDir = paths::filesDirectory(own);
    env.resourceDir = paths::resourceDirectory(own);
    env.programFile = paths::programFile();
    env.desktop = DesktopLocations::fromEnvironment();
    env.prompter = &prompter;
    env.arguments = QCoreApplication::arguments().mid(1);
    return env;
}

AppEnvironment AppEnvironment::inFolder(const QString& root, Prompter& prompter) {
    AppEnvironment env;
    env.programDir = root + QStringLiteral("/prog/");
    QDir().mkpath(env.programDir);
    env.resourceDir = env.programDir;
    env.programFile = env.programDir + QStringLiteral("lobeview");
    env.settingsFile = root + QStringLiteral("/Quelda.conf");
    env.desktop.dataHome = root + QStringLiteral("/share");
    env.desktop.configHome = root + QStringLiteral("/config");
    env.runDesktopTool = [](const QString&, const QStringList&) {
        return std::optional<QString>();
    };
    env.prompter = &prompter;
    return env;
}
