// SPDX-License-Identifier: MIT
// lobeview-cli print: the graph window's print run without its dialogs, for scripts.
#include "base/DisplayText.h"
#include "base/Prompter.h"
#include "cli/Commands.h"
#include "pages/PageRoutines.h"
#include "print/CupsPrint.h"

#include <QtCore/QFileInfo>

namespace {

const char PrintUsage[] = "usage: lobeview-cli print FILE.adf [--graph] [--data] [--color] "
                          "[--printer NAME]";

// The run's errors go to standard error; a run of the batch tool never pauses, so it never asks.
class ErrorPrompter : public Prompter {
public:
    void message(const QString& text) override { printError(text); }
    void error(const QString& text) override { printError(text); }
};

} // namespace

int printCommand(const QStringList& args) {
    QString input, printerName;
    bool graph = false, data = false, color = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QStringLiteral("--graph")) {
            graph = true;
        } else if (a == QStringLiteral("--data")) {
            data = true;
        } else if (a == QStringLiteral("--color")) {
            color = true;
        } else if (a == QStringLiteral("--printer") && i + 1 < args.size() &&
                   !args[i + 1].isEmpty()) {
            printerName = args[++i];
        } else if (input.isEmpty() && !a.startsWith(QLatin1Char('-'))) {
            input = a;
        } else {
            printError(QStringLiteral("lobeview-cli print: unexpected argument '%1'").arg(a));
            printError(QString::fromLatin1(PrintUsage));
            return 2;
        }
    }
    if (input.isEmpty()) {
        printError(QString::fromLatin1(PrintUsage));
        return 2;
    }
    if (!graph && !data)
        graph = true;

    const std::optional<AntennaFile> antenna = openAntennaFile(input);
    if (!antenna)
        return 1;
    const IndexRecord& record = antenna->record;
    const LoadedPattern& pattern = antenna->pattern;

    PrintRunRequest request;
    request.Graph = graph;
    request.Data = data;
    request.Feed = pattern.feedKind;
    request.Title = DisplayText(record.modelNumber()).trimmed();
    PageMapper pageMap;
    const auto page = [&](int penFactor) {
        return PageSource{pageMap, record, pattern, color, penFactor};
    };
    const PrintRunPages pages{
        [&](QPainter& p, int f) { DrawPortraitGraphPage(page(f), p); },
        [&](QPainter& p, int f) { DrawLandscapeGraphPage(page(f), p); },
        [&](QPainter& p, int f) { DrawDataPage(page(f), p); },
    };
    PrinterSetup setup;
    setup.Name = printerName;
    CupsBackend backend(setup);
    ErrorPrompter prompter;
    const PrintRunResult result = RunPrint(request, pages, backend, prompter);

    QByteArray out;
    if (!result.PrinterName.isEmpty())
        out += "printer: " + result.PrinterName.toUtf8() + '\n';
    // The job ids in the order of the documents: the graph first, then the data sheet.
    QList<QByteArray> kinds;
    if (graph)
        kinds << "graph";
    if (data)
        kinds << "data";
    for (size_t i = 0; i < result.JobIds.size(); ++i)
        out +=
            "job: " + QByteArray::number(result.JobIds[i]) + ' ' + kinds.value(qsizetype(i)) + '\n';
    printOut(out);
    return result.ok() ? 0 : 1;
}
