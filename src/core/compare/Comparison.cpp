// SPDX-License-Identifier: MIT
#include "compare/Comparison.h"

#include "adf/Envelope.h"
#include "base/DisplayText.h"
#include "compliance/FccSearch.h"

#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QRegularExpression>
#include <algorithm>
#include <cmath>

namespace compare {

namespace {

constexpr int MaxTableAngles = 64;

QString number2(double v) {
    return QString::number(v == 0 ? 0.0 : v, 'f', 2);
}

// A level rounded as the texts show it, so that values that read the same count as a tie.
double shown(double level) {
    return std::round(level * 100) / 100;
}

// The cut's points in increasing angle; points at one angle keep their file order.
PatternPoints sortedPoints(const PatternPoints& points) {
    PatternPoints out = points;
    std::stable_sort(out.begin(), out.end(), [](const PatternPoint& a, const PatternPoint& b) {
        return a.Angle < b.Angle;
    });
    return out;
}

// A one-sided envelope on both sides of the main beam: its mirror image, then itself.
PatternPoints mirrored(const PatternPoints& sorted) {
    PatternPoints out;
    out.reserve(sorted.size() * 2);
    for (auto it = sorted.rbegin(); it != sorted.rend(); ++it)
        out.emplace_back(it->Angle == 0 ? 0.0 : -it->Angle, it->Level);
    for (const PatternPoint& p : sorted)
        if (out.empty() || !(out.back() == p) || p.Angle != 0)
            out.push_back(p);
    return out;
}

// The envelope of a sorted cut just left and just right of an angle: nothing on a side where the
// cut does not reach. On a step the left side is its first level, the right side its last.
struct Sides {
    std::optional<double> left;
    std::optional<double> right;
};

Sides sidesAt(const PatternPoints& sorted, double angle) {
    Sides out;
    if (sorted.empty() || angle < sorted.front().Angle || angle > sorted.back().Angle)
        return out;
    const auto lower =
        std::lower_bound(sorted.begin(), sorted.end(), angle,
                         [](const PatternPoint& p, double a) { return p.Angle < a; });
    auto upper = lower;
    while (upper != sorted.end() && upper->Angle == angle)
        ++upper;
    if (lower != upper) {
        if (lower != sorted.begin())
            out.left = lower->Level;
        if (upper != sorted.end())
            out.right = std::prev(upper)->Level;
        if (!out.left && !out.right)
            out.left = lower->Level; // a cut of one angle only
        return out;
    }
    const PatternPoint& p = *std::prev(lower);
    const PatternPoint& q = *lower;
    out.left = out.right = lineLevel(p.Angle, p.Level, q.Angle, q.Level, angle);
    return out;
}

std::optional<double> higher(std::optional<double> a, std::optional<double> b) {
    if (a && b)
        return std::max(*a, *b);
    return a ? a : b;
}

// The upper envelope of two sorted cuts: at each angle the higher of the two where both reach,
// the one that reaches elsewhere, with a point where they cross.
PatternPoints upperEnvelope(const PatternPoints& a, const PatternPoints& b) {
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    std::vector<double> angles;
    angles.reserve(a.size() + b.size());
    for (const PatternPoint& p : a)
        angles.push_back(p.Angle);
    for (const PatternPoint& p : b)
        angles.push_back(p.Angle);
    std::sort(angles.begin(), angles.end());
    angles.erase(std::unique(angles.begin(), angles.end()), angles.end());

    PatternPoints out;
    auto put = [&out](double angle, double level) {
        if (out.empty() || !(out.back() == PatternPoint(angle, level)))
            out.emplace_back(angle, level);
    };
    for (size_t i = 0; i < angles.size(); ++i) {
        const double at = angles[i];
        const Sides sa = sidesAt(a, at);
        const Sides sb = sidesAt(b, at);
        const std::optional<double> left = higher(sa.left, sb.left);
        const std::optional<double> right = higher(sa.right, sb.right);
        if (left)
            put(at, *left);
        if (right)
            put(at, *right);
        if (i + 1 == angles.size() || !sa.right || !sb.right)
            continue;
        // Both run on to the next angle in straight lines: they cross where their difference
        // changes sign.
        const double next = angles[i + 1];
        const Sides na = sidesAt(a, next);
        const Sides nb = sidesAt(b, next);
        if (!na.left || !nb.left)
            continue;
        const double d0 = *sa.right - *sb.right;
        const double d1 = *na.left - *nb.left;
        if ((d0 < 0 && d1 > 0) || (d0 > 0 && d1 < 0)) {
            const double cross = at + (next - at) * d0 / (d0 - d1);
            if (cross > at && cross < next)
                put(cross, lineLevel(at, *sa.right, next, *na.left, cross));
        }
    }
    return out;
}

// The highest level of a cut at an angle of the file, nothing off its range.
std::optional<double> topLevel(const PatternPoints& points, double angle) {
    const EnvelopeLevel level = envelopeLevelAt(points, angle);
    if (!level.inside())
        return std::nullopt;
    return level.top();
}

// The level of a cut at an angle of the file: a one-sided antenna's at its distance from the
// main beam.
std::optional<double> cutLevel(const LoadedPattern& pattern, int cut, double angle) {
    const PatternPoints& points = pattern.CutPoints[size_t(cut)];
    return topLevel(points, isTwoSided(pattern.feedKind) ? angle : std::abs(angle));
}

template <typename Better>
std::vector<int> bestRows(const std::vector<std::optional<double>>& values, Better better) {
    std::optional<double> best;
    for (const auto& v : values)
        if (v && (!best || better(shown(*v), *best)))
            best = shown(*v);
    std::vector<int> out;
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i] && shown(*values[i]) == best)
            out.push_back(int(i));
    return out;
}

