#include "LineReader.h"

#include <cstring>

LineReader::LineReader(QIODevice& device, qsizetype chunk) : device_(device), chunk_(chunk) {}

bool LineReader::fill() {
    if (deviceDone_)
        return false;
    // Move the unread tail to the front, then grow when a single line fills the whole buffer.
    if (begin_ > 0) {
        const qsizetype rest = end_ - begin_;
        if (rest > 0)
            std::memmove(buffer_.data(), buffer_.constData() + begin_, static_cast<size_t>(rest));
        begin_ = 0;
        end_ = rest;
    }
    if (buffer_.size() - end_ < chunk_)
        buffer_.resize(end_ + chunk_);
    const qint64 got = device_.read(buffer_.data() + end_, buffer_.size() - end_);
    if (got < 0) {
        ok_ = false;
        deviceDone_ = true;
        return false;
    }
    if (got == 0) {
        deviceDone_ = true;
        return false;
    }
    end_ += got;
    return true;
}

bool LineReader::atEnd() {
    if (begin_ < end_)
        return false;
    return !fill();
}

QByteArrayView LineReader::readLine() {
    qsizetype scanFrom = begin_;
    for (;;) {
        const char* base = buffer_.constData();
        for (qsizetype i = scanFrom; i < end_; ++i) {
            const char c = base[i];
            if (c != '\n' && c != '\r')
                continue;
            if (c == '\r' && i + 1 == end_ && !deviceDone_) {
                // CR at the end of the buffer: an LF may follow in the next chunk.
                break;
            }
            const qsizetype lineBegin = begin_;
            qsizetype next = i + 1;
            if (c == '\r' && next < end_ && base[next] == '\n')
                ++next;
            begin_ = next;
            return {base + lineBegin, i - lineBegin};
        }
        const qsizetype scanned = end_ - begin_;
        if (!fill()) {
            // Last line without a terminator (or nothing at all past the end).
            const qsizetype lineBegin = begin_;
            const qsizetype length = end_ - begin_;
            begin_ = end_;
            if (length > 0 && buffer_.at(lineBegin + length - 1) == '\r')
                return {buffer_.constData() + lineBegin, length - 1};
            return {buffer_.constData() + lineBegin, length};
        }
        // begin_ is 0 after a fill; continue the scan where it stopped (re-check a held CR).
        scanFrom = scanned > 0 ? scanned - 1 : 0;
        if (scanFrom < 0)
            scanFrom = 0;
    }
}
