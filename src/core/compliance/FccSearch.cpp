// SPDX-License-Identifier: MIT
#include "compliance/FccSearch.h"

#include "catalogue/AntennaFile.h"
#include "catalogue/DataFileLocation.h"
#include "catalogue/IndexRefresh.h"

#include <QtCore/QDateTime>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QThread>
#include <cmath>
#include <mutex>
#include <thread>

FccCategoryResult FccCategoryOf(const ComplianceReport& report, const QString& category) {
    FccCategoryResult out;
    out.verdict = report.verdictFor(category);
    const GroupResult* g = report.group(category);
    if (g) {
        // The part that passed, or the nearer miss when none did.
        int shown = g->decidedBy;
        for (int part : g->parts) {
            const double m = report.categories[size_t(part)].suppression.worstMargin;
            if (shown < 0 ||
                (g->decidedBy < 0 &&
                 (std::isnan(report.categories[size_t(shown)].suppression.worstMargin) ||
                  m > report.categories[size_t(shown)].suppression.worstMargin)))
                shown = part;
        }
        if (shown >= 0)
            out.worstMargin = report.categories[size_t(shown)].suppression.worstMargin;
    } else if (const CategoryResult* c = report.category(category)) {
        out.worstMargin = c->suppression.worstMargin;
    }
    return out;
}

bool FccFilter::passes(const FccResult& result) const {
    if (!result.error.isEmpty())
        return false;
    const FccCategoryResult& r = result.of(category);
    if (r.verdict != Verdict::Pass)
        return false;
    if (!minMarginDb)
        return true;
    return !std::isnan(r.worstMargin) && r.worstMargin >= *minMarginDb - MarginTolerance;
}

FileStamp FileStamp::of(const QString& path) {
    const QFileInfo info(path);
    FileStamp s;
    s.path = info.absoluteFilePath();
    if (info.exists()) {
        s.size = info.size();
        s.modified = info.lastModified().toMSecsSinceEpoch();
    }
    return s;
}

size_t qHash(const FileStamp& stamp, size_t seed) {
    return qHashMulti(seed, stamp.path, stamp.size, stamp.modified);
}

std::optional<FccResult> FccCache::find(const FileStamp& stamp) const {
    QMutexLocker lock(&mutex_);
    const auto it = results_.constFind(stamp);
    if (it == results_.constEnd())
        return std::nullopt;
    return *it;
}

void FccCache::store(const FileStamp& stamp, const FccResult& result) {
    QMutexLocker lock(&mutex_);
    results_.insert(stamp, result);
}

int FccCache::size() const {
    QMutexLocker lock(&mutex_);
    return int(results_.size());
}

void FccCache::clear() {
    QMutexLocker lock(&mutex_);
    results_.clear();
}

QStringList DataFilesOfRecords(const std::vector<IndexRecord>& records,
                               const std::vector<int>& which, const QStringList& paths,
                               const QString& dataDir, QStringList* errors) {
    // A stored name of full length is the start of a longer name: one listing of the folder
    // finds those that stand alone, instead of one listing per record.
    const int capacity = IndexRecord::layout(IndexField::FileName).capacity;
    std::optional<QHash<QByteArray, QList<QByteArray>>> byStoredName;
    QByteArray dir = QFile::encodeName(dataDir);
    if (!dir.endsWith('/'))
        dir += '/';
    QStringList out;
    for (const int i : which) {
        QString path = i < paths.size() ? paths[i] : QString();
        const IndexRecord& record = records[size_t(i)];
        if (path.isEmpty() && record.fileName().size() >= capacity) {
            if (!byStoredName) {
                byStoredName.emplace();
                for (const QByteArray& name : DataFileNames(dataDir))
                    (*byStoredName)[name.left(capacity)] << name;
            }
            const QList<QByteArray> names = byStoredName->value(record.fileName());
            if (names.size() == 1)
                path = QFile::decodeName(dir + names.first());
        }
        if (!path.isEmpty()) {
            out << path;
            if (errors)
                *errors << QString();
            continue;
        }
        const DataFileLookup lookup = LocateDataFile(dataDir, record);
        out << lookup.path.value_or(QString());
        if (errors)
            *errors << (lookup.path ? QString() : lookup.notFoundMessage());
    }
    return out;
}

namespace {

FccResult checkFile(const QString& path, const MaskTable& table) {
    FccResult result;
    const AntennaFileOrError a = AntennaFile::open(path);
    if (!a.file) {
        result.error = a.error;
        return result;
    }
    const ComplianceReport r = CheckCompliance(table, a.file->header, a.file->pattern);
    result.a = FccCategoryOf(r, QStringLiteral("A"));
    result.b = FccCategoryOf(r, QStringLiteral("B"));
    return result;
}

} // namespace

FccRun CheckFilesFcc(const QStringList& paths, const MaskTable& table, FccCache& cache,
                     const FccProgress& progress, int threads) {
    FccRun run;
    const int total = int(paths.size());
    run.results.resize(size_t(total));
    if (threads <= 0)
        threads = std::max(1, QThread::idealThreadCount());
    threads = std::max(1, std::min(threads, total));
    std::atomic<int> next{0};
    std::atomic<int> reads{0};
    std::atomic<bool> stop{false};
    std::mutex progressMutex;
    int done = 0;
    auto work = [&] {
        for (;;) {
            if (stop.load())
                return;
            const int i = next.fetch_add(1);
            if (i >= total)
                return;
            FccResult& result = run.results[size_t(i)];
            if (paths[i].isEmpty()) {
                result.error = QStringLiteral("File was not found");
            } else {
                const FileStamp stamp = FileStamp::of(paths[i]);
                if (std::optional<FccResult> known = cache.find(stamp)) {
                    result = *known;
                } else {
                    reads.fetch_add(1);
                    result = checkFile(paths[i], table);
                    // A file that was not there may come; only what was read is kept.
                    if (stamp.size >= 0)
                        cache.store(stamp, result);
                }
            }
            if (progress) {
                std::lock_guard lock(progressMutex);
                if (!progress(++done, total))
                    stop.store(true);
            }
        }
    };
    if (total > 0) {
        std::vector<std::thread> pool;
        for (int t = 1; t < threads; ++t)
            pool.emplace_back(work);
        work();
        for (std::thread& t : pool)
            t.join();
    }
    run.fileReads = reads.load();
    run.stopped = stop.load();
    return run;
}
