// SPDX-License-Identifier: MIT
#pragma once
// Shared pieces of the benchmark programs: a reporter that keeps each run's time so that a
// program can print the ratio of two benchmarks measured in the same run.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace bench {

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

} // namespace bench
