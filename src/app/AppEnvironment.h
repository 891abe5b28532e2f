#pragma once
// What the main window is given at start: where the program lives, where its settings are, how
// to reach the desktop and the user, and the command-line arguments.
#include "app/DesktopRegistration.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

class Prompter;

struct AppEnvironment {
    QString programDir;   // ends in "/"
    QString programFile;  // full path of the program
    QString settingsFile; // empty: the user's store
    DesktopLocations desktop;
    CommandRunner runDesktopTool = ::runDesktopTool;
    Prompter* prompter = nullptr; // not owned
    QStringList arguments;        // without the program name

    // The running program's environment.
    static AppEnvironment fromApplication(Prompter& prompter);
    // Everything inside one folder: the program directory `root`/prog/, the settings file, the
    // desktop folders, and no desktop tools run. For tests and benchmarks.
    static AppEnvironment inFolder(const QString& root, Prompter& prompter);
};
