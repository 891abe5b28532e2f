// SPDX-License-Identifier: MIT
#include "compliance/Compliance.h"

#include "adf/Envelope.h"

#include <algorithm>
#include <array>
#include <cmath>

QString verdictText(Verdict v) {
    switch (v) {
    case Verdict::Pass:
        return QStringLiteral("pass");
    case Verdict::Fail:
        return QStringLiteral("fail");
    case Verdict::NotEnoughData:
        return QStringLiteral("not enough data");
    case Verdict::NotRequired:
        return QStringLiteral("not required");
    }
    return {};
}

namespace {

// Both requirements of a category must hold; a test the row does not ask for holds.
Verdict both(Verdict a, Verdict b) {
    if (a == Verdict::Fail || b == Verdict::Fail)
        return Verdict::Fail;
    if (a == Verdict::NotEnoughData || b == Verdict::NotEnoughData)
        return Verdict::NotEnoughData;
    return Verdict::Pass;
}

// One straight piece of the envelope on one side of the main beam, in angles from the main beam
// (t1 <= t2).
struct Piece {
    double t1, l1, t2, l2;
    double at(double t) const {
        if (t <= t1)
            return l1;
        if (t >= t2)
            return l2;
        return lineLevel(t1, l1, t2, l2, t);
    }
};

// The pieces of a cut on one side: side +1 takes angles of 0 and above as they are, side -1 the
// angles of 0 and below, mirrored. A line crossing the main beam is cut at 0 degrees.
std::vector<Piece> piecesOnSide(const PatternPoints& points, int side) {
    std::vector<Piece> out;
    auto add = [&](const PatternPoint& p, const PatternPoint& q) {
        double u1 = side * p.Angle, l1 = p.Level;
        double u2 = side * q.Angle, l2 = q.Level;
        if (u1 < 0 && u2 < 0)
            return;
        if (u1 < 0 || u2 < 0) {
            const double l0 = lineLevel(u1, l1, u2, l2, 0);
            if (u1 < 0)
                u1 = 0, l1 = l0;
            else
                u2 = 0, l2 = l0;
        }
        if (u1 <= u2)
            out.push_back({u1, l1, u2, l2});
        else
            out.push_back({u2, l2, u1, l1});
    };
    if (points.size() == 1)
        add(points[0], points[0]);
    for (size_t i = 1; i < points.size(); ++i)
        add(points[i - 1], points[i]);
    return out;
}

// The angle ranges the pieces cover, merged, in increasing order. A single angle covers none.
std::vector<std::pair<double, double>> coverage(const std::vector<Piece>& pieces) {
    std::vector<std::pair<double, double>> ranges;
    ranges.reserve(pieces.size());
    for (const Piece& p : pieces)
        if (p.t1 < p.t2)
            ranges.emplace_back(p.t1, p.t2);
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<double, double>> merged;
    for (const auto& r : ranges) {
        if (!merged.empty() && r.first <= merged.back().second)
            merged.back().second = std::max(merged.back().second, r.second);
        else
            merged.push_back(r);
    }
    return merged;
}

bool covers(const std::vector<std::pair<double, double>>& merged, double lo, double hi) {
    for (const auto& [from, to] : merged)
        if (from <= lo && to >= hi)
            return true;
    return false;
}

// The highest level of a cut's envelope in each bin, on each side of the main beam, and whether
// the envelope covers the bin: all the suppression test of any row needs. At the upper edge of a
// half-open bin the level is a limit the envelope comes as close to as it likes.
struct BinPeak {
    double level = NoMargin;
    double angle = NoMargin; // signed, as in the file
    bool covered = false;
};
using SidePeaks = std::array<std::vector<BinPeak>, 2>; // [0] angles >= 0, [1] angles <= 0

// Which bin a level at an angle t belongs to: the bin just below t (t its upper edge or inside
// it), the bin just above t (t its lower edge or inside it), or the bin that holds t itself.
enum class Belongs { Below, Above, Own };

int binOf(const std::vector<MaskBin>& bins, double t, Belongs belongs) {
    for (size_t b = 0; b < bins.size(); ++b) {
        const double lo = bins[b].low;
        const double hi = bins[b].high;
        const bool closed = b + 1 == bins.size();
        const bool in = belongs == Belongs::Below
                            ? lo < t && t <= hi
                            : (lo <= t && t < hi) || (belongs == Belongs::Own && closed && t == hi);
        if (in)
            return int(b);
    }
    return -1;
}

SidePeaks envelopePeaks(const std::vector<MaskBin>& bins, const PatternPoints& points) {
    SidePeaks peaks;
    for (const int side : {+1, -1}) {
        std::vector<BinPeak>& out = peaks[side > 0 ? 0 : 1];
        out.assign(bins.size(), BinPeak{});
        auto consider = [&](int b, double level, double t) {
            if (b < 0)
                return;
            BinPeak& peak = out[size_t(b)];
            if (std::isnan(peak.level) || level > peak.level) {
                peak.level = level;
                peak.angle = side * t;
            }
        };
        const std::vector<Piece> pieces = piecesOnSide(points, side);
        // A line over part of a bin has its highest level at an end of that part.
        for (const Piece& p : pieces) {
            if (!(p.t1 < p.t2))
                continue;
            for (size_t b = 0; b < bins.size(); ++b) {
                const double a = std::max(p.t1, bins[b].low);
                const double e = std::min(p.t2, bins[b].high);
                if (a < e) {
                    consider(int(b), p.at(a), a);
                    consider(int(b), p.at(e), e);
                }
            }
        }
        // The points themselves. A lone point lies in the bin that holds its angle. Points in a
        // row at one angle are a vertical step: its first and last levels belong to the side of
        // the neighbouring point each joins (the lines to those points carry them), so a step on
        // a bin edge puts each level in the bin on its own side. A step end that joins nothing
        // takes the side opposite the other end. A point inside the step above both its ends is
        // a spike at that angle, in the bin that holds it; one between them lies on the step.
        const size_t n = points.size();
        for (size_t i = 0; i < n;) {
            const double t = side * points[i].Angle;
            size_t j = i;
            while (j + 1 < n && side * points[j + 1].Angle == t)
                ++j;
            if (t < 0) {
                i = j + 1;
                continue;
            }
            const double first = points[i].Level;
            const double last = points[j].Level;
            if (i == j) {
                consider(binOf(bins, t, Belongs::Own), first, t);
                i = j + 1;
                continue;
            }
            const auto sideOf = [&](size_t neighbour) {
                return side * points[neighbour].Angle < t ? Belongs::Below : Belongs::Above;
            };
            const auto opposite = [](Belongs b) {
                return b == Belongs::Below ? Belongs::Above : Belongs::Below;
            };
            const bool joinsBefore = i > 0;
            const bool joinsAfter = j + 1 < n;
            if (joinsBefore && !joinsAfter)
                consider(binOf(bins, t, opposite(sideOf(i - 1))), last, t);
            else if (!joinsBefore && joinsAfter)
                consider(binOf(bins, t, opposite(sideOf(j + 1))), first, t);
            else if (!joinsBefore && !joinsAfter) {
                consider(binOf(bins, t, Belongs::Own), first, t);
                consider(binOf(bins, t, Belongs::Own), last, t);
            }
            const double top = std::max(first, last);
            for (size_t k = i + 1; k < j; ++k)
                if (points[k].Level > top)
                    consider(binOf(bins, t, Belongs::Own), points[k].Level, t);
            i = j + 1;
        }
        const auto merged = coverage(pieces);
        for (size_t b = 0; b < bins.size(); ++b)
            out[b].covered = covers(merged, bins[b].low, bins[b].high);
    }
    return peaks;
}

QString degrees(double v) {
    return QString::number(v, 'g', 10);
}

} // namespace

