// SPDX-License-Identifier: MIT
// The chart page, read back from the export images: where points, lines and texts land, how wide
// the pens come out, which logo is drawn, and that odd data (lone points, -0, huge values, very
// long texts) is drawn as written without harm.
#include "pages/ChartPage.h"

#include "PageTestSupport.h"
#include "base/Resources.h"
#include "pages/MaskOverlay.h"
#include "pages/PageRoutines.h"

#include <QtGui/QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace pagetest;

namespace {

constexpr QRgb Red = qRgb(191, 0, 0);  // cut 3
constexpr QRgb Blue = qRgb(0, 0, 191); // cut 2
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb Grey = qRgb(128, 128, 128); // the pages' grid: darker than the screen chart's

auto is(QRgb colour) {
    return [colour](QRgb p) { return isColour(p, colour); };
}

// Device pixels of the landscape export page (1100 x 650 on 2200 x 1700) and of the portrait one
// (600 x 600 on 1200 x 1500).
int fx(int x) {
    return toDevice(x, 1100, 2200);
}
int fy(int y) {
    return toDevice(y, 650, 1700);
}
int hx(int x) {
    return toDevice(x, 600, 1200);
}
int hy(int y) {
    return toDevice(y, 600, 1500);
}

Antenna twoSided() {
    Antenna a;
    a.feed(FeedKind::Right).colour(true);
    return a;
}
Antenna oneSided() {
    Antenna a;
    a.feed(FeedKind::None).colour(true);
    return a;
}

// ---- Scales -------------------------------------------------------------------------------------

TEST(ChartPage, ScalesOfBothCharts) {
    EXPECT_EQ(FullChartX(-180), 70);
    EXPECT_EQ(FullChartX(-15), 400);
    EXPECT_EQ(FullChartX(0), 550);
    EXPECT_EQ(FullChartX(15), 700);
    EXPECT_EQ(FullChartX(180), 1030);
    EXPECT_EQ(FullChartX(-14.75), 402); // 400 + R(2.5): halves to even
    EXPECT_EQ(FullChartX(15.25), 700);  // 700 + R(0.5)
    EXPECT_EQ(FullChartX(-16.25), 398); // 70 + R(327.5)
    EXPECT_EQ(HalfChartX(0), 70);
    EXPECT_EQ(HalfChartX(-0.0), 70);
    EXPECT_EQ(HalfChartX(10), 170);
    EXPECT_EQ(HalfChartX(15), 220);
    EXPECT_EQ(HalfChartX(90), 370);
    EXPECT_EQ(HalfChartX(180), 550);
    EXPECT_EQ(HalfChartX(0.25), 72); // 70 + R(2.5)
    EXPECT_EQ(ChartY(0), 150);
    EXPECT_EQ(ChartY(-100), 550);
    EXPECT_EQ(ChartY(-40), 310);
    EXPECT_EQ(ChartY(-0.375), 152); // 150 + R(1.5)
    // Far-off values are clamped before rounding, so they never overflow.
    EXPECT_EQ(FullChartX(1e300), 700 + 100000000);
    EXPECT_EQ(FullChartX(-1e300), 70 - 100000000);
    EXPECT_EQ(ChartY(-std::numeric_limits<double>::infinity()), 150 + 100000000);
    EXPECT_EQ(HalfChartX(std::numeric_limits<double>::quiet_NaN()), 220 - 100000000);
}

// ---- Traces -------------------------------------------------------------------------------------

TEST(ChartPage, FullChartPointsLandOnTheirPixels) {
    struct Case {
        PatternPoint point;
        QPoint logical;
        double acrossAngle; // a second point 10 units further across, level unchanged
        double downLevel;   // a second point 10 units further up or down, angle unchanged
    };
    for (const Case& c :
         {Case{{0, 0}, {550, 150}, 1, -2.5}, Case{{-180, -100}, {70, 550}, -175, -97.5},
          Case{{15, -40}, {700, 310}, 20, -42.5}}) {
        SCOPED_TRACE(testing::Message() << c.point.Angle << ", " << c.point.Level);
        const QImage page = twoSided()
                                .cut(CutHV, {c.point, {c.point.Angle, c.downLevel}})
                                .cut(CutVH, {c.point, {c.acrossAngle, c.point.Level}})
                                .chartImage();
        ASSERT_EQ(page.size(), QSize(2200, 1700));
        const QPoint device(fx(c.logical.x()), fy(c.logical.y()));
        EXPECT_TRUE(isColour(page.pixel(device), Red));
        // The across stub's rows centre on the point's row, the other stub's columns on its
        // column: a unit off would be 2 or 2.6 pixels.
        const int alongX = device.x() + (c.acrossAngle > c.point.Angle ? 10 : -10);
        EXPECT_NEAR(runDown(page, alongX, device.y(), is(Red)).centre(), device.y(), 1);
        const int alongY = device.y() + (c.downLevel < c.point.Level ? 13 : -13);
        EXPECT_NEAR(runAcross(page, device.x(), alongY, is(Blue)).centre(), device.x(), 1);
    }
}

TEST(ChartPage, HalfChartExampleLine) {
    const QImage page =
        oneSided().cut(CutVH, {{-5, -20}, {0, 0}, {10, -5}, {90, -30}}).chartImage();
    ASSERT_EQ(page.size(), QSize(1200, 1500));
    // (70, 150) - (170, 170) - (370, 270) on the page, i.e. (140, 375) - (340, 425) - (740, 675).
    EXPECT_TRUE(isColour(page.pixel(240, 400), Red));
    EXPECT_TRUE(isColour(page.pixel(540, 550), Red));
    const QRect line = colourBox(page, Red);
    EXPECT_NEAR(line.left(), 140 - 2, 1);
    EXPECT_NEAR(line.top(), 375 - 2, 1);
    EXPECT_NEAR(line.right(), 740 + 2, 1);
    EXPECT_NEAR(line.bottom(), 675 + 2, 1);
}

TEST(ChartPage, HalfTraceLinesStartAtZeroAndAtTheFirstDrawnPoint) {
    {
        SCOPED_TRACE("a cut starting at 0.5 degrees is not joined to the cut before it");
        const QImage page = oneSided()
                                .cut(CutHV, {{30, -50}, {90, -60}})
                                .cut(CutVH, {{0.5, -10}, {10, -20}})
                                .chartImage();
        // (75, 190) - (170, 230): (150, 475) - (340, 575).
        const QRect line = colourBox(page, Red);
        EXPECT_NEAR(line.left(), 150 - 2, 1);
        EXPECT_NEAR(line.right(), 340 + 2, 1);
        EXPECT_NEAR(line.top(), 475 - 2, 1);
        EXPECT_NEAR(line.bottom(), 575 + 2, 1);
    }
    {
        SCOPED_TRACE("a lone point at 0 degrees draws nothing; -0 is 0 degrees");
        const QImage page = oneSided()
                                .cut(CutHV, {{5, -5}, {10, -10}, {0, 0}})
                                .cut(CutVH, {{5, -40}, {10, -45}, {-0.0, -60}, {3, -60}})
                                .chartImage();
        // Blue: only (120, 170) - (170, 190), nothing towards (70, 150).
        const QRect blue = colourBox(page, Blue);
        EXPECT_NEAR(blue.left(), 240 - 2, 1);
        EXPECT_NEAR(blue.right(), 340 + 2, 1);
        // Red: (120, 310) - (170, 330), then a new line (70, 390) - (100, 390); no line from
        // (170, 330) to (70, 390), whose middle is (120, 360).
        EXPECT_TRUE(isColour(page.pixel(hx(85), hy(390)), Red));
        EXPECT_TRUE(isColour(page.pixel(hx(145), hy(320)), Red));
        EXPECT_TRUE(colourBox(page, Red, QRect(hx(110), hy(350), hx(20), hy(20))).isNull());
    }
    {
        SCOPED_TRACE("negative angles are skipped, the line goes on from the last drawn point");
        const QImage page = oneSided().cut(CutVH, {{20, -50}, {-30, -10}, {40, -50}}).chartImage();
        // (230, 350) - (270, 350): one straight red run, nothing towards (x < 0, 190).
        EXPECT_EQ(colourBox(page, Red).height(), 4);
        EXPECT_NEAR(runAcross(page, hx(250), hy(350), is(Red)).length(), hx(40) + 4, 1);
    }
    {
        SCOPED_TRACE("a one-point cut draws nothing on the full chart either");
        const QImage page = twoSided().cut(CutVH, {{0, -50}}).chartImage();
        EXPECT_TRUE(colourBox(page, Red).isNull());
    }
}

TEST(ChartPage, FarOffPointsAreClampedAndManyPointsAreDrawn) {
    const double inf = std::numeric_limits<double>::infinity();
    {
        const QImage page = twoSided()
                                .cut(CutHV, {{0, -50}, {1e300, -50}})
                                .cut(CutVH, {{0, -75}, {-inf, -75}, {-inf, 1e300}})
                                .chartImage();
        // Each runs off its edge of the page.
        EXPECT_TRUE(isColour(page.pixel(2199, fy(350)), Blue));
        EXPECT_TRUE(isColour(page.pixel(0, fy(450)), Red));
        EXPECT_TRUE(isColour(page.pixel(fx(300), fy(450)), Red));
    }
    {
        // 100,000 points, back and forth across the whole chart.
        PatternPoints many;
        many.reserve(100000);
        for (int i = 0; i < 100000; ++i)
            many.emplace_back(-180 + (i * 37) % 361, -(i % 97));
        Antenna two = twoSided();
        two.pattern.CutPoints[CutVH] = many;
        const QImage full = two.chartImage();
        EXPECT_TRUE(isColour(full.pixel(fx(550), fy(150)), Red)); // (0, 0) is among them
        Antenna one = oneSided();
        one.pattern.CutPoints[CutVH] = many;
        const QImage half = one.chartImage();
        EXPECT_FALSE(colourBox(half, Red).isNull());
        EXPECT_GE(colourBox(half, Red).left(), hx(70) - 2);
    }
}

// ---- Pens ---------------------------------------------------------------------------------------

TEST(ChartPage, PenWidthsOnTheExportImages) {
    {
        SCOPED_TRACE("full chart, 2200 x 1700");
        const QImage page = twoSided().cut(CutVH, {{-170, -75}, {-130, -75}}).chartImage();
        const int between = fy(154); // a row between two level lines
        // SetScaledPenWidth 1: the thinnest line; 2: one unit, two pixels.
        EXPECT_EQ(runAcross(page, fx(80), between, is(Grey)).length(), 1);  // -175 degrees
        EXPECT_EQ(runAcross(page, fx(110), between, is(Grey)).length(), 2); // -160
        EXPECT_EQ(runAcross(page, fx(410), between, is(Grey)).length(), 1); // -14
        EXPECT_EQ(runAcross(page, fx(450), between, is(Grey)).length(), 2); // -10
        EXPECT_EQ(runAcross(page, fx(710), between, is(Grey)).length(), 2); // 20
        EXPECT_EQ(runAcross(page, fx(720), between, is(Grey)).length(), 1); // 25
        EXPECT_EQ(runDown(page, fx(75), fy(158), is(Grey)).length(), 1);    // -2 dB
        EXPECT_EQ(runDown(page, fx(75), fy(190), is(Grey)).length(), 2);    // -10 dB
        // Colour trace, SetScaledPenWidth 3: R(1.5) = 2 units, four pixels.
        EXPECT_EQ(runDown(page, fx(FullChartX(-150)), fy(450), is(Red)).length(), 4);
        // Frame, borders and arrows: DeviceToLogicalX(6) = 3 units, six pixels, both ways.
        EXPECT_EQ(runAcross(page, fx(70), fy(300), is(Black)).length(), 6);
        EXPECT_EQ(runAcross(page, fx(400), fy(300), is(Black)).length(), 6);
        EXPECT_EQ(runDown(page, fx(300), fy(550), is(Black)).length(), 6);
        EXPECT_EQ(runDown(page, fx(440), fy(518), is(Black)).length(), 6);
        EXPECT_EQ(runDown(page, fx(200), fy(135), is(Black)).length(), 6); // title block
    }
    {
        SCOPED_TRACE("half chart, 1200 x 1500");
        const QImage page = oneSided().cut(CutVH, {{100, -75}, {140, -75}}).chartImage();
        const int between = hy(152);
        EXPECT_EQ(runAcross(page, hx(75), between, is(Grey)).length(), 1);  // 0.5 degrees
        EXPECT_EQ(runAcross(page, hx(120), between, is(Grey)).length(), 4); // 5: R(1.5) = 2 units
        EXPECT_EQ(runAcross(page, hx(230), between, is(Grey)).length(), 4); // 20
        EXPECT_EQ(runDown(page, hx(73), hy(190), is(Grey)).length(), 4);    // -10 dB
        EXPECT_EQ(runDown(page, hx(73), hy(154), is(Grey)).length(), 1);    // -1 dB
        EXPECT_EQ(runDown(page, hx(HalfChartX(120)), hy(450), is(Red)).length(), 4);
        // DeviceToLogicalY(6) = R(2.4) = 2 units, drawn as 4 pixels through the horizontal scale.
        EXPECT_EQ(runAcross(page, hx(70), hy(300), is(Black)).length(), 4);
        EXPECT_EQ(runAcross(page, hx(220), hy(300), is(Black)).length(), 4);
        EXPECT_EQ(runDown(page, hx(300), hy(550), is(Black)).length(), 4);
        EXPECT_EQ(runDown(page, hx(200), hy(135), is(Black)).length(), 4);
    }
}

TEST(ChartPage, MonochromeTracesAndLegendSampleLines) {
    Antenna a;
    a.feed(FeedKind::Left).colour(false);
    a.cut(CutHH, {{-170, -75}, {-130, -75}})
        .cut(CutVV, {{-170, -80}, {-130, -80}})
        .cut(CutHV, {{-170, -85}, {-130, -85}})
        .cut(CutVH, {{-170, -90}, {-130, -90}});
    const QImage page = a.chartImage();
    const int x = fx(FullChartX(-150));
    // Horizontal ports 4 pixels (2 units), vertical ports 2 (1 unit), all black.
    EXPECT_EQ(runDown(page, x, fy(450), is(Black)).length(), 4);
    EXPECT_EQ(runDown(page, x, fy(470), is(Black)).length(), 2);
    EXPECT_EQ(runDown(page, x, fy(490), is(Black)).length(), 4);
    EXPECT_EQ(runDown(page, x, fy(510), is(Black)).length(), 2);
    EXPECT_TRUE(colourBox(page, Red).isNull());
    // The legend's sample lines match: 4 and 2 pixels, from x 50 to 100.
    EXPECT_EQ(runDown(page, fx(75), fy(80), is(Black)).length(), 4);
    EXPECT_EQ(runDown(page, fx(75), fy(92), is(Black)).length(), 2);
    EXPECT_NEAR(runAcross(page, fx(75), fy(80), is(Black)).length(), fx(50) + 4, 1);

    // In colour there are no sample lines.
    a.colour(true);
    const QImage colour = a.chartImage();
    EXPECT_LT(runAcross(colour, fx(75), fy(80), is(Black)).length(), 20);
    EXPECT_LT(runAcross(colour, fx(75), fy(92), is(Black)).length(), 20);
}

// ---- Texts --------------------------------------------------------------------------------------

struct Text {
    int x, y;
    QString text;
    int height;
    bool bold;
    int h = 0, v = 0;
    bool rotated = false;
};

// Draws each text alone on a white page of the same mapping and compares its surroundings with
// the chart page: the same ink means the same characters, blanks, font, size and place.
void expectTexts(const QImage& page, QSize logical, const std::vector<Text>& texts) {
    for (const Text& t : texts) {
        SCOPED_TRACE(t.text.toStdString());
        QImage alone(page.size(), QImage::Format_RGB32);
        alone.fill(White);
        QPainter painter(&alone);
        PageMapper map;
        map.BeginPage(&painter, logical.width(), logical.height());
        map.SetFont(QStringLiteral("Arial"), t.height, t.bold);
        if (t.rotated)
            map.AlignedRotatedText(t.x, t.y, t.text, t.h, t.v);
        else
            map.AlignedText(t.x, t.y, t.text, t.h, t.v);
        painter.end();
        const QRect area = inkBox(alone).adjusted(-1, -1, 1, 1);
        ASSERT_FALSE(area.isNull());
        EXPECT_EQ(differingPixels(page, alone, 0, area), 0);
    }
}

TEST(ChartPage, TitleTextsAxisNumbersAndCaptions) {
    const QString ghzLine3 = QStringLiteral("10 Foot Antenna     5.925-6.425 GHz   Dual Polarized");
    const QString ghzLine2 = QStringLiteral("10 Foot Antenna     5.925-6.425 GHz  Dual Polarized");
    const QString caption = QStringLiteral("dB Below Beam Peak");
    {
        SCOPED_TRACE("full chart, right feed, monochrome");
        Antenna a = twoSided();
        a.colour(false);
        expectTexts(
            a.chartImage(), {1100, 650},
            {{50, 20, QStringLiteral("RADIATION PATTERN ENVELOPE"), 12, true},
             {440, 30, QStringLiteral("Red Right Feed Orientation"), 12, true},
             {440, 50, QStringLiteral("Feed is installed as illustrated"), 10, false},
             {440, 65, QStringLiteral("with the RED indicator positioned"), 10, false},
             {440, 80, QStringLiteral("toward the RIGHT as viewed from"), 10, false},
             {440, 95, QStringLiteral("the back of the antenna."), 10, false},
             {50, 40, QStringLiteral("Antenna Type Number:  ZZX10-60"), 10, false},
             {50, 52, ghzLine3, 10, false},
             {50, 64, QStringLiteral("Gain:  43.1 dBi at 6.175 GHz"), 10, false},
             {110, 76, QStringLiteral("Envelope for a Horizontally Polarized Antenna (HH, HV)"), 10,
              false},
             {110, 88, QStringLiteral("Envelope for a Vertically Polarized Antenna (VV, VH)"), 10,
              false},
             {50, 104,
              QStringLiteral("For further information, ask for Quelda Bulletin 1032, "
                             "\"Radiation Pattern Envelopes.\""),
              8, false},
             {50, 116, QStringLiteral("QUELDA CORPORATION"), 10, false},
             {935, 60, QStringLiteral("RPE     12050"), 12, false},
             {935, 75, QStringLiteral("10 ft Dual Pol HP"), 12, false},
             {992, 95, QStringLiteral("Engineering Approved:"), 10, false, 1, 0},
             {992, 110, QStringLiteral("08 March 2021"), 10, false, 1, 0},
             {550, 142, QStringLiteral("A short description"), 10, false, 1, 1},
             {550, 565, QStringLiteral("Degrees"), 14, true, 1, 0},
             {110, 555, QStringLiteral("-160"), 10, false, 1, 0},
             {550, 555, QStringLiteral("0"), 10, false, 1, 0},
             {990, 555, QStringLiteral("160"), 10, false, 1, 0},
             {55, 190, QStringLiteral("10"), 10, false, 0, 1},
             {1045, 510, QStringLiteral("90"), 10, false, 2, 1},
             {35, 350, caption, 12, true, 0, 1, true},
             {1060, 350, caption, 12, true, 2, 1, true}});
    }
    {
        SCOPED_TRACE("full chart, UHP left feed");
        Antenna a = twoSided();
        a.feed(FeedKind::UhpLeft);
        expectTexts(a.chartImage(), {1100, 650},
                    {{440, 30, QStringLiteral("Red Left Feed Orientation"), 12, true},
                     {440, 80, QStringLiteral("toward the LEFT as viewed from"), 10, false}});
    }
    {
        SCOPED_TRACE("half chart");
        expectTexts(oneSided().chartImage(), {600, 600},
                    {{50, 20, QStringLiteral("RADIATION PATTERN ENVELOPE"), 12, true},
                     {50, 52, ghzLine2, 10, false},
                     {50, 116, QStringLiteral("QUELDA CORPORATION"), 10, false},
                     {460, 60, QStringLiteral("RPE     12050"), 10, false},
                     {460, 75, QStringLiteral("10 ft Dual Pol HP"), 10, false},
                     {507, 95, QStringLiteral("Engineering Approved:"), 8, false, 1, 0},
                     {507, 110, QStringLiteral("08 March 2021"), 8, false, 1, 0},
                     {310, 142, QStringLiteral("A short description"), 8, false, 1, 1},
                     {300, 565, QStringLiteral("Degrees"), 14, true, 1, 0},
                     {70, 555, QStringLiteral("0"), 10, false, 1, 0},
                     {390, 555, QStringLiteral("100"), 10, false, 1, 0},
                     {55, 510, QStringLiteral("90"), 10, false, 0, 1},
                     {45, 350, caption, 12, true, 2, 1, true}});
    }
}

TEST(ChartPage, RecordTextsAreDecodedForDisplay) {
    Antenna a = twoSided();
    a.record.setText(IndexField::Description1, "12\xC2\xB0 dish"); // UTF-8 degree sign
    a.record.setText(IndexField::RpeNumber, "\xB0"
                                            "12"); // Latin-1 degree sign
    expectTexts(a.chartImage(), {1100, 650},
                {{935, 60, QStringLiteral("RPE     \u00B012"), 12, false},
                 {935, 75, QStringLiteral("12\u00B0 dish"), 12, false}});
}

TEST(ChartPage, ColouredLegendPiecesAbut) {
    const QString lines[] = {
        QStringLiteral("Envelope for a Horizontally Polarized Antenna (HH, HV)"),
        QStringLiteral("Envelope for a Vertically Polarized Antenna (VV, VH)")};
    struct Case {
        Antenna antenna;
        QSize logical;
    };
    for (const Case& c : {Case{twoSided(), {1100, 650}}, Case{oneSided(), {600, 600}}}) {
        const QImage page = c.antenna.chartImage();
        SCOPED_TRACE(page.width());
        // The two lines drawn whole in black give the same ink, pixel for pixel.
        QImage whole(page.size(), QImage::Format_RGB32);
        whole.fill(White);
        QPainter painter(&whole);
        PageMapper map;
        map.BeginPage(&painter, c.logical.width(), c.logical.height());
        map.SetFont(QStringLiteral("Arial"), 10);
        map.TextOut(50, 76, lines[0]);
        map.TextOut(50, 88, lines[1]);
        auto pieceAt = [&](int y, const QString& line, int from, int to) {
            const double left = map.LogicalToDeviceX(50) + map.DeviceTextWidth(line.left(from));
            const double right = map.LogicalToDeviceX(50) + map.DeviceTextWidth(line.left(to));
            return QRect(QPoint(int(std::floor(left)), map.LogicalToDeviceY(y)),
                         QPoint(int(std::ceil(right)), map.LogicalToDeviceY(y + 10)));
        };
        const QRect hv = pieceAt(76, lines[0], 51, 53);
        const QRect vvvh = pieceAt(88, lines[1], 45, 51);
        painter.end();

        const QRect legend(map.LogicalToDeviceX(45), map.LogicalToDeviceY(75),
                           map.LogicalToDeviceX(380), map.LogicalToDeviceY(25));
        auto mask = [](const QImage& image, QRect area) {
            QImage m(image.size(), QImage::Format_RGB32);
            m.fill(White);
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (!isColour(image.pixel(x, y), White))
                        m.setPixel(x, y, Black);
            return m;
        };
        EXPECT_EQ(differingPixels(mask(page, legend), mask(whole, legend), 0, legend), 0);

        // Each coloured piece stands where its characters stand in the whole line.
        const QRect blue = colourBox(page, qRgb(0, 0, 255), legend);
        const QRect green = colourBox(page, qRgb(0, 128, 0), legend);
        const QRect red = colourBox(page, qRgb(255, 0, 0), legend);
        ASSERT_FALSE(blue.isNull());
        ASSERT_FALSE(green.isNull());
        ASSERT_FALSE(red.isNull());
        EXPECT_TRUE(hv.contains(blue)) << blue.x() << " " << hv.x();
        EXPECT_TRUE(vvvh.contains(green));
        EXPECT_TRUE(vvvh.contains(red));
        EXPECT_LT(green.right(), red.left());
    }
}

TEST(ChartPage, DescriptionTwoIsCentredAndLongOrEmptyTextsAreDrawnAsWritten) {
    {
        SCOPED_TRACE("centred on x 550 and 310");
        const QImage full = twoSided().chartImage();
        const QRect f = inkBox(full, QRect(QPoint(0, fy(137) + 1), QPoint(2199, fy(148))));
        EXPECT_NEAR(f.center().x(), 1100, 4);
        const QImage half = oneSided().chartImage();
        const QRect h = inkBox(half, QRect(QPoint(0, hy(137) + 1), QPoint(1199, hy(148))));
        EXPECT_NEAR(h.center().x(), 620, 4);
    }
    {
        SCOPED_TRACE("215 characters run past both edges on one line");
        for (Antenna a : {twoSided(), oneSided()}) {
            a.record.setText(IndexField::Description2, QByteArray(215, 'W'));
            const QImage page = a.chartImage();
            const bool full = page.width() == 2200;
            const QRect band = full ? QRect(QPoint(0, fy(137) + 1), QPoint(2199, fy(148)))
                                    : QRect(QPoint(0, hy(137) + 1), QPoint(1199, hy(148)));
            const QRect ink = inkBox(page, band);
            EXPECT_EQ(ink.left(), 0);
            EXPECT_EQ(ink.right(), page.width() - 1);
            EXPECT_LT(ink.height(), full ? fy(10) : hy(8)); // one line, not wrapped
        }
    }
    {
        SCOPED_TRACE("text over a frame leaves the frame whole");
        Antenna a = twoSided();
        a.record.setText(IndexField::Description1, QByteArray(20, 'W'));
        a.record.setText(IndexField::RpeNumber, QByteArray(5, 'W'));
        const QImage page = a.chartImage();
        for (int x : {fx(1060), fx(1075)}) {
            const auto line = runDown(page, x, fy(70), is(Black));
            EXPECT_LE(line.first, fy(50));
            EXPECT_GE(line.last, fy(95));
        }
    }
    {
        SCOPED_TRACE("empty fields");
        Antenna a = twoSided();
        a.record.clear();
        const QImage page = a.chartImage();
        EXPECT_EQ(runAcross(page, fx(70), fy(300), is(Black)).length(), 6);
    }
}

// ---- Pictures -----------------------------------------------------------------------------------

TEST(ChartPage, LogoFollowsTheColourOption) {
    struct Case {
        Antenna antenna;
        QSize logical;
        QRect logo;
    };
    for (Case c : {Case{twoSided(), {1100, 650}, {940, 23, 105, 33}},
                   Case{oneSided(), {600, 600}, {460, 23, 75, 25}}}) {
        QImage pictures[2];
        for (const bool colour : {false, true}) {
            SCOPED_TRACE(colour);
            c.antenna.colour(colour);
            const QImage page = c.antenna.chartImage();
            // The chosen GIF alone, stretched into the same rectangle.
            QImage alone(page.size(), QImage::Format_RGB32);
            alone.fill(White);
            QPainter painter(&alone);
            PageMapper map;
            map.BeginPage(&painter, c.logical.width(), c.logical.height());
            const QImage gif =
                QImage::fromData(LoadResourceGif(colour ? QStringLiteral("gifcolorflash")
                                                        : QStringLiteral("GIFFlASH")),
                                 "GIF");
            ASSERT_FALSE(gif.isNull());
            map.StretchBitmap(&painter, c.logo.x(), c.logo.y(), c.logo.width(), c.logo.height(),
                              gif);
            painter.end();
            const QRect area(
                QPoint(map.LogicalToDeviceX(c.logo.x()), map.LogicalToDeviceY(c.logo.y())),
                QPoint(map.LogicalToDeviceX(c.logo.x() + c.logo.width()) - 1,
                       map.LogicalToDeviceY(c.logo.y() + c.logo.height()) - 1));
            EXPECT_EQ(differingPixels(page, alone, 0, area), 0);
            pictures[colour] = page.copy(area);
        }
        EXPECT_NE(pictures[0], pictures[1]);
    }
}

TEST(ChartPage, FeedPictureOnlyOnTheFullChart) {
    const QRect feedArea(fx(725) + 4, fy(15) + 4, fx(175) - 8, fy(105) - 8);
    EXPECT_FALSE(inkBox(twoSided().chartImage(), feedArea).isNull());
    // Left and right feeds show different pictures.
    Antenna left = twoSided();
    left.feed(FeedKind::Left);
    EXPECT_GT(differingPixels(twoSided().chartImage(), left.chartImage(), 0, feedArea), 100);
}

} // namespace

