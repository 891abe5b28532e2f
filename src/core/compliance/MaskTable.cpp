// SPDX-License-Identifier: MIT
#include "compliance/MaskTable.h"

#include "base/NumberText.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

const char* const FixedColumns[] = {"band_low_mhz", "band_high_mhz", "category",
                                    "max_beamwidth_deg", "min_gain_dbi"};
enum Fixed { BandLow, BandHigh, Category, MaxBeamwidth, MinGain, FixedCount };

// Splits one CSV line into trimmed fields. A field may be quoted ("..."), with "" for a quote
// inside it, as spreadsheets write them. Returns nothing for an unterminated quote.
std::optional<QList<QByteArray>> splitFields(QByteArrayView line) {
    QList<QByteArray> fields;
    QByteArray field;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && numtext::trimmed(field).isEmpty() && !wasQuoted) {
            field.clear();
            quoted = wasQuoted = true;
        } else if (c == ',') {
            fields << (wasQuoted ? field : numtext::trimmed(field).toByteArray());
            field.clear();
            wasQuoted = false;
        } else if (!wasQuoted || static_cast<unsigned char>(c) > 32) {
            if (wasQuoted)
                return std::nullopt; // text after a closing quote
            field += c;
        }
    }
    if (quoted)
        return std::nullopt;
    fields << (wasQuoted ? field : numtext::trimmed(field).toByteArray());
    return fields;
}

QString number(double v) {
    return QString::number(v, 'g', 10);
}

QString bandText(const MaskRow& r) {
    return number(r.bandLowMHz) + QLatin1Char('-') + number(r.bandHighMHz) + QStringLiteral(" MHz");
}

struct Parser {
    QString name;
    int line = 0;
    QString error;

    bool fail(const QString& what) {
        error = QStringLiteral("%1, line %2: %3").arg(name).arg(line).arg(what);
        return false;
    }
};

} // namespace

QString MaskRow::group() const {
    qsizetype n = category.size();
    while (n > 0 && category[n - 1].isDigit())
        --n;
    return category.left(n);
}

std::vector<const MaskRow*> MaskTable::rowsFor(double mhz) const {
    std::vector<const MaskRow*> out;
    for (const MaskRow& r : rows) {
        if (!r.holds(mhz))
            continue;
        if (!out.empty() &&
            (r.bandLowMHz != out.front()->bandLowMHz || r.bandHighMHz != out.front()->bandHighMHz))
            continue; // a second band sharing an edge: the first one holds the frequency
        out.push_back(&r);
    }
    return out;
}

QString MaskTable::noStandardText() const {
    return QStringLiteral("no %1 standard for this band").arg(title);
}

QString MaskTableTitle(const QString& fileName) {
    const QString base = QFileInfo(fileName).completeBaseName();
    static const QRegularExpression rule(QStringLiteral("^([A-Za-z]+)-(\\d+)-(\\d+)$"));
    const QRegularExpressionMatch m = rule.match(base);
    if (!m.hasMatch())
        return base;
    return m.captured(1).toUpper() + QLatin1Char(' ') + m.captured(2) + QLatin1Char('.') +
           m.captured(3);
}

