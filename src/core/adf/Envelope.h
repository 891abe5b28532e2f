// SPDX-License-Identifier: MIT
#pragma once
// The envelope of a cut: the straight lines between its points, in file order. What the chart
// draws, what the read-out and the batch tool's level command report and what the compliance
// check measures against a mask all come from here.
#include "adf/Pattern.h"

#include <QtCore/QString>
#include <optional>
#include <utility>
#include <vector>

// The level on the straight line through (a1, l1) and (a2, l2) at angle `at` (a1 != a2). At
// a1 it is l1 exactly.
inline double lineLevel(double a1, double l1, double a2, double l2, double at) {
    return l1 + (l2 - l1) * (at - a1) / (a2 - a1);
}

// The level of a cut's envelope at one angle.
struct EnvelopeLevel {
    // Empty: the angle lies outside the cut's range (nothing is extrapolated). One level on a
    // line or a point; two or more on a vertical step (points in a row at one angle), in file
    // order.
    std::vector<double> levels;
    bool inside() const { return !levels.empty(); }
    bool isStep() const { return levels.size() > 1; }
    // The highest level there: the one a mask is measured against.
    double top() const;
};

// The level of the envelope of `points` at `angle`, in the file's angles (negative on the left
// of a two-sided antenna). At a point's angle the points there give the levels as written.
EnvelopeLevel envelopeLevelAt(const PatternPoints& points, double angle);

// A level as the read-out and the batch tool print it: "-41.20", a step "-20.00/-30.00", and
// "outside" off the cut's range.
QString envelopeLevelText(const EnvelopeLevel& level);

// The lowest and highest angle of a cut; nothing for a cut without points.
std::optional<std::pair<double, double>> envelopeRange(const PatternPoints& points);
