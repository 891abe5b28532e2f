// SPDX-License-Identifier: MIT
#pragma once
// Finding the data file of an index record in the data directory. The index keeps only the first
// 15 characters of a file name, so several long names can share one stored name; then the file
// whose own header gives the record's facts is the one the record was made from.
#include "catalogue/IndexRecord.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>

struct DataFileLookup {
    std::optional<QString> path; // the file to read
    QString storedName;          // the record's file name, for the message
    QStringList candidates;      // when not found: the names sharing the stored name, in name order

    // "File was not found", followed by the candidates' names when there are any.
    QString notFoundMessage() const;
};

// The file named by the record in `dataDir`: the file of exactly the stored name; for a stored name
// of 15 characters (a longer name cut), the one "*.adf" file whose name begins with it, or, when
// several do, the one whose header gives the same index entry.
DataFileLookup LocateDataFile(const QString& dataDir, const IndexRecord& record);
