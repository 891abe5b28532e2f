// SPDX-License-Identifier: MIT
#pragma once
// Where the program keeps its files: the program directory (the program file's folder, with a
// trailing separator) and the folders derived from it.
#include <QtCore/QByteArrayView>
#include <QtCore/QDate>
#include <QtCore/QString>
#include <optional>

namespace paths {

// Folder of the running program, ending in "/".
QString programDirectory();
// Full path of the running program file.
QString programFile();

// The per-user data folder: $XDG_DATA_HOME/Quelda/Lobeview/, else ~/.local/share/Quelda/Lobeview/.
QString userDataDirectory();

// Where the files that ship with the program (the sample catalogue NSMAData/ and masks/) are: the
// program directory when they sit beside the program (a build folder, a self-contained folder),
// else PREFIX/share/lobeview/ of a program installed as PREFIX/bin/, else the program directory.
QString resourceDirectory(const QString& programDir);

// True when the program runs from an installation: its shipped files are under share/lobeview.
bool isInstalled(const QString& programDir);

// Where the program writes the files it keeps beside itself (FileIndx.dat, FileIndx.txt, the
// default JPG, GIF and PDF folders, the PDF temporaries): the program directory when the program
// can write there and is not installed, else the per-user data folder, which is created.
QString filesDirectory(const QString& programDir);

// Folder in which the PDF converter is started: "Path" of "Common Files" when set, else the
// program directory; one separator is always appended (so the default ends in two).
QString commonFilesDirectory(const std::optional<QString>& storedPath, const QString& programDir);

// A data folder as the program was given it; when it does not exist but exactly one sibling
// differs from it only in letter case, that sibling. Otherwise the path unchanged.
QString resolveDirectoryCase(const QString& dir);

// The data folder the graph window reads from: the exact value "NSMAData" names the folder inside
// the program directory; any other value is used as it is. Letter case is resolved as above.
QString dataDirectory(const QString& sourceDir, const QString& programDir);

// The index file in the program directory.
QString indexFilePath(const QString& programDir);

// Start-up hint: "Lobeview Created: " and the program file's date in the user's short format.
QString createdHint(const QDate& fileDate);

} // namespace paths
