#pragma once
// Reads a text file line by line through a fixed-size buffer. A line ends at LF, CR LF or a lone
// CR; the terminator is not part of the line. Past the end every read gives an empty line, as a
// classic text-file reader does. Memory stays bounded by the longest line, not the file.
#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QIODevice>
#include <functional>

class LineReader {
public:
    // Reads up to `size` bytes into `data`; returns the count, 0 at the end, -1 on an error.
    using Source = std::function<qint64(char* data, qint64 size)>;

    explicit LineReader(QIODevice& device, qsizetype chunk = 256 * 1024);
    explicit LineReader(Source source, qsizetype chunk = 256 * 1024);

    // The next line; the view stays valid until the next call.
    QByteArrayView readLine();
    // True when no byte is left to read.
    bool atEnd();
    // False once the device reported a read error.
    bool ok() const { return ok_; }

private:
    bool fill();

    Source source_;
    QByteArray buffer_;
    qsizetype begin_ = 0;
    qsizetype end_ = 0;
    qsizetype chunk_;
    bool deviceDone_ = false;
    bool ok_ = true;
};
