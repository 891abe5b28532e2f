#include "PdfCheck.h"

#include <QtCore/QFile>
#include <QtCore/QRegularExpression>

bool IsCompletePdf(const QByteArray& bytes) {
    if (!bytes.startsWith("%PDF-"))
        return false;
    // The trailer: "startxref", the offset, "%%EOF", within the last kilobyte.
    const QByteArray tail = bytes.right(1024);
    static const QRegularExpression trailer(
        QStringLiteral("startxref[\\r\\n ]+(\\d{1,15})[\\r\\n ]+%%EOF[\\r\\n ]*$"));
    const auto match = trailer.match(QString::fromLatin1(tail));
    if (!match.hasMatch())
        return false;
    const qint64 offset = match.captured(1).toLongLong();
    if (offset <= 0 || offset >= bytes.size())
        return false;
    const QByteArray at = bytes.mid(offset, 64);
    if (at.startsWith("xref"))
        return true;
    static const QRegularExpression stream(QStringLiteral("^\\d+\\s+\\d+\\s+obj\\b"));
    return stream.match(QString::fromLatin1(at)).hasMatch();
}

bool IsCompletePdfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    return file.error() == QFileDevice::NoError && IsCompletePdf(bytes);
}
