// SPDX-License-Identifier: MIT
#pragma once
// One antenna read from its data file in one go: the record the index rebuild makes of its
// header, the header numbers the compliance check needs, and the pattern. Every window and
// command that shows, checks or writes an antenna opens it here.
#include "adf/Pattern.h"
#include "catalogue/AntennaHeader.h"
#include "catalogue/IndexRecord.h"

#include <QtCore/QString>
#include <optional>

struct AntennaFileOrError;

struct AntennaFile {
    QString path;          // the data file read
    IndexRecord record;    // as the index rebuild makes it; opened from the index, that record
    AntennaHeader header;  // the header numbers
    LoadedPattern pattern; // the cuts, the feed kind from the record's feed orientation
    // Why the index rebuild would leave the file out (a number or date it cannot convert); the
    // record is then incomplete, while the header numbers and the pattern are whole.
    std::optional<QString> recordError;

    // Reads the data file at `path`. Only regular files are opened: anything else gives "File
    // was not found". A file the index rebuild takes for no data file gives its reason
    // (NotNsmaFileReason, with the line too long when that is why), a pattern that cannot be
    // read the conversion message.
    static AntennaFileOrError open(const QString& path);

    // Reads the data file of an index record in `dataDir`, found as LocateDataFile finds it; the
    // record is kept as the index holds it and its feed orientation gives the feed kind. A file
    // that is not there gives the lookup's message ("File was not found" and the candidates).
    static AntennaFileOrError open(const IndexRecord& record, const QString& dataDir);
};

struct AntennaFileOrError {
    std::optional<AntennaFile> file;
    QString error;
    bool notFound = false; // the data file was not there (or not a regular file)
};
