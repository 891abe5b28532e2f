// SPDX-License-Identifier: MIT
// A chart page as a vector PDF against the written PDF path for the same page (draw the export
// image, GIF, HTML page, htmldoc, hand-over): the vector page should take at most a tenth of the
// time.
//
//   bench_vector [benchmark options]
#include "BenchSupport.h"
#include "adf/PatternReader.h"
#include "base/Prompter.h"
#include "catalogue/IndexRefresh.h"
#include "output/PdfExport.h"
#include "output/VectorPages.h"
#include "pages/PageRoutines.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <cstdio>

namespace {

IndexRecord g_record;
LoadedPattern g_pattern;
QString g_folder;

void BM_VectorPdfChart(benchmark::State& state) {
    const QString path = g_folder + QStringLiteral("/vector.pdf");
    for (auto _ : state)
        if (WriteVectorPage(path, VectorFormat::Pdf, ExportPage::Chart, g_record, g_pattern, true))
            state.SkipWithError("vector PDF failed");
}

void BM_HtmldocPdfChart(benchmark::State& state) {
    PdfOptions options;
    options.rpeNumber = g_record.rpeNumber();
    options.variant = PdfVariant::Graph;
    options.landscape = isTwoSided(g_pattern.feedKind);
    options.confirmedPath = g_folder + QStringLiteral("/htmldoc.pdf");
    for (auto _ : state) {
        PageMapper pageMap;
        QImage image;
        DrawGraphPage(PageSource{pageMap, g_record, g_pattern, true, ImagePenFactor}, image);
        RecordingPrompter prompter;
        if (!MakePdf(image, options, prompter))
            state.SkipWithError("htmldoc PDF failed");
    }
}

BENCHMARK(BM_VectorPdfChart)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_HtmldocPdfChart)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString file = QStringLiteral(LOBEVIEW_SAMPLE_DIR "/ZZX10-60L.adf");
    if (BuildRecordFromFile(file, g_record) ||
        LoadPatternFile(file, g_record.feedOrientation(), g_pattern).status != LoadStatus::Loaded) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(file));
        return 1;
    }
    QTemporaryDir folder;
    g_folder = folder.path();
    QDir().mkpath(g_folder + QStringLiteral("/prog"));

    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    std::printf("%-48s %.1f ms\n", "chart page as vector PDF",
                reporter.seconds("BM_VectorPdfChart") * 1e3);
    std::printf("%-48s %.1f ms\n", "chart page through htmldoc",
                reporter.seconds("BM_HtmldocPdfChart") * 1e3);
    bench::printRatio("vector PDF / htmldoc path, same chart page",
                      reporter.seconds("BM_VectorPdfChart"), reporter.seconds("BM_HtmldocPdfChart"),
                      "<= 0.1");
    return 0;
}