namespace {

// The suppression test of one row on a cut whose peaks are known.
CutSuppression applyRow(const MaskRow& row, const std::vector<MaskBin>& bins,
                        const SidePeaks& peaks, bool twoSided) {
    CutSuppression r;
    bool needed = false;
    for (const auto& s : row.suppression)
        needed = needed || s.has_value();
    if (!needed) {
        r.verdict = Verdict::NotRequired;
        return r;
    }
    QStringList uncovered;
    for (const int side : {+1, -1}) {
        const std::vector<BinPeak>& sidePeaks = peaks[side > 0 ? 0 : 1];
        // Needed bins the envelope does not reach on a side that must be covered, as ranges.
        double gapLow = NoMargin, gapHigh = NoMargin;
        auto closeGap = [&] {
            if (std::isnan(gapLow))
                return;
            uncovered
                << (side > 0
                        ? QStringLiteral("%1 to %2 deg").arg(degrees(gapLow), degrees(gapHigh))
                        : QStringLiteral("%1 to %2 deg").arg(degrees(-gapHigh), degrees(-gapLow)));
            gapLow = gapHigh = NoMargin;
        };
        for (size_t b = 0; b < bins.size(); ++b) {
            if (!row.suppression[b]) {
                closeGap();
                continue;
            }
            const BinPeak& peak = sidePeaks[b];
            if (!std::isnan(peak.level)) {
                const double margin = -*row.suppression[b] - peak.level;
                if (std::isnan(r.worstMargin) || margin < r.worstMargin) {
                    r.worstMargin = margin;
                    r.worstAngle = peak.angle;
                    r.worstBin = int(b);
                    r.worstBinLow = bins[b].low;
                    r.worstBinHigh = bins[b].high;
                    // Only a limit from below reaches a bin's upper edge; the last bin's is
                    // its own.
                    r.worstAtBinEnd = b + 1 < bins.size() && std::abs(peak.angle) == bins[b].high;
                }
            }
            if ((side > 0 || twoSided) && !peak.covered) {
                if (std::isnan(gapLow))
                    gapLow = bins[b].low;
                gapHigh = bins[b].high;
            } else {
                closeGap();
            }
        }
        closeGap();
    }
    if (!std::isnan(r.worstMargin) && std::abs(r.worstMargin) < MarginTolerance)
        r.worstMargin = 0;
    r.uncovered = uncovered.join(QStringLiteral(", "));
    if (!std::isnan(r.worstMargin) && r.worstMargin < 0)
        r.verdict = Verdict::Fail;
    else if (!uncovered.isEmpty())
        r.verdict = Verdict::NotEnoughData;
    else
        r.verdict = Verdict::Pass;
    return r;
}

} // namespace

