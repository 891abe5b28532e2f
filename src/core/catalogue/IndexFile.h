// SPDX-License-Identifier: MIT
#pragma once
// The index file: a plain sequence of 380-byte records, no header, no count. Readers always scan
// from the start; the refresh is the only writer.
#include "catalogue/IndexRecord.h"

#include <QtCore/QFile>
#include <QtCore/QString>

class IndexFile {
public:
    IndexFile() = default;
    ~IndexFile() { close(); }
    IndexFile(const IndexFile&) = delete;
    IndexFile& operator=(const IndexFile&) = delete;

    // Creates the file for writing, or truncates an existing one.
    bool create(const QString& path);
    // Writes one record at the end.
    bool append(const IndexRecord& record);
    // Opens an existing index for reading, positioned at the first record.
    bool open(const QString& path);
    // Back to the first record.
    bool rewind();
    // Reads the next record into `record`. False at the end of the index; a trailing partial
    // record (a file cut short) counts as the end.
    bool readNext(IndexRecord& record);
    // Writes out what is buffered and releases the file. False when the flush failed.
    bool close();

    bool isOpen() const { return file_.isOpen(); }
    QString path() const { return file_.fileName(); }
    QString errorString() const { return file_.errorString(); }
    // True when the open file can be an index: its size is a whole number of records and every
    // record's length bytes are within their fields' capacities. Leaves the read position at the
    // first record.
    bool holdsRecords();
    // Number of whole records in the file.
    qint64 recordCount() const {
        return (map_ ? mapSize_ : file_.size()) / IndexRecord::RecordSize;
    }

private:
    QFile file_;
    // A reader maps the file once and scans it from memory; every scan is then a copy loop.
    const uchar* map_ = nullptr;
    qint64 mapSize_ = 0;
    qint64 pos_ = 0;
};
