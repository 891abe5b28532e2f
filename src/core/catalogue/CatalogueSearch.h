// SPDX-License-Identifier: MIT
#pragma once
// Finding antennas by the facts the index holds: words of the model number, RPE number,
// descriptions and file name, a frequency the band must cover, a least gain, a largest size,
// the polarization and the feed orientation. Every test reads the record's own texts, so a
// search answers from the index without opening a data file.
#include "catalogue/IndexFile.h"
#include "catalogue/IndexRecord.h"

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>
#include <vector>

enum class PolarizationChoice { Any, Single, Dual };
enum class FeedChoice { Any, None, Left, Right };

struct SearchQuery {
    // Lower-case words; each must be found (as part of a text) in one of the searched fields.
    QList<QByteArray> words;
    std::optional<double> coversGHz;   // a frequency within the band, edges included
    std::optional<double> minGainDbi;  // the record's gain at least this
    std::optional<double> maxSizeFeet; // the record's size at most this
    PolarizationChoice polarization = PolarizationChoice::Any;
    FeedChoice feed = FeedChoice::Any;

    // The words of a text box: split at blanks, lower-cased (ASCII letters; the index's texts are
    // 8-bit), as Latin-1 bytes to compare with the records.
    static QList<QByteArray> wordsOf(const QString& text);
    bool isEmpty() const;
};

// The record's gain (dBi) and size (feet) as numbers; nothing when the text is not a number.
std::optional<double> RecordGain(const IndexRecord& record);
std::optional<double> RecordSizeFeet(const IndexRecord& record);

// True when the record passes every test the query sets.
bool MatchesQuery(const SearchQuery& query, const IndexRecord& record);
// The positions of the records that pass, in order.
std::vector<int> SearchRecords(const SearchQuery& query, const std::vector<IndexRecord>& records);

// A frequency as the user writes it, in GHz: "6 GHz", "6175 MHz", "6.175GHz"; a bare number
// below 100 is taken for GHz, from 100 up for MHz. Nothing for other text or a value not above 0.
std::optional<double> ParseFrequencyGHz(const QString& text);
// "none", "left", "right" (any case) and "single", "dual"; nothing for other text.
std::optional<FeedChoice> ParseFeedChoice(const QString& text);
std::optional<PolarizationChoice> ParsePolarizationChoice(const QString& text);

// The records of a catalogue folder, from its index when that is current, else built in memory
// from the data files' headers as the index rebuild builds them.
struct CatalogueRecords {
    std::vector<IndexRecord> records;
    // The data file of each record when the records were built from the files; empty when they
    // came from the index (the file is then found as LocateDataFile finds it).
    QStringList paths;
    QStringList skipped; // "NAME.adf: reason", as the index rebuild reports them
    bool fromIndex = false;
    QString error; // the folder is missing or cannot be listed, or holds no data file
};

// True when the index at `indexPath` can stand for the folder: it holds whole records, one for
// each data file of the folder under its stored name, and no data file is newer than it. A
// folder with a file the rebuild leaves out is always read from its files.
bool IndexIsCurrent(const QString& indexPath, const QString& dataDir);
// Reads `dataDir`'s records: from `indexPath` when it is current, else from the files.
CatalogueRecords LoadCatalogueRecords(const QString& dataDir, const QString& indexPath);
// Every record of an open index, in order.
std::vector<IndexRecord> ReadAllRecords(IndexFile& index);
