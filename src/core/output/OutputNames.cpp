// SPDX-License-Identifier: MIT
#include "output/OutputNames.h"

#include "base/DisplayText.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

namespace output {

QString FileNameRpe(QByteArrayView rpeNumber) {
    const QString text = DisplayText(rpeNumber);
    if (text.isEmpty())
        return QStringLiteral("RPE");
    // Judged on the original text, so that "../.." gives "_____".
    QString name = text;
    const auto isDot = [&](qsizetype i) {
        return i >= 0 && i < text.size() && text.at(i) == QLatin1Char('.');
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool separator = c == QLatin1Char('/') || c == QLatin1Char('\\');
        const bool control = c.unicode() < 0x20 || c.unicode() == 0x7f;
        const bool dotRun = isDot(i) && (isDot(i - 1) || isDot(i + 1));
        if (separator || control || dotRun)
            name[i] = QLatin1Char('_');
    }
    return name;
}

QString ResolveLocation(const QString& text, const QString& programDir) {
    if (text.isEmpty())
        return text;
    if (text == QStringLiteral("~"))
        return QDir::homePath();
    if (text.startsWith(QStringLiteral("~/")))
        return QDir::homePath() + text.mid(1);
    if (QDir::isAbsolutePath(text))
        return text;
    QString base = programDir;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + text;
}

QString ExportFileName(ExportKind kind, QByteArrayView rpeNumber) {
    const QString r = FileNameRpe(rpeNumber);
    switch (kind) {
    case ExportKind::ChartJpg:
        return r + QStringLiteral(".jpg");
    case ExportKind::ChartGif:
        return r + QStringLiteral(".gif");
    case ExportKind::ChartPdf:
        return r + QStringLiteral(".pdf");
    case ExportKind::DataPdf:
        return r + QStringLiteral("dat.pdf");
    case ExportKind::DataText:
        return r + QStringLiteral(".txt");
    }
    return r;
}

QString ExportPreset(ExportKind kind, const QString& locationText, QByteArrayView rpeNumber,
                     const QString& programDir) {
    const QString name = ExportFileName(kind, rpeNumber);
    if (kind == ExportKind::DataText)
        return name;
    QString dir = ResolveLocation(locationText, programDir);
    if (dir.isEmpty())
        dir = programDir;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + name;
}

QString DefaultOutputFolder(ExportKind kind, const QString& programDir) {
    const char* name = nullptr;
    switch (kind) {
    case ExportKind::ChartJpg:
        name = "JPG";
        break;
    case ExportKind::ChartGif:
        name = "GIF";
        break;
    case ExportKind::ChartPdf:
    case ExportKind::DataPdf:
        name = "PDF";
        break;
    case ExportKind::DataText:
        return {};
    }
    QString base = programDir;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + QLatin1String(name);
}

QString PrepareOutputFolder(ExportKind kind, const QString& locationText,
                            const QString& programDir) {
    const QString fallback = DefaultOutputFolder(kind, programDir);
    if (fallback.isEmpty())
        return {};
    QString chosen = ResolveLocation(locationText, programDir);
    if (chosen.isEmpty())
        chosen = programDir;
    if (QFileInfo(chosen).isDir())
        return chosen;
    if (QFileInfo(fallback).isDir() || QDir().mkdir(fallback))
        return fallback;
    return chosen;
}

namespace {
// Position of the extension's dot in `path`, or -1.
qsizetype extensionDot(const QString& path) {
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    qsizetype first = nameStart;
    while (first < path.size() && path.at(first) == QLatin1Char('.'))
        ++first;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > first ? dot : -1;
}
} // namespace

QString WithoutExtension(const QString& path) {
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? path : path.left(dot);
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')) || extensionDot(path) >= 0)
        return path;
    return path + QLatin1Char('.') + extension;
}

QString PdfTargetPath(const QString& confirmedPath) {
    return WithoutExtension(confirmedPath) + QStringLiteral(".pdf");
}

} // namespace output