std::optional<double> marginOf(const FccCategoryResult& result) {
    if (std::isnan(result.worstMargin))
        return std::nullopt;
    return result.worstMargin;
}

} // namespace

QString compareCutName(CompareCut cut) {
    switch (cut) {
    case CompareCut::HH:
        return QStringLiteral("H/H");
    case CompareCut::VV:
        return QStringLiteral("V/V");
    case CompareCut::HV:
        return QStringLiteral("H/V");
    case CompareCut::VH:
        return QStringLiteral("V/H");
    case CompareCut::WorstCoPolar:
        return QStringLiteral("worst co-polar");
    }
    return {};
}

std::optional<CompareCut> compareCutFromName(const QString& name) {
    static const std::pair<const char*, CompareCut> names[] = {
        {"hh", CompareCut::HH},
        {"vv", CompareCut::VV},
        {"hv", CompareCut::HV},
        {"vh", CompareCut::VH},
        {"copolar", CompareCut::WorstCoPolar}};
    for (const auto& [text, cut] : names)
        if (name == QLatin1String(text))
            return cut;
    return std::nullopt;
}

std::vector<double> defaultTableAngles() {
    return {5, 10, 15, 20, 30, 45, 60, 90, 100, 140, 180};
}

std::optional<std::vector<double>> parseAngleList(const QString& text, QString* why) {
    auto fail = [why](const QString& message) -> std::optional<std::vector<double>> {
        if (why)
            *why = message;
        return std::nullopt;
    };
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return fail(QStringLiteral("no angles given"));
    // Commas may stand between angles only, so "5,,10" and "5," name an angle that is not there.
    static const QRegularExpression emptyPart(QStringLiteral("^,|,\\s*,|,$"));
    if (trimmed.contains(emptyPart))
        return fail(QStringLiteral("an angle is missing between commas"));
    std::vector<double> angles;
    for (const QString& part : trimmed.split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        const double angle = QLocale::c().toDouble(part, &ok);
        if (!ok || !std::isfinite(angle))
            return fail(QStringLiteral("'%1' is not an angle").arg(part));
        if (angle < 0 || angle > 180)
            return fail(QStringLiteral("%1 is not between 0 and 180 degrees").arg(part));
        angles.push_back(angle == 0 ? 0.0 : angle);
    }
    std::sort(angles.begin(), angles.end());
    angles.erase(std::unique(angles.begin(), angles.end()), angles.end());
    if (int(angles.size()) > MaxTableAngles)
        return fail(QStringLiteral("more than %1 angles").arg(MaxTableAngles));
    return angles;
}

QString angleListText(const std::vector<double>& angles) {
    QStringList parts;
    for (const double a : angles)
        parts << QString::number(a == 0 ? 0.0 : a, 'g', QLocale::FloatingPointShortest);
    return parts.join(QStringLiteral(", "));
}

TraceStyle traceStyle(int index) {
    // Colours of clearly different hue and lightness, and dash patterns that differ in the
    // lengths of their dashes and gaps, so that a grey print still tells every trace apart.
    struct Style {
        const char* color;
        std::vector<double> dashes;
        const char* name;
    };
    static const Style styles[MaxAntennas] = {
        {"#000000", {}, "solid"},          {"#0072b2", {6, 3}, "dashed"},
        {"#d55e00", {1, 2}, "dotted"},     {"#009e73", {8, 3, 1, 3}, "dash-dot"},
        {"#cc79a7", {14, 4}, "long dash"}, {"#7a4a00", {8, 3, 1, 3, 1, 3}, "dash-dot-dot"},
        {"#56b4e9", {3, 3}, "short dash"}, {"#e69f00", {14, 3, 3, 3}, "long dash-short dash"}};
    const Style& s = styles[((index % MaxAntennas) + MaxAntennas) % MaxAntennas];
    return {QColor(QLatin1String(s.color)), s.dashes, QLatin1String(s.name)};
}

PatternPoints comparisonTrace(const LoadedPattern& pattern, CompareCut cut, bool twoSidedChart) {
    const bool mirror = twoSidedChart && !isTwoSided(pattern.feedKind);
    auto prepared = [&](int c) {
        PatternPoints points = sortedPoints(pattern.CutPoints[size_t(c)]);
        return mirror ? mirrored(points) : points;
    };
    if (cut == CompareCut::WorstCoPolar)
        return upperEnvelope(prepared(CutHH), prepared(CutVV));
    return prepared(int(cut));
}

