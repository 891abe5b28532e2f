// SPDX-License-Identifier: MIT
#pragma once
// A whole search: the index filters over a catalogue's records, then, when asked, the compliance
// filter over the files of those that pass; and the found antennas as a table, CSV and JSON.
#include "catalogue/CatalogueSearch.h"
#include "compliance/FccSearch.h"

#include <QtCore/QByteArray>
#include <optional>

struct FoundAntenna {
    IndexRecord record;
    QString path;                 // the data file, when known
    std::optional<FccResult> fcc; // when the compliance filter ran
};

struct FindOutcome {
    std::vector<FoundAntenna> found;
    QStringList skipped; // "NAME: reason": files the compliance filter could not read
    int checked = 0;     // files the compliance filter looked at
    int fileReads = 0;   // of them, files read (the others were known to the cache)
    bool stopped = false;
};

// Runs `query` over `records`; with `fcc` (and `table`) keeps only the antennas whose files pass
// it, checked on every core through `cache`.
FindOutcome FindAntennas(const CatalogueRecords& records, const QString& dataDir,
                         const SearchQuery& query, const std::optional<FccFilter>& fcc,
                         const MaskTable* table, FccCache& cache, const FccProgress& progress = {});

// The columns of the results: model, RPE number, file name, band (GHz), gain (dBi), size (ft),
// polarization, feed, then the verdict and worst margin of Category A and of B.
QStringList FoundColumnHeadings();
QStringList FoundRowCells(const FoundAntenna& antenna);
// "pass 2.50 dB", "fail -1.00 dB", "not enough data"; empty without a check.
QString FccCellText(const std::optional<FccResult>& fcc, QChar category);

QByteArray FoundAntennasCsv(const std::vector<FoundAntenna>& found);
QByteArray FoundAntennasJson(const std::vector<FoundAntenna>& found);
// A table for a terminal: the headings, one aligned line per antenna.
QByteArray FoundAntennasText(const std::vector<FoundAntenna>& found);
