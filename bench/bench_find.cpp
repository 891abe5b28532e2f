// SPDX-License-Identifier: MIT
// Finding antennas in a 10,000-file catalogue: the index filters against a plain loop over the
// same records (target: a search within 50 ms), and the compliance filter cold (every file read
// and checked on every core, against lobeview-cli check --catalogue of the same files) and warm
// (every result from the cache, target: within 200 ms).
//
//   bench_find [benchmark options] [N]
#include "BenchSupport.h"
#include "compliance/FindResults.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

QString g_data;
QString g_report;
CatalogueRecords g_records;
MaskTable g_table;
int g_count = 10000;

SearchQuery question() {
    SearchQuery q;
    q.words = SearchQuery::wordsOf(QStringLiteral("pol"));
    q.coversGHz = 6.175;
    q.minGainDbi = 30;
    q.maxSizeFeet = 8;
    return q;
}

void BM_PlainLoop(benchmark::State& state) {
    // Reads the same texts and band edges without testing them.
    for (auto _ : state) {
        qsizetype n = 0;
        for (const IndexRecord& r : g_records.records)
            n += r.modelNumber().size() + r.description2().size() + r.gain().size() +
                 r.size().size() + int(r.lowFrequency() < r.highFrequency());
        benchmark::DoNotOptimize(n);
    }
}

void BM_IndexFilters(benchmark::State& state) {
    const SearchQuery q = question();
    for (auto _ : state)
        benchmark::DoNotOptimize(SearchRecords(q, g_records.records));
}

void BM_FccCold(benchmark::State& state) {
    for (auto _ : state) {
        FccCache cache;
        benchmark::DoNotOptimize(
            FindAntennas(g_records, g_data, {}, FccFilter{}, &g_table, cache).found.size());
    }
}

void BM_FccWarm(benchmark::State& state) {
    FccCache cache;
    FindAntennas(g_records, g_data, {}, FccFilter{}, &g_table, cache);
    for (auto _ : state)
        if (FindAntennas(g_records, g_data, {}, FccFilter{}, &g_table, cache).fileReads != 0)
            state.SkipWithError("a file was read");
}

void BM_CheckCatalogue(benchmark::State& state) {
    for (auto _ : state) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(QStringLiteral(LOBEVIEW_CLI_PATH),
                {QStringLiteral("check"), QStringLiteral("--catalogue"), g_data,
                 QStringLiteral("-o"), g_report});
        if (!p.waitForFinished(-1) || p.exitCode() > 1)
            state.SkipWithError("check failed");
    }
}

BENCHMARK(BM_PlainLoop)->Apply(bench::Repeated<>);
BENCHMARK(BM_IndexFilters)->Apply(bench::Repeated<>);
BENCHMARK(BM_FccCold)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FccWarm)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CheckCatalogue)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1 && argv[argc - 1][0] != '-')
        g_count = std::atoi(argv[--argc]);
    QTemporaryDir home;
    g_data = home.filePath(QStringLiteral("NSMAData"));
    g_report = home.filePath(QStringLiteral("report.csv"));
    QDir().mkpath(g_data);
    if (!bench::makeCatalogue(g_data, g_count, 7))
        return 1;
    const MaskTableOrError table = ReadMaskTable(QStringLiteral(LOBEVIEW_MASK_TABLE));
    if (!table.table) {
        std::fprintf(stderr, "%s\n", qPrintable(table.error));
        return 1;
    }
    g_table = *table.table;
    g_records = LoadCatalogueRecords(g_data, QString());
    // As the find window has them: from the index, each file found by its stored name.
    g_records.paths.clear();
    std::printf("catalogue: %zu records in %s; the question finds %zu\n", g_records.records.size(),
                qPrintable(g_data), SearchRecords(question(), g_records.records).size());

    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    std::printf("%-48s %.2f ms median (target <= 50)\n", "index filters",
                reporter.seconds("BM_IndexFilters") * 1e3);
    bench::printRatio("index filters / plain loop", reporter.seconds("BM_IndexFilters"),
                      reporter.seconds("BM_PlainLoop"), "none");
    std::printf("%-48s %.1f ms median (target <= 200)\n", "compliance filter, warm",
                reporter.seconds("BM_FccWarm") * 1e3);
    bench::printRatio("compliance filter cold / check --catalogue", reporter.seconds("BM_FccCold"),
                      reporter.seconds("BM_CheckCatalogue"), "< 1 on more than one core");
    return 0;
}
