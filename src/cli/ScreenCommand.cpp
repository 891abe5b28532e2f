// SPDX-License-Identifier: MIT
#include "adf/PatternReader.h"
#include "catalogue/IndexRefresh.h"
#include "cli/Commands.h"
#include "output/GifImage.h"
#include "pages/ScreenChart.h"

#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>

int screenCommand(const QStringList& args) {
    QString input, output;
    QByteArray feed;
    bool feedGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("-o") && i + 1 < args.size()) {
            output = args[++i];
        } else if (args[i] == QStringLiteral("--feed") && i + 1 < args.size()) {
            feed = args[++i].toLatin1();
            feedGiven = true;
        } else if (input.isEmpty() && !args[i].startsWith(QLatin1Char('-'))) {
            input = args[i];
        } else {
            input.clear();
            break;
        }
    }
    if (input.isEmpty() || output.isEmpty()) {
        printError(
            QStringLiteral("usage: lobeview-cli screen FILE.adf -o OUT.png|OUT.gif [--feed TEXT]"));
        return 2;
    }
    // The picture format follows the name, so a file never holds another format's bytes.
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix != QStringLiteral("png") && suffix != QStringLiteral("gif")) {
        printError(QStringLiteral("lobeview-cli screen: %1: the chart is written as .png or .gif")
                       .arg(output));
        return 2;
    }
    IndexRecord header;
    const auto headerError = BuildRecordFromFile(input, header);
    if (headerError == QString::fromLatin1(NotNsmaFileReason)) {
        printError(fileError(input, *headerError));
        return 1;
    }
    if (!feedGiven)
        feed = header.feedOrientation();
    LoadedPattern pattern;
    const LoadResult r = LoadPatternFile(input, feed, pattern);
    if (r.status != LoadStatus::Loaded) {
        printError(fileError(input, r.message));
        return 1;
    }
    QImage canvas = screen::newCanvas();
    screen::DrawScreenChart(canvas, pattern.feedKind);
    for (int cut = 0; cut < CutCount; ++cut)
        screen::DrawScreenTrace(canvas, pattern.CutPoints[static_cast<size_t>(cut)], cut);
    if (suffix == QStringLiteral("gif")) {
        GifImage gif;
        gif.Assign(canvas);
        if (const auto error = gif.SaveToFile(output)) {
            printError(fileError(output, *error));
            return 1;
        }
        return 0;
    }
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || !canvas.save(&file, "PNG") || !file.flush() ||
        !file.commit()) {
        printError(QStringLiteral("Cannot create file %1").arg(output));
        return 1;
    }
    return 0;
}