std::optional<double> levelAtChartAngle(const LoadedPattern& pattern, CompareCut cut,
                                        double angle) {
    if (cut == CompareCut::WorstCoPolar)
        return higher(cutLevel(pattern, CutHH, angle), cutLevel(pattern, CutVV, angle));
    return cutLevel(pattern, int(cut), angle);
}

std::optional<double> levelFromBeam(const LoadedPattern& pattern, CompareCut cut, double angle) {
    const double a = std::abs(angle);
    if (!isTwoSided(pattern.feedKind))
        return levelAtChartAngle(pattern, cut, a);
    // Where only one side reaches that far, that side's level.
    return higher(levelAtChartAngle(pattern, cut, a), levelAtChartAngle(pattern, cut, -a));
}

bool Comparison::add(AntennaFile file) {
    if (size() >= MaxAntennas)
        return false;
    antennas_.push_back({std::move(file), false});
    markBands();
    return true;
}

void Comparison::remove(int index) {
    if (index < 0 || index >= size())
        return;
    antennas_.erase(antennas_.begin() + index);
    markBands();
}

void Comparison::move(int from, int to) {
    if (from < 0 || from >= size() || to < 0 || to >= size() || from == to)
        return;
    ComparedAntenna moving = std::move(antennas_[size_t(from)]);
    antennas_.erase(antennas_.begin() + from);
    antennas_.insert(antennas_.begin() + to, std::move(moving));
    markBands();
}

void Comparison::clear() {
    antennas_.clear();
}

bool Comparison::twoSided() const {
    return std::any_of(antennas_.begin(), antennas_.end(), [](const ComparedAntenna& a) {
        return isTwoSided(a.file.pattern.feedKind);
    });
}

void Comparison::markBands() {
    if (antennas_.empty())
        return;
    const IndexRecord& first = antennas_.front().file.record;
    for (ComparedAntenna& a : antennas_)
        a.bandDiffers = a.file.record.lowFrequency() != first.lowFrequency() ||
                        a.file.record.highFrequency() != first.highFrequency();
}

ComparisonTable Comparison::table(const MaskTable* fcc) const {
    ComparisonTable out;
    out.angles = tableAngles;
    for (const ComparedAntenna& a : antennas_) {
        TableRow row;
        for (const double angle : out.angles)
            row.levels.push_back(levelFromBeam(a.file.pattern, cut, angle));
        if (fcc) {
            const ComplianceReport report = CheckCompliance(*fcc, a.file.header, a.file.pattern);
            row.fccA = FccCategoryOf(report, QStringLiteral("A"));
            row.fccB = FccCategoryOf(report, QStringLiteral("B"));
            row.noFccStandard = report.status == ComplianceReport::Status::NoStandard;
        }
        out.rows.push_back(std::move(row));
    }
    for (size_t k = 0; k < out.angles.size(); ++k) {
        std::vector<std::optional<double>> column;
        for (const TableRow& row : out.rows)
            column.push_back(row.levels[k]);
        out.bestLevelRows.push_back(bestRows(column, std::less<double>()));
    }
    std::vector<std::optional<double>> a;
    std::vector<std::optional<double>> b;
    for (const TableRow& row : out.rows) {
        a.push_back(marginOf(row.fccA));
        b.push_back(marginOf(row.fccB));
    }
    out.bestMarginA = bestRows(a, std::greater<double>());
    out.bestMarginB = bestRows(b, std::greater<double>());
    return out;
}

QString legendText(const ComparedAntenna& antenna) {
    const IndexRecord& r = antenna.file.record;
    // A file without a pattern number (some converters write none) shows its model alone.
    const QString rpe = DisplayText(r.rpeNumber()).trimmed();
    QString text = DisplayText(r.modelNumber()).trimmed();
    if (!rpe.isEmpty())
        text += QStringLiteral(" RPE ") + rpe;
    text += QStringLiteral("  %1  %2 GHz")
                .arg(QFileInfo(antenna.file.path).fileName(),
                     DisplayText(r.frequencyRange()).trimmed());
    if (antenna.bandDiffers)
        text += QStringLiteral("  (band differs)");
    return text;
}

QString comparisonReadout(const Comparison& comparison, double angle) {
    const double rounded = std::round(angle * 10) / 10;
    QString text = QString::number(rounded == 0 ? 0.0 : rounded, 'f', 1) + QStringLiteral(" deg");
    std::optional<double> first;
    for (int i = 0; i < comparison.size(); ++i) {
        const std::optional<double> level =
            levelAtChartAngle(comparison.antenna(i).file.pattern, comparison.cut, angle);
        if (i == 0)
            first = level;
        text += QStringLiteral("   %1 ").arg(i + 1);
        if (!level) {
            text += QStringLiteral("outside");
            continue;
        }
        text += number2(*level);
        if (i > 0 && first) {
            const double diff = shown(*level) - shown(*first);
            text += QStringLiteral(" (%1%2)").arg(
                diff < 0 ? QStringLiteral("-") : QStringLiteral("+"), number2(std::abs(diff)));
        }
    }
    return text;
}

} // namespace compare
