// SPDX-License-Identifier: MIT
// The compliance check of one antenna: the suppression test on the straight-line envelope, the
// half-open bins, the gain or beamwidth requirement read from the header, the categories, and the
// outcomes without a standard or without enough data.
#include "compliance/Compliance.h"

#include "TestUtils.h"
#include "catalogue/AntennaFile.h"
#include "catalogue/IndexRefresh.h"
#include "compliance/ComplianceText.h"
#include "pages/MaskOverlay.h"

#include <QtCore/QBuffer>
#include <gtest/gtest.h>

namespace {

const MaskTable& fcc() {
    static const MaskTable table = *ReadMaskTable(QStringLiteral(LOBEVIEW_MASK_TABLE)).table;
    return table;
}

// A made-up table with three bins that are easy to compute by hand.
const MaskTable& small() {
    static const MaskTable table =
        *ParseMaskTable("band_low_mhz,band_high_mhz,category,max_beamwidth_deg,min_gain_dbi,"
                        "s_5_10,s_10_30,s_30_180\n"
                        "1000,2000,A,,,20,25,30\n",
                        QStringLiteral("small.csv"))
             .table;
    return table;
}

HeaderNumber num(double v) {
    return {v, QByteArray::number(v)};
}

// A 6 GHz header: gains and beamwidths as given.
AntennaHeader header6(double gain, double az, double el) {
    AntennaHeader h;
    h.lowFrequency = num(5925);
    h.highFrequency = num(6425);
    h.midGain = num(gain);
    h.azimuthWidth = num(az);
    h.elevationWidth = num(el);
    return h;
}

LoadedPattern oneCut(PatternPoints points, FeedKind feed = FeedKind::None) {
    LoadedPattern p;
    p.CutPoints[CutHH] = std::move(points);
    p.feedKind = feed;
    return p;
}

CutSuppression cutCheck(const MaskTable& t, const PatternPoints& points, bool twoSided = false) {
    return CheckCutSuppression(t.rows.front(), t.bins, points, twoSided);
}

// An envelope well inside every 6 GHz mask on 0..180 degrees.
const PatternPoints Quiet = {{0, 0}, {2, -20}, {5, -40}, {180, -70}};

} // namespace

// ---- the suppression test on the straight-line envelope ----

TEST(Suppression, LineBetweenVerticesOutsideABinBoundsTheEnvelopeInside) {
    // No vertex lies in [5, 10): the line from (3, -20) to (12, -38) is at -24 dB at 5 degrees,
    // 1 dB above the 25 dB mask there. Its vertices alone (3 degrees is in no bin, 12 degrees is
    // 13 dB below its mask) would pass it.
    MaskTable t = small();
    t.rows[0].suppression = {25, 25, 30};
    const CutSuppression r = cutCheck(t, {{0, 0}, {3, -20}, {12, -38}, {30, -60}, {180, -60}});
    EXPECT_EQ(r.verdict, Verdict::Fail);
    EXPECT_DOUBLE_EQ(r.worstMargin, -1.0); // -25 - (-20 - 18 * 2 / 9)
    EXPECT_EQ(r.worstAngle, 5.0);
    EXPECT_EQ(r.worstBin, 0);

    // The same at a bin's upper edge: the line rising towards 10 degrees comes as close to its
    // level there as it likes, so that level bounds the lower bin although 10 is not in it.
    t.rows[0].suppression = {20, 10, 10};
    const CutSuppression up = cutCheck(t, {{0, 0}, {3, -30}, {12, -12}, {180, -40}});
    EXPECT_EQ(up.verdict, Verdict::Fail);
    EXPECT_DOUBLE_EQ(up.worstMargin, -4.0); // -20 - (-30 + 18 * 7 / 9)
    EXPECT_EQ(up.worstAngle, 10.0);
    EXPECT_EQ(up.worstBin, 0);
}