MaskTableOrError ParseMaskTable(const QByteArray& text, const QString& name) {
    Parser p{name, 0, {}};
    MaskTable table;
    table.title = MaskTableTitle(name);

    QByteArrayView all(text);
    if (all.startsWith("\xEF\xBB\xBF"))
        all = all.sliced(3);

    std::vector<int> fixedIndex(FixedCount, -1);
    std::vector<int> binIndex; // column of each bin, in bin order
    qsizetype columnCount = 0;
    QList<QByteArray> headings;
    bool haveHeading = false;

    qsizetype pos = 0;
    while (pos <= all.size()) {
        qsizetype end = all.indexOf('\n', pos);
        if (end < 0)
            end = all.size();
        QByteArrayView raw = all.sliced(pos, end - pos);
        pos = end + 1;
        ++p.line;
        if (raw.endsWith('\r'))
            raw.chop(1);
        const QByteArrayView trimmed = numtext::trimmed(raw);
        if (trimmed.isEmpty() || trimmed.startsWith('#'))
            continue; // blank lines and comment lines
        const auto split = splitFields(raw);
        if (!split) {
            p.fail(QStringLiteral("a quoted field is not closed"));
            return {std::nullopt, p.error};
        }
        const QList<QByteArray>& fields = *split;

        if (!haveHeading) {
            haveHeading = true;
            columnCount = fields.size();
            headings = fields;
            struct Found {
                MaskBin bin;
                int column;
            };
            std::vector<Found> found;
            static const QRegularExpression binRule(
                QStringLiteral("^s_(\\d+(?:\\.\\d+)?)_(\\d+(?:\\.\\d+)?)$"));
            for (int c = 0; c < fields.size(); ++c) {
                const QString column = QString::fromLatin1(fields[c]);
                const auto fixed =
                    std::find_if(std::begin(FixedColumns), std::end(FixedColumns),
                                 [&](const char* f) { return column == QLatin1String(f); });
                if (fixed != std::end(FixedColumns)) {
                    int& index = fixedIndex[size_t(fixed - std::begin(FixedColumns))];
                    if (index >= 0) {
                        p.fail(QStringLiteral("column %1 appears twice").arg(column));
                        return {std::nullopt, p.error};
                    }
                    index = c;
                    continue;
                }
                const QRegularExpressionMatch m = binRule.match(column);
                if (!m.hasMatch()) {
                    p.fail(column.isEmpty() ? QStringLiteral("a column has no name")
                                            : QStringLiteral("unknown column '%1'").arg(column));
                    return {std::nullopt, p.error};
                }
                MaskBin bin{m.captured(1).toDouble(), m.captured(2).toDouble(), fields[c]};
                if (!(bin.low < bin.high) || bin.high > 180) {
                    p.fail(QStringLiteral("column %1 is not an angle range within 0 to 180 degrees")
                               .arg(column));
                    return {std::nullopt, p.error};
                }
                found.push_back({bin, c});
            }
            for (int f = 0; f < FixedCount; ++f) {
                if (fixedIndex[size_t(f)] < 0) {
                    p.fail(QStringLiteral("column %1 is missing")
                               .arg(QString::fromLatin1(FixedColumns[f])));
                    return {std::nullopt, p.error};
                }
            }
            if (found.empty()) {
                p.fail(QStringLiteral("no suppression columns (s_LOW_HIGH)"));
                return {std::nullopt, p.error};
            }
            std::sort(found.begin(), found.end(),
                      [](const Found& a, const Found& b) { return a.bin.low < b.bin.low; });
            for (size_t i = 1; i < found.size(); ++i) {
                if (found[i].bin.low != found[i - 1].bin.high) {
                    p.fail(QStringLiteral("columns %1 and %2 do not meet")
                               .arg(QString::fromLatin1(found[i - 1].bin.column),
                                    QString::fromLatin1(found[i].bin.column)));
                    return {std::nullopt, p.error};
                }
            }
            for (const Found& f : found) {
                table.bins.push_back(f.bin);
                binIndex.push_back(f.column);
            }
            continue;
        }

        if (fields.size() != columnCount) {
            p.fail(QStringLiteral("%1 fields where the heading has %2")
                       .arg(fields.size())
                       .arg(columnCount));
            return {std::nullopt, p.error};
        }
        // A number, or nothing for an empty cell; a cell that is not a number is an error.
        bool ok = true;
        auto cell = [&](int column, bool required, bool nonNegative) -> std::optional<double> {
            const QByteArray& t = fields[column];
            const QString heading = QString::fromLatin1(headings[column]);
            if (t.isEmpty()) {
                if (required) {
                    ok = false;
                    p.fail(QStringLiteral("%1 is empty").arg(heading));
                }
                return std::nullopt;
            }
            const auto v = numtext::parseFloat(t);
            if (!v || (nonNegative && *v < 0)) {
                ok = false;
                p.fail(QStringLiteral("%1 '%2' is not %3")
                           .arg(heading, QString::fromLatin1(t),
                                nonNegative ? QStringLiteral("a number of 0 or more")
                                            : QStringLiteral("a number")));
                return std::nullopt;
            }
            return v;
        };
        MaskRow row;
        row.line = p.line;
        const auto low = cell(fixedIndex[BandLow], true, true);
        const auto high = ok ? cell(fixedIndex[BandHigh], true, true) : std::nullopt;
        if (!ok)
            return {std::nullopt, p.error};
        row.bandLowMHz = *low;
        row.bandHighMHz = *high;
        if (!(row.bandLowMHz < row.bandHighMHz)) {
            p.fail(QStringLiteral("the band's low edge %1 MHz is not below its high edge %2 MHz")
                       .arg(number(row.bandLowMHz), number(row.bandHighMHz)));
            return {std::nullopt, p.error};
        }
        row.category = QString::fromLatin1(fields[fixedIndex[Category]]);
        static const QRegularExpression categoryRule(QStringLiteral("^[A-Za-z]+[0-9]*$"));
        if (!categoryRule.match(row.category).hasMatch()) {
            p.fail(row.category.isEmpty()
                       ? QStringLiteral("the category is empty")
                       : QStringLiteral("category '%1' is not letters with an optional number")
                             .arg(row.category));
            return {std::nullopt, p.error};
        }
        row.maxBeamwidth = cell(fixedIndex[MaxBeamwidth], false, true);
        if (ok)
            row.minGain = cell(fixedIndex[MinGain], false, false);
        for (size_t b = 0; ok && b < table.bins.size(); ++b)
            row.suppression.push_back(cell(binIndex[b], false, true));
        if (!ok)
            return {std::nullopt, p.error};
        if (row.maxBeamwidth && *row.maxBeamwidth <= 0) {
            p.fail(QStringLiteral("the maximum beamwidth must be above 0"));
            return {std::nullopt, p.error};
        }
        const bool anySuppression =
            std::any_of(row.suppression.begin(), row.suppression.end(),
                        [](const std::optional<double>& s) { return s.has_value(); });
        if (!row.maxBeamwidth && !row.minGain && !anySuppression) {
            p.fail(QStringLiteral("the row gives no requirement"));
            return {std::nullopt, p.error};
        }

        for (const MaskRow& other : table.rows) {
            const bool sameBand =
                other.bandLowMHz == row.bandLowMHz && other.bandHighMHz == row.bandHighMHz;
            if (!sameBand && other.bandLowMHz < row.bandHighMHz &&
                row.bandLowMHz < other.bandHighMHz) {
                p.fail(QStringLiteral("band %1 overlaps band %2 of line %3")
                           .arg(bandText(row), bandText(other))
                           .arg(other.line));
                return {std::nullopt, p.error};
            }
            if (!sameBand)
                continue;
            if (other.category == row.category) {
                p.fail(QStringLiteral("category %1 of band %2 is given twice (line %3)")
                           .arg(row.category, bandText(row))
                           .arg(other.line));
                return {std::nullopt, p.error};
            }
            const bool mixed = (other.category == row.group() && row.category != row.group()) ||
                               (row.category == other.group() && other.category != other.group());
            if (mixed) {
                p.fail(QStringLiteral("category %1 of band %2 is given both whole and split "
                                      "(line %3)")
                           .arg(row.group(), bandText(row))
                           .arg(other.line));
                return {std::nullopt, p.error};
            }
        }
        table.rows.push_back(std::move(row));
    }
    if (!haveHeading || table.rows.empty()) {
        return {std::nullopt, QStringLiteral("%1: %2").arg(
                                  name, haveHeading ? QStringLiteral("the table holds no rows")
                                                    : QStringLiteral("the file is empty"))};
    }
    return {std::move(table), {}};
}

