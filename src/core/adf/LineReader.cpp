// SPDX-License-Identifier: MIT
#include "adf/LineReader.h"

#include <cstring>

LineReader::LineReader(QIODevice& device, qsizetype chunk, qsizetype maxLine)
    : LineReader([&device](char* data, qint64 size) { return device.read(data, size); }, chunk,
                 maxLine) {}

LineReader::LineReader(Source source, qsizetype chunk, qsizetype maxLine)
    : source_(std::move(source)), chunk_(chunk), maxLine_(maxLine) {}

QString LineReader::errorText() const {
    if (tooLong_)
        return maxLine_ % (1024 * 1024) == 0
                   ? QStringLiteral("line %1 is longer than %2 MB")
                         .arg(lines_)
                         .arg(maxLine_ / (1024 * 1024))
                   : QStringLiteral("line %1 is longer than %2 bytes").arg(lines_).arg(maxLine_);
    return ok_ ? QString() : QStringLiteral("a read failed");
}

QByteArrayView LineReader::refuseLine() {
    // The rest of the file is not read: the line (and the file) is not text the program reads.
    tooLong_ = true;
    ok_ = false;
    deviceDone_ = true;
    begin_ = end_;
    return {};
}

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
    const qint64 got = source_(buffer_.data() + end_, buffer_.size() - end_);
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
    if (tooLong_)
        return {};
    ++lines_;
    qsizetype scanFrom = begin_;
    for (;;) {
        const char* base = buffer_.constData();
        // The first LF, then the first CR before it: two library scans instead of a byte loop.
        const char* from = base + scanFrom;
        const char* end = base + end_;
        const char* lf =
            static_cast<const char*>(std::memchr(from, '\n', static_cast<size_t>(end - from)));
        const char* stop = lf ? lf : end;
        const char* cr =
            static_cast<const char*>(std::memchr(from, '\r', static_cast<size_t>(stop - from)));
        const char* hit = cr ? cr : lf;
        const bool heldCr =
            cr && cr + 1 == end && !deviceDone_; // an LF may follow in the next chunk
        if (hit && !heldCr) {
            const qsizetype i = hit - base;
            const qsizetype lineBegin = begin_;
            if (i - lineBegin > maxLine_)
                return refuseLine();
            qsizetype next = i + 1;
            if (*hit == '\r' && next < end_ && base[next] == '\n')
                ++next;
            begin_ = next;
            return {base + lineBegin, i - lineBegin};
        }
        const qsizetype scanned = end_ - begin_;
        if (scanned - (heldCr ? 1 : 0) > maxLine_)
            return refuseLine();
        if (!fill()) {
            // Last line without a terminator (or nothing at all past the end).
            const qsizetype lineBegin = begin_;
            const qsizetype length = end_ - begin_;
            if (length - (length > 0 && buffer_.at(lineBegin + length - 1) == '\r' ? 1 : 0) >
                maxLine_)
                return refuseLine();
            begin_ = end_;
            if (length > 0 && buffer_.at(lineBegin + length - 1) == '\r')
                return {buffer_.constData() + lineBegin, length - 1};
            return {buffer_.constData() + lineBegin, length};
        }
        // begin_ is 0 after a fill; go on where the scan stopped, looking at a held CR again.
        scanFrom = scanned > 0 ? scanned - 1 : 0;
    }
}
