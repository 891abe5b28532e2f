// SPDX-License-Identifier: MIT
#pragma once
// A comparison of up to eight antennas on one cut: which of them suppresses more where it
// matters. The compare window, its page and the batch tool's compare command all read it.
//
// Levels are the envelope's own (the straight lines between a cut's points, as the chart and
// the read-out have them). A one-sided antenna's envelope is taken as the same on both sides of
// the main beam, so on a two-sided comparison its level at -12 degrees is its level at 12.
// In the table an angle means "that far from the main beam": a two-sided antenna gives the
// higher of its levels on the two sides, the one that suppresses less.
#include "catalogue/AntennaFile.h"
#include "compliance/Compliance.h"
#include "compliance/FccSearch.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QColor>
#include <optional>
#include <vector>

namespace compare {

inline constexpr int MaxAntennas = 8;

// The cut compared: one of the four, or at each angle the higher of H/H and V/V ("worst
// co-polar"; where only one of them reaches, that one).
enum class CompareCut { HH = 0, VV = 1, HV = 2, VH = 3, WorstCoPolar = 4 };
// "H/H", "V/V", "H/V", "V/H", "worst co-polar".
QString compareCutName(CompareCut cut);
// The batch tool's names: "hh", "vv", "hv", "vh", "copolar"; nothing for any other text.
std::optional<CompareCut> compareCutFromName(const QString& name);

// The table's angles unless the user gives others.
std::vector<double> defaultTableAngles();
// An angle list as the user types it: "5, 10,15 20" (commas and/or blanks); angles from 0 to
// 180 degrees, at most 64 of them, sorted and without repeats. Nothing when any part is not
// such an angle; `why` then says which.
std::optional<std::vector<double>> parseAngleList(const QString& text, QString* why = nullptr);
// "5, 10, 15": the list as the angle field shows it.
QString angleListText(const std::vector<double>& angles);

// How antenna i (0..7) is drawn: its colour and dash pattern, all eight told apart on screen,
// on a colour page and on a black and white one.
struct TraceStyle {
    QColor color;
    std::vector<double> dashes; // Qt dash pattern in pen widths; empty for a solid line
    QString dashName;           // "solid", "dashed", ... for the legend's text form
};
TraceStyle traceStyle(int index);

// The points of antenna `antenna`'s envelope on a cut, in increasing angle, as the chart draws
// them: the cut's own points, or for the worst co-polar the upper envelope of H/H and V/V with
// the angles where they cross. A one-sided antenna on a two-sided chart (`twoSidedChart`) is
// mirrored to negative angles. Empty when the antenna has no points on that cut.
PatternPoints comparisonTrace(const LoadedPattern& pattern, CompareCut cut, bool twoSidedChart);

// The level of one antenna at a signed angle on the chart (the read-out): the top of a step;
// nothing off the cut's range.
std::optional<double> levelAtChartAngle(const LoadedPattern& pattern, CompareCut cut, double angle);
// The level of one antenna at an angle from the main beam (the table): see above.
std::optional<double> levelFromBeam(const LoadedPattern& pattern, CompareCut cut, double angle);

struct ComparedAntenna {
    AntennaFile file;
    bool bandDiffers = false; // its band edges are not the first antenna's
};

// One row of the table: an antenna's levels at the table's angles and its worst FCC 101.115
// margins (Category A and B: the margin of the part that decides, NaN when the check has none).
struct TableRow {
    std::vector<std::optional<double>> levels; // one per angle; nothing off the cut's range
    FccCategoryResult fccA;
    FccCategoryResult fccB;
    // No row of the FCC table holds the antenna's mid-band frequency: there is nothing to meet,
    // which the verdicts (not enough data) do not tell.
    bool noFccStandard = false;
};

struct ComparisonTable {
    std::vector<double> angles;
    std::vector<TableRow> rows; // one per antenna, in the comparison's order
    // For each angle the rows holding the lowest level (the most suppression), and for each
    // category the rows with the highest margin; ties are all marked, an empty column none.
    std::vector<std::vector<int>> bestLevelRows;
    std::vector<int> bestMarginA;
    std::vector<int> bestMarginB;
};

class Comparison {
public:
    // Adds an antenna at the end; false when eight are there already.
    bool add(AntennaFile file);
    void remove(int index);
    // Moves antenna `from` to position `to` (both in range).
    void move(int from, int to);
    void clear();

    int size() const { return int(antennas_.size()); }
    bool empty() const { return antennas_.empty(); }
    const ComparedAntenna& antenna(int index) const { return antennas_[size_t(index)]; }
    const std::vector<ComparedAntenna>& antennas() const { return antennas_; }

    CompareCut cut = CompareCut::HH;
    std::vector<double> tableAngles = defaultTableAngles();

    // Whether the chart runs from -180 to 180 (any antenna two-sided) or from 0 to 180.
    bool twoSided() const;
    // The table on the chosen cut and angles, the margins against `fcc` (the FCC 101.115 table;
    // without one the margins are NaN).
    ComparisonTable table(const MaskTable* fcc) const;

private:
    void markBands();
    std::vector<ComparedAntenna> antennas_;
};

// "ZZX10-60 RPE 12050  ZZX10-60L.adf  5.925-6.425 GHz": an antenna's legend line, with
// "  (band differs)" after the band when it is marked.
QString legendText(const ComparedAntenna& antenna);

// The read-out at a chart angle: "12.0 deg   1 -36.80   2 -38.10 (-1.30)   3 outside": each
// antenna's level by its place in the list and its difference to the first one's.
QString comparisonReadout(const Comparison& comparison, double angle);

} // namespace compare
