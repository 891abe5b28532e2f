// SPDX-License-Identifier: MIT
#include "base/ProgramPaths.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <unistd.h>

namespace paths {

QString programDirectory() {
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString programFile() {
    return QCoreApplication::applicationFilePath();
}

QString userDataDirectory() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    // A relative value is ignored, as the XDG base directory rules say.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base) + QStringLiteral("/Quelda/Lobeview/");
}

namespace {

QString withSlash(QString dir) {
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

// PREFIX/share/lobeview/ for a program in PREFIX/bin/.
QString installedShareDirectory(const QString& programDir) {
    return withSlash(QDir::cleanPath(programDir + QStringLiteral("../share/lobeview")));
}

bool holdsCatalogue(const QString& dir) {
    return QFileInfo(resolveDirectoryCase(dir + QStringLiteral("NSMAdata"))).isDir();
}

} // namespace

bool isInstalled(const QString& programDir) {
    return !holdsCatalogue(programDir) && holdsCatalogue(installedShareDirectory(programDir));
}

QString resourceDirectory(const QString& programDir) {
    return isInstalled(programDir) ? installedShareDirectory(programDir) : programDir;
}

QString filesDirectory(const QString& programDir) {
    // access() also sees a read-only mount, which the permission bits do not show.
    const bool writable = ::access(QFile::encodeName(programDir).constData(), W_OK | X_OK) == 0;
    if (writable && !isInstalled(programDir))
        return programDir;
    const QString dir = userDataDirectory();
    QDir().mkpath(dir);
    return dir;
}

QString commonFilesDirectory(const std::optional<QString>& storedPath, const QString& programDir) {
    return storedPath.value_or(programDir) + QLatin1Char('/');
}

QString resolveDirectoryCase(const QString& dir) {
    if (dir.isEmpty() || QFileInfo(dir).isDir())
        return dir;
    QString trimmed = dir;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    const QFileInfo info(trimmed);
    const QDir parent = info.dir();
    if (!parent.exists())
        return dir;
    const QString name = info.fileName();
    QString found;
    int matches = 0;
    const QStringList entries =
        parent.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            found = entry;
            ++matches;
        }
    }
    if (matches != 1)
        return dir;
    return parent.filePath(found);
}

QString dataDirectory(const QString& sourceDir, const QString& programDir) {
    const QString dir = sourceDir == QStringLiteral("NSMAData")
                            ? programDir + QStringLiteral("NSMAData")
                            : sourceDir;
    return resolveDirectoryCase(dir);
}

QString indexFilePath(const QString& programDir) {
    return programDir + QStringLiteral("FileIndx.dat");
}

QString createdHint(const QDate& fileDate) {
    return QStringLiteral("Lobeview Created: ") +
           QLocale::system().toString(fileDate, QLocale::ShortFormat);
}

} // namespace paths
