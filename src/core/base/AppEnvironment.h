// SPDX-License-Identifier: MIT
#pragma once
// What the main window is given at start: where the program lives, where its settings are, how
// to reach the desktop and the user, and the command-line arguments.
#include "base/DesktopRegistration.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

class Prompter;

struct AppEnvironment {
    // The program directory as the program uses it: where it keeps the files it writes (index,
    // dump, default export folders, PDF temporaries). The program file's folder, or the per-user
    // data folder for an installed program or one whose folder is not writable. Ends in "/".
    QString programDir;
    // Where the files that ship with the program are (NSMAData/, masks/). Ends in "/".
    QString resourceDir;
    QString programFile;  // full path of the program
    QString settingsFile; // empty: the user's store
    DesktopLocations desktop;
    CommandRunner runDesktopTool = ::runDesktopTool;
    Prompter* prompter = nullptr; // not owned
    QStringList arguments;        // without the program name

    // The running program's environment.
    static AppEnvironment fromApplication(Prompter& prompter);
    // Everything inside one folder: the program directory `root`/prog/ (which also holds the
    // shipped files), the settings file, the
    // desktop folders, and no desktop tools run. For tests and benchmarks.
    static AppEnvironment inFolder(const QString& root, Prompter& prompter);
};
