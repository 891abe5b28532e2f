// SPDX-License-Identifier: MIT
// Reading a large pattern file (4 cuts x 50,000 points) with the program's reader, against a
// plain read of the same bytes, in MB/s.
#include "BenchSupport.h"
#include "adf/PatternReader.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <cstdio>

namespace {

QString g_file;
qint64 g_bytes = 0;

void writeBigPattern(const QString& path, int pointsPerCut) {
    QByteArray text = "REVNUM:,NSMA WG16.99.050\r\nMODNUM:,ZZX12-65\r\nFEDORN:,RIGHT\r\n";
    const char* cuts[] = {"H/H", "V/V", "H/V", "V/H"};
    for (const char* cut : cuts) {
        text += QByteArray("POLARI:,") + cut + "\r\nNUPOIN:," + QByteArray::number(pointsPerCut) +
                "\r\n";
        for (int i = 0; i < pointsPerCut; ++i) {
            const double angle = -180.0 + 360.0 * i / (pointsPerCut - 1);
            const double level = -std::min(85.0, std::abs(angle) * 0.6);
            text += QByteArray::number(angle, 'f', 3) + ',' + QByteArray::number(level, 'f', 2) +
                    ",\r\n";
        }
    }
    text += "ENDFIL:,EOF\r\n";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
}

void BM_PlainRead(benchmark::State& state) {
    for (auto _ : state) {
        QFile f(g_file);
        f.open(QIODevice::ReadOnly);
        QByteArray all = f.readAll();
        benchmark::DoNotOptimize(all.data());
    }
    state.SetBytesProcessed(state.iterations() * g_bytes);
}

void BM_ReadPattern(benchmark::State& state) {
    for (auto _ : state) {
        LoadedPattern p;
        const LoadResult r = LoadPatternFile(g_file, "RIGHT", p);
        if (r.status != LoadStatus::Loaded || p.CutPoints[3].size() != 50000)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(p.CutPoints[0].data());
    }
    state.SetBytesProcessed(state.iterations() * g_bytes);
}

BENCHMARK(BM_PlainRead)->Apply(bench::Repeated<>);
BENCHMARK(BM_ReadPattern)->Apply(bench::Repeated<>);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_file = dir.filePath(QStringLiteral("big.adf"));
    writeBigPattern(g_file, 50000);
    g_bytes = QFileInfo(g_file).size();
    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double mb = static_cast<double>(g_bytes) / 1e6;
    const double plain = reporter.seconds("BM_PlainRead");
    const double ours = reporter.seconds("BM_ReadPattern");
    std::printf("\nfile: %.1f MB, 4 cuts x 50,000 points\n", mb);
    if (plain > 0 && ours > 0) {
        std::printf("plain read          %8.1f MB/s\n", mb / plain);
        std::printf("pattern reader      %8.1f MB/s\n", mb / ours);
        bench::printRatio("reader time / plain read time", ours, plain, "none; for the record");
    }
    return 0;
}
