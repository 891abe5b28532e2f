// SPDX-License-Identifier: MIT
#include "catalogue/IndexFile.h"

#include <cstring>

bool IndexFile::create(const QString& path) {
    close();
    file_.setFileName(path);
    return file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool IndexFile::append(const IndexRecord& record) {
    const auto& b = record.bytes();
    return file_.write(reinterpret_cast<const char*>(b.data()), IndexRecord::RecordSize) ==
           IndexRecord::RecordSize;
}

bool IndexFile::open(const QString& path) {
    close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadOnly))
        return false;
    mapSize_ = file_.size();
    if (mapSize_ > 0)
        map_ = file_.map(0, mapSize_);
    pos_ = 0;
    return true;
}

bool IndexFile::rewind() {
    pos_ = 0;
    return file_.isOpen() && (map_ || file_.seek(0));
}

bool IndexFile::readNext(IndexRecord& record) {
    if (map_) {
        if (mapSize_ - pos_ < IndexRecord::RecordSize)
            return false;
        std::memcpy(record.bytes().data(), map_ + pos_, IndexRecord::RecordSize);
        pos_ += IndexRecord::RecordSize;
        return true;
    }
    if (!file_.isOpen() || !file_.isReadable())
        return false;
    IndexRecord::Bytes buffer;
    const qint64 got = file_.read(reinterpret_cast<char*>(buffer.data()), IndexRecord::RecordSize);
    if (got != IndexRecord::RecordSize)
        return false;
    record.bytes() = buffer;
    return true;
}

bool IndexFile::holdsRecords() {
    if (!file_.isOpen() || (map_ ? mapSize_ : file_.size()) % IndexRecord::RecordSize != 0)
        return false;
    bool ok = rewind();
    IndexRecord record;
    while (ok && readNext(record))
        ok = record.lengthsWithinCapacity();
    rewind();
    return ok;
}

bool IndexFile::close() {
    if (map_) {
        file_.unmap(const_cast<uchar*>(map_));
        map_ = nullptr;
        mapSize_ = 0;
    }
    if (!file_.isOpen())
        return true;
    bool ok = true;
    if (file_.isWritable())
        ok = file_.flush();
    file_.close();
    return ok;
}
