// SPDX-License-Identifier: MIT
// lobeview-cli export: the vector formats of one file, and the export of a whole catalogue.
#include "cli/Commands.h"
#include "output/CatalogueExport.h"
#include "output/PageWriter.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QFileInfo>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// Ctrl+C (or SIGTERM) during a catalogue export stops it as the window's Stop does: the files in
// hand are finished, no other is started, and the summary says how far the run got. A second
// signal ends the program at once, through the handler that was there before (the one that
// clears away the PDF converter's files).
std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);
struct sigaction previousHandlers[2];
constexpr int StopSignals[2] = {SIGINT, SIGTERM};

extern "C" void onStopSignal(int signal) {
    stopRequested.store(true);
    for (int i = 0; i < 2; ++i)
        if (StopSignals[i] == signal)
            ::sigaction(signal, &previousHandlers[i], nullptr);
    const char note[] = "\nlobeview-cli export: stopping after the files in hand; press Ctrl+C "
                        "again to end at once\n";
    [[maybe_unused]] const auto written = ::write(STDERR_FILENO, note, sizeof note - 1);
}

void stopOnSignals() {
    for (int i = 0; i < 2; ++i) {
        ::sigaction(StopSignals[i], nullptr, &previousHandlers[i]);
        // A signal the shell told us to ignore (nohup, a background job) stays ignored.
        if (previousHandlers[i].sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = onStopSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(StopSignals[i], &action, nullptr);
    }
}

const char VectorUsage[] = "usage: lobeview-cli export FILE.adf --page chart|data "
                           "--format vector-pdf|svg [--color] -o OUT";
const char CatalogueUsage[] =
    "usage: lobeview-cli export --catalogue DIR --page chart|data|both "
    "--format png|jpg|gif|pdf|vector-pdf|svg|txt -o OUTDIR [-j N] [--color]";

int usageError(const char* usage, const QString& why = {}) {
    if (!why.isEmpty())
        printError(QStringLiteral("lobeview-cli export: ") + why);
    printError(QString::fromLatin1(usage));
    return 2;
}

struct Arguments {
    QString input;
    QString catalogue;
    QString output;
    QString page;
    QString format = QStringLiteral("png");
    QString jobs;
    bool color = false;
    QString unexpected;
};

Arguments parse(const QStringList& args) {
    Arguments a;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QStringLiteral("-o") && hasValue)
            a.output = args[++i];
        else if (arg == QStringLiteral("--page") && hasValue)
            a.page = args[++i];
        else if (arg == QStringLiteral("--format") && hasValue)
            a.format = args[++i].toLower();
        else if (arg == QStringLiteral("--catalogue") && hasValue)
            a.catalogue = args[++i];
        else if (arg == QStringLiteral("-j") && hasValue)
            a.jobs = args[++i];
        else if (arg.startsWith(QStringLiteral("-j")) && arg.size() > 2)
            a.jobs = arg.mid(2);
        else if (arg == QStringLiteral("--color"))
            a.color = true;
        else if (a.input.isEmpty() && !arg.startsWith(QLatin1Char('-')))
            a.input = arg;
        else if (a.unexpected.isEmpty())
            a.unexpected = arg;
    }
    return a;
}

// Prints the progress of a run: one line rewritten in place on a terminal, a line per file
// otherwise.
class ProgressPrinter {
public:
    ProgressPrinter() : terminal_(::isatty(STDOUT_FILENO) == 1) { shown_.start(); }

    void operator()(const catalogue::Progress& p) {
        const double rate = p.seconds > 0 ? p.done / p.seconds : 0;
        if (!terminal_) {
            printOut(QStringLiteral("[%1/%2] %3%4\n")
                         .arg(p.done)
                         .arg(p.total)
                         .arg(p.fileName, p.failed ? QStringLiteral(" failed") : QString())
                         .toLocal8Bit());
            // A log or a pipe sees each line as the file is done, not when a buffer fills.
            std::fflush(stdout);
            return;
        }
        // A terminal is redrawn at most 20 times a second, and once more at the end.
        if (p.done != p.total && shown_.elapsed() < 50 && drawn_)
            return;
        shown_.restart();
        drawn_ = true;
        printOut(QStringLiteral("\r[%1/%2] %3 antennas/s  %4\x1b[K")
                     .arg(p.done)
                     .arg(p.total)
                     .arg(rate, 0, 'f', 1)
                     .arg(p.fileName)
                     .toLocal8Bit());
        std::fflush(stdout);
    }