// ---- Regulatory mask on the page
// -------------------------------------------------------------------

TEST(ChartPage, MaskOverlayIsDrawnDashedThroughTheChartScalesOnlyWhenGiven) {
    MaskOverlay mask;
    mask.caption = QStringLiteral("FCC 101.115 Cat. A");
    mask.lines = {{QPointF(-180, -55), QPointF(-140, -55)},
                  {QPointF(-10, -25), QPointF(-5, -25)},
                  {QPointF(5, -25), QPointF(10, -25)},
                  {QPointF(140, -55), QPointF(180, -55)}};
    const auto black = [](QRgb p) { return pagetest::isColour(p, 0xFF000000u); };

    auto draw = [&](FeedKind kind, const MaskOverlay* overlay) {
        pagetest::Antenna antenna;
        antenna.feed(kind);
        PageMapper map;
        QImage image;
        PageSource page{map, antenna.record, antenna.pattern, false, 1};
        page.Mask = overlay;
        DrawGraphPage(page, image);
        return image;
    };

    // Two-sided: both steps at -55 dB (y 370), dashed, between 140 and 180 degrees on each side.
    const QImage full = draw(FeedKind::Right, &mask);
    const QImage plain = draw(FeedKind::Right, nullptr);
    const int y = int(370 * 1700.0 / 650);
    for (const auto& [from, to] : {std::pair{FullChartX(-180), FullChartX(-140)},
                                   std::pair{FullChartX(140), FullChartX(180)}}) {
        int ink = 0, gaps = 0;
        for (int x = from * 2 + 8; x < to * 2 - 8; ++x) {
            const bool on = black(full.pixel(x, y - 1)) || black(full.pixel(x, y)) ||
                            black(full.pixel(x, y + 1));
            (on ? ink : gaps)++;
        }
        EXPECT_GT(ink, 20) << from;
        EXPECT_GT(gaps, 10) << from; // dashed, not solid
    }
    // Nothing of it elsewhere: the page above the highest step is as without a mask; the caption
    // stands just above the right end of the lines.
    const int stepTop = int(360 * 1700.0 / 650);
    EXPECT_EQ(pagetest::differingPixels(full, plain, 64,
                                        QRect(0, 0, full.width(), int(240 * 1700.0 / 650))),
              0);
    const QRect captionArea(FullChartX(120) * 2, int(330 * 1700.0 / 650),
                            (FullChartX(180) - FullChartX(120)) * 2,
                            stepTop - int(330 * 1700.0 / 650));
    EXPECT_GT(pagetest::differingPixels(full, plain, 64, captionArea), 50);

    // One-sided: only the angles from 0 up; the mirrored steps at negative angles are not drawn
    // (the one at -10 to -5 degrees would land left of the chart frame).
    const QImage half = draw(FeedKind::None, &mask);
    const QImage halfPlain = draw(FeedKind::None, nullptr);
    const int hy = int(370 * 1500.0 / 600);
    int ink = 0;
    for (int x = HalfChartX(140) * 2 + 8; x < HalfChartX(180) * 2 - 8; ++x)
        ink += black(half.pixel(x, hy)) || black(half.pixel(x, hy - 1)) ||
               black(half.pixel(x, hy + 1));
    EXPECT_GT(ink, 20);
    EXPECT_EQ(
        pagetest::differingPixels(half, halfPlain, 64, QRect(0, 0, 70 * 2 - 4, half.height())), 0);
    EXPECT_GT(pagetest::differingPixels(half, halfPlain, 64,
                                        QRect(HalfChartX(5) * 2, 0, 100, half.height())),
              0);
}
