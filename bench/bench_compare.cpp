// SPDX-License-Identifier: MIT
// The compare window's chart: eight antennas of 4 x 1,800 points each on one cut (and on the
// worst co-polar, the upper envelope of two cuts), against the graph window's chart of one such
// antenna with all four cuts at the same size, in the same run. Also the whole comparison page
// as the 150 dpi picture the PNG export encodes.
#include "BenchSupport.h"
#include "compare/ComparisonPage.h"
#include "pages/GrownChart.h"

#include <QtGui/QGuiApplication>
#include <cmath>
#include <cstdio>

namespace {

constexpr int Points = 1800;
const QSize ChartSize(1570, 840);
compare::Comparison g_comparison;

// A two-sided envelope whose side lobes fall with the angle, a little apart for each antenna
// and cut, with ripples so that the traces cross.
LoadedPattern envelope(int antenna) {
    LoadedPattern pattern;
    pattern.feedKind = FeedKind::Right;
    for (int cut = 0; cut < CutCount; ++cut) {
        PatternPoints& points = pattern.CutPoints[size_t(cut)];
        points.reserve(Points);
        for (int i = 0; i < Points; ++i) {
            const double angle = -180.0 + 360.0 * i / (Points - 1);
            const double fall = 12 * std::sqrt(std::abs(angle)) + 2 * antenna + 4 * cut;
            points.emplace_back(angle, -std::min(90.0, fall + 3 * std::sin(angle / 3 + antenna)));
        }
    }
    return pattern;
}

void chartBench(benchmark::State& state, compare::CompareCut cut) {
    g_comparison.cut = cut;
    for (auto _ : state) {
        QImage image = compare::comparisonChartImage(ChartSize, g_comparison, {}, true);
        benchmark::DoNotOptimize(image.bits());
    }
}

void BM_CompareChart8(benchmark::State& state) {
    chartBench(state, compare::CompareCut::HH);
}
void BM_CompareChart8WorstCoPolar(benchmark::State& state) {
    chartBench(state, compare::CompareCut::WorstCoPolar);
}

void BM_SingleChart(benchmark::State& state) {
    const LoadedPattern& pattern = g_comparison.antenna(0).file.pattern;
    for (auto _ : state) {
        QImage image = grown::DrawGrownChart(ChartSize, {0, 960}, pattern);
        benchmark::DoNotOptimize(image.bits());
    }
}

void BM_ComparePage8(benchmark::State& state) {
    g_comparison.cut = compare::CompareCut::HH;
    for (auto _ : state) {
        QImage image = compare::comparisonPageImage(g_comparison, nullptr, true);
        benchmark::DoNotOptimize(image.bits());
    }
}

BENCHMARK(BM_SingleChart)->Apply(bench::Repeated<>);
BENCHMARK(BM_CompareChart8)->Apply(bench::Repeated<>);
BENCHMARK(BM_CompareChart8WorstCoPolar)->Apply(bench::Repeated<>);
BENCHMARK(BM_ComparePage8)->Apply(bench::Repeated<>);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (int i = 0; i < compare::MaxAntennas; ++i) {
        AntennaFile file;
        file.path = QStringLiteral("synthetic-%1.adf").arg(i + 1);
        file.pattern = envelope(i);
        g_comparison.add(std::move(file));
    }

    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    bench::printRatio("8 antennas on H/H / one antenna's 4 cuts",
                      reporter.seconds("BM_CompareChart8"), reporter.seconds("BM_SingleChart"),
                      "at most 3");
    bench::printRatio("8 antennas worst co-polar / one antenna's 4 cuts",
                      reporter.seconds("BM_CompareChart8WorstCoPolar"),
                      reporter.seconds("BM_SingleChart"), "at most 3");
    std::printf("comparison page at 150 dpi, 8 antennas       %.2f ms\n",
                reporter.seconds("BM_ComparePage8") * 1e3);
    return 0;
}
