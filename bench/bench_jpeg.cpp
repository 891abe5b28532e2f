// SPDX-License-Identifier: MIT
// Times the JPG export's encoder on a 2200 x 1700 page against cjpeg -quality 90 on the same
// pixels (from a PPM file), and prints the ratio at the end (target <= 1.1). Both sides encode
// only: cjpeg's time is also given less the time it takes on a 1 x 1 picture (starting the
// process and reading its input), which is the fairer figure.
// LOBEVIEW_CJPEG names the cjpeg program to time; otherwise cjpeg on the PATH.
#include "BenchSupport.h"
#include "output/JpegWriter.h"

#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>

namespace {

// A landscape chart page: white sheet, grey grid, four envelopes, legend and axis texts.
QImage drawPage() {
    QImage page(2200, 1700, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    const QRect plot(220, 220, 1800, 1200);
    p.setPen(QPen(QColor(192, 192, 192), 1));
    for (int x = plot.left(); x <= plot.right(); x += 50)
        p.drawLine(x, plot.top(), x, plot.bottom());
    for (int y = plot.top(); y <= plot.bottom(); y += 40)
        p.drawLine(plot.left(), y, plot.right(), y);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(plot);
    const QColor colours[4] = {Qt::black, QColor(0, 191, 0), QColor(0, 0, 191), QColor(191, 0, 0)};
    for (int t = 0; t < 4; ++t) {
        QPolygonF trace;
        for (int i = 0; i <= 720; ++i) {
            const double angle = std::abs(i / 4.0 - 90.0) + 1;
            const double level = std::min(60.0, 12 * std::log2(angle) + 4 * t);
            trace << QPointF(plot.left() + plot.width() * i / 720.0,
                             plot.top() + plot.height() * level / 60.0);
        }
        p.setPen(QPen(colours[t], 3));
        p.drawPolyline(trace);
    }
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 30, QFont::Bold));
    p.drawText(QRect(0, 60, 2200, 100), Qt::AlignCenter,
               QStringLiteral("ZZX12-65 Radiation Pattern Envelope, 10.700 - 11.700 GHz"));
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 14));
    for (int x = 0; x <= 36; ++x)
        p.drawText(plot.left() + 50 * x - 30, plot.bottom() + 40, QString::number(x * 10 - 180));
    for (int y = 0; y <= 30; ++y)
        p.drawText(plot.left() - 90, plot.top() + 40 * y + 8, QString::number(-2 * y));
    return page;
}

const QImage& page() {
    static const QImage image = drawPage();
    return image;
}

QString cjpegProgram() {
    const QString chosen = qEnvironmentVariable("LOBEVIEW_CJPEG");
    return chosen.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("cjpeg")) : chosen;
}

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

void BM_JpegWriter(benchmark::State& state) {
    QByteArray out;
    for (auto _ : state) {
        if (EncodeJpeg(page(), out)) {
            state.SkipWithError("encoding failed");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = double(out.size());
}

void runCjpeg(benchmark::State& state, const QImage& image, const char* name) {
    const QString cjpeg = cjpegProgram();
    const QString ppm = scratch().filePath(QString::fromLatin1(name));
    if (cjpeg.isEmpty() || !image.save(ppm, "PPM")) {
        state.SkipWithError("cjpeg (libjpeg-turbo-progs) not found, or the page cannot be saved");
        return;
    }
    const QString out = scratch().filePath(QStringLiteral("out.jpg"));
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(out);
        process.start(cjpeg, {QStringLiteral("-quality"), QStringLiteral("90"), ppm});
        if (!process.waitForFinished(-1) || process.exitCode() != 0) {
            state.SkipWithError("cjpeg failed");
            break;
        }
    }
    state.counters["bytes"] = double(QFileInfo(out).size());
}

void BM_Cjpeg(benchmark::State& state) {
    runCjpeg(state, page(), "page.ppm");
}

void BM_CjpegStart(benchmark::State& state) {
    QImage tiny(1, 1, QImage::Format_RGB32);
    tiny.fill(Qt::white);
    runCjpeg(state, tiny, "tiny.ppm");
}

BENCHMARK(BM_JpegWriter)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_Cjpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_CjpegStart)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ours = reporter.seconds("BM_JpegWriter");
    const double cjpeg = reporter.seconds("BM_Cjpeg");
    const double start = reporter.seconds("BM_CjpegStart");
    std::printf("\n");
    bench::printRatio("JPEG writer / cjpeg -quality 90", ours, cjpeg, "<= 1.1");
    bench::printRatio("JPEG writer / cjpeg less its start-up", ours, cjpeg - start, "<= 1.1");
    benchmark::Shutdown();
    return 0;
}