TEST(Suppression, BoundaryAngleBelongsToTheStricterBin) {
    // 6 GHz Category A: 25 dB on [5, 10), 29 dB on [10, 15). A vertex at exactly 10 degrees, 27
    // dB down, meets the first bin (as a limit) but not the second, which holds 10 degrees.
    const MaskTable& t = fcc();
    const MaskRow& a = *t.rowsFor(6175)[0];
    const PatternPoints points = {{0, 0}, {5, -30}, {10, -27}, {15, -40}, {180, -70}};
    const CutSuppression r = CheckCutSuppression(a, t.bins, points, false);
    EXPECT_EQ(r.verdict, Verdict::Fail);
    EXPECT_DOUBLE_EQ(r.worstMargin, -2.0);
    EXPECT_EQ(r.worstAngle, 10.0);
    EXPECT_EQ(r.worstBin, 1);

    // A spike at exactly 10 degrees (three points there) belongs to the stricter bin only; on
    // either side of it the envelope is well below both masks.
    const CutSuppression spike = CheckCutSuppression(
        a, t.bins, {{0, 0}, {5, -30}, {10, -30}, {10, -27}, {10, -35}, {15, -40}, {180, -70}},
        false);
    EXPECT_EQ(spike.verdict, Verdict::Fail);
    EXPECT_DOUBLE_EQ(spike.worstMargin, -2.0);
    EXPECT_EQ(spike.worstAngle, 10.0);
    EXPECT_EQ(spike.worstBin, 1);

    // The last bin is closed: 180 degrees itself is checked.
    const CutSuppression back =
        CheckCutSuppression(a, t.bins, {{0, 0}, {5, -40}, {179, -70}, {180, -50}}, false);
    EXPECT_DOUBLE_EQ(back.worstMargin, -5.0);
    EXPECT_EQ(back.worstAngle, 180.0);
}

TEST(Suppression, HandComputedWorstMarginOfASmallEnvelope) {
    // Bins [5, 10) 20 dB, [10, 30) 25 dB, [30, 180] 30 dB. By hand, piece by piece:
    //   (4, -14)-(7, -22)   in [5, 10):  at 5: -14 - 8/3 = -16.667 -> margin -3.333; at 7: +2
    //   (7, -22)-(12, -24)  in [5, 10):  at 10: -23.2 -> +3.2;  in [10, 30): at 10: -1.8, 12: -1
    //   (12, -24)-(40, -31) in [10, 30): at 30: -28.5 -> +3.5; in [30, 180]: at 30: -1.5, 40: +1
    //   (40, -31)-(180, -40) in [30, 180]: +1 and +10
    // Worst: -10/3 dB at 5 degrees, where no vertex lies.
    const CutSuppression r =
        cutCheck(small(), {{0, 0}, {4, -14}, {7, -22}, {12, -24}, {40, -31}, {180, -40}});
    EXPECT_EQ(r.verdict, Verdict::Fail);
    EXPECT_NEAR(r.worstMargin, -10.0 / 3.0, 1e-12);
    EXPECT_EQ(r.worstAngle, 5.0);
    EXPECT_EQ(marginText(r.worstMargin), QStringLiteral("-3.33"));

    // Lowered by 4 dB everywhere the same envelope passes, worst at the same angle.
    const CutSuppression low =
        cutCheck(small(), {{0, 0}, {4, -18}, {7, -26}, {12, -28}, {40, -35}, {180, -44}});
    EXPECT_EQ(low.verdict, Verdict::Pass);
    EXPECT_NEAR(low.worstMargin, 4 - 10.0 / 3.0, 1e-12);

    // Exactly on the mask counts as meeting it.
    const CutSuppression touch =
        cutCheck(small(), {{0, 0}, {5, -20}, {10, -25}, {30, -30}, {180, -30}});
    EXPECT_EQ(touch.verdict, Verdict::Pass);
    EXPECT_EQ(touch.worstMargin, 0.0);
}