MaskTableOrError ReadMaskTable(const QString& path) {
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("Cannot open file %1").arg(path)};
    // A mask table is a few kilobytes; anything far larger is not one.
    constexpr qint64 Limit = 4 * 1024 * 1024;
    if (file.size() > Limit)
        return {std::nullopt,
                QStringLiteral("%1: the file is too large for a mask table").arg(info.fileName())};
    const QByteArray text = file.read(Limit + 1);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, QStringLiteral("Cannot read file %1").arg(path)};
    MaskTableOrError result = ParseMaskTable(text, info.fileName());
    if (result.table)
        result.table->path = info.absoluteFilePath();
    return result;
}

QString MaskCaption(const QString& tableTitle, const QString& category) {
    return QStringLiteral("%1 Cat. %2").arg(tableTitle, category);
}

MaskOverlay MakeMaskOverlay(const MaskTable& table, const MaskRow& row, bool twoSided) {
    MaskOverlay overlay;
    overlay.caption = MaskCaption(table.title, row.category);
    for (const int side : {+1, -1}) {
        if (side < 0 && !twoSided)
            break;
        std::vector<QPointF> line;
        for (size_t b = 0; b <= table.bins.size(); ++b) {
            const bool valued = b < table.bins.size() && row.suppression[b].has_value();
            if (!valued) {
                if (!line.empty())
                    overlay.lines.push_back(std::move(line));
                line.clear();
                continue;
            }
            const double level = -*row.suppression[b];
            line.emplace_back(side * table.bins[b].low, level);
            line.emplace_back(side * table.bins[b].high, level);
        }
    }
    return overlay;
}
