// SPDX-License-Identifier: MIT
// Export of a 1,000-antenna catalogue to PNG chart pages on every core against one worker: the
// run on N cores should reach at least 0.8 of N times the one-worker throughput. The processor
// time the process spends per antenna is printed too: on a machine busy with other work the
// wall-clock ratio only shows how much processor time was to be had, while equal processor time
// per antenna shows that the workers do not slow each other down.
//
//   bench_catalogue_export [benchmark options] [N]
#include "BenchSupport.h"
#include "catalogue/AntennaFile.h"
#include "output/CatalogueExport.h"
#include "output/PngEncoding.h"
#include "pages/PageRoutines.h"

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtCore/QThread>
#include <QtGui/QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/resource.h>

namespace {

catalogue::Options g_options;
catalogue::Plan g_plan;
int g_count = 1000;
std::map<std::string, double> g_cpuPerAntenna; // processor seconds of the whole process

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void exportWith(benchmark::State& state, int threads) {
    catalogue::Options options = g_options;
    options.threads = threads;
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        const catalogue::Report report = catalogue::RunCatalogueExport(options, g_plan);
        const double cpu = processCpuSeconds() - cpuBefore;
        if (report.failed() > 0 || !report.error.isEmpty() || report.exported == 0) {
            state.SkipWithError("the export failed");
            continue;
        }
        state.counters["antennas/s"] = report.exported / report.seconds;
        state.counters["cpu ms/antenna"] = cpu / report.exported * 1e3;
        g_cpuPerAntenna[threads == 1 ? "one" : "all"] = cpu / report.exported;
    }
}

void BM_PngOneWorker(benchmark::State& state) {
    exportWith(state, 1);
}

void BM_PngEveryCore(benchmark::State& state) {
    exportWith(state, QThread::idealThreadCount());
}

// The PNG encoding alone, of one chart page of the catalogue: the page encoder against the
// encoding the program used before (true colours, Qt's default deflate level).
QImage g_page;
std::size_t g_pageBytes[2] = {0, 0};

void BM_EncodePrevious(benchmark::State& state) {
    for (auto _ : state)
        g_pageBytes[0] = static_cast<std::size_t>(png::EncodeDefault(g_page).size());
}

void BM_EncodePage(benchmark::State& state) {
    for (auto _ : state)
        g_pageBytes[1] = static_cast<std::size_t>(png::EncodePage(g_page).size());
}

BENCHMARK(BM_EncodePrevious)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodePage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PngOneWorker)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_PngEveryCore)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc > 1 && argv[argc - 1][0] != '-')
        g_count = std::atoi(argv[--argc]);
    QTemporaryDir home;
    const QString data = home.filePath(QStringLiteral("NSMAData"));
    QDir().mkpath(data);
    if (!bench::makeCatalogue(data, g_count, 13))
        return 1;
    g_options.catalogueDir = data;
    g_options.outputDir = home.filePath(QStringLiteral("out"));
    g_options.format = catalogue::Format::Png;
    g_options.pages = catalogue::Pages::Chart;
    QElapsedTimer planning;
    planning.start();
    g_plan = catalogue::PlanCatalogueExport(g_options);
    const double planSeconds = planning.nsecsElapsed() / 1e9;
    if (!g_plan.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(g_plan.error));
        return 1;
    }
    catalogue::PrepareDrawing(g_options.format);
    if (const AntennaFileOrError first = AntennaFile::open(g_plan.items.first().path); first.file) {
        PageMapper map;
        DrawGraphPage(
            PageSource{map, first.file->record, first.file->pattern, false, ImagePenFactor},
            g_page);
    }
    const int cores = QThread::idealThreadCount();
    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    std::printf("catalogue: %lld antennas, %d cores (load average %.1f); names decided in %.2f s\n",
                static_cast<long long>(g_plan.items.size()), cores, load[0], planSeconds);

    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double one = reporter.seconds("BM_PngOneWorker");
    const double all = reporter.seconds("BM_PngEveryCore");
    const double n = static_cast<double>(g_plan.items.size());
    std::printf("\n");
    std::printf("%-48s %.1f antennas/s\n", "one worker", one > 0 ? n / one : 0);
    std::printf("%-48s %.1f antennas/s\n", "one worker per core", all > 0 ? n / all : 0);
    bench::printRatio("every core / (cores x one worker), throughput", one, all * cores, ">= 0.8");
    bench::printRatio("PNG encoding of a chart page / previous encoding",
                      reporter.seconds("BM_EncodePage"), reporter.seconds("BM_EncodePrevious"),
                      "<= 0.5");
    std::printf("%-48s %zu / %zu bytes\n", "chart page PNG, now / before", g_pageBytes[1],
                g_pageBytes[0]);
    std::printf("%-48s %.1f / %.1f ms\n", "processor time per antenna, one / every core",
                g_cpuPerAntenna["one"] * 1e3, g_cpuPerAntenna["all"] * 1e3);
    return 0;
}
