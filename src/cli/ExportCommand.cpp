#include "adf/PatternReader.h"
#include "base/ProgramPaths.h"
#include "base/Prompter.h"
#include "base/SaveFile.h"
#include "base/Settings.h"
#include "catalogue/IndexRefresh.h"
#include "cli/Commands.h"
#include "output/ExportRun.h"
#include "pages/PageRoutines.h"

#include <QtCore/QBuffer>
#include <QtCore/QFileInfo>
#include <QtGui/QImage>

namespace {

const char ExportUsage[] = "usage: lobeview-cli export FILE.adf --page chart|data "
                           "--format png|jpg|gif|pdf|txt [--color] -o OUT";

// The run's messages on standard output, its errors on standard error; nothing is opened.
class ConsolePrompter : public Prompter {
public:
    void message(const QString& text) override { printOut(text.toLocal8Bit() + '\n'); }
    void error(const QString& text) override { printError(text); }
};

int writePng(const PageSource& page, bool chart, const QString& output) {
    QImage image;
    if (chart)
        DrawGraphPage(page, image);
    else
        DrawDataPage(page, image);
    // Encoded in memory, then written whole or not at all: a failed write (a full disk too)
    // leaves no file and any earlier one intact.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        printError(cannotCreateMessage(output));
        return 1;
    }
    if (const auto error = saveWhole(output, bytes)) {
        printError(*error);
        return 1;
    }
    return 0;
}

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
    const QStringList formats{QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("gif"),
                              QStringLiteral("pdf"), QStringLiteral("txt")};
    if (!formats.contains(format)) {
        printError(QStringLiteral("lobeview-cli export: unsupported format '%1' (png, jpg, gif, "
                                  "pdf or txt)")
                       .arg(format));
        return 2;
    }
    const bool chart = pageKind == QStringLiteral("chart");
    // As in the graph window: JPG and GIF pictures are of the chart, the text copy is the data.
    if (chart && format == QStringLiteral("txt")) {
        printError(QStringLiteral("lobeview-cli export: the text copy is the data file; use "
                                  "--page data with --format txt"));
        return 2;
    }
    if (!chart && (format == QStringLiteral("jpg") || format == QStringLiteral("gif"))) {
        printError(QStringLiteral("lobeview-cli export: %1 pictures are made of the chart page; "
                                  "use --page chart, or png or pdf for the data sheet")
                       .arg(format));
        return 2;
    }

    IndexRecord record;
    LoadedPattern pattern;
    if (!loadAntennaFile(input, record, pattern))
        return 1;

    PageMapper pageMap;
    const PageSource page{pageMap, record, pattern, color, ImagePenFactor};
    if (format == QStringLiteral("png"))
        return writePng(page, chart, output);

    // The rest goes through the graph window's run, its save dialog answered with OUT.
    ConsolePrompter prompter;
    ScriptedSaveDialogs dialogs;
    dialogs.answers.push_back(QFileInfo(output).absoluteFilePath());
    if (format == QStringLiteral("txt"))
        return RunTextExport(input, record.rpeNumber(), {}, dialogs, prompter) ? 0 : 1;

    const QString programDir = paths::programDirectory();
    ExportRunRequest request;
    request.Graph = chart;
    request.Data = !chart;
    request.MakeJPG = format == QStringLiteral("jpg");
    request.MakeGIF = format == QStringLiteral("gif");
    request.MakePDF = format == QStringLiteral("pdf");
    request.Landscape = isTwoSided(pattern.feedKind);
    request.RpeNumber = record.rpeNumber();
    request.ProgramDir = programDir;
    request.CommonFilesDir =
        paths::commonFilesDirectory(SettingsStore().commonFilesPath(), programDir);
    ExportRunPages pages;
    pages.Graph = [&page](QImage& image) { DrawGraphPage(page, image); };
    pages.Data = [&page](QImage& image) { DrawDataPage(page, image); };
    const ExportRunResult result = RunExport(request, pages, dialogs, prompter);
    return result.Produced.isEmpty() ? 1 : 0;
}
