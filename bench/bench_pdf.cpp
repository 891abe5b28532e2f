// SPDX-License-Identifier: MIT
// Times the chart PDF end to end, as the page writer makes it (draw the two-sided chart page,
// write the GIF and the HTML page, run htmldoc, wait for it, hand the PDF over, remove the
// temporaries), against htmldoc alone on the same HTML page and GIF, and prints the ratio at the
// end (target <= 1.3): of the two medians, and the median of runs made side by side in pairs,
// which a slow spell of a shared machine does not tilt. Both sides run htmldoc with the same
// arguments and an empty HOME.
#include "BenchSupport.h"
#include "base/Prompter.h"
#include "output/GifImage.h"
#include "output/PageWriter.h"
#include "output/PdfExport.h"
#include "pages/PageRoutines.h"

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

struct Antenna {
    AntennaFile file;
    PageMapper map;
    Antenna() {
        AntennaFileOrError opened =
            AntennaFile::open(QStringLiteral(LOBEVIEW_SAMPLE_DIR "/ZZX10-60L.adf"));
        if (opened.file)
            file = std::move(*opened.file);
    }
    PageSource source() { return PageSource{map, file.record, file.pattern, true, ImagePenFactor}; }
};

Antenna& antenna() {
    static Antenna a;
    return a;
}

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

// One chart PDF as the page writer makes it; the error text when it could not.
std::optional<QString> chartPdfEndToEnd() {
    static const QString outDir = [] {
        const QString dir = scratch().filePath(QStringLiteral("out"));
        QDir().mkpath(dir);
        return dir;
    }();
    RecordingPrompter prompter;
    PageOptions options;
    options.color = true;
    options.report = &prompter;
    return PageWriter::writePage(PageKind::Chart, OutputFormat::HtmldocPdf, antenna().file, options,
                                 outDir + QStringLiteral("/chart.pdf"));
}

void BM_ChartPdfEndToEnd(benchmark::State& state) {
    for (auto _ : state) {
        if (const auto error = chartPdfEndToEnd()) {
            state.SkipWithError(qPrintable(QStringLiteral("no PDF: ") + *error));
            break;
        }
    }
}

// The HTML page and the GIF of the same chart page, written once.
const PdfTemporaries& aloneInputs() {
    static const PdfTemporaries temps = [] {
        const QString programDir = scratch().filePath(QStringLiteral("alone")) + QLatin1Char('/');
        QDir().mkpath(programDir);
        const PdfTemporaries t =
            PdfTemporaryPaths(programDir, antenna().file.record.rpeNumber(), PdfVariant::Graph);
        QImage page;
        DrawGraphPage(antenna().source(), page);
        GifImage gif;
        gif.Assign(page);
        gif.EncodeInTwo = true; // as the PDF path writes it
        if (gif.SaveToFile(t.gif) || WriteHtmlPage(t.html, t.gif, 680, 520))
            return PdfTemporaries{};
        return t;
    }();
    return temps;
}

// htmldoc alone on the same page and GIF, with the same arguments and an empty HOME.
bool htmldocAlone() {
    const PdfTemporaries& temps = aloneInputs();
    static const QTemporaryDir home;
    if (temps.html.isEmpty())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(ConverterProgram(QString()),
                  ConverterArguments(QStringLiteral("landscape"), temps, PdfVariant::Graph));
    return process.waitForFinished(-1) && process.exitCode() == 0;
}

void BM_HtmldocAlone(benchmark::State& state) {
    for (auto _ : state) {
        if (!htmldocAlone()) {
            state.SkipWithError("htmldoc failed");
            break;
        }
    }
}

// The two side by side, so that a slow spell of the machine falls on both: the median of the
// ratios of `pairs` end-to-end runs each next to an htmldoc-alone run.
double pairedRatio(int pairs) {
    std::vector<double> ratios;
    for (int i = 0; i < pairs; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (chartPdfEndToEnd())
            return 0;
        const qint64 ours = clock.nsecsElapsed();
        clock.restart();
        if (!htmldocAlone())
            return 0;
        ratios.push_back(double(ours) / double(clock.nsecsElapsed()));
    }
    std::sort(ratios.begin(), ratios.end());
    return ratios[ratios.size() / 2];
}

// The program's own share of the end-to-end run: the page drawn and encoded as GIF, in two
// halves at once as the PDF path does (1) or in one go as a GIF export does (0).
void BM_DrawAndEncode(benchmark::State& state) {
    for (auto _ : state) {
        QImage page;
        DrawGraphPage(antenna().source(), page);
        GifImage gif;
        gif.Assign(page);
        gif.EncodeInTwo = state.range(0) == 1;
        QByteArray bytes;
        gif.SaveToBuffer(bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
}

BENCHMARK(BM_DrawAndEncode)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7);
BENCHMARK(BM_ChartPdfEndToEnd)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(7);
BENCHMARK(BM_HtmldocAlone)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(7);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    bench::printRatio("chart PDF end to end / htmldoc alone",
                      reporter.seconds("BM_ChartPdfEndToEnd"), reporter.seconds("BM_HtmldocAlone"),
                      "<= 1.3");
    std::printf("%-48s %.3f  (target <= 1.3)\n", "the same, median of 15 side-by-side pairs",
                pairedRatio(15));
    std::printf("%-48s %.1f ms, htmldoc alone %.1f ms\n", "of which drawing the page and its GIF",
                reporter.seconds("BM_DrawAndEncode") * 1e3,
                reporter.seconds("BM_HtmldocAlone") * 1e3);
    benchmark::Shutdown();
    return 0;
}
