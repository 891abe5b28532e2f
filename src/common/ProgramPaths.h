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
