#include "cli/Commands.h"
#include "graph/PatternReader.h"
#include "graph/ScreenChart.h"
#include "index/IndexRefresh.h"

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
        printError(QStringLiteral("usage: lobeview-cli screen FILE.adf -o OUT.png [--feed TEXT]"));
        return 2;
    }
    if (!feedGiven) {
        IndexRecord header;
        BuildRecordFromFile(input, header);
        feed = header.feedOrientation();
    }
    LoadedPattern pattern;
    const LoadResult r = LoadPatternFile(input, feed, pattern);
    if (r.status != LoadStatus::Loaded) {
        printError(r.message);
        return 1;
    }
    QImage canvas = screen::newCanvas();
    screen::DrawScreenChart(canvas, pattern.feedKind);
    for (int cut = 0; cut < CutCount; ++cut)
        screen::DrawScreenTrace(canvas, pattern.CutPoints[static_cast<size_t>(cut)], cut);
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || !canvas.save(&file, "PNG") || !file.commit()) {
        printError(QStringLiteral("Cannot create file %1").arg(output));
        return 1;
    }
    return 0;
}
