// SPDX-License-Identifier: MIT
// The catalogue on 10,000 files: the rebuild against a plain loop that opens each file and reads
// it up to its first "NUPOIN" line, and a click in each list of the selection window.
#include "AppWindows.h"
#include "BenchSupport.h"
#include "base/Prompter.h"
#include "catalogue/IndexRefresh.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QListWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

QString g_data;
QString g_index;
std::unique_ptr<AppWindows> g_windows;
RecordingPrompter g_prompter;

// What any program has to do at the least: list the folder, open each file, read its lines up
// to the first NUPOIN.
void BM_PlainHeaderLoop(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const auto& entry : std::filesystem::directory_iterator(g_data.toStdString())) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::string line;
            while (std::getline(in, line)) {
                ++lines;
                if (line.compare(0, 6, "NUPOIN") == 0)
                    break;
            }
        }
        benchmark::DoNotOptimize(lines);
    }
}

void BM_Rebuild(benchmark::State& state) {
    for (auto _ : state) {
        const RebuildReport r = RebuildIndex(g_data, g_index);
        if (r.records < 10000)
            state.SkipWithError("rebuild lost files");
    }
}

// Where the rebuild's time goes: listing the folder, and the rest (reading each header into a
// record and writing the index).
void BM_ListFolder(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(DataFileNames(g_data).size());
}

QListWidgetItem* pick(QListWidget* list, int row) {
    list->setCurrentRow(row);
    return list->currentItem();
}

void BM_ClickRange(benchmark::State& state) {
    SelectionWindow& s = *g_windows->select;
    int row = 0;
    for (auto _ : state) {
        pick(s.rangeList, row);
        s.rangeChosen();
        row = (row + 1) % s.rangeList->count();
    }
}

void BM_ClickAll(benchmark::State& state) {
    SelectionWindow& s = *g_windows->select;
    for (auto _ : state) {
        pick(s.rangeList, 0);
        s.rangeChosen(); // every type and every model
    }
}

void BM_ClickType(benchmark::State& state) {
    SelectionWindow& s = *g_windows->select;
    pick(s.rangeList, 0);
    s.rangeChosen();
    int row = 0;
    for (auto _ : state) {
        pick(s.typeList, row);
        s.typeChosen();
        row = (row + 1) % s.typeList->count();
    }
}

void BM_ClickModel(benchmark::State& state) {
    SelectionWindow& s = *g_windows->select;
    pick(s.rangeList, 0);
    s.rangeChosen();
    int row = 0;
    for (auto _ : state) {
        pick(s.modelList, row);
        s.modelChosen();
        row = (row + 97) % s.modelList->count();
    }
}

BENCHMARK(BM_PlainHeaderLoop)->Apply(bench::Repeated<>);
BENCHMARK(BM_Rebuild)->Apply(bench::Repeated<>);
BENCHMARK(BM_ListFolder)->Apply(bench::Repeated<>);
BENCHMARK(BM_ClickRange)->Apply(bench::Repeated<9>);
BENCHMARK(BM_ClickAll)->Apply(bench::Repeated<9>);
BENCHMARK(BM_ClickType)->Apply(bench::Repeated<9>);
BENCHMARK(BM_ClickModel)->Apply(bench::Repeated<9>);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    QApplication app(argc, argv);

    const QString prog = home.filePath(QStringLiteral("prog")) + QLatin1Char('/');
    g_data = prog + QStringLiteral("NSMAData");
    g_index = prog + QStringLiteral("FileIndx.dat");
    QDir().mkpath(g_data);
    const int files = argc > 1 && argv[argc - 1][0] != '-' ? std::atoi(argv[--argc]) : 10000;
    if (!bench::makeCatalogue(g_data, files, 7))
        return 1;
    std::printf("catalogue: %d files in %s\n", files, qPrintable(g_data));

    // The selection window on the same catalogue, with dialogs answered at once.
    AppEnvironment env = AppEnvironment::inFolder(home.path(), g_prompter);
    g_windows = std::make_unique<AppWindows>(env);
    g_windows->select->runDialog = [](QDialog&) { return int(QDialog::Accepted); };
    g_windows->select->showAntenna = [](const IndexRecord&, const QString&) {};
    g_windows->select->show();
    g_windows->select->firstShow();

    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    bench::printRatio("rebuild / plain header loop", reporter.seconds("BM_Rebuild"),
                      reporter.seconds("BM_PlainHeaderLoop"), "<= 1.5");
    const double rebuild = reporter.seconds("BM_Rebuild");
    const double listing = reporter.seconds("BM_ListFolder");
    if (rebuild > 0 && listing > 0)
        std::printf("rebuild: listing the folder %.1f ms, reading the headers and writing the "
                    "index %.1f ms\n",
                    listing * 1e3, (rebuild - listing) * 1e3);
    for (const char* click : {"BM_ClickRange", "BM_ClickAll", "BM_ClickType", "BM_ClickModel"})
        std::printf("%-48s %.2f ms median  (target <= 10 ms)\n", click,
                    reporter.seconds(click) * 1e3);
    g_windows.reset();
    return 0;
}
