// SPDX-License-Identifier: MIT
// What the graph window says about the antenna and the chart under its cursor: titles, status
// line, the screen scale's inverse, and the read-out with and without a mask.
#include "pages/ChartReadout.h"

#include "TestUtils.h"
#include "catalogue/IndexRefresh.h"
#include "pages/ScreenChart.h"

#include <gtest/gtest.h>

TEST(ChartReadout, NamesTheAntenna) {
    IndexRecord r;
    const QString file = testutils::samplePath(QStringLiteral("ZZX10-60L.adf"));
    ASSERT_FALSE(BuildRecordFromFile(file, r).has_value());
    EXPECT_EQ(graphWindowTitle(r), QStringLiteral("ZZX10-60L.adf - ZZX10-60 RPE 12050 - Lobeview"));
    EXPECT_EQ(antennaCaption(r), QStringLiteral("ZZX10-60L.adf - ZZX10-60 RPE 12050"));
    EXPECT_EQ(antennaStatusText(r, QStringLiteral("/data/NSMAData")),
              QStringLiteral("5.925-6.425 GHz   Gain 43.1 dBi   Feed RIGHT   /data/NSMAData"));
}

TEST(ChartReadout, ScreenAnglesAreTheScalesInverse) {
    // Each section of the scale: the left 2 px per degree, the expanded middle, the right.
    for (const double angle : {-180.0, -100.5, -15.0, -14.9, -1.0, 0.0, 0.3, 15.0, 15.5, 180.0}) {
        SCOPED_TRACE(angle);
        EXPECT_DOUBLE_EQ(screenAngleAt(screenXOf(angle)), angle);
        EXPECT_EQ(screen::angleToX(angle), screen::roundEven(screenXOf(angle)));
    }
}

namespace {
LoadedPattern stepPattern() {
    LoadedPattern p;
    p.CutPoints[CutHH] = {{0, 0}, {5, -30}, {10, -24}, {10, -45}, {180, -70}};
    p.CutPoints[CutVV] = {{0, 0}, {4, -20}, {90, -50}};
    p.CutPoints[CutHV] = {{0, -30}, {180, -60}};
    return p;
}
} // namespace

TEST(ChartReadout, TextAtAnAngle) {
    const LoadedPattern p = stepPattern();
    struct Case {
        double angle;
        const char* text;
    };
    const Case cases[] = {
        {2, "2.0 deg   H/H -12.00   V/V -10.00   H/V -30.33 dB"},
        {10, "10.0 deg   H/H -24.00/-45.00   V/V -22.09   H/V -31.67 dB"},
        {100, "100.0 deg   H/H -58.24   V/V outside   H/V -46.67 dB"},
        {-0.04, "0.0 deg   H/H outside   V/V outside   H/V outside dB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readoutText(p, c.angle).toStdString(), c.text);

    // With a mask: 25 dB down from 5 to 10 degrees, 30 from 10 on. At 10 the stricter bin
    // counts, against the step's top; V/V lies above H/H's lower level and decides at 20.
    MaskOverlay mask;
    mask.lines = {{{5, -25}, {10, -25}, {10, -30}, {180, -30}}};
    EXPECT_EQ(readoutText(p, 10, &mask).toStdString(),
              "10.0 deg   H/H -24.00/-45.00   V/V -22.09   H/V -31.67 dB   mask -30.00, margin "
              "-7.91 dB (V/V)");
    EXPECT_EQ(readoutText(p, 7, &mask).toStdString(),
              "7.0 deg   H/H -27.60   V/V -21.05   H/V -31.17 dB   mask -25.00, margin -3.95 dB "
              "(V/V)");
    EXPECT_EQ(readoutText(p, 3, &mask).toStdString(),
              "3.0 deg   H/H -18.00   V/V -15.00   H/V -30.50 dB");
    EXPECT_EQ(maskLevelAt(mask, 10), -30);
    EXPECT_FALSE(maskLevelAt(mask, 181).has_value());
}

TEST(ChartReadout, DifferenceOfTwoPins) {
    EXPECT_EQ(readoutDifferenceText(stepPattern(), 5, 10).toStdString(),
              "A 5.0 deg, B 10.0 deg, B - A:   H/H 6.00   V/V -1.74   H/V -0.83 dB");
    EXPECT_EQ(readoutDifferenceText(stepPattern(), 50, 100).toStdString(),
              "A 50.0 deg, B 100.0 deg, B - A:   H/H -7.35   V/V -   H/V -8.33 dB");
}

TEST(ChartReadout, ClipboardTextOfASmallPattern) {
    LoadedPattern p;
    p.CutPoints[CutHH] = {{-10, -20}, {0, 0}, {5, -30}, {5, -40}, {10, -45.5}};
    p.CutPoints[CutVV] = {{0, 0}, {7.25, -31}, {10, -44}};
    p.CutPoints[CutVH] = {{-10, -50}, {10, -52}};
    EXPECT_EQ(envelopeTableText(p).toStdString(), "Angle\tH/H\tV/V\tH/V\tV/H\n"
                                                  "-10\t-20\t\t\t-50\n"
                                                  "0\t0\t0\t\t\n"
                                                  "5\t-30\t\t\t\n"
                                                  "5\t-40\t\t\t\n"
                                                  "7.25\t\t-31\t\t\n"
                                                  "10\t-45.5\t-44\t\t-52\n");
    EXPECT_EQ(envelopeTableText(LoadedPattern{}).toStdString(), "Angle\tH/H\tV/V\tH/V\tV/H\n");
}
