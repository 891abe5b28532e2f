// SPDX-License-Identifier: MIT
#include "base/PdfCheck.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <algorithm>
#include <functional>

namespace {

// The checks on the pieces that matter: the first bytes, the last kilobyte, and the bytes at the
// offset the trailer names (read by `at`).
bool completePieces(const QByteArray& head, const QByteArray& tail, qint64 size,
                    const std::function<QByteArray(qint64)>& at) {
    if (!head.startsWith("%PDF-"))
        return false;
    static const QRegularExpression trailer(
        QStringLiteral("startxref[\\r\\n ]+(\\d{1,15})[\\r\\n ]+%%EOF[\\r\\n ]*$"));
    const auto match = trailer.match(QString::fromLatin1(tail));
    if (!match.hasMatch())
        return false;
    const qint64 offset = match.captured(1).toLongLong();
    if (offset <= 0 || offset >= size)
        return false;
    const QByteArray found = at(offset);
    if (found.startsWith("xref"))
        return true;
    static const QRegularExpression stream(QStringLiteral("^\\d+\\s+\\d+\\s+obj\\b"));
    return stream.match(QString::fromLatin1(found)).hasMatch();
}

constexpr qint64 TailBytes = 1024;
constexpr qint64 AtBytes = 64;

} // namespace

bool IsCompletePdf(const QByteArray& bytes) {
    return completePieces(bytes.left(8), bytes.right(TailBytes), bytes.size(),
                          [&](qint64 offset) { return bytes.mid(offset, AtBytes); });
}

bool IsCompletePdfFile(const QString& path) {
    // Only a regular file: a device such as /dev/full reads without end.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    const QByteArray head = file.read(8);
    if (!file.seek(std::max<qint64>(0, size - TailBytes)))
        return false;
    const QByteArray tail = file.read(TailBytes);
    return completePieces(head, tail, size, [&](qint64 offset) {
        return file.seek(offset) ? file.read(AtBytes) : QByteArray();
    });
}