TEST(Suppression, OneSidedAndTwoSidedAntennas) {
    const MaskTable& t = small();
    // A one-sided envelope covers 0..180; a two-sided antenna needs both sides.
    const PatternPoints right = {{0, 0}, {5, -30}, {180, -50}};
    EXPECT_EQ(cutCheck(t, right, false).verdict, Verdict::Pass);
    const CutSuppression missingLeft = cutCheck(t, right, true);
    EXPECT_EQ(missingLeft.verdict, Verdict::NotEnoughData);
    EXPECT_EQ(missingLeft.uncovered, QStringLiteral("-180 to -5 deg"));

    // Two-sided: |theta| on both sides; the worst is on the left here and keeps its sign. The
    // lobe at -20 degrees is 4 dB over its bin, but the line from it to -180 degrees is worse
    // where the 30 dB bin starts: -21 - 29 * 10 / 160 = -22.8125 at -30 degrees.
    const PatternPoints both = {{-180, -50}, {-20, -21}, {-5, -30}, {0, 0}, {5, -30}, {180, -50}};
    const CutSuppression r = cutCheck(t, both, true);
    EXPECT_EQ(r.verdict, Verdict::Fail);
    EXPECT_DOUBLE_EQ(r.worstMargin, -7.1875);
    EXPECT_EQ(r.worstAngle, -30.0);

    // A line straight across the main beam is cut there: each side sees its own half.
    const PatternPoints sparse = {{-180, -50}, {-10, -30}, {10, -30}, {180, -50}};
    const CutSuppression across = cutCheck(t, sparse, true);
    EXPECT_EQ(across.verdict, Verdict::Pass);
    EXPECT_NEAR(across.worstMargin, 40.0 / 17.0, 1e-12); // at 30 degrees: -30 - 20 * 20 / 170
    EXPECT_EQ(across.worstAngle, 30.0);

    // An envelope that ends short of 180 degrees cannot pass, but a violation inside fails it.
    const CutSuppression shortCut = cutCheck(t, {{0, 0}, {5, -30}, {90, -50}});
    EXPECT_EQ(shortCut.verdict, Verdict::NotEnoughData);
    EXPECT_EQ(shortCut.uncovered, QStringLiteral("30 to 180 deg"));
    EXPECT_EQ(cutCheck(t, {{0, 0}, {5, -10}, {90, -50}}).verdict, Verdict::Fail);

    // The whole antenna: the feed decides whether the left side is needed.
    const ComplianceReport one = CheckCompliance(fcc(), header6(40, 1, 1), oneCut(Quiet));
    EXPECT_FALSE(one.twoSided);
    EXPECT_EQ(one.verdictFor(QStringLiteral("A")), Verdict::Pass);
    const ComplianceReport two =
        CheckCompliance(fcc(), header6(40, 1, 1), oneCut(Quiet, FeedKind::Left));
    EXPECT_TRUE(two.twoSided);
    EXPECT_EQ(two.verdictFor(QStringLiteral("A")), Verdict::NotEnoughData);
}

// ---- gain, beamwidth and categories ----

