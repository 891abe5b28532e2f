#include "cli/Commands.h"
#include "graph/PatternReader.h"
#include "index/IndexRefresh.h"
#include "print/PageRoutines.h"

#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtGui/QImage>

namespace {

const char ExportUsage[] = "usage: lobeview-cli export FILE.adf --page chart|data --format png "
                           "[--color] -o OUT.png";

} // namespace

int exportCommand(const QStringList& args) {
    // A whole catalogue, and the vector formats, have their own command.
    if (args.contains(QStringLiteral("--catalogue")))
        return catalogueExportCommand(args);
    if (const qsizetype f = args.indexOf(QStringLiteral("--format"));
        f >= 0 && f + 1 < args.size() && isVectorFormatName(args[f + 1]))
        return vectorExportCommand(args);
    QString input, output, pageKind, format = QStringLiteral("png");
    bool color = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QStringLiteral("-o") && hasValue) {
            output = args[++i];
        } else if (a == QStringLiteral("--page") && hasValue) {
            pageKind = args[++i];
        } else if (a == QStringLiteral("--format") && hasValue) {
            format = args[++i].toLower();
        } else if (a == QStringLiteral("--color")) {
            color = true;
        } else if (input.isEmpty() && !a.startsWith(QLatin1Char('-'))) {
            input = a;
        } else {
            printError(QStringLiteral("lobeview-cli export: unexpected argument '%1'").arg(a));
            printError(QString::fromLatin1(ExportUsage));
            return 2;
        }
    }
    if (input.isEmpty() || output.isEmpty() ||
        (pageKind != QStringLiteral("chart") && pageKind != QStringLiteral("data"))) {
        printError(QString::fromLatin1(ExportUsage));
        return 2;
    }
    if (format != QStringLiteral("png")) {
        printError(
            QStringLiteral("lobeview-cli export: unsupported format '%1' (png only)").arg(format));
        return 2;
    }

    // The record the index rebuild would make of this file, and its pattern.
    IndexRecord record;
    const std::optional<QString> headerError = BuildRecordFromFile(input, record);
    LoadedPattern pattern;
    const LoadResult loaded = LoadPatternFile(input, record.feedOrientation(), pattern);
    if (loaded.status != LoadStatus::Loaded) {
        printError(loaded.message);
        return 1;
    }
    if (headerError) {
        printError(QStringLiteral("%1: %2").arg(QFileInfo(input).fileName(), *headerError));
        return 1;
    }

    TPrint pageMap;
    const PageSource page{pageMap, record, pattern, color, ImagePenFactor};
    QImage image;
    if (pageKind == QStringLiteral("chart"))
        DrawGraphPage(page, image);
    else
        DrawDataPage(page, image);

    // Written whole or not at all: a failed write leaves no file and any earlier one intact.
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        printError(QStringLiteral("Cannot create file %1").arg(output));
        return 1;
    }
    return 0;
}
