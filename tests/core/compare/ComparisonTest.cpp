// SPDX-License-Identifier: MIT
// The comparison of antennas: levels from the main beam and on the chart, the worst co-polar
// trace, the table's best values, band marks, the angle list, the trace styles and the texts.
#include "compare/ComparisonText.h"

#include <QtCore/QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace compare;

namespace {

AntennaFile antenna(const char* name, PatternPoints hh, FeedKind feed = FeedKind::None,
                    PatternPoints vv = {}, double lowGHz = 5.925, double highGHz = 6.425) {
    AntennaFile a;
    a.path = QStringLiteral("/data/") + QLatin1String(name) + QStringLiteral(".adf");
    a.record.setText(IndexField::ModelNumber, name);
    a.record.setText(IndexField::RpeNumber, "100");
    a.record.setLowFrequency(lowGHz);
    a.record.setHighFrequency(highGHz);
    a.record.setText(
        IndexField::FrequencyRange,
        QStringLiteral("%1-%2").arg(lowGHz, 0, 'f', 3).arg(highGHz, 0, 'f', 3).toLatin1());
    a.pattern.CutPoints[CutHH] = std::move(hh);
    a.pattern.CutPoints[CutVV] = std::move(vv);
    a.pattern.feedKind = feed;
    return a;
}

// One-sided, a step at 10 degrees, ending at 90.
AntennaFile oneSided() {
    return antenna("ONE", {{0, 0}, {5, -20}, {10, -30}, {10, -35}, {20, -40}, {90, -50}});
}

// Two-sided, its left side higher near the beam, its right side ending at 100.
AntennaFile twoSided() {
    return antenna("TWO",
                   {{-180, -60},
                    {-20, -45},
                    {-10, -25},
                    {-5, -18},
                    {0, 0},
                    {5, -22},
                    {10, -28},
                    {20, -42},
                    {100, -55}},
                   FeedKind::Right);
}

} // namespace

TEST(Comparison, LevelsFromTheBeam) {
    const LoadedPattern one = oneSided().pattern;
    const LoadedPattern two = twoSided().pattern;
    const std::optional<double> outside;
    struct Case {
        double angle;
        std::optional<double> one, two;
    };
    const Case cases[] = {
        {0, 0, 0},
        {5, -20, -18},          // on points; the left side of the two-sided one is higher
        {7.5, -25, -21.5},      // between points: 7.5 on the right is -25, on the left -21.5
        {10, -30, -25},         // the step's top; the two-sided one's left side
        {15, -37.5, -35},       // after the step, its lower level is the line's start
        {90, -50, -51.5625},    // the left side again
        {100, outside, -52.5},  // off the one-sided range; on the left -52.5, on the right -55
        {140, outside, -56.25}, // only the left side reaches: that one
        {180, outside, -60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        EXPECT_EQ(levelFromBeam(one, CompareCut::HH, c.angle), c.one);
        EXPECT_EQ(levelFromBeam(two, CompareCut::HH, c.angle), c.two);
        EXPECT_EQ(levelFromBeam(two, CompareCut::HH, -c.angle), c.two);
    }
    // On the chart a one-sided antenna is the same on both sides, a two-sided one its own.
    EXPECT_EQ(levelAtChartAngle(one, CompareCut::HH, -7.5), -25);
    EXPECT_EQ(levelAtChartAngle(two, CompareCut::HH, -7.5), -21.5);
    EXPECT_EQ(levelAtChartAngle(two, CompareCut::HH, 7.5), -25);
    EXPECT_EQ(levelAtChartAngle(two, CompareCut::HH, 140), outside);
    EXPECT_EQ(levelAtChartAngle(two, CompareCut::VV, 5), outside);
}

TEST(Comparison, TableMarksTheLowestLevelAndTies) {
    Comparison c;
    ASSERT_TRUE(c.add(oneSided()));
    ASSERT_TRUE(c.add(twoSided()));
    c.tableAngles = {0, 5, 90, 140};
    const ComparisonTable t = c.table(nullptr);
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0].levels, (std::vector<std::optional<double>>{0, -20, -50, std::nullopt}));
    EXPECT_EQ(t.rows[1].levels, (std::vector<std::optional<double>>{0, -18, -51.5625, -56.25}));
    EXPECT_EQ(t.bestLevelRows, (std::vector<std::vector<int>>{{0, 1}, {0}, {1}, {1}}));
    // Without an FCC table there are no margins, so none is best.
    EXPECT_TRUE(std::isnan(t.rows[0].fccA.worstMargin));
    EXPECT_TRUE(t.bestMarginA.empty());
    EXPECT_TRUE(t.bestMarginB.empty());
    EXPECT_TRUE(c.twoSided());
}

