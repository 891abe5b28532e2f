// SPDX-License-Identifier: MIT
#pragma once
// Rebuilding the index from the headers of a data directory's NSMA files.
#include "adf/LineReader.h"
#include "catalogue/AntennaHeader.h"
#include "catalogue/IndexRecord.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <functional>
#include <optional>

// Reads header lines from the current position up to the first "NUPOIN" line (or the end of the
// file) into `record`, and, when given, the header numbers into `numbers` in the same pass.
// Returns the conversion message when a number or a date cannot be read, and NotNsmaFileReason
// when the header holds none of the keywords the index is made from (or binary bytes come before
// the first of them). Without `numbers` the reading stops at a conversion error; with them it
// goes on to fill the numbers, the record then being incomplete.
std::optional<QString> ReadHeaderLines(LineReader& in, IndexRecord& record,
                                       AntennaHeader* numbers = nullptr);

inline constexpr char NotNsmaFileReason[] = "not an NSMA data file";

// Builds the record of one data file from its header, as the rebuild does (the buffer is blanked
// first). Returns the reason when the file cannot be read or converted.
std::optional<QString> BuildRecordFromFile(const QString& path, IndexRecord& record);

// The derived fields of a model number: model number, series, size, polarization.
void SetModelNumberFields(IndexRecord& record, QByteArrayView value);

// The range label of two band edges in GHz: low part with 3 decimals, padded with leading blanks
// so that labels sort in numeric order, "-", high part with 3 decimals.
QByteArray FrequencyRangeLabel(double lowGHz, double highGHz);

// "DTDATA" value to "05 April 2003"; a value containing "null" stays as it is.
std::optional<QByteArray> FormatDataDate(QByteArrayView value);

inline constexpr char NoDataFilesMessage[] = "No NSMA data files were found in this directory";

struct RebuildReport {
    enum class Outcome {
        Rebuilt,      // the listing held at least one data file; the new index is in place
        NoDataFiles,  // no "*.adf" entry: the index is now empty (or kept, when asked)
        CannotCreate, // the index could not be written; the old one is unchanged
        Cancelled,    // the user stopped it; the old index is unchanged
        CannotRead,   // the data directory is missing or cannot be listed; old index unchanged
    };
    Outcome outcome = Outcome::Rebuilt;
    int records = 0;
    QStringList skipped;   // "name: reason", one per data file left out
    QStringList longNames; // names indexed under their first 15 characters, each the only one
    // Names indexed under the same first 15 characters, one list per stored name, in name order.
    // The graph window tells them apart by their headers.
    QList<QStringList> sharedNames;
    // Names among those whose headers give the same index facts as another of the same stored
    // name: these cannot be told apart when opened.
    QStringList lookAlikes;
    QString error; // for CannotCreate and CannotRead

    // What the user is told at the end, or an empty text when there is nothing to say.
    QString message() const;
};

// The names of the "*.adf" files of a folder as the rebuild takes them (letter case of the
// extension ignored, hidden entries skipped), as the file system stores them, in name order.
QList<QByteArray> DataFileNames(const QString& sourceDir);

// Called before each file with the files done so far, the total, and the file's name. Returning
// false stops the rebuild and keeps the old index.
using RebuildProgress = std::function<bool(int done, int total, const QString& name)>;

// Lists the "*.adf" files of `sourceDir` (letter case ignored, hidden entries skipped, in name
// order), reads each header into a blanked record buffer and appends it to a new index written
// to `indexPath`. The new index replaces the old one only when it was written completely. A
// file that cannot be read or converted is left out and reported; the others are indexed. A
// folder whose only data files are hidden gives an empty index (Rebuilt, no records); a folder
// that cannot be listed leaves the old index as it is (CannotRead). A folder without any data
// file gives an empty index (NoDataFiles), or, with `keepIndexWithoutDataFiles`, leaves the old.
RebuildReport RebuildIndex(const QString& sourceDir, const QString& indexPath,
                           const RebuildProgress& progress = {},
                           bool keepIndexWithoutDataFiles = false);