CutSuppression CheckCutSuppression(const MaskRow& row, const std::vector<MaskBin>& bins,
                                   const PatternPoints& points, bool twoSided) {
    return applyRow(row, bins, envelopePeaks(bins, points), twoSided);
}

GainBeamTest CheckGainBeam(const MaskRow& row, const AntennaHeader& h) {
    GainBeamTest t;
    t.minGain = row.minGain;
    t.maxBeamwidth = row.maxBeamwidth;

    // The lowest gain of those the header gives; an unreadable one leaves the lowest unknown.
    bool gainKnown = true;
    bool anyGain = false;
    for (const auto& [keyword, n] :
         {std::pair{"LWGAIN", &h.lowGain}, std::pair{"MDGAIN", &h.midGain},
          std::pair{"HGGAIN", &h.highGain}}) {
        if (!n->present())
            continue;
        anyGain = true;
        if (!n->value) {
            gainKnown = false;
            t.missing << QStringLiteral("%1 '%2' is not a number")
                             .arg(QString::fromLatin1(keyword), QString::fromLatin1(n->text));
            continue;
        }
        t.gain = t.gain ? std::min(*t.gain, *n->value) : *n->value;
    }
    if (!anyGain && row.minGain)
        t.missing << QStringLiteral("no gain (LWGAIN, MDGAIN, HGGAIN)");
    if (!gainKnown)
        t.gain.reset();

    // The larger beamwidth of the two planes; the rule applies in both, so both are needed.
    bool widthKnown = true;
    for (const auto& [keyword, n] :
         {std::pair{"AZWIDT", &h.azimuthWidth}, std::pair{"ELWIDT", &h.elevationWidth}}) {
        if (n->value) {
            t.beamwidth = t.beamwidth ? std::max(*t.beamwidth, *n->value) : *n->value;
            continue;
        }
        widthKnown = false;
        if (row.maxBeamwidth)
            t.missing << (n->present()
                              ? QStringLiteral("%1 '%2' is not a number")
                                    .arg(QString::fromLatin1(keyword), QString::fromLatin1(n->text))
                              : QStringLiteral("no %1").arg(QString::fromLatin1(keyword)));
    }
    if (!widthKnown)
        t.beamwidth.reset();
    if (!row.minGain || !row.maxBeamwidth) {
        // Only the requirement the row asks for is reported missing.
        QStringList kept;
        for (const QString& m : t.missing) {
            const bool aboutGain = m.contains(QStringLiteral("GAIN"));
            if ((aboutGain && row.minGain) || (!aboutGain && row.maxBeamwidth))
                kept << m;
        }
        t.missing = kept;
    }

    if (row.minGain)
        t.gainVerdict = !t.gain                   ? Verdict::NotEnoughData
                        : *t.gain >= *row.minGain ? Verdict::Pass
                                                  : Verdict::Fail;
    if (row.maxBeamwidth)
        t.beamVerdict = !t.beamwidth                        ? Verdict::NotEnoughData
                        : *t.beamwidth <= *row.maxBeamwidth ? Verdict::Pass
                                                            : Verdict::Fail;

    using D = GainBeamTest::Decider;
    if (row.minGain && row.maxBeamwidth) {
        // Either test is enough.
        if (t.gainVerdict == Verdict::Pass) {
            t.verdict = Verdict::Pass;
            t.decidedBy = D::Gain;
        } else if (t.beamVerdict == Verdict::Pass) {
            t.verdict = Verdict::Pass;
            t.decidedBy = D::Beamwidth;
        } else if (t.gainVerdict == Verdict::Fail && t.beamVerdict == Verdict::Fail) {
            t.verdict = Verdict::Fail;
        } else {
            t.verdict = Verdict::NotEnoughData;
        }
    } else if (row.minGain) {
        t.verdict = t.gainVerdict;
        t.decidedBy = D::Gain;
    } else if (row.maxBeamwidth) {
        t.verdict = t.beamVerdict;
        t.decidedBy = D::Beamwidth;
    }
    return t;
}