TEST(Categories, GainFailsButBeamwidthPasses) {
    // 6 GHz Category A asks for 38 dBi or 2.2 degrees: 36 dBi with a 2.0 degree beam meets it.
    const ComplianceReport r = CheckCompliance(fcc(), header6(36, 2.0, 1.9), oneCut(Quiet));
    const CategoryResult* a = r.category(QStringLiteral("A"));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->gainBeam.gainVerdict, Verdict::Fail);
    EXPECT_EQ(a->gainBeam.beamVerdict, Verdict::Pass);
    EXPECT_EQ(a->gainBeam.verdict, Verdict::Pass);
    EXPECT_EQ(a->gainBeam.decidedBy, GainBeamTest::Decider::Beamwidth);
    EXPECT_EQ(a->verdict, Verdict::Pass);
    EXPECT_EQ(decidedByText(*a), QStringLiteral("beamwidth and suppression"));
    EXPECT_EQ(gainBeamText(a->gainBeam), QStringLiteral("pass (beamwidth 2.0 <= 2.2 deg)"));

    // Both too poor: the category fails on that requirement whatever the envelope.
    const ComplianceReport poor = CheckCompliance(fcc(), header6(36, 2.5, 2.5), oneCut(Quiet));
    const CategoryResult* pa = poor.category(QStringLiteral("A"));
    EXPECT_EQ(pa->verdict, Verdict::Fail);
    EXPECT_EQ(decidedByText(*pa), QStringLiteral("gain and beamwidth"));
    EXPECT_EQ(gainBeamText(pa->gainBeam),
              QStringLiteral("fail (gain 36.0 < 38.0 dBi, beamwidth 2.5 > 2.2 deg)"));
}

TEST(Categories, LowestGainAndLargerBeamwidthOfTheHeader) {
    AntennaHeader h = header6(38.5, 2.0, 2.3); // elevation too wide
    h.lowGain = num(37.5);                     // the lowest gain is below 38
    h.highGain = num(39);
    const ComplianceReport r = CheckCompliance(fcc(), h, oneCut(Quiet));
    const CategoryResult* a = r.category(QStringLiteral("A"));
    EXPECT_EQ(a->gainBeam.gain, 37.5);
    EXPECT_EQ(a->gainBeam.beamwidth, 2.3);
    EXPECT_EQ(a->verdict, Verdict::Fail);
}

TEST(Categories, MissingAzimuthBeamwidth) {
    // Where the row gives both, a gain that passes is enough without AZWIDT ...
    AntennaHeader h = header6(40, 1, 1);
    h.azimuthWidth = {};
    const ComplianceReport six = CheckCompliance(fcc(), h, oneCut(Quiet));
    const CategoryResult* a = six.category(QStringLiteral("A"));
    EXPECT_EQ(a->gainBeam.beamVerdict, Verdict::NotEnoughData);
    EXPECT_EQ(a->verdict, Verdict::Pass);
    EXPECT_EQ(a->gainBeam.decidedBy, GainBeamTest::Decider::Gain);

    // ... a gain that fails leaves it undecided ...
    h.midGain = num(36);
    const ComplianceReport failingGain = CheckCompliance(fcc(), h, oneCut(Quiet));
    const CategoryResult* undecided = failingGain.category(QStringLiteral("A"));
    EXPECT_EQ(undecided->verdict, Verdict::NotEnoughData);
    EXPECT_EQ(decidedByText(*undecided), QStringLiteral("no AZWIDT"));

    // ... and where the row gives only a beamwidth (12.2-13.25 GHz), there is not enough data.
    AntennaHeader k = h;
    k.lowFrequency = num(12700);
    k.highFrequency = num(13250);
    const ComplianceReport ku = CheckCompliance(fcc(), k, oneCut(Quiet));
    EXPECT_EQ(ku.verdictFor(QStringLiteral("A")), Verdict::NotEnoughData);
    EXPECT_EQ(gainBeamText(ku.category(QStringLiteral("A"))->gainBeam),
              QStringLiteral("not enough data (no AZWIDT)"));

    // A gain that is written but not a number leaves the lowest gain unknown.
    AntennaHeader g = header6(40, 3, 3);
    g.lowGain = {std::nullopt, "n/a"};
    const ComplianceReport unknownGain = CheckCompliance(fcc(), g, oneCut(Quiet));
    const CategoryResult* ga = unknownGain.category(QStringLiteral("A"));
    EXPECT_EQ(ga->gainBeam.gainVerdict, Verdict::NotEnoughData);
    EXPECT_EQ(ga->verdict, Verdict::NotEnoughData);
    EXPECT_EQ(ga->gainBeam.missing, QStringList{QStringLiteral("LWGAIN 'n/a' is not a number")});
}

