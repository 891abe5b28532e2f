// SPDX-License-Identifier: MIT
// Start-up: the time from starting the program's process to its main window shown with its lists
// filled (offscreen), and the peak memory at that moment, with the sample catalogue and with an
// index of 10,000 files. The outside reference is the same measure of a minimal Qt program that
// shows a main window with a filled list.
//
//   bench_startup [RUNS]        RUNS starts of each (default 15); medians are printed
//
// The program starts copies of itself in one of two child modes, each of which prints
// "ready ROWS PEAK_KB" on stdout once its window is up, and exits:
//   bench_startup --lobeview DIR   the program's own start-up on DIR (DIR/prog/FileIndx.dat, ...)
//   bench_startup --reference      a QMainWindow holding a QListWidget of three rows
#include "AppWindows.h"
#include "BenchSupport.h"
#include "base/Settings.h"
#include "catalogue/IndexRefresh.h"
#include "dialogs/QtPrompter.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMainWindow>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

long peakKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void reportReady(int rows) {
    std::printf("ready %d %ld\n", rows, peakKilobytes());
    std::fflush(stdout);
}

// What main.cpp does, on a prepared folder and without the desktop tools.
int lobeviewChild(int argc, char** argv, const QString& root) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lobeview"));
    QApplication::setOrganizationName(QStringLiteral("Quelda"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/MAINICON-256x256.png")));
    QtPrompter prompter;
    AppWindows windows(AppEnvironment::inFolder(root, prompter));
    prompter.setParent(windows.select.get());
    windows.select->show();
    // Showing queues the index load; this comes after it.
    QMetaObject::invokeMethod(
        &app,
        [&] {
            reportReady(windows.select->modelList->count());
            QApplication::quit();
        },
        Qt::QueuedConnection);
    return QApplication::exec();
}

int referenceChild(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* list = new QListWidget(&window);
    list->addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    window.setCentralWidget(list);
    window.show();
    QMetaObject::invokeMethod(
        &app,
        [&] {
            reportReady(list->count());
            QApplication::quit();
        },
        Qt::QueuedConnection);
    return QApplication::exec();
}

struct Sample {
    double ms = 0;
    double peakMB = 0;
    int rows = 0;
};

// One start of a child: from just before the process is started to its "ready" line.
std::optional<Sample> startOnce(const QStringList& args) {
    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.start(QCoreApplication::applicationFilePath(), args);
    QByteArray line;
    while (!line.contains('\n') && p.waitForReadyRead(60000))
        line += p.readAllStandardOutput();
    const double ms = clock.nsecsElapsed() / 1e6;
    p.waitForFinished(60000);
    const QList<QByteArray> parts = line.trimmed().split(' ');
    if (parts.size() != 3 || parts[0] != "ready") {
        std::fprintf(stderr, "child %s said: %s %s\n", qPrintable(args.join(u' ')),
                     line.constData(), p.readAllStandardError().constData());
        return std::nullopt;
    }
    return Sample{ms, parts[2].toDouble() / 1024.0, parts[1].toInt()};
}

Sample median(std::vector<Sample> samples) {
    auto mid = [&](auto key) {
        std::sort(samples.begin(), samples.end(),
                  [&](const Sample& a, const Sample& b) { return key(a) < key(b); });
        return key(samples[samples.size() / 2]);
    };
    Sample m;
    m.ms = mid([](const Sample& s) { return s.ms; });
    m.peakMB = mid([](const Sample& s) { return s.peakMB; });
    m.rows = samples.front().rows;
    return m;
}

// A program folder: the catalogue, its index and settings in which the file type is registered.
bool prepare(const QString& root, int files) {
    const QString data = root + QStringLiteral("/prog/NSMAData");
    QDir().mkpath(data);
    if (files == 0) {
        for (const QString& name : QDir(QStringLiteral(LOBEVIEW_SAMPLE_DIR)).entryList(QDir::Files))
            QFile::copy(QStringLiteral(LOBEVIEW_SAMPLE_DIR "/") + name, data + u'/' + name);
    } else {
        if (!bench::makeCatalogue(data, files, 7))
            return false;
    }
    if (RebuildIndex(data, root + QStringLiteral("/prog/FileIndx.dat")).outcome !=
        RebuildReport::Outcome::Rebuilt)
        return false;
    SettingsStore store(root + QStringLiteral("/Quelda.conf"));
    store.writeBool(QStringLiteral("Associated"), true);
    return store.sync();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && qstrcmp(argv[1], "--lobeview") == 0)
        return lobeviewChild(argc, argv, QFile::decodeName(argv[2]));
    if (argc == 2 && qstrcmp(argv[1], "--reference") == 0)
        return referenceChild(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    const QString sample = home.filePath(QStringLiteral("sample"));
    const QString big = home.filePath(QStringLiteral("big"));
    if (!prepare(sample, 0) || !prepare(big, 10000)) {
        std::fprintf(stderr, "could not prepare the catalogues\n");
        return 1;
    }

    struct Case {
        const char* name;
        QStringList args;
        std::vector<Sample> samples;
    } cases[] = {
        {"minimal Qt window (reference)", {QStringLiteral("--reference")}, {}},
        {"lobeview, sample catalogue (17 files)", {QStringLiteral("--lobeview"), sample}, {}},
        {"lobeview, 10,000-file index", {QStringLiteral("--lobeview"), big}, {}},
    };
    // Interleaved, so that a busy moment of the machine weighs on every case alike.
    for (int i = 0; i < runs + 1; ++i)
        for (Case& c : cases) {
            const auto s = startOnce(c.args);
            if (!s)
                return 1;
            if (i > 0) // the first round warms the file cache
                c.samples.push_back(*s);
        }

    std::printf("start-up to the main window with its lists filled, median of %d starts\n", runs);
    std::printf("%-40s %10s %10s %8s\n", "", "time ms", "peak MB", "models");
    std::vector<Sample> medians;
    for (const Case& c : cases) {
        medians.push_back(median(c.samples));
        std::printf("%-40s %10.1f %10.1f %8d\n", c.name, medians.back().ms, medians.back().peakMB,
                    medians.back().rows);
    }
    const Sample& ref = medians[0];
    for (std::size_t i = 1; i < medians.size(); ++i)
        std::printf("%-40s time %.2f x, peak memory %.2f x the reference\n", cases[i].name,
                    medians[i].ms / ref.ms, medians[i].peakMB / ref.peakMB);
    std::printf("10,000-file index against the targets: %.0f%% of 200 ms, %.0f%% of 80 MB\n",
                100 * medians[2].ms / 200, 100 * medians[2].peakMB / 80);
    return 0;
}