TEST(Comparison, WorstCoPolarWhereTheCutsCross) {
    // H/H is higher up to 20 degrees, V/V after; V/V alone reaches 40.
    const AntennaFile a = antenna("X", {{0, 0}, {10, -20}, {30, -40}}, FeedKind::None,
                                  {{0, 0}, {10, -30}, {30, -30}, {40, -45}});
    const PatternPoints trace = comparisonTrace(a.pattern, CompareCut::WorstCoPolar, false);
    EXPECT_EQ(trace, (PatternPoints{{0, 0}, {10, -20}, {20, -30}, {30, -30}, {40, -45}}));
    for (const double angle : {2.0, 10.0, 15.0, 20.0, 25.0, 30.0, 35.0, 40.0}) {
        SCOPED_TRACE(angle);
        const auto hh = levelAtChartAngle(a.pattern, CompareCut::HH, angle);
        const auto vv = levelAtChartAngle(a.pattern, CompareCut::VV, angle);
        const auto worst = levelAtChartAngle(a.pattern, CompareCut::WorstCoPolar, angle);
        ASSERT_TRUE(worst && vv);
        EXPECT_EQ(*worst, hh ? std::max(*hh, *vv) : *vv);
        EXPECT_EQ(levelFromBeam(a.pattern, CompareCut::WorstCoPolar, angle), worst);
    }
    // On a two-sided chart the one-sided antenna's trace is mirrored, the beam's point once.
    const PatternPoints both = comparisonTrace(a.pattern, CompareCut::WorstCoPolar, true);
    ASSERT_EQ(both.size(), 9u);
    EXPECT_EQ(both.front(), PatternPoint(-40, -45));
    EXPECT_EQ(both[3], PatternPoint(-10, -20));
    EXPECT_EQ(both[4], PatternPoint(0, 0));
    EXPECT_EQ(both.back(), PatternPoint(40, -45));
    EXPECT_EQ(comparisonTrace(a.pattern, CompareCut::HH, true),
              (PatternPoints{{-30, -40}, {-10, -20}, {0, 0}, {10, -20}, {30, -40}}));
}

TEST(Comparison, WorstCoPolarKeepsTheHigherSideOfAStep) {
    // H/H steps down at 10 degrees through V/V's level: the upper envelope steps to V/V there.
    const AntennaFile a = antenna("S", {{0, 0}, {10, -10}, {10, -40}, {20, -40}}, FeedKind::None,
                                  {{0, 0}, {20, -30}});
    EXPECT_EQ(comparisonTrace(a.pattern, CompareCut::WorstCoPolar, false),
              (PatternPoints{{0, 0}, {10, -10}, {10, -15}, {20, -30}}));
    EXPECT_EQ(levelAtChartAngle(a.pattern, CompareCut::WorstCoPolar, 10), -10);
}

TEST(Comparison, BandMarksFollowTheFirstAntenna) {
    Comparison c;
    c.add(antenna("A", {{0, 0}}));
    c.add(antenna("B", {{0, 0}}, FeedKind::None, {}, 6.425, 7.125));
    c.add(antenna("C", {{0, 0}}, FeedKind::None, {}, 5.925, 6.425));
    c.add(antenna("D", {{0, 0}}, FeedKind::None, {}, 5.925, 6.525)); // one edge differs
    EXPECT_FALSE(c.antenna(0).bandDiffers);
    EXPECT_TRUE(c.antenna(1).bandDiffers);
    EXPECT_FALSE(c.antenna(2).bandDiffers);
    EXPECT_TRUE(c.antenna(3).bandDiffers);
    EXPECT_EQ(legendText(c.antenna(0)), QStringLiteral("A RPE 100  A.adf  5.925-6.425 GHz"));
    EXPECT_EQ(legendText(c.antenna(1)),
              QStringLiteral("B RPE 100  B.adf  6.425-7.125 GHz  (band differs)"));
    c.move(1, 0); // B first: the others now differ
    EXPECT_FALSE(c.antenna(0).bandDiffers);
    EXPECT_TRUE(c.antenna(1).bandDiffers);
    EXPECT_TRUE(c.antenna(2).bandDiffers);
    c.remove(0);
    EXPECT_FALSE(c.antenna(0).bandDiffers);
    EXPECT_FALSE(c.antenna(1).bandDiffers);
}

TEST(Comparison, AtMostEightAntennas) {
    Comparison c;
    for (int i = 0; i < MaxAntennas; ++i)
        EXPECT_TRUE(c.add(oneSided()));
    EXPECT_FALSE(c.add(twoSided()));
    EXPECT_EQ(c.size(), MaxAntennas);
    EXPECT_FALSE(c.twoSided());
}

