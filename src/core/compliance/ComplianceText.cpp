// SPDX-License-Identifier: MIT
#include "compliance/ComplianceText.h"

#include <QtCore/QStringList>
#include <algorithm>
#include <cmath>

QString cutName(int cut) {
    static const char* const Names[CutCount] = {"H/H", "V/V", "H/V", "V/H"};
    return cut >= 0 && cut < CutCount ? QString::fromLatin1(Names[cut]) : QString();
}

QString marginText(double margin) {
    if (std::isnan(margin))
        return {};
    // A failing margin keeps its minus sign even when it rounds to "-0.00"; a passing one (or a
    // negative zero) never shows one.
    const double shown = std::abs(margin) < 0.005 && margin >= 0 ? 0.0 : margin;
    return QString::number(shown, 'f', 2);
}

QString angleText(double angle) {
    if (std::isnan(angle))
        return {};
    return QString::number(angle, 'g', 10);
}

namespace {

// Header and table figures as they are usually written: "41.0", "38.46", "2.2".
QString num(double v) {
    QString t = QString::number(v, 'g', 6);
    if (!t.contains(QLatin1Char('.')) && !t.contains(QLatin1Char('e')))
        t += QStringLiteral(".0");
    return t;
}

QString gainPart(const GainBeamTest& t) {
    if (!t.gain || !t.minGain)
        return {};
    return QStringLiteral("gain %1 %2 %3 dBi")
        .arg(num(*t.gain), *t.gain >= *t.minGain ? QStringLiteral(">=") : QStringLiteral("<"),
             num(*t.minGain));
}

QString beamPart(const GainBeamTest& t) {
    if (!t.beamwidth || !t.maxBeamwidth)
        return {};
    return QStringLiteral("beamwidth %1 %2 %3 deg")
        .arg(num(*t.beamwidth),
             *t.beamwidth <= *t.maxBeamwidth ? QStringLiteral("<=") : QStringLiteral(">"),
             num(*t.maxBeamwidth));
}

} // namespace

QString gainBeamText(const GainBeamTest& t) {
    QStringList parts;
    using D = GainBeamTest::Decider;
    if (t.verdict == Verdict::Pass) {
        parts << (t.decidedBy == D::Beamwidth ? beamPart(t) : gainPart(t));
    } else {
        for (const QString& p : {gainPart(t), beamPart(t)})
            if (!p.isEmpty())
                parts << p;
        parts << t.missing;
    }
    parts.removeAll(QString());
    const QString v = verdictText(t.verdict);
    return parts.isEmpty()
               ? v
               : v + QStringLiteral(" (") + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString cutSuppressionText(const CutSuppression& c) {
    if (c.verdict == Verdict::NotEnoughData)
        return verdictText(c.verdict) + QStringLiteral(" (no envelope at ") + c.uncovered +
               QLatin1Char(')');
    return verdictText(c.verdict);
}

QString cutLabel(const CutSuppression& c) {
    return c.decides ? cutName(c.cut) : cutName(c.cut) + QStringLiteral(" (for information)");
}

namespace {

QString binEnd(bool atEnd, double low, double high) {
    if (!atEnd)
        return {};
    return QStringLiteral("end of %1-%2").arg(angleText(low), angleText(high));
}

QString worstPlace(double angle, const QString& end) {
    if (std::isnan(angle))
        return {};
    const QString at = angleText(angle) + QStringLiteral(" deg");
    return end.isEmpty() ? at : at + QStringLiteral(", ") + end;
}

} // namespace

QString binEndText(const CutSuppression& c) {
    return binEnd(c.worstAtBinEnd, c.worstBinLow, c.worstBinHigh);
}

QString binEndText(const SuppressionTest& t) {
    return binEnd(t.worstAtBinEnd, t.worstBinLow, t.worstBinHigh);
}

QString worstPlaceText(const CutSuppression& c) {
    return worstPlace(c.worstAngle, binEndText(c));
}

QString worstPlaceText(const SuppressionTest& t) {
    return worstPlace(t.worstAngle, binEndText(t));
}

QString informationCutsText(const SuppressionTest& t) {
    QStringList parts;
    for (const CutSuppression& c : t.cuts) {
        if (c.decides)
            continue;
        QString part = cutName(c.cut) + QLatin1Char(' ') + cutSuppressionText(c);
        if (!std::isnan(c.worstMargin))
            part +=
                QStringLiteral(", %1 dB at %2").arg(marginText(c.worstMargin), worstPlaceText(c));
        parts << part;
    }
    return parts.join(QStringLiteral("; "));
}

QString decidedByText(const CategoryResult& r) {
    using D = GainBeamTest::Decider;
    const GainBeamTest& g = r.gainBeam;
    auto gainBeamName = [&] {
        switch (g.decidedBy) {
        case D::Gain:
            return QStringLiteral("gain");
        case D::Beamwidth:
            return QStringLiteral("beamwidth");
        case D::None:
            break;
        }
        return QStringLiteral("gain and beamwidth");
    };
    QStringList parts;
    switch (r.verdict) {
    case Verdict::Pass:
        if (g.verdict == Verdict::Pass)
            parts << gainBeamName();
        if (r.suppression.verdict == Verdict::Pass)
            parts << QStringLiteral("suppression");
        break;
    case Verdict::Fail:
        if (g.verdict == Verdict::Fail)
            parts << gainBeamName();
        if (r.suppression.verdict == Verdict::Fail)
            parts << QStringLiteral("suppression");
        break;
    case Verdict::NotEnoughData:
    case Verdict::NotRequired:
        if (g.verdict == Verdict::NotEnoughData)
            parts << (g.missing.isEmpty() ? QStringLiteral("gain or beamwidth")
                                          : g.missing.join(QStringLiteral(", ")));
        if (r.suppression.verdict == Verdict::NotEnoughData) {
            const bool coPolar = std::any_of(r.suppression.cuts.begin(), r.suppression.cuts.end(),
                                             [](const CutSuppression& c) { return c.decides; });
            parts << (coPolar || r.suppression.cuts.empty()
                          ? QStringLiteral("envelope too short")
                          : QStringLiteral("no co-polar envelope (H/H, V/V)"));
        }
        break;
    }
    return parts.join(QStringLiteral(" and "));
}

QString groupText(const ComplianceReport& report, const GroupResult& g) {
    const QString v = verdictText(g.verdict);
    if (g.split && g.decidedBy >= 0)
        return v + QStringLiteral(" via ") + report.categories[size_t(g.decidedBy)].category;
    return v;
}