TEST(Categories, BPassesThroughB2WhileFailingB1) {
    // 33 dBi and a 3 degree beam: short of B1 (38 dBi or 2.2 degrees), enough for B2 (32 dBi or
    // 4.1 degrees); the envelope meets B2's suppression (and B1's).
    const PatternPoints points = {{0, 0},    {5, -26},  {10, -30},  {15, -34},
                                  {20, -37}, {30, -43}, {100, -61}, {180, -61}};
    const ComplianceReport r = CheckCompliance(fcc(), header6(33, 3, 3), oneCut(points));
    ASSERT_EQ(r.categories.size(), 3u);
    EXPECT_EQ(r.categories[0].verdict, Verdict::Fail); // A
    EXPECT_EQ(r.categories[1].verdict, Verdict::Fail); // B1: gain and beamwidth
    EXPECT_EQ(r.categories[1].suppression.verdict, Verdict::Pass);
    EXPECT_EQ(decidedByText(r.categories[1]), QStringLiteral("gain and beamwidth"));
    EXPECT_EQ(r.categories[2].verdict, Verdict::Pass); // B2
    const GroupResult* b = r.group(QStringLiteral("B"));
    ASSERT_TRUE(b);
    EXPECT_TRUE(b->split);
    EXPECT_EQ(b->verdict, Verdict::Pass);
    ASSERT_EQ(b->decidedBy, 2);
    EXPECT_EQ(groupText(r, *b), QStringLiteral("pass via B2"));
    EXPECT_EQ(r.verdictFor(QStringLiteral("B")), Verdict::Pass);
    EXPECT_EQ(r.verdictFor(QStringLiteral("B1")), Verdict::Fail);

    // B2 failing as well (its 60 dB from 100 degrees on): B fails.
    PatternPoints back = points;
    back.back() = {180, -58};
    const ComplianceReport f = CheckCompliance(fcc(), header6(33, 3, 3), oneCut(back));
    EXPECT_EQ(f.verdictFor(QStringLiteral("B")), Verdict::Fail);
    // B1 passing on gain but not yet decided for lack of data: B is not enough data, not fail.
    AntennaHeader h = header6(39, 3, 3);
    const ComplianceReport nd =
        CheckCompliance(fcc(), h, oneCut({{0, 0}, {5, -30}, {10, -34}, {15, -38}, {100, -58}}));
    EXPECT_EQ(nd.verdictFor(QStringLiteral("B")), Verdict::NotEnoughData);
}

TEST(Categories, BandWithoutARowAndHeaderWithoutBand) {
    AntennaHeader h = header6(40, 1, 1);
    h.lowFrequency = num(7125);
    h.highFrequency = num(7750); // 7.5 GHz: US Part 101 has no such band
    const ComplianceReport r = CheckCompliance(fcc(), h, oneCut(Quiet));
    EXPECT_EQ(r.status, ComplianceReport::Status::NoStandard);
    EXPECT_EQ(r.message, QStringLiteral("no FCC 101.115 standard for this band"));
    EXPECT_EQ(r.midFrequency, 7437.5);
    EXPECT_TRUE(r.categories.empty());
    EXPECT_EQ(r.verdictFor(QStringLiteral("A")), Verdict::NotEnoughData);

    h.highFrequency = {std::nullopt, "7.75 GHz"};
    const ComplianceReport nd = CheckCompliance(fcc(), h, oneCut(Quiet));
    EXPECT_EQ(nd.status, ComplianceReport::Status::NotEnoughData);
    EXPECT_EQ(nd.message, QStringLiteral("not enough data: HGHFRQ '7.75 GHz' is not a number"));

    // Cuts without points are not checked; an antenna without any cut has not enough data.
    const ComplianceReport empty = CheckCompliance(fcc(), header6(40, 1, 1), LoadedPattern{});
    EXPECT_EQ(empty.verdictFor(QStringLiteral("A")), Verdict::NotEnoughData);
    const ComplianceReport twoCuts = [] {
        LoadedPattern p = oneCut(Quiet);
        p.CutPoints[CutHV] = {{0, -30}, {5, -45}, {180, -75}};
        return CheckCompliance(fcc(), header6(40, 1, 1), p);
    }();
    ASSERT_EQ(twoCuts.categories[0].suppression.cuts.size(), 2u);
    EXPECT_EQ(twoCuts.categories[0].suppression.cuts[1].cut, int(CutHV));
}

