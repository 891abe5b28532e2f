// SPDX-License-Identifier: MIT
// The compliance check of a 10,000-file catalogue (lobeview-cli check --catalogue, CSV report)
// against lobeview-cli show reading the same files: the check should cost little more than
// reading them (target: at most 1.5 times).
//
//   bench_compliance [benchmark options] [N]
#include "BenchSupport.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

QString g_data;
QString g_report;
QStringList g_files;
int g_count = 10000;

bool run(const QStringList& args) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(QStringLiteral(LOBEVIEW_CLI_PATH), args);
    // Exit 1 only says that some antennas do not pass; anything else is a failure.
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() <= 1;
}

void BM_Show(benchmark::State& state) {
    for (auto _ : state)
        if (!run(QStringList{QStringLiteral("show")} + g_files))
            state.SkipWithError("show failed");
}

void BM_CheckCatalogue(benchmark::State& state) {
    for (auto _ : state)
        if (!run({QStringLiteral("check"), QStringLiteral("--catalogue"), g_data,
                  QStringLiteral("-o"), g_report}))
            state.SkipWithError("check failed");
}

BENCHMARK(BM_Show)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CheckCatalogue)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
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
    for (const QString& name : QDir(g_data).entryList({QStringLiteral("*.adf")}, QDir::Files))
        g_files << g_data + QLatin1Char('/') + name;
    std::printf("catalogue: %lld files in %s\n", static_cast<long long>(g_files.size()),
                qPrintable(g_data));

    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    std::printf("%-48s %.0f ms median\n", "check --catalogue",
                reporter.seconds("BM_CheckCatalogue") * 1e3);
    bench::printRatio("check --catalogue / show of the same files",
                      reporter.seconds("BM_CheckCatalogue"), reporter.seconds("BM_Show"), "<= 1.5");
    return 0;
}
