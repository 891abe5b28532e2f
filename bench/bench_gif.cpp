// SPDX-License-Identifier: MIT
// Times the GIF writer on a chart page as the program draws them, against giflib compressing the
// same pixels already reduced to indices (its LZW only), and against ImageMagick's convert turning
// the page into a GIF. Prints the ratios at the end:
//   writer / giflib LZW       target <= 1.0
//   writer / ImageMagick      target <= 0.1
// LOBEVIEW_CONVERT names the convert program to time; otherwise /usr/bin/convert, then PATH.
#include "output/GifImage.h"

#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <gif_lib.h>
#include <map>
#include <string>
#include <unordered_set>

namespace {

// A 2200 x 1700 page: white sheet, grey grid, four pattern envelopes, black text.
QImage drawChartPage() {
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
            const double level =
                std::min(60.0, 12 * std::log2(angle) + 4 * t + 3 * std::sin(angle / (3 + t)));
            trace << QPointF(plot.left() + plot.width() * i / 720.0,
                             plot.top() + plot.height() * level / 60.0);
        }
        p.setPen(QPen(colours[t], 3));
        p.drawPolyline(trace);
        p.drawLine(1500, 1500 + 40 * t, 1600, 1500 + 40 * t);
    }

    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 30, QFont::Bold));
    p.drawText(QRect(0, 60, 2200, 100), Qt::AlignCenter,
               QStringLiteral("UHX8-107 Radiation Pattern Envelope, 7.125 - 8.500 GHz"));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    for (int x = 0; x <= 36; ++x)
        p.drawText(plot.left() + 50 * x - 30, plot.bottom() + 40, QString::number(x * 5 - 90));
    for (int y = 0; y <= 30; ++y)
        p.drawText(plot.left() - 90, plot.top() + 40 * y + 8, QString::number(-2 * y));
    const char* const legend[4] = {"H/H copolar", "V/V copolar", "H/V crosspolar",
                                   "V/H crosspolar"};
    for (int t = 0; t < 4; ++t)
        p.drawText(1620, 1508 + 40 * t, QString::fromLatin1(legend[t]));
    p.drawText(220, 1500, QStringLiteral("Angle from main beam (degrees)"));
    p.drawText(220, 1560, QStringLiteral("Relative level (dB)"));
    return page;
}

const QImage& chartPage() {
    static const QImage page = drawChartPage();
    return page;
}

void BM_WriterWholeEncode(benchmark::State& state) {
    QByteArray out;
    for (auto _ : state) {
        GifImage gif;
        gif.Assign(chartPage());
        if (gif.SaveToBuffer(out)) {
            state.SkipWithError("encoding failed");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = double(out.size());
}

// The writer's two stages on their own.
void BM_WriterReduceOnly(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReduceToPalette(chartPage()).Pixels.data());
}

void BM_WriterLzwOnly(benchmark::State& state) {
    const GifIndexedImage indexed = ReduceToPalette(chartPage());
    QByteArray out;
    for (auto _ : state) {
        out.clear();
        EncodeLzw(indexed.Pixels.data(), indexed.Pixels.size(), 8, out);
        benchmark::DoNotOptimize(out.data());
    }
}

int appendToMemory(GifFileType* file, const GifByteType* bytes, int count) {
    static_cast<QByteArray*>(file->UserData)->append(reinterpret_cast<const char*>(bytes), count);
    return count;
}

void BM_GiflibLzwOnly(benchmark::State& state) {
    const GifIndexedImage indexed = ReduceToPalette(chartPage());
    std::vector<GifPixelType> pixels(indexed.Pixels.begin(), indexed.Pixels.end());
    std::vector<GifColorType> colours;
    for (const GifColor& c : indexed.Palette)
        colours.push_back({c.Red, c.Green, c.Blue});
    ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
    const int w = indexed.Width, h = indexed.Height;
    QByteArray out;
    for (auto _ : state) {
        out.clear();
        int error = 0;
        GifFileType* file = EGifOpen(&out, appendToMemory, &error);
        bool ok = file && EGifPutScreenDesc(file, w, h, 8, 0, map) == GIF_OK &&
                  EGifPutImageDesc(file, 0, 0, w, h, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < h; ++y)
            ok = EGifPutLine(file, pixels.data() + std::size_t(y) * std::size_t(w), w) == GIF_OK;
        if (EGifCloseFile(file, &error) != GIF_OK || !ok) {
            state.SkipWithError("giflib failed");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    GifFreeMapObject(map);
    state.counters["bytes"] = double(out.size());
}

QString convertProgram() {
    const QString chosen = qEnvironmentVariable("LOBEVIEW_CONVERT");
    if (!chosen.isEmpty())
        return chosen;
    const QString system =
        QStandardPaths::findExecutable(QStringLiteral("convert"), {QStringLiteral("/usr/bin")});
    return system.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("convert")) : system;
}

void BM_ImageMagickConvert(benchmark::State& state) {
    const QString convert = convertProgram();
    const QTemporaryDir dir;
    const QString ppm = dir.filePath(QStringLiteral("page.ppm"));
    if (convert.isEmpty() || !chartPage().save(ppm, "PPM")) {
        state.SkipWithError("ImageMagick convert not found, or the page cannot be saved");
        return;
    }
    for (auto _ : state) {
        QProcess process;
        process.start(convert, {ppm, dir.filePath(QStringLiteral("page.gif"))});
        if (!process.waitForFinished(-1) || process.exitCode() != 0) {
            state.SkipWithError("convert failed");
            break;
        }
    }
    state.counters["bytes"] = double(QFile(dir.filePath(QStringLiteral("page.gif"))).size());
}

BENCHMARK(BM_WriterWholeEncode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriterReduceOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriterLzwOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GiflibLzwOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImageMagickConvert)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Keeps each benchmark's times per iteration so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0;
        double cpu = 0;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.run_name.function_name] = {run.GetAdjustedRealTime(),
                                                     run.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, Times> times;
};

// The writer's time over another's. On a busy machine wall time includes waiting for a core, so
// in-process rivals are also compared by CPU time; a child process's CPU time is not counted
// here, so ImageMagick is compared by wall time only.
void printRatio(const RatioReporter& r, const char* against, const char* label, double target,
                bool alsoCpu) {
    const auto ours = r.times.find("BM_WriterWholeEncode");
    const auto theirs = r.times.find(against);
    if (ours == r.times.end() || theirs == r.times.end() || theirs->second.real <= 0)
        return;
    const double ratio = ours->second.real / theirs->second.real;
    std::printf("writer / %-28s %.3f wall", label, ratio);
    if (alsoCpu && theirs->second.cpu > 0)
        std::printf(", %.3f CPU", ours->second.cpu / theirs->second.cpu);
    std::printf(" (target <= %.1f) %s\n", target, ratio <= target ? "ok" : "MISSED");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the page's text
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    std::unordered_set<QRgb> colours;
    for (int y = 0; y < chartPage().height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(chartPage().constScanLine(y));
        colours.insert(row, row + chartPage().width());
    }
    std::printf("chart page %dx%d, %zu colours\n", chartPage().width(), chartPage().height(),
                colours.size());

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatio(reporter, "BM_GiflibLzwOnly", "giflib LZW (indexed input)", 1.0, true);
    printRatio(reporter, "BM_ImageMagickConvert", "ImageMagick convert", 0.1, false);
    benchmark::Shutdown();
    return 0;
}
