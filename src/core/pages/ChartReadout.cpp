// SPDX-License-Identifier: MIT
#include "pages/ChartReadout.h"

#include "base/DisplayText.h"

#include <QtCore/QDir>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

QString field(const QByteArray& bytes) {
    return DisplayText(bytes).trimmed();
}

QString number2(double v) {
    return QString::number(v == 0 ? 0.0 : v, 'f', 2);
}

QString angle1(double a) {
    const double rounded = std::round(a * 10) / 10;
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', 1);
}

// The cuts with points, in cut order.
std::vector<int> cutsOf(const LoadedPattern& pattern) {
    std::vector<int> out;
    for (int cut = 0; cut < CutCount; ++cut)
        if (!pattern.CutPoints[size_t(cut)].empty())
            out.push_back(cut);
    return out;
}

} // namespace

QString antennaCaption(const IndexRecord& record) {
    return QStringLiteral("%1 - %2 RPE %3")
        .arg(field(record.fileName()), field(record.modelNumber()), field(record.rpeNumber()));
}

QString graphWindowTitle(const IndexRecord& record) {
    return antennaCaption(record) + QStringLiteral(" - Lobeview");
}

QString antennaStatusText(const IndexRecord& record, const QString& folder) {
    QStringList parts;
    const QString band = field(record.frequencyRange());
    if (!band.isEmpty())
        parts << band + QStringLiteral(" GHz");
    const QString gain = field(record.gain());
    if (!gain.isEmpty())
        parts << QStringLiteral("Gain %1 dBi").arg(gain);
    const QString feed = field(record.feedOrientation());
    parts << QStringLiteral("Feed %1").arg(feed.isEmpty() ? QStringLiteral("none") : feed);
    if (!folder.isEmpty())
        parts << QDir::toNativeSeparators(folder);
    return parts.join(QStringLiteral("   "));
}

double screenAngleAt(double x) {
    if (x <= 330)
        return (x - 360) / 2;
    if (x <= 630)
        return (x - 480) / 10;
    return (x - 600) / 2;
}

double readoutAngle(double angle) {
    return std::round(angle * 10) / 10;
}

double screenXOf(double a) {
    if (a <= -15)
        return 2 * a + 360;
    if (a <= 15)
        return 10 * a + 480;
    return 2 * a + 600;
}

QString readoutCutName(int cut) {
    static const char* const Names[CutCount] = {"H/H", "V/V", "H/V", "V/H"};
    return QString::fromLatin1(Names[cut]);
}

std::optional<double> maskLevelAt(const MaskOverlay& mask, double angle) {
    std::optional<double> lowest;
    for (const auto& line : mask.lines) {
        PatternPoints points;
        points.reserve(line.size());
        for (const QPointF& p : line)
            points.emplace_back(p.x(), p.y());
        for (const double level : envelopeLevelAt(points, angle).levels)
            if (!lowest || level < *lowest)
                lowest = level;
    }
    return lowest;
}

QString readoutText(const LoadedPattern& pattern, double angle, const MaskOverlay* mask) {
    QString out = angle1(angle) + QStringLiteral(" deg");
    const std::vector<int> cuts = cutsOf(pattern);
    std::optional<double> top;
    int topCut = -1;
    bool anyCoPolar = false;
    for (const int cut : cuts)
        anyCoPolar = anyCoPolar || cut == CutHH || cut == CutVV;
    for (const int cut : cuts) {
        const EnvelopeLevel level = envelopeLevelAt(pattern.CutPoints[size_t(cut)], angle);
        out += QStringLiteral("   ") + readoutCutName(cut) + QLatin1Char(' ') +
               envelopeLevelText(level);
        const bool counts = !anyCoPolar || cut == CutHH || cut == CutVV;
        if (counts && level.inside() && (!top || level.top() > *top)) {
            top = level.top();
            topCut = cut;
        }
    }
    if (!cuts.empty())
        out += QStringLiteral(" dB");
    if (mask) {
        if (const auto limit = maskLevelAt(*mask, angle)) {
            out += QStringLiteral("   mask ") + number2(*limit);
            if (top)
                out += QStringLiteral(", margin %1 dB (%2)")
                           .arg(number2(*limit - *top), readoutCutName(topCut));
            else
                out += QStringLiteral(" dB");
        }
    }
    return out;
}

QString readoutDifferenceText(const LoadedPattern& pattern, double a, double b) {
    QString out = QStringLiteral("A %1 deg, B %2 deg, B - A:").arg(angle1(a), angle1(b));
    const std::vector<int> cuts = cutsOf(pattern);
    for (const int cut : cuts) {
        const PatternPoints& points = pattern.CutPoints[size_t(cut)];
        const EnvelopeLevel la = envelopeLevelAt(points, a);
        const EnvelopeLevel lb = envelopeLevelAt(points, b);
        out += QStringLiteral("   ") + readoutCutName(cut) + QLatin1Char(' ') +
               (la.inside() && lb.inside() ? number2(lb.top() - la.top()) : QStringLiteral("-"));
    }
    if (!cuts.empty())
        out += QStringLiteral(" dB");
    return out;
}

QString envelopeTableText(const LoadedPattern& pattern) {
    // Angle -> each cut's levels there, in file order.
    std::map<double, std::array<std::vector<double>, CutCount>> rows;
    for (int cut = 0; cut < CutCount; ++cut)
        for (const PatternPoint& p : pattern.CutPoints[size_t(cut)])
            rows[p.Angle == 0 ? 0.0 : p.Angle][size_t(cut)].push_back(p.Level);
    QString out = QStringLiteral("Angle");
    for (int cut = 0; cut < CutCount; ++cut)
        out += QLatin1Char('\t') + readoutCutName(cut);
    out += QLatin1Char('\n');
    for (const auto& [angle, levels] : rows) {
        size_t lines = 0;
        for (const auto& l : levels)
            lines = std::max(lines, l.size());
        for (size_t i = 0; i < lines; ++i) {
            out += QString::number(angle, 'g', 10);
            for (const auto& l : levels) {
                out += QLatin1Char('\t');
                if (i < l.size())
                    out += QString::number(l[i] == 0 ? 0.0 : l[i], 'g', 10);
            }
            out += QLatin1Char('\n');
        }
    }
    return out;
}
