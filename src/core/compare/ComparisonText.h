// SPDX-License-Identifier: MIT
#pragma once
// The comparison table as texts: its cells for the window and the page, aligned text for a
// terminal, tab-separated text for the clipboard, CSV for a file and JSON for scripts. Each
// takes the table the comparison made (Comparison::table) with the comparison itself, for the
// antennas' names and the cut.
#include "compare/Comparison.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>
#include <vector>

namespace compare {

// "5", "7.5": an angle as a column heading.
QString angleHeading(double angle);
// A level: "-36.80", or "outside" off the cut's range.
QString levelText(const std::optional<double>& level);
// A category's verdict and worst margin: "pass 2.50", "fail -1.20", or the verdict alone when
// there is no margin ("not enough data").
QString fccText(const FccCategoryResult& result);
// A row's category cell: as fccText, or "no standard" when the FCC table has none for its band.
QString fccText(const TableRow& row, QChar category);

// What follows a best value in the aligned text and the tab-separated text.
inline constexpr char BestMark = '*';

struct TableCell {
    QString text;
    bool best = false; // the best of its column (lowest level, highest margin)
};

// The table as the window and the page show it: the headings, then a row of cells per antenna
// in the comparison's order. Columns: "#" (the antenna's place, 1..8), "MODEL", "RPE", "FILE",
// "BAND GHz" (with " (band differs)" when marked), one per angle (angleHeading), "FCC A",
// "FCC B" (fccText). A level off the cut's range reads "outside".
struct TableCells {
    QStringList headings;
    std::vector<std::vector<TableCell>> rows;
};
inline constexpr int FirstAngleColumn = 5;
TableCells tableCells(const Comparison& comparison, const ComparisonTable& table);

// The line above the table: "H/H: levels in dB at degrees from the main beam".
QString tableCaption(const Comparison& comparison);

// The aligned text: the caption, the headings, a line per antenna, best values followed by
// BestMark, then a line saying what the mark means.
QByteArray comparisonText(const Comparison& comparison, const ComparisonTable& table);
// Tab-separated: the headings and a line per antenna as tableCells has them, best values
// followed by BestMark, an empty cell off the cut's range.
QByteArray comparisonTsv(const Comparison& comparison, const ComparisonTable& table);
// CSV with the headings index, model, rpe, file, band_ghz, band_differs (yes/no), cut, then
// "deg_5", "deg_7.5", ... (dB), fcc_a, fcc_a_margin_db, fcc_b, fcc_b_margin_db; an empty cell off
// the cut's range or without a margin; no marks.
QByteArray comparisonCsv(const Comparison& comparison, const ComparisonTable& table);
// JSON: {"cut": "H/H", "angles": [5, ...], "antennas": [{"index": 1, "file", "path", "model",
// "rpe", "bandGHz": [low, high], "bandDiffers", "levels": [{"angle", "levelDb" (null off the
// cut's range), "best"}, ...], "fcc": {"A": {"result", "worstMarginDb", "best"}, "B": ...}}]}.
QByteArray comparisonJson(const Comparison& comparison, const ComparisonTable& table);

} // namespace compare
