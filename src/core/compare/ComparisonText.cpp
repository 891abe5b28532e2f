// SPDX-License-Identifier: MIT
#include "compare/ComparisonText.h"

#include "base/DisplayText.h"
#include "base/JsonText.h"
#include "compliance/ComplianceReports.h"
#include "compliance/ComplianceText.h"

#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <algorithm>
#include <cmath>

namespace compare {

namespace {

QString number2(double v) {
    return QString::number(v == 0 ? 0.0 : v, 'f', 2);
}

QString field(const QByteArray& bytes) {
    return DisplayText(bytes).trimmed();
}

bool contains(const std::vector<int>& rows, int row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

// The cells naming antenna i: place, model, RPE number, file name, band.
QStringList nameCells(const ComparedAntenna& a, int i) {
    const IndexRecord& r = a.file.record;
    return {QString::number(i + 1), field(r.modelNumber()), field(r.rpeNumber()),
            QFileInfo(a.file.path).fileName(), field(r.frequencyRange())};
}

// The texts of a row, best values followed by the mark.
QStringList markedCells(const std::vector<TableCell>& row) {
    QStringList out;
    for (const TableCell& cell : row)
        out << (cell.best ? cell.text + QLatin1Char(BestMark) : cell.text);
    return out;
}

// A category's verdict, or "no standard" when the FCC table has none for the band.
QString verdictCell(const TableRow& row, const FccCategoryResult& result) {
    return row.noFccStandard ? QStringLiteral("no standard") : verdictText(result.verdict);
}

} // namespace

QString angleHeading(double angle) {
    return QString::number(angle == 0 ? 0.0 : angle, 'g', QLocale::FloatingPointShortest);
}

QString levelText(const std::optional<double>& level) {
    return level ? number2(*level) : QStringLiteral("outside");
}

QString fccText(const FccCategoryResult& result) {
    const QString margin = marginText(result.worstMargin);
    return margin.isEmpty() ? verdictText(result.verdict)
                            : verdictText(result.verdict) + QLatin1Char(' ') + margin;
}

QString fccText(const TableRow& row, QChar category) {
    if (row.noFccStandard)
        return QStringLiteral("no standard");
    return fccText(category == QLatin1Char('B') ? row.fccB : row.fccA);
}

TableCells tableCells(const Comparison& comparison, const ComparisonTable& table) {
    TableCells out;
    out.headings = {QStringLiteral("#"), QStringLiteral("MODEL"), QStringLiteral("RPE"),
                    QStringLiteral("FILE"), QStringLiteral("BAND GHz")};
    for (const double angle : table.angles)
        out.headings << angleHeading(angle);
    out.headings << QStringLiteral("FCC A") << QStringLiteral("FCC B");
    for (size_t i = 0; i < table.rows.size() && int(i) < comparison.size(); ++i) {
        const ComparedAntenna& a = comparison.antenna(int(i));
        const TableRow& row = table.rows[i];
        std::vector<TableCell> cells;
        QStringList names = nameCells(a, int(i));
        if (a.bandDiffers)
            names.back() += QStringLiteral(" (band differs)");
        for (const QString& name : names)
            cells.push_back({name, false});
        for (size_t k = 0; k < table.angles.size(); ++k)
            cells.push_back(
                {levelText(row.levels[k]),
                 k < table.bestLevelRows.size() && contains(table.bestLevelRows[k], int(i))});
        cells.push_back({fccText(row, QLatin1Char('A')), contains(table.bestMarginA, int(i))});
        cells.push_back({fccText(row, QLatin1Char('B')), contains(table.bestMarginB, int(i))});
        out.rows.push_back(std::move(cells));
    }
    return out;
}

QString tableCaption(const Comparison& comparison) {
    return compareCutName(comparison.cut) +
           QStringLiteral(": levels in dB at degrees from the main beam");
}

QByteArray comparisonText(const Comparison& comparison, const ComparisonTable& table) {
    const TableCells cells = tableCells(comparison, table);
    // Numbers stand on the right of their column with the mark, or a blank, after them; names on
    // the left.
    const auto isNumber = [](qsizetype k) { return k == 0 || k >= FirstAngleColumn; };
    std::vector<QStringList> lines;
    QStringList headings;
    for (qsizetype k = 0; k < cells.headings.size(); ++k)
        headings << (isNumber(k) ? cells.headings[k] + QLatin1Char(' ') : cells.headings[k]);
    lines.push_back(headings);
    for (const auto& row : cells.rows) {
        QStringList line;
        for (size_t k = 0; k < row.size(); ++k)
            line << (row[k].best              ? row[k].text + QLatin1Char(BestMark)
                     : isNumber(qsizetype(k)) ? row[k].text + QLatin1Char(' ')
                                              : row[k].text);
        lines.push_back(line);
    }
    std::vector<qsizetype> width(size_t(headings.size()), 0);
    for (const QStringList& line : lines)
        for (qsizetype k = 0; k < line.size(); ++k)
            width[size_t(k)] = std::max(width[size_t(k)], line[k].size());
    QByteArray out = tableCaption(comparison).toUtf8() + '\n';
    for (const QStringList& line : lines) {
        QString text;
        for (qsizetype k = 0; k < line.size(); ++k) {
            const qsizetype w = width[size_t(k)];
            text += isNumber(k) ? line[k].rightJustified(w) : line[k].leftJustified(w);
            if (k + 1 < line.size())
                text += QStringLiteral("  ");
        }
        out += text.trimmed().toUtf8() + '\n';
    }
    out +=
        QByteArray(1, BestMark) + " the best of its column: the lowest level, the highest margin\n";
    return out;
}

QByteArray comparisonTsv(const Comparison& comparison, const ComparisonTable& table) {
    const TableCells cells = tableCells(comparison, table);
    QByteArray out = cells.headings.join(QLatin1Char('\t')).toUtf8() + '\n';
    for (size_t i = 0; i < cells.rows.size(); ++i) {
        std::vector<TableCell> row = cells.rows[i];
        for (size_t k = 0; k < table.angles.size(); ++k)
            if (!table.rows[i].levels[k])
                row[FirstAngleColumn + k].text.clear();
        QStringList texts = markedCells(row);
        for (QString& t : texts)
            t.replace(QLatin1Char('\t'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '));
        out += texts.join(QLatin1Char('\t')).toUtf8() + '\n';
    }
    return out;
}

QByteArray comparisonCsv(const Comparison& comparison, const ComparisonTable& table) {
    QStringList headings = {QStringLiteral("index"),    QStringLiteral("model"),
                            QStringLiteral("rpe"),      QStringLiteral("file"),
                            QStringLiteral("band_ghz"), QStringLiteral("band_differs"),
                            QStringLiteral("cut")};
    for (const double angle : table.angles)
        headings << QStringLiteral("deg_") + angleHeading(angle);
    headings << QStringLiteral("fcc_a") << QStringLiteral("fcc_a_margin_db")
             << QStringLiteral("fcc_b") << QStringLiteral("fcc_b_margin_db");
    QByteArray out = CsvLine(headings);
    for (size_t i = 0; i < table.rows.size() && int(i) < comparison.size(); ++i) {
        const ComparedAntenna& a = comparison.antenna(int(i));
        const TableRow& row = table.rows[i];
        QStringList cells = nameCells(a, int(i));
        cells << (a.bandDiffers ? QStringLiteral("yes") : QStringLiteral("no"))
              << compareCutName(comparison.cut);
        for (const auto& level : row.levels)
            cells << (level ? number2(*level) : QString());
        cells << verdictCell(row, row.fccA) << marginText(row.fccA.worstMargin)
              << verdictCell(row, row.fccB) << marginText(row.fccB.worstMargin);
        out += CsvLine(cells);
    }
    return out;
}

namespace {

void appendCategory(QByteArray& out, const TableRow& row, const FccCategoryResult& c, bool best) {
    out += "{\"result\": ";
    json::appendString(out, verdictCell(row, c));
    out += ", \"worstMarginDb\": ";
    if (std::isnan(c.worstMargin))
        out += "null";
    else
        json::appendNumber(out, c.worstMargin);
    out += best ? ", \"best\": true}" : ", \"best\": false}";
}

} // namespace

QByteArray comparisonJson(const Comparison& comparison, const ComparisonTable& table) {
    QByteArray out = "{\"cut\": ";
    json::appendString(out, compareCutName(comparison.cut));
    out += ", \"angles\": [";
    for (size_t k = 0; k < table.angles.size(); ++k) {
        if (k)
            out += ", ";
        json::appendNumber(out, table.angles[k]);
    }
    out += "],\n \"antennas\": [";
    for (size_t i = 0; i < table.rows.size() && int(i) < comparison.size(); ++i) {
        const ComparedAntenna& a = comparison.antenna(int(i));
        const IndexRecord& r = a.file.record;
        const TableRow& row = table.rows[i];
        out += i ? ",\n  {" : "\n  {";
        out += "\"index\": " + QByteArray::number(qsizetype(i + 1)) + ", ";
        const auto text = [&](const char* name, const QString& value) {
            out += '"';
            out += name;
            out += "\": ";
            json::appendString(out, value);
            out += ", ";
        };
        text("file", QFileInfo(a.file.path).fileName());
        text("path", a.file.path);
        text("model", field(r.modelNumber()));
        text("rpe", field(r.rpeNumber()));
        out += "\"bandGHz\": [";
        json::appendNumber(out, r.lowFrequency());
        out += ", ";
        json::appendNumber(out, r.highFrequency());
        out += "], \"bandDiffers\": ";
        out += a.bandDiffers ? "true" : "false";
        out += ",\n   \"levels\": [";
        for (size_t k = 0; k < table.angles.size(); ++k) {
            out += k ? ", {\"angle\": " : "{\"angle\": ";
            json::appendNumber(out, table.angles[k]);
            out += ", \"levelDb\": ";
            if (row.levels[k])
                json::appendNumber(out, *row.levels[k]);
            else
                out += "null";
            const bool best =
                k < table.bestLevelRows.size() && contains(table.bestLevelRows[k], int(i));
            out += best ? ", \"best\": true}" : ", \"best\": false}";
        }
        out += "],\n   \"fcc\": {\"A\": ";
        appendCategory(out, row, row.fccA, contains(table.bestMarginA, int(i)));
        out += ", \"B\": ";
        appendCategory(out, row, row.fccB, contains(table.bestMarginB, int(i)));
        out += "}}";
    }
    out += "\n ]}\n";
    return out;
}

} // namespace compare
