// SPDX-License-Identifier: MIT
#pragma once
// Reads a text file line by line through a fixed-size buffer. A line ends at LF, CR LF or a lone
// CR; the terminator is not part of the line. Past the end every read gives an empty line, as a
// classic text-file reader does. Memory stays bounded by the longest line, not the file, and a
// line may be at most `maxLine` bytes long: a longer one (binary noise, a huge file without line
// ends) stops the reading as an error, so such a file is never read whole.
#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QIODevice>
#include <QtCore/QString>
#include <functional>

class LineReader {
public:
    // Reads up to `size` bytes into `data`; returns the count, 0 at the end, -1 on an error.
    using Source = std::function<qint64(char* data, qint64 size)>;

    // No NSMA data file comes near this; its lines are a few dozen characters.
    static constexpr qsizetype MaxLineLength = 1024 * 1024;

    explicit LineReader(QIODevice& device, qsizetype chunk = 256 * 1024,
                        qsizetype maxLine = MaxLineLength);
    explicit LineReader(Source source, qsizetype chunk = 256 * 1024,
                        qsizetype maxLine = MaxLineLength);

    // The next line; the view stays valid until the next call.
    QByteArrayView readLine();
    // True when no byte is left to read.
    bool atEnd();
    // False once the device reported a read error or a line was too long.
    bool ok() const { return ok_; }
    // True when reading stopped at a line longer than the limit; that line reads as empty.
    bool lineTooLong() const { return tooLong_; }
    // Lines handed out so far (the too long one included).
    qint64 lineNumber() const { return lines_; }
    // What stopped the reading, for a message: "line N is longer than 1 MB" or "a read failed".
    QString errorText() const;

private:
    bool fill();
    QByteArrayView refuseLine();

    Source source_;
    QByteArray buffer_;
    qsizetype begin_ = 0;
    qsizetype end_ = 0;
    qsizetype chunk_;
    qsizetype maxLine_;
    qint64 lines_ = 0;
    bool deviceDone_ = false;
    bool ok_ = true;
    bool tooLong_ = false;
};