// ---- the header as the check reads it ----

TEST(AntennaHeaderReader, ReadsTheExtraKeywordsUpToTheFirstPointCount) {
    QByteArray text = "MODNUM:,QS8-59\nLOWFRQ:,5925\nHGHFRQ:, 6425 \nLWGAIN:,\n"
                      "MDGAIN:,40.23 dBi\nHGGAIN:,41,5\nAZWIDT:,1.4\nFEDORN:,LEFT\nPOLARI:,H/H\n"
                      "NUPOIN:,1\n0,0,\nELWIDT:,1.4\n";
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    LineReader in(buffer);
    AntennaHeader h;
    IndexRecord record;
    ReadHeaderLines(in, record, &h);
    EXPECT_EQ(h.model, "QS8-59");
    EXPECT_EQ(h.midFrequency(), 6175.0);
    EXPECT_FALSE(h.lowGain.present()); // an empty value counts as absent
    EXPECT_EQ(h.midGain.value, 40.23); // the unit after a blank is left out, as the index does
    EXPECT_TRUE(h.highGain.unreadable());
    EXPECT_EQ(h.azimuthWidth.value, 1.4);
    EXPECT_FALSE(h.elevationWidth.present()); // after the first NUPOIN: not header
    EXPECT_EQ(h.feedOrientation, "LEFT");

    // The sample antenna written for the check, read whole.
    const AntennaFileOrError a =
        AntennaFile::open(testutils::samplePath(QStringLiteral("QS8-59.adf")));
    ASSERT_TRUE(a.file) << a.error.toStdString();
    EXPECT_EQ(a.file->header.lowGain.value, 41.0);
    EXPECT_EQ(a.file->pattern.CutPoints[CutVV].size(), 43u);
    EXPECT_EQ(AntennaFile::open(QStringLiteral("/no/such.adf")).error,
              QStringLiteral("File was not found"));
}

// ---- the mask line ----

TEST(MaskLine, StepsAtTheBinEdgesOnEachSide) {
    const MaskTable& t = fcc();
    const MaskRow& uhfA = *t.rowsFor(933)[0]; // no value for 5 to 10 degrees
    const MaskOverlay one = MakeMaskOverlay(t, uhfA, false);
    EXPECT_EQ(one.caption, QStringLiteral("FCC 101.115 Cat. A"));
    ASSERT_EQ(one.lines.size(), 1u);
    const std::vector<QPointF> expected = {{10, -6},   {15, -6},   {15, -11},  {20, -11},
                                           {20, -14},  {30, -14},  {30, -17},  {100, -17},
                                           {100, -20}, {140, -20}, {140, -24}, {180, -24}};
    EXPECT_EQ(one.lines[0], expected);

    const MaskOverlay two = MakeMaskOverlay(t, uhfA, true);
    ASSERT_EQ(two.lines.size(), 2u);
    EXPECT_EQ(two.lines[1].front(), QPointF(-10, -6));
    EXPECT_EQ(two.lines[1].back(), QPointF(-180, -24));
}

// ---- limits, the mask line, steps on bin edges, co-polar cuts ----

