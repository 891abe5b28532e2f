// SPDX-License-Identifier: MIT
#include "catalogue/IndexDump.h"

#include "base/DisplayText.h"
#include "base/NumberText.h"

#include <QtCore/QSaveFile>

QStringList IndexColumnHeadings() {
    return {QStringLiteral("File Name"),  QStringLiteral("Mod Num"),  QStringLiteral("Ser"),
            QStringLiteral("Sz"),         QStringLiteral("Polar"),    QStringLiteral("Date"),
            QStringLiteral("RPE#"),       QStringLiteral("Low Freq"), QStringLiteral("High Freq"),
            QStringLiteral("Freq Range"), QStringLiteral("Mid F"),    QStringLiteral("Gain"),
            QStringLiteral("Feed"),       QStringLiteral("Rev.")};
}

QList<int> IndexColumnWidths() {
    return {100, 150, 50, 35, 75, 200, 50, 75, 75, 180, 65, 50, 50, 150};
}

QStringList IndexRowCells(const IndexRecord& r) {
    auto t = [](const QByteArray& b) { return DisplayText(b); };
    return {t(r.fileName()),
            t(r.modelNumber()),
            t(r.series()),
            t(r.size()),
            t(r.polarization()),
            t(r.date()),
            t(r.rpeNumber()),
            t(numtext::formatFixed(r.lowFrequency(), 3)),
            t(numtext::formatFixed(r.highFrequency(), 3)),
            t(r.frequencyRange()),
            t(r.midFrequency()),
            t(r.gain()),
            t(r.feedOrientation()),
            t(r.description1())};
}

QString CommaText(const QStringList& cells) {
    QString out;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i)
            out += QLatin1Char(',');
        const QString& cell = cells[i];
        bool quote = false;
        for (QChar c : cell)
            if (c.unicode() <= 32 || c == QLatin1Char('"') || c == QLatin1Char(','))
                quote = true;
        if (!quote) {
            out += cell;
            continue;
        }
        QString inner = cell;
        inner.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        out += QLatin1Char('"') + inner + QLatin1Char('"');
    }
    return out;
}

QString DumpHeadingLine(const QStringList& headings) {
    QString line = CommaText(headings);
    line.remove(QLatin1Char('"'));
    line.remove(QLatin1Char(' '));
    return line;
}

QByteArray IndexDumpText(const QList<QStringList>& rows) {
    QByteArray out;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        out += (i == 0 ? DumpHeadingLine(rows[i]) : CommaText(rows[i])).toUtf8();
        out += "\r\n";
    }
    return out;
}

std::optional<QString> WriteIndexDump(const QString& path, const QList<QStringList>& rows) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot create file %1").arg(path);
    const QByteArray text = IndexDumpText(rows);
    // The flush first: commit() does not see a write error still waiting in the buffer.
    if (file.write(text) != text.size() || !file.flush() || !file.commit())
        return QStringLiteral("Cannot create file %1").arg(path);
    return std::nullopt;
}
