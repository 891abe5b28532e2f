// SPDX-License-Identifier: MIT
// The windows on a 10,000-file catalogue, used as a user would: the rebuild behind its progress
// dialog, the index table filled, scrolled to its end and closed (which writes FileIndx.txt), and
// a model with 50 files in the match chooser. Each is one stretch in which the window does not
// respond; the reference is plain Qt doing the visible part of the same work (a QTableWidget
// filled with the same 140,000 texts, a QListWidget with the same 50 lines).
#include "AppContext.h"
#include "AppWindows.h"
#include "BenchSupport.h"
#include "base/Prompter.h"
#include "catalogue/CatalogueLists.h"
#include "catalogue/IndexDump.h"
#include "selection/IndexTableWindow.h"
#include "selection/ModelChooserDialog.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QTableWidget>
#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<AppWindows> g_windows;
RecordingPrompter g_prompter;
QList<QStringList> g_cells; // the index table's texts, for the reference

void settle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents();
}

void BM_RebuildWithProgress(benchmark::State& state) {
    SelectionWindow& s = *g_windows->select;
    for (auto _ : state)
        if (!s.rebuildIndex())
            state.SkipWithError("rebuild failed");
}

// Show, fill, paint the first rows; then the last rows; then close, writing the dump.
void BM_IndexTable(benchmark::State& state) {
    IndexTableWindow& table = *g_windows->indexDisplay;
    for (auto _ : state) {
        table.show();
        settle();
        table.indexTable()->scrollToBottom();
        settle();
        table.accept();
        settle();
    }
}

void BM_PlainTable(benchmark::State& state) {
    for (auto _ : state) {
        QTableWidget table(0, 14);
        table.resize(800, 600);
        table.show();
        table.setRowCount(int(g_cells.size()));
        for (int r = 0; r < g_cells.size(); ++r)
            for (int c = 0; c < 14; ++c)
                table.setItem(r, c, new QTableWidgetItem(g_cells[r][c]));
        settle();
        table.scrollToBottom();
        settle();
    }
}

QList<IndexRecord> g_fifty;

void BM_ChooserFifty(benchmark::State& state) {
    ModelChooserDialog& chooser = *g_windows->chooser;
    for (auto _ : state) {
        chooser.setMatches(g_fifty);
        chooser.show();
        settle();
        chooser.hide();
    }
}

void BM_PlainList(benchmark::State& state) {
    QStringList lines;
    for (const IndexRecord& r : g_fifty)
        lines << ModelChooserDialog::matchLine(r);
    for (auto _ : state) {
        QListWidget list;
        list.addItems(lines);
        list.setCurrentRow(1);
        list.show();
        settle();
    }
}

void BM_ClickModelWithFifty(benchmark::State& state) {
    for (auto _ : state) {
        const QList<IndexRecord> found =
            FindListedModel(g_windows->context->index(), QStringLiteral("QB8-FIFTY"));
        if (found.size() != 50)
            state.SkipWithError("not 50 matches");
    }
}

BENCHMARK(BM_RebuildWithProgress)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_IndexTable)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainTable)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ChooserFifty)->Apply(bench::Repeated<>);
BENCHMARK(BM_PlainList)->Apply(bench::Repeated<>);
BENCHMARK(BM_ClickModelWithFifty)->Apply(bench::Repeated<>);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    QApplication app(argc, argv);

    const QString data = home.filePath(QStringLiteral("prog/NSMAData"));
    QDir().mkpath(data);
    if (!bench::makeCatalogue(data, 10000, 7))
        return 1;
    // One model in 50 files: the same antenna measured in 50 bands and dates.
    for (int i = 0; i < 50; ++i) {
        QFile f(data + QStringLiteral("/fifty%1.adf").arg(i, 2, 10, QLatin1Char('0')));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write("MODNUM:,QB8-FIFTY\r\nPATNUM:," + QByteArray::number(100 + i) +
                "\r\nDTDATA:,2003040" + QByteArray::number(1 + i % 9) + "\r\nLOWFRQ:," +
                QByteArray::number(5925 + 10 * i) + "\r\nHGHFRQ:," +
                QByteArray::number(6425 + 10 * i) +
                "\r\nMDGAIN:,38.0\r\nPOLARI:,H/H\r\nNUPOIN:,2\r\n0,0,\r\n180,-70,\r\n");
    }

    g_windows = std::make_unique<AppWindows>(AppEnvironment::inFolder(home.path(), g_prompter));
    g_windows->select->runDialog = [](QDialog&) { return int(QDialog::Accepted); };
    g_windows->select->showAntenna = [](const IndexRecord&, const QString&) {};
    g_windows->select->show();
    g_windows->select->firstShow();
    g_fifty = FindListedModel(g_windows->context->index(), QStringLiteral("QB8-FIFTY"));
    {
        IndexRecord r;
        IndexFile& index = g_windows->context->index();
        index.rewind();
        while (index.readNext(r))
            g_cells << IndexRowCells(r);
    }
    std::printf("catalogue: %lld records, %lld files of one model\n",
                static_cast<long long>(g_cells.size()), static_cast<long long>(g_fifty.size()));

    benchmark::Initialize(&argc, argv);
    bench::KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    bench::printRatio("index table (fill, end, close) / plain QTableWidget",
                      reporter.seconds("BM_IndexTable"), reporter.seconds("BM_PlainTable"), "<= 2");
    bench::printRatio("chooser with 50 files / plain QListWidget",
                      reporter.seconds("BM_ChooserFifty"), reporter.seconds("BM_PlainList"),
                      "<= 2");
    g_windows.reset();
    return 0;
}
