// SPDX-License-Identifier: MIT
// The printable pages as export images: the full chart page of a four-cut antenna (180 points a
// cut) on 2200 x 1700, and the data sheet of the same antenna on 1600 x 2000. The outside
// reference for each is plain Qt drawing of the same amount: a white QImage of the same size, the
// same number of QPainter::drawLine calls (grid, frames, trace segments) and of drawText calls
// with an ordinary font, without the logical page mapping.
#include "BenchSupport.h"
#include "pages/PageRoutines.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <cmath>
#include <cstdio>

namespace {

constexpr int PointsPerCut = 180;

struct Antenna {
    IndexRecord record;
    LoadedPattern pattern;
    Antenna() {
        record.setText(IndexField::ModelNumber, "ZZX10-60");
        record.setText(IndexField::Size, "10");
        record.setText(IndexField::Polarization, "Dual");
        record.setText(IndexField::Date, "08 March 2021");
        record.setText(IndexField::RpeNumber, "12050");
        record.setText(IndexField::FrequencyRange, "5.925-6.425");
        record.setText(IndexField::MidFrequency, "6.175");
        record.setText(IndexField::Gain, "43.1");
        record.setText(IndexField::Description1, "10 ft Dual Pol HP");
        record.setText(IndexField::Description2, "High performance parabolic antenna");
        pattern.feedKind = FeedKind::Right;
        for (int cut = 0; cut < CutCount; ++cut)
            for (int i = 0; i < PointsPerCut; ++i) {
                const double angle = -180.0 + 360.0 * i / (PointsPerCut - 1);
                pattern.CutPoints[static_cast<size_t>(cut)].emplace_back(
                    angle, -std::min(85.0, 3 * std::sqrt(std::abs(angle)) * 4) - 5 * cut);
            }
    }
};

const Antenna& antenna() {
    static const Antenna a;
    return a;
}

void BM_ChartPage(benchmark::State& state) {
    PageMapper map;
    QImage image;
    for (auto _ : state) {
        DrawLandscapeGraphPage(PageSource{map, antenna().record, antenna().pattern, true, 1},
                               image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DataSheet(benchmark::State& state) {
    PageMapper map;
    QImage image;
    for (auto _ : state) {
        DrawDataPage(PageSource{map, antenna().record, antenna().pattern, true, 1}, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Plain drawing of the chart page's amount: 146 grid lines, 7 frame and arrow lines, 4 x 179
// trace segments and some 60 texts.
void BM_PlainChartDrawing(benchmark::State& state) {
    for (auto _ : state) {
        QImage image(2200, 1700, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(24);
        p.setFont(font);
        p.setPen(QPen(QColor(212, 208, 200), 1));
        for (int i = 0; i < 96; ++i)
            p.drawLine(140 + 20 * i, 392, 140 + 20 * i, 1438);
        for (int i = 0; i < 50; ++i)
            p.drawLine(140, 392 + 21 * i, 2060, 392 + 21 * i);
        p.setPen(QPen(Qt::black, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (int i = 0; i < 7; ++i)
            p.drawLine(140, 392 + 100 * i, 2060, 392 + 100 * i);
        for (int cut = 0; cut < CutCount; ++cut) {
            p.setPen(QPen(Qt::blue, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            const PatternPoints& points = antenna().pattern.CutPoints[static_cast<size_t>(cut)];
            for (size_t i = 1; i < points.size(); ++i)
                p.drawLine(QPointF(1100 + 5 * points[i - 1].Angle, 392 - 10 * points[i - 1].Level),
                           QPointF(1100 + 5 * points[i].Angle, 392 - 10 * points[i].Level));
        }
        for (int i = 0; i < 60; ++i)
            p.drawText(100 + 30 * i, 100 + 20 * i, QStringLiteral("Envelope text %1").arg(i));
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Plain drawing of the data sheet's amount: a frame and rules, 30 heading texts and two texts
// (angle, level) for each of the 720 points.
void BM_PlainSheetDrawing(benchmark::State& state) {
    for (auto _ : state) {
        QImage image(1600, 2000, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(26);
        p.setFont(font);
        p.setPen(QPen(Qt::black, 6));
        for (int i = 0; i < 10; ++i)
            p.drawLine(100, 100 + 180 * i, 1500, 100 + 180 * i);
        for (int i = 0; i < 30; ++i)
            p.drawText(120, 120 + 20 * i, QStringLiteral("Heading %1").arg(i));
        for (int i = 0; i < CutCount * PointsPerCut; ++i) {
            p.drawText(100 + 350 * (i % 4), 300 + 26 * (i / 4 % 55), QStringLiteral("-180.00"));
            p.drawText(200 + 350 * (i % 4), 300 + 26 * (i / 4 % 55), QStringLiteral("-45.50"));
        }
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(BM_ChartPage)->Apply(bench::Repeated<>);
BENCHMARK(BM_PlainChartDrawing)->Apply(bench::Repeated<>);
BENCHMARK(BM_DataSheet)->Apply(bench::Repeated<>);
BENCHMARK(BM_PlainSheetDrawing)->Apply(bench::Repeated<>);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf(
        "\nchart page, 4 cuts x 180 points, 2200 x 1700   %.2f ms (target well under 50 ms)\n",
        reporter.seconds("BM_ChartPage") * 1e3);
    std::printf("data sheet, 4 cuts x 180 points, 1600 x 2000   %.2f ms\n",
                reporter.seconds("BM_DataSheet") * 1e3);
    bench::printRatio("chart page / plain Qt drawing of as much", reporter.seconds("BM_ChartPage"),
                      reporter.seconds("BM_PlainChartDrawing"), "a small multiple");
    bench::printRatio("data sheet / plain Qt drawing of as much", reporter.seconds("BM_DataSheet"),
                      reporter.seconds("BM_PlainSheetDrawing"), "a small multiple");
    return 0;
}
