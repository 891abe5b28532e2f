// SPDX-License-Identifier: MIT
#pragma once
// Shared pieces of the benchmark programs: a reporter that keeps each run's time so that a
// program can print the ratio of two benchmarks measured in the same run.
#include <QtCore/QProcess>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace bench {

// The usual registration of a case: `Times` repetitions in `Unit`, only their mean, median and
// spread reported. BENCHMARK(BM_Case)->Apply(bench::Repeated<>);
template <int Times = 5, benchmark::TimeUnit Unit = benchmark::kMillisecond>
void Repeated(benchmark::internal::Benchmark* b) {
    b->Unit(Unit)->Repetitions(Times)->ReportAggregatesOnly(true);
}

class KeepingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            // Adjusted times are in the run's unit; the multiplier turns seconds into that unit.
            seconds_[run.run_name.function_name] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Seconds per iteration of a benchmark (its median when it has repetitions).
    double seconds(const std::string& function) const {
        const auto it = seconds_.find(function);
        return it == seconds_.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> seconds_;
};

inline void printRatio(const char* what, double ours, double theirs, const char* target) {
    if (theirs <= 0) {
        std::printf("%-48s n/a\n", what);
        return;
    }
    std::printf("%-48s %.3f  (target %s)\n", what, ours / theirs, target);
}

#ifdef MAKE_CATALOGUE_PATH
// Writes a synthetic catalogue of `count` data files into `dir` with make_catalogue. False, with
// make_catalogue's message on standard error, when that fails.
inline bool makeCatalogue(const QString& dir, int count, int seed) {
    QProcess gen;
    gen.start(QStringLiteral(MAKE_CATALOGUE_PATH),
              {dir, QString::number(count), QStringLiteral("--seed"), QString::number(seed)});
    if (gen.waitForFinished(600000) && gen.exitStatus() == QProcess::NormalExit &&
        gen.exitCode() == 0)
        return true;
    std::fprintf(stderr, "make_catalogue failed: %s\n", gen.readAllStandardError().constData());
    return false;
}
#endif

} // namespace bench
