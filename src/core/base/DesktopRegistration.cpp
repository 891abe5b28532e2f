// SPDX-License-Identifier: MIT
#include "base/DesktopRegistration.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QSaveFile>
#include <QtCore/QStandardPaths>

namespace {

// Writes the file unless it holds exactly these bytes already; sets `changed` when it wrote.
std::optional<QString> writeWhole(const QString& path, const QByteArray& bytes,
                                  bool* changed = nullptr) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.size() == bytes.size() &&
        existing.readAll() == bytes)
        return std::nullopt;
    existing.close();
    if (changed)
        *changed = true;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("Cannot create folder %1").arg(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot create file %1: %2").arg(path, file.errorString());
    // A write error that waited in the buffer (a full disk) shows only in the flush; commit()
    // alone would put the short file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return QStringLiteral("Cannot write file %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

std::optional<QString> copyResource(const QString& resource, const QString& target) {
    QFile in(resource);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot open file %1").arg(resource);
    return writeWhole(target, in.readAll());
}

// True when a line of the key-file group `group` starts with `key` "=" and its value list holds
// `entry`.
bool keyFileListHolds(const QString& path, QByteArrayView group, QByteArrayView key,
                      QByteArrayView entry) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bool inGroup = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inGroup = line == '[' + group.toByteArray() + ']';
            continue;
        }
        if (!inGroup || !line.startsWith(key.toByteArray() + '='))
            continue;
        for (const QByteArray& value : line.mid(key.size() + 1).split(';'))
            if (value.trimmed() == entry)
                return true;
    }
    return false;
}

// Quotes an Exec argument as the desktop entry format requires when it holds reserved characters.
QString quoteExecArgument(const QString& arg) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needs = false;
    for (QChar c : arg)
        if (reserved.contains(c))
            needs = true;
    QString out = arg;
    out.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (!needs)
        return out;
    QString quoted;
    for (QChar c : out) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

DesktopLocations DesktopLocations::fromEnvironment() {
    DesktopLocations d;
    d.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    d.configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QByteArray dataEnv = qgetenv("XDG_DATA_HOME");
    if (!dataEnv.isEmpty())
        d.dataHome = QFile::decodeName(dataEnv);
    const QByteArray configEnv = qgetenv("XDG_CONFIG_HOME");
    if (!configEnv.isEmpty())
        d.configHome = QFile::decodeName(configEnv);
    return d;
}

std::optional<QString> runDesktopTool(const QString& program, const QStringList& args) {
    const QString exe = QStandardPaths::findExecutable(program);
    if (exe.isEmpty())
        return QStringLiteral("%1 was not found; install it to register .adf files").arg(program);
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(exe, args);
    if (!p.waitForStarted(10000))
        return QStringLiteral("%1 could not be started: %2").arg(program, p.errorString());
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished(1000);
        return QStringLiteral("%1 did not finish").arg(program);
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        const QString output = QString::fromLocal8Bit(p.readAll()).trimmed();
        return QStringLiteral("%1 failed (exit code %2)%3")
            .arg(program)
            .arg(p.exitCode())
            .arg(output.isEmpty() ? QString() : QStringLiteral(": ") + output);
    }
    return std::nullopt;
}

QByteArray mimePackage() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-nsma-adf\">\n"
        "    <comment>NSMA antenna data file</comment>\n"
        "    <sub-class-of type=\"text/plain\"/>\n"
        "    <icon name=\"application-x-nsma-adf\"/>\n"
        "    <glob pattern=\"*.adf\" weight=\"80\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

QByteArray desktopEntry(const QString& programPath) {
    QByteArray text =
        QByteArrayLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Lobeview\n"
                          "GenericName=Antenna pattern viewer\n"
                          "Comment=Radiation pattern envelopes of microwave antennas\n"
                          "Icon=lobeview\n"
                          "Exec=");
    text += quoteExecArgument(programPath).toUtf8();
    text +=
        QByteArrayLiteral(" %f\n"
                          "Terminal=false\n"
                          "MimeType=application/x-nsma-adf;\n"
                          "Categories=Science;Engineering;\n"
                          "Keywords=antenna;radiation pattern;RPE;NSMA;microwave;radio link;\n");
    return text;
}

std::optional<QString> registerAdfFileType(const QString& programPath,
                                           const DesktopLocations& where,
                                           const CommandRunner& run) {
    if (where.dataHome.isEmpty() || where.configHome.isEmpty())
        return QStringLiteral("No user data folder is known for the desktop registration");
    const QString mimeDir = where.dataHome + QStringLiteral("/mime");
    const QString appsDir = where.dataHome + QStringLiteral("/applications");
    const QString icons = where.dataHome + QStringLiteral("/icons/hicolor");

    bool mimeChanged = false;
    if (auto e = writeWhole(mimeDir + QStringLiteral("/packages/lobeview-nsma-adf.xml"),
                            mimePackage(), &mimeChanged))
        return e;
    for (const char* size : {"48x48", "256x256"}) {
        const QString s = QString::fromLatin1(size);
        if (auto e = copyResource(QStringLiteral(":/icons/MAINICON-%1.png").arg(s),
                                  icons + QStringLiteral("/%1/apps/lobeview.png").arg(s)))
            return e;
        if (auto e = copyResource(
                QStringLiteral(":/icons/RPEICON-%1.png").arg(s),
                icons + QStringLiteral("/%1/mimetypes/application-x-nsma-adf.png").arg(s)))
            return e;
    }
    bool entryChanged = false;
    if (auto e = writeWhole(appsDir + QLatin1Char('/') + QLatin1String(DesktopFileName),
                            desktopEntry(programPath), &entryChanged))
        return e;
    // Each tool runs only when what it reads changed or what it makes is missing, so a start
    // that finds the registration in place (a run ended without saving it) starts no process.
    if (mimeChanged || !QFileInfo::exists(mimeDir + QStringLiteral("/application/x-nsma-adf.xml")))
        if (auto e = run(QStringLiteral("update-mime-database"), {mimeDir}))
            return e;
    if (entryChanged || !keyFileListHolds(appsDir + QStringLiteral("/mimeinfo.cache"), "MIME Cache",
                                          AdfMimeType, DesktopFileName))
        if (auto e = run(QStringLiteral("update-desktop-database"), {appsDir}))
            return e;
    // xdg-mime writes the choice into $XDG_CONFIG_HOME/mimeapps.list.
    if (!keyFileListHolds(where.configHome + QStringLiteral("/mimeapps.list"),
                          "Default Applications", AdfMimeType, DesktopFileName)) {
        QDir().mkpath(where.configHome);
        if (auto e = run(QStringLiteral("xdg-mime"),
                         {QStringLiteral("default"), QLatin1String(DesktopFileName),
                          QLatin1String(AdfMimeType)}))
            return e;
    }
    return std::nullopt;
}