TEST(Categories, GainAndBeamwidthExactlyAtTheLimitPass) {
    // 6 GHz Category A: 38 dBi or 2.2 degrees, both compared inclusively.
    const MaskRow& a = *fcc().rowsFor(6175)[0];
    const std::pair<AntennaHeader, const char*> cases[] = {
        {header6(38, 3, 3), "pass (gain 38.0 >= 38.0 dBi)"},
        {header6(37.99, 3, 3), "fail (gain 37.99 < 38.0 dBi, beamwidth 3.0 > 2.2 deg)"},
        {header6(30, 2.2, 2.2), "pass (beamwidth 2.2 <= 2.2 deg)"},
        {header6(30, 2.2, 2.21), "fail (gain 30.0 < 38.0 dBi, beamwidth 2.21 > 2.2 deg)"},
    };
    for (const auto& [h, text] : cases)
        EXPECT_EQ(gainBeamText(CheckGainBeam(a, h)), QLatin1String(text));
}

TEST(Suppression, EnvelopeOnTheMaskLinePassesWithNoMargin) {
    // Every row as "Show mask" draws it, one- and two-sided (the left side from -180 degrees
    // in, then the right side out): each step on a bin edge puts its levels on their own sides.
    const MaskTable& t = fcc();
    for (const MaskRow& row : t.rows) {
        for (const bool twoSided : {false, true}) {
            const MaskOverlay o = MakeMaskOverlay(t, row, twoSided);
            PatternPoints points;
            if (twoSided)
                for (auto p = o.lines[1].rbegin(); p != o.lines[1].rend(); ++p)
                    points.emplace_back(p->x(), p->y());
            for (const QPointF& p : o.lines[0])
                points.emplace_back(p.x(), p.y());
            const CutSuppression r = CheckCutSuppression(row, t.bins, points, twoSided);
            EXPECT_EQ(cutSuppressionText(r) + u' ' + marginText(r.worstMargin),
                      QStringLiteral("pass 0.00"))
                << "line " << row.line << (twoSided ? ", two-sided" : "");
        }
    }
    // Through the mask's corner at 5 degrees, 25 dB down exactly (-10.6 - 3 * 4.8): computed a
    // few 1e-15 above it, which still counts as on the mask.
    const CutSuppression corner = CheckCutSuppression(
        *t.rowsFor(6175)[0], t.bins, {{0.2, -10.6}, {6.8, -30.4}, {10, -40}, {180, -70}}, false);
    EXPECT_EQ(corner.verdict, Verdict::Pass);
    EXPECT_EQ(corner.worstMargin, 0.0);
}

TEST(Suppression, StepOnABinEdgePutsEachLevelInTheBinOnItsSide) {
    // Bins [5, 10) 20 dB, [10, 30) 25 dB, [30, 180] 30 dB.
    const struct {
        PatternPoints points;
        bool twoSided;
        const char* expected;
    } cases[] = {
        // Stepping where the mask steps.
        {{{0, 0}, {5, -20}, {10, -20}, {10, -25}, {30, -25}, {30, -30}, {180, -30}},
         false,
         "pass 0.00 at 5 deg"},
        // The upper level is the lower bin's (1 dB over its 20 dB), the lower one the upper's.
        {{{0, 0}, {5, -30}, {10, -19}, {10, -40}, {180, -40}},
         false,
         "fail -1.00 at 10 deg, end of 5-10"},
        {{{0, 0}, {5, -30}, {10, -30}, {10, -24}, {30, -40}, {180, -40}},
         false,
         "fail -1.00 at 10 deg"},
        {{{-180, -40}, {-10, -40}, {-10, -19}, {-5, -30}, {0, 0}, {5, -30}, {180, -40}},
         true,
         "fail -1.00 at -10 deg, end of 5-10"},
        // A step that starts the envelope: its first level takes the lower side; one that ends
        // it: its last level the upper side.
        {{{10, -19}, {10, -26}, {180, -70}}, false, "fail -1.00 at 10 deg, end of 5-10"},
        {{{0, 0}, {5, -30}, {30, -26}, {30, -29}}, false, "fail -1.00 at 30 deg"},
    };
    for (const auto& c : cases) {
        const CutSuppression r = cutCheck(small(), c.points, c.twoSided);
        EXPECT_EQ(QStringLiteral("%1 %2 at %3")
                      .arg(verdictText(r.verdict), marginText(r.worstMargin), worstPlaceText(r)),
                  QLatin1String(c.expected));
    }
}

