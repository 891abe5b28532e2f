#include "IndexFile.h"

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
    return file_.open(QIODevice::ReadOnly);
}

bool IndexFile::rewind() { return file_.isOpen() && file_.seek(0); }

bool IndexFile::readNext(IndexRecord& record) {
    if (!file_.isOpen() || !file_.isReadable())
        return false;
    IndexRecord::Bytes buffer;
    const qint64 got = file_.read(reinterpret_cast<char*>(buffer.data()), IndexRecord::RecordSize);
    if (got != IndexRecord::RecordSize)
        return false;
    record.bytes() = buffer;
    return true;
}

bool IndexFile::close() {
    if (!file_.isOpen())
        return true;
    bool ok = true;
    if (file_.isWritable())
        ok = file_.flush();
    file_.close();
    return ok;
}
