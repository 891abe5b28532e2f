// SPDX-License-Identifier: MIT
#include "adf/Envelope.h"

#include <algorithm>

double EnvelopeLevel::top() const {
    return levels.empty() ? 0.0 : *std::max_element(levels.begin(), levels.end());
}

namespace {
void addLevel(std::vector<double>& levels, double level) {
    if (levels.empty() || levels.back() != level)
        levels.push_back(level);
}
} // namespace

EnvelopeLevel envelopeLevelAt(const PatternPoints& points, double angle) {
    EnvelopeLevel out;
    // On a point's angle: the written levels, a vertical step giving each of its own.
    for (const PatternPoint& p : points)
        if (p.Angle == angle)
            addLevel(out.levels, p.Level);
    if (!out.levels.empty())
        return out;
    // Between two points: the straight line joining them. An envelope that turns back on itself
    // can cross an angle more than once; each crossing is a level there.
    for (size_t i = 1; i < points.size(); ++i) {
        const PatternPoint& p = points[i - 1];
        const PatternPoint& q = points[i];
        if ((p.Angle < angle && angle < q.Angle) || (q.Angle < angle && angle < p.Angle))
            addLevel(out.levels, lineLevel(p.Angle, p.Level, q.Angle, q.Level, angle));
    }
    return out;
}

std::optional<std::pair<double, double>> envelopeRange(const PatternPoints& points) {
    if (points.empty())
        return std::nullopt;
    const auto [lo, hi] = std::minmax_element(
        points.begin(), points.end(),
        [](const PatternPoint& a, const PatternPoint& b) { return a.Angle < b.Angle; });
    return std::pair{lo->Angle, hi->Angle};
}

QString envelopeLevelText(const EnvelopeLevel& level) {
    if (!level.inside())
        return QStringLiteral("outside");
    QString out;
    for (const double l : level.levels) {
        if (!out.isEmpty())
            out += QLatin1Char('/');
        out += QString::number(l == 0 ? 0.0 : l, 'f', 2);
    }
    return out;
}