TEST(Suppression, FailingBinBesideAMissingOneFails) {
    // Where the envelope reaches, it fails; that it stops short does not make it "not enough data".
    EXPECT_EQ(cutCheck(small(), {{0, 0}, {5, -30}, {10, -20}, {30, -40}}).verdict, Verdict::Fail);
    EXPECT_EQ(cutCheck(small(), {{0, 0}, {5, -15}, {180, -40}}, true).verdict, Verdict::Fail);
    const ComplianceReport r =
        CheckCompliance(fcc(), header6(40, 1, 1), oneCut({{0, 0}, {5, -20}, {30, -45}}));
    EXPECT_EQ(r.verdictFor(QStringLiteral("A")), Verdict::Fail);
}

TEST(Categories, CoPolarCutsDecideCrossPolarCutsAreListedForInformation) {
    LoadedPattern p = oneCut(Quiet);
    p.CutPoints[CutVV] = Quiet;
    p.CutPoints[CutHV] = {{0, -30}, {5, -45}, {100, -50}, {180, -50}}; // 50 dB beyond 100 deg
    p.CutPoints[CutVH] = {{0, -30}, {5, -45}, {90, -60}};              // ends at 90 degrees
    const ComplianceReport r = CheckCompliance(fcc(), header6(40, 1, 1), p);
    EXPECT_EQ(r.verdictFor(QStringLiteral("A")), Verdict::Pass);
    const SuppressionTest& s = r.category(QStringLiteral("A"))->suppression;
    EXPECT_EQ(s.worstCut, int(CutHH));
    ASSERT_EQ(s.cuts.size(), 4u);
    EXPECT_EQ(cutLabel(s.cuts[1]), QStringLiteral("V/V"));
    EXPECT_EQ(cutLabel(s.cuts[2]), QStringLiteral("H/V (for information)"));
    EXPECT_EQ(informationCutsText(s),
              QStringLiteral("H/V fail, -5.00 dB at 100 deg; V/H not enough data (no envelope at "
                             "30 to 180 deg), 7.41 dB at 30 deg"));
    // Cross-polar cuts alone decide nothing.
    LoadedPattern cross;
    cross.CutPoints[CutHV] = Quiet;
    const ComplianceReport none = CheckCompliance(fcc(), header6(40, 1, 1), cross);
    EXPECT_EQ(decidedByText(*none.category(QStringLiteral("A"))),
              QStringLiteral("no co-polar envelope (H/H, V/V)"));
}

TEST(Categories, DemsStationsOfTheTwentyFourGigahertzBandMayBeExempt) {
    AntennaHeader h = header6(40, 1, 1);
    h.lowFrequency = num(24250);
    h.highFrequency = num(25250);
    // 20 dB down at 5 degrees misses Category A's 25 dB: the verdict stands, with the note.
    const LoadedPattern p = oneCut({{0, 0}, {5, -20}, {10, -45}, {180, -70}});
    const ComplianceReport r = CheckCompliance(fcc(), h, p);
    EXPECT_EQ(r.verdictFor(QStringLiteral("A")), Verdict::Fail);
    EXPECT_EQ(r.note, QString::fromLatin1(DemsNote));
    // Not in another band, nor from a table other than the FCC one.
    EXPECT_TRUE(CheckCompliance(fcc(), header6(40, 1, 1), p).note.isEmpty());
    MaskTable other = fcc();
    other.title = QStringLiteral("mine");
    EXPECT_TRUE(CheckCompliance(other, h, p).note.isEmpty());
}
