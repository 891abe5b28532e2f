// SPDX-License-Identifier: MIT
#include "base/ProgramPaths.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "cli/Commands.h"
#include "output/PageWriter.h"

#include <QtCore/QFileInfo>

namespace {

const char ExportUsage[] = "usage: lobeview-cli export FILE.adf --page chart|data "
                           "--format png|jpg|gif|pdf|txt [--color] -o OUT";

// What the converter's hand-over and the text copy tell goes to standard output.
class ConsoleReport : public Prompter {
public:
    void message(const QString& text) override { printOut(text.toLocal8Bit() + '\n'); }
    void error(const QString& text) override { printError(text); }
};

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
    const QStringList names{QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("gif"),
                            QStringLiteral("pdf"), QStringLiteral("txt")};
    const OutputFormat formats[] = {OutputFormat::Png, OutputFormat::Jpg, OutputFormat::Gif,
                                    OutputFormat::HtmldocPdf, OutputFormat::Txt};
    if (!names.contains(format)) {
        printError(QStringLiteral("lobeview-cli export: unsupported format '%1' (png, jpg, gif, "
                                  "pdf or txt)")
                       .arg(format));
        return 2;
    }
    const OutputFormat outputFormat = formats[names.indexOf(format)];
    const PageKind kind = pageKind == QStringLiteral("chart") ? PageKind::Chart : PageKind::Data;
    if (const auto why = PageWriter::refusal(kind, outputFormat)) {
        const QString hint = outputFormat == OutputFormat::Txt
                                 ? QStringLiteral("use --page data with --format txt")
                                 : QStringLiteral("use --page chart, or png or pdf for the data "
                                                  "sheet");
        printError(QStringLiteral("lobeview-cli export: %1; %2").arg(*why, hint));
        return 2;
    }

    const std::optional<AntennaFile> antenna = openAntennaFile(input);
    if (!antenna)
        return 1;

    ConsoleReport report;
    PageOptions options;
    options.color = color;
    options.report = &report;
    const QString programDir = paths::programDirectory();
    options.commonFilesDir =
        paths::commonFilesDirectory(SettingsStore().commonFilesPath(), programDir);
    // Every format but PNG names its file by the full path in its messages.
    const QString path =
        outputFormat == OutputFormat::Png ? output : QFileInfo(output).absoluteFilePath();
    if (const auto error = PageWriter::writePage(kind, outputFormat, *antenna, options, path)) {
        if (!error->isEmpty())
            printError(*error);
        return 1;
    }
    return 0;
}
