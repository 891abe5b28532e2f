// SPDX-License-Identifier: MIT
// The graph window: loading and drawing a four-cut antenna of 180 points per cut, and one slider
// change (a copy of the canvas slice). The slider is measured on a small and on a huge pattern to
// show that it does not depend on the number of points; a plain copy of a 650 x 400 slice of a
// QImage is the outside reference.
#include "AppWindows.h"
#include "BenchSupport.h"
#include "base/Prompter.h"
#include "catalogue/IndexRefresh.h"
#include "graph/GraphSession.h"
#include "graph/GraphWindow.h"
#include "pages/GrownChart.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QSlider>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<AppWindows> g_windows;
RecordingPrompter g_prompter;
IndexRecord g_small;
IndexRecord g_huge;
IndexRecord g_mid;

QByteArray pattern(int points) {
    QByteArray text =
        "REVNUM:,NSMA\nMODNUM:,ZZX12-65\nFEDORN:,RIGHT\nLOWFRQ:,10700\nHGHFRQ:,11700\n";
    for (const char* cut : {"H/H", "V/V", "H/V", "V/H"}) {
        text += QByteArray("POLARI:,") + cut + "\nNUPOIN:," + QByteArray::number(points) + "\n";
        for (int i = 0; i < points; ++i) {
            const double angle = -180.0 + 360.0 * i / (points - 1);
            text +=
                QByteArray::number(angle, 'f', 4) + ',' +
                QByteArray::number(-std::min(85.0, 3 * std::sqrt(std::abs(angle)) * 4), 'f', 2) +
                ",\n";
        }
    }
    return text + "ENDFIL:,EOF\n";
}

void BM_LoadAndDraw180(benchmark::State& state) {
    GraphWindow& g = *g_windows->graph;
    for (auto _ : state) {
        g.session().antenna.record = g_small;
        if (g.LoadAntenna())
            state.SkipWithError("load failed");
    }
}

void sliderBench(benchmark::State& state, const IndexRecord& record) {
    GraphWindow& g = *g_windows->graph;
    g.session().antenna.record = record;
    g.LoadAntenna();
    auto* slider = g.findChild<QSlider*>(QStringLiteral("slider"));
    int v = 0;
    for (auto _ : state) {
        v = (v + 37) % 311;
        slider->setValue(v);
    }
}

void BM_SliderChange180(benchmark::State& state) {
    sliderBench(state, g_small);
}
void BM_SliderChange200k(benchmark::State& state) {
    sliderBench(state, g_huge);
}

void BM_PlainSliceCopy(benchmark::State& state) {
    QImage canvas(960, 400, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    int v = 0;
    for (auto _ : state) {
        v = (v + 37) % 311;
        QImage slice = canvas.copy(v, 0, 650, 400);
        benchmark::DoNotOptimize(slice.bits());
    }
}

// The read-out under a moving pointer on a 4 x 1,800-point pattern: the four levels, the status
// line and the cursor line, with the chart view painted again (grabbed, which paints it and the
// cursor layer whether or not a screen shows them); against a plain grab of the same view.
QLabel* loadMid() {
    GraphWindow& g = *g_windows->graph;
    g.session().antenna.record = g_mid;
    g.LoadAntenna();
    return g.findChild<QLabel*>(QStringLiteral("chartView"));
}

void BM_ReadoutMove1800(benchmark::State& state) {
    QLabel* view = loadMid();
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % 650;
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 100), view->mapToGlobal(QPointF(x, 100)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &move);
        benchmark::DoNotOptimize(view->grab().cacheKey());
    }
}

void BM_PlainRepaint1800(benchmark::State& state) {
    QLabel* view = loadMid();
    for (auto _ : state)
        benchmark::DoNotOptimize(view->grab().cacheKey());
}

// A resize repaint of a maximised chart: the whole two-sided chart drawn at 1570 x 840.
void BM_GrownRedraw1800(benchmark::State& state) {
    loadMid();
    const LoadedPattern& pattern = g_windows->graph->session().antenna.pattern;
    for (auto _ : state) {
        QImage image = grown::DrawGrownChart(QSize(1570, 840), {0, 960}, pattern);
        benchmark::DoNotOptimize(image.bits());
    }
}

BENCHMARK(BM_GrownRedraw1800)->Apply(bench::Repeated<>);
BENCHMARK(BM_ReadoutMove1800)->Apply(bench::Repeated<5, benchmark::kMicrosecond>);
BENCHMARK(BM_PlainRepaint1800)->Apply(bench::Repeated<5, benchmark::kMicrosecond>);
BENCHMARK(BM_LoadAndDraw180)->Apply(bench::Repeated<>);
BENCHMARK(BM_SliderChange180)->Apply(bench::Repeated<5, benchmark::kMicrosecond>);
BENCHMARK(BM_SliderChange200k)->Apply(bench::Repeated<5, benchmark::kMicrosecond>);
BENCHMARK(BM_PlainSliceCopy)->Apply(bench::Repeated<5, benchmark::kMicrosecond>);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    QApplication app(argc, argv);
    const QString prog = home.filePath(QStringLiteral("prog")) + QLatin1Char('/');
    QDir().mkpath(prog + QStringLiteral("NSMAData"));
    for (const auto& [name, points] :
         {std::pair{"small.adf", 180}, std::pair{"huge.adf", 50000}, std::pair{"mid.adf", 1800}}) {
        QFile f(prog + QStringLiteral("NSMAData/") + QString::fromLatin1(name));
        f.open(QIODevice::WriteOnly);
        f.write(pattern(points));
    }
    BuildRecordFromFile(prog + QStringLiteral("NSMAData/small.adf"), g_small);
    BuildRecordFromFile(prog + QStringLiteral("NSMAData/huge.adf"), g_huge);
    BuildRecordFromFile(prog + QStringLiteral("NSMAData/mid.adf"), g_mid);

    AppEnvironment env = AppEnvironment::inFolder(home.path(), g_prompter);
    g_windows = std::make_unique<AppWindows>(env);
    g_windows->graph->show();

    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nload and draw, 4 cuts x 180 points      %.2f ms\n",
                reporter.seconds("BM_LoadAndDraw180") * 1e3);
    bench::printRatio("slider change (200,000 points) / (720 points)",
                      reporter.seconds("BM_SliderChange200k"),
                      reporter.seconds("BM_SliderChange180"), "about 1: independent of the points");
    bench::printRatio("slider change / plain 650 x 400 slice copy",
                      reporter.seconds("BM_SliderChange180"), reporter.seconds("BM_PlainSliceCopy"),
                      "a small multiple: copy and show");
    std::printf("read-out move + repaint, 4 x 1,800 points  %.3f ms (target at most 2 ms)\n",
                reporter.seconds("BM_ReadoutMove1800") * 1e3);
    bench::printRatio("read-out move + repaint / plain repaint",
                      reporter.seconds("BM_ReadoutMove1800"),
                      reporter.seconds("BM_PlainRepaint1800"), "a small multiple");
    std::printf("grown redraw 1570 x 840, 4 x 1,800 points  %.2f ms (target at most 16 ms)\n",
                reporter.seconds("BM_GrownRedraw1800") * 1e3);
    g_windows.reset();
    return 0;
}
