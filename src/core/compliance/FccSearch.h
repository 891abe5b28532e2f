// SPDX-License-Identifier: MIT
#pragma once
// The compliance filter of a search: the Category A and B verdicts and worst margins of each
// antenna, checked on every core, and kept by the data file's path, size and modification time
// so that a search over a catalogue already checked reads no file.
#include "catalogue/IndexRecord.h"
#include "compliance/Compliance.h"

#include <QtCore/QHash>
#include <QtCore/QMutex>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <atomic>
#include <functional>
#include <vector>

struct FccCategoryResult {
    Verdict verdict = Verdict::NotEnoughData;
    double worstMargin = NoMargin; // dB, of the part that decides (B: the passing part, or the
                                   // nearer miss when none passes)
};

struct FccResult {
    QString error; // the file could not be read (then the verdicts say nothing)
    FccCategoryResult a;
    FccCategoryResult b;
    const FccCategoryResult& of(QChar category) const {
        return category == QLatin1Char('B') ? b : a;
    }
};

// The verdict and worst margin of a category ("A", "B") of a report.
FccCategoryResult FccCategoryOf(const ComplianceReport& report, const QString& category);

// The filter: Category `category` passes, with a worst margin of at least `minMarginDb` when one
// is asked (a margin on the limit passes, as the check's own tolerance has it).
struct FccFilter {
    QChar category = QLatin1Char('A');
    std::optional<double> minMarginDb;
    bool passes(const FccResult& result) const;
};

// What a data file is known by: its path, size and modification time.
struct FileStamp {
    QString path;
    qint64 size = -1;
    qint64 modified = 0; // ms since the epoch
    static FileStamp of(const QString& path);
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
size_t qHash(const FileStamp& stamp, size_t seed = 0);

// Results by file stamp; safe to use from several threads. A file changed since it was checked
// has another stamp, so its old result is never found.
class FccCache {
public:
    std::optional<FccResult> find(const FileStamp& stamp) const;
    void store(const FileStamp& stamp, const FccResult& result);
    int size() const;
    void clear();

private:
    mutable QMutex mutex_;
    QHash<FileStamp, FccResult> results_;
};

struct FccRun {
    std::vector<FccResult> results; // one per file asked for, in order
    int fileReads = 0;              // files opened (the others came from the cache)
    bool stopped = false;           // the progress call asked to stop; results are incomplete
};

// Called from the checking threads, serialised, with the files done and the total; returning
// false stops the run.
using FccProgress = std::function<bool(int done, int total)>;

// The data file of each record: `paths[i]` when given, else as LocateDataFile finds it in
// `dataDir`. Records whose file is not found get the lookup's message.
QStringList DataFilesOfRecords(const std::vector<IndexRecord>& records,
                               const std::vector<int>& which, const QStringList& paths,
                               const QString& dataDir, QStringList* errors = nullptr);

// Checks the files at `paths` against `table` on `threads` threads (0: one per core), taking
// what `cache` knows and storing what it learns. An empty path gives a result with `error` set to
// "File was not found".
FccRun CheckFilesFcc(const QStringList& paths, const MaskTable& table, FccCache& cache,
                     const FccProgress& progress = {}, int threads = 0);