const GroupResult* ComplianceReport::group(const QString& name) const {
    for (const GroupResult& g : groups)
        if (g.category.compare(name, Qt::CaseInsensitive) == 0)
            return &g;
    return nullptr;
}

const CategoryResult* ComplianceReport::category(const QString& name) const {
    for (const CategoryResult& c : categories)
        if (c.category.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

Verdict ComplianceReport::verdictFor(const QString& name) const {
    if (status != Status::Checked)
        return Verdict::NotEnoughData;
    if (const GroupResult* g = group(name))
        return g->verdict;
    if (const CategoryResult* c = category(name))
        return c->verdict;
    return Verdict::NotEnoughData;
}

ComplianceReport CheckCompliance(const MaskTable& table, const AntennaHeader& header,
                                 const LoadedPattern& pattern) {
    ComplianceReport report;
    report.twoSided = isTwoSided(pattern.feedKind);
    const auto mid = header.midFrequency();
    if (!mid) {
        QStringList missing;
        for (const auto& [keyword, n] : {std::pair{"LOWFRQ", &header.lowFrequency},
                                         std::pair{"HGHFRQ", &header.highFrequency}})
            if (!n->value)
                missing << (n->present()
                                ? QStringLiteral("%1 '%2' is not a number")
                                      .arg(QString::fromLatin1(keyword),
                                           QString::fromLatin1(n->text))
                                : QStringLiteral("no %1").arg(QString::fromLatin1(keyword)));
        report.status = ComplianceReport::Status::NotEnoughData;
        report.message = QStringLiteral("not enough data: ") + missing.join(QStringLiteral(", "));
        return report;
    }
    report.midFrequency = *mid;
    const std::vector<const MaskRow*> rows = table.rowsFor(*mid);
    if (rows.empty()) {
        report.status = ComplianceReport::Status::NoStandard;
        report.message = table.noStandardText();
        return report;
    }
    report.bandLowMHz = rows.front()->bandLowMHz;
    report.bandHighMHz = rows.front()->bandHighMHz;
    // 24.25-25.25 GHz: paragraph (b) of the rule leaves DEMS nodal stations out of these
    // standards, and the table carries a note on the band's DEMS user stations. The verdict
    // stands; the note keeps a fail there from being read as binding on every station.
    if (table.title == QLatin1String(FccTableTitle) && report.bandLowMHz < 25250 &&
        report.bandHighMHz > 24250)
        report.note = QString::fromLatin1(DemsNote);

    // The envelope's peaks per bin do not depend on the row: found once per cut.
    std::array<std::optional<SidePeaks>, CutCount> peaks;
    for (int cut = 0; cut < CutCount; ++cut)
        if (!pattern.CutPoints[size_t(cut)].empty())
            peaks[size_t(cut)] = envelopePeaks(table.bins, pattern.CutPoints[size_t(cut)]);

    for (const MaskRow* row : rows) {
        CategoryResult c;
        c.row = row;
        c.category = row->category;
        c.gainBeam = CheckGainBeam(*row, header);

        SuppressionTest& s = c.suppression;
        bool needed = false;
        for (const auto& v : row->suppression)
            needed = needed || v.has_value();
        if (needed) {
            s.verdict = Verdict::Pass;
            bool anyDeciding = false;
            for (int cut = 0; cut < CutCount; ++cut) {
                if (!peaks[size_t(cut)])
                    continue;
                CutSuppression cs =
                    applyRow(*row, table.bins, *peaks[size_t(cut)], report.twoSided);
                cs.cut = cut;
                cs.decides = isCoPolar(cut);
                if (cs.decides) {
                    anyDeciding = true;
                    if (!std::isnan(cs.worstMargin) &&
                        (std::isnan(s.worstMargin) || cs.worstMargin < s.worstMargin)) {
                        s.worstMargin = cs.worstMargin;
                        s.worstAngle = cs.worstAngle;
                        s.worstCut = cut;
                        s.worstBinLow = cs.worstBinLow;
                        s.worstBinHigh = cs.worstBinHigh;
                        s.worstAtBinEnd = cs.worstAtBinEnd;
                    }
                    s.verdict = both(s.verdict, cs.verdict);
                }
                s.cuts.push_back(std::move(cs));
            }
            if (!anyDeciding)
                s.verdict = Verdict::NotEnoughData;
        }
        c.verdict = both(c.gainBeam.verdict, s.verdict);
        report.categories.push_back(std::move(c));
    }

    for (int i = 0; i < int(report.categories.size()); ++i) {
        const CategoryResult& c = report.categories[size_t(i)];
        const QString name = c.row->group();
        auto it = std::find_if(report.groups.begin(), report.groups.end(),
                               [&](const GroupResult& g) { return g.category == name; });
        if (it == report.groups.end()) {
            report.groups.push_back({name, Verdict::Fail, {}, -1, false});
            it = report.groups.end() - 1;
        }
        it->parts.push_back(i);
        it->split = it->split || c.category != name;
    }
    for (GroupResult& g : report.groups) {
        // Passes when one part passes in full; fails only when every part fails.
        bool allFail = true;
        for (int part : g.parts) {
            const Verdict v = report.categories[size_t(part)].verdict;
            if (v == Verdict::Pass && g.decidedBy < 0)
                g.decidedBy = part;
            allFail = allFail && v == Verdict::Fail;
        }
        g.verdict = g.decidedBy >= 0 ? Verdict::Pass
                    : allFail        ? Verdict::Fail
                                     : Verdict::NotEnoughData;
    }
    return report;
}