    // Ends the progress line on a terminal.
    void finish() {
        if (terminal_ && drawn_)
            printOut("\n");
    }

private:
    bool terminal_;
    bool drawn_ = false;
    QElapsedTimer shown_;
};

} // namespace

bool isVectorFormatName(const QString& format) {
    const QString f = format.toLower();
    return f == QStringLiteral("vector-pdf") || f == QStringLiteral("svg");
}

int vectorExportCommand(const QStringList& args) {
    const Arguments a = parse(args);
    if (!a.unexpected.isEmpty())
        return usageError(VectorUsage,
                          QStringLiteral("unexpected argument '%1'").arg(a.unexpected));
    if (a.input.isEmpty() || a.output.isEmpty() || !a.jobs.isEmpty() ||
        (a.page != QStringLiteral("chart") && a.page != QStringLiteral("data")) ||
        !isVectorFormatName(a.format))
        return usageError(VectorUsage);

    const std::optional<AntennaFile> antenna = openAntennaFile(a.input);
    if (!antenna)
        return 1;
    const OutputFormat format =
        a.format == QStringLiteral("svg") ? OutputFormat::Svg : OutputFormat::VectorPdf;
    const PageKind page = a.page == QStringLiteral("chart") ? PageKind::Chart : PageKind::Data;
    PageOptions options;
    options.color = a.color;
    if (const auto error = PageWriter::writePage(page, format, *antenna, options, a.output)) {
        printError(fileError(a.output, *error));
        return 1;
    }
    return 0;
}

int catalogueExportCommand(const QStringList& args) {
    const Arguments a = parse(args);
    if (!a.unexpected.isEmpty() || !a.input.isEmpty())
        return usageError(CatalogueUsage,
                          QStringLiteral("unexpected argument '%1'")
                              .arg(a.unexpected.isEmpty() ? a.input : a.unexpected));
    catalogue::Options options;
    options.catalogueDir = a.catalogue;
    options.outputDir = a.output;
    options.color = a.color;
    const auto format = catalogue::FormatFromName(a.format);
    const auto pages = catalogue::PagesFromName(a.page);
    if (a.catalogue.isEmpty() || a.output.isEmpty() || !pages)
        return usageError(CatalogueUsage);
    if (!format)
        return usageError(CatalogueUsage, QStringLiteral("unknown format '%1'").arg(a.format));
    if (*format == catalogue::Format::Txt && *pages == catalogue::Pages::Chart)
        return usageError(CatalogueUsage,
                          QStringLiteral("txt is the text copy of the data file: use --page data"));
    if (!a.jobs.isEmpty()) {
        bool ok = false;
        options.threads = a.jobs.toInt(&ok);
        if (!ok || options.threads < 1 || options.threads > 256)
            return usageError(CatalogueUsage,
                              QStringLiteral("-j needs a number of threads from 1 to 256"));
    }
    options.format = *format;
    options.pages = *pages;

    const catalogue::Plan plan = catalogue::PlanCatalogueExport(options);
    if (!plan.error.isEmpty()) {
        printError(plan.error);
        return 2;
    }
    ProgressPrinter printer;
    stopOnSignals();
    const catalogue::Report report = catalogue::RunCatalogueExport(
        options, plan, [&](const catalogue::Progress& p) { printer(p); }, &stopRequested);
    printer.finish();
    if (!report.error.isEmpty()) {
        printError(report.error);
        return 1;
    }
    for (const QString& line : report.summary(options, false))
        printOut((line + QLatin1Char('\n')).toLocal8Bit());
    for (const QString& failure : report.failures)
        printError(QStringLiteral("failed: ") + failure);
    return report.failed() > 0 || report.stopped ? 1 : 0;
}