TEST(Comparison, AngleLists) {
    struct Case {
        const char* text;
        std::vector<double> angles; // empty: refused
    };
    const Case cases[] = {
        {"5, 10,15 20", {5, 10, 15, 20}},
        {" 180 0\t90,90 ", {0, 90, 180}},
        {"7.5", {7.5}},
        {"", {}},
        {" , ", {}},
        {"5,,10", {}},
        {"5,", {}},
        {",5", {}},
        {"abc", {}},
        {"5 x", {}},
        {"-1", {}},
        {"180.5", {}},
        {"nan", {}},
        {"inf", {}},
        {"1e400", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QString why;
        const auto parsed = parseAngleList(QString::fromLatin1(c.text), &why);
        if (c.angles.empty()) {
            EXPECT_FALSE(parsed);
            EXPECT_FALSE(why.isEmpty());
        } else {
            ASSERT_TRUE(parsed) << why.toStdString();
            EXPECT_EQ(*parsed, c.angles);
        }
    }
    QStringList many;
    for (int i = 0; i < 64; ++i)
        many << QString::number(i);
    EXPECT_TRUE(parseAngleList(many.join(QLatin1Char(' '))));
    many << QStringLiteral("64");
    EXPECT_FALSE(parseAngleList(many.join(QLatin1Char(' '))));
    EXPECT_EQ(angleListText({5, 7.5, 180}), QStringLiteral("5, 7.5, 180"));
    EXPECT_EQ(parseAngleList(angleListText(defaultTableAngles())), defaultTableAngles());
}

TEST(Comparison, CutNames) {
    for (const auto& [name, cut] : {std::pair{"hh", CompareCut::HH},
                                    {"vv", CompareCut::VV},
                                    {"hv", CompareCut::HV},
                                    {"vh", CompareCut::VH},
                                    {"copolar", CompareCut::WorstCoPolar}})
        EXPECT_EQ(compareCutFromName(QLatin1String(name)), cut) << name;
    EXPECT_FALSE(compareCutFromName(QStringLiteral("co")));
    EXPECT_EQ(compareCutName(CompareCut::WorstCoPolar), QStringLiteral("worst co-polar"));
}

TEST(Comparison, EightTraceStylesToldApart) {
    std::set<std::vector<double>> dashes;
    std::set<QString> names;
    for (int i = 0; i < MaxAntennas; ++i) {
        const TraceStyle s = traceStyle(i);
        dashes.insert(s.dashes);
        names.insert(s.dashName);
        for (int j = 0; j < i; ++j) {
            // Colours far apart on screen.
            const QColor a = s.color, b = traceStyle(j).color;
            const double d =
                std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
            EXPECT_GT(d, 60) << i << " " << j;
        }
    }
    // In black and white the dash patterns alone tell the traces apart.
    EXPECT_EQ(dashes.size(), size_t(MaxAntennas));
    EXPECT_EQ(names.size(), size_t(MaxAntennas));
    EXPECT_TRUE(traceStyle(0).dashes.empty());
}

TEST(Comparison, Readout) {
    Comparison c;
    c.add(oneSided());
    c.add(twoSided());
    c.add(antenna("SHORT", {{0, 0}, {5, -10}}));
    EXPECT_EQ(comparisonReadout(c, -7.5),
              QStringLiteral("-7.5 deg   1 -25.00   2 -21.50 (+3.50)   3 outside"));
    EXPECT_EQ(comparisonReadout(c, 100),
              QStringLiteral("100.0 deg   1 outside   2 -55.00   3 outside"));
}

TEST(ComparisonText, MarksBestValuesAndOutside) {
    Comparison c;
    c.add(oneSided());
    c.add(twoSided());
    c.tableAngles = {5, 140};
    const ComparisonTable t = c.table(nullptr);
    EXPECT_EQ(comparisonTsv(c, t).toStdString(),
              "#\tMODEL\tRPE\tFILE\tBAND GHz\t5\t140\tFCC A\tFCC B\n"
              "1\tONE\t100\tONE.adf\t5.925-6.425\t-20.00*\t\tnot enough data\tnot enough data\n"
              "2\tTWO\t100\tTWO.adf\t5.925-6.425\t-18.00\t-56.25*\tnot enough data\t"
              "not enough data\n");
    EXPECT_EQ(comparisonText(c, t).toStdString(),
              "H/H: levels in dB at degrees from the main beam\n"
              "#   MODEL  RPE  FILE     BAND GHz          5       140             FCC A            "
              " FCC B\n"
              "1   ONE    100  ONE.adf  5.925-6.425  -20.00*  outside   not enough data   not "
              "enough data\n"
              "2   TWO    100  TWO.adf  5.925-6.425  -18.00    -56.25*  not enough data   not "
              "enough data\n"
              "* the best of its column: the lowest level, the highest margin\n");
}
