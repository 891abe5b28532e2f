// SPDX-License-Identifier: MIT
// The screen chart drawn at a grown size: the scale mapping at two sizes and spans, where a
// trace lands, and the size of the axis numbers.
#include "pages/GrownChart.h"

#include "pages/ChartReadout.h"
#include "pages/ScreenChart.h"

#include <gtest/gtest.h>

TEST(GrownChart, ScaleMappingAtTwoSizes) {
    struct Case {
        grown::Span span;
        int width, height;
        double angle, level; // a point of the chart
        double x, y;         // where it lands on the image
    };
    const Case cases[] = {
        // The whole two-sided chart at twice the canvas size.
        {{0, 960}, 1920, 800, 0, 0, 960, 0},
        {{0, 960}, 1920, 800, -180, -100, 0, 800},
        {{0, 960}, 1920, 800, 15, -25, 1260, 200},
        {{0, 960}, 1920, 800, 90, -50, 1560, 400},
        // The one-sided half, 480 columns, on 1300 x 500 pixels.
        {{480, 960}, 1300, 500, 0, -40, 0, 200},
        {{480, 960}, 1300, 500, 1.5, -10, 40.625, 50},
        {{480, 960}, 1300, 500, 180, -100, 1300, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.angle << " deg on " << c.width << " px");
        const double x = grown::imageX(c.span, c.width, screenXOf(c.angle));
        EXPECT_DOUBLE_EQ(x, c.x);
        EXPECT_DOUBLE_EQ(grown::imageY(c.height, c.level), c.y);
        EXPECT_DOUBLE_EQ(screenAngleAt(grown::canvasX(c.span, c.width, x)), c.angle);
    }
}

TEST(GrownChart, NumbersNeverUnderNinePixels) {
    EXPECT_EQ(grown::numberPixels(400), 9);
    EXPECT_EQ(grown::numberPixels(450), 9);
    EXPECT_EQ(grown::numberPixels(800), 16);
    EXPECT_EQ(grown::numberPixels(1000), 20);
}

TEST(GrownChart, TracesLandOnTheirScaledPixels) {
    LoadedPattern p;
    p.CutPoints[CutVV] = {{0, -25}, {180, -25}};
    p.CutPoints[CutHV] = {{-180, -75}, {180, -75}};
    const QImage image = grown::DrawGrownChart(QSize(1920, 800), {0, 960}, p);
    ASSERT_EQ(image.size(), QSize(1920, 800));
    // V/V at -25 dB: row 200, from 0 degrees (column 960) on; H/V at -75 dB: row 600.
    const QColor green = screen::cutColour(CutVV);
    const QColor blue = screen::cutColour(CutHV);
    for (const int x : {1000, 1400, 1800}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(image.pixelColor(x, 200) == green || image.pixelColor(x, 199) == green);
        EXPECT_TRUE(image.pixelColor(x, 600) == blue || image.pixelColor(x, 599) == blue);
        EXPECT_NE(image.pixelColor(x, 300), green);
    }
    EXPECT_NE(image.pixelColor(500, 200), green); // no V/V left of the main beam
    // The traces are 4 pixels wide at twice the size, not 2.
    int rows = 0;
    for (int y = 190; y < 210; ++y)
        rows += image.pixelColor(1400, y) == green;
    EXPECT_EQ(rows, 4);
}

TEST(GrownChart, ZoomKeepsThePivotAndItsLimits) {
    const grown::Zoom whole{-180, 180, 0, -100};
    struct Case {
        const char* what;
        grown::Zoom zoom;
        double from, to, top, bottom;
    };
    const Case cases[] = {
        {"half the span around 0", grown::zoomAngles(whole, 0, 0.5, -180, 180), -90, 90, 0, -100},
        {"around 90: the pivot keeps its place", grown::zoomAngles(whole, 90, 0.5, -180, 180), -45,
         135, 0, -100},
        {"never under 2 degrees", grown::zoomAngles(whole, 10, 0.001, -180, 180),
         10 - 2 * 190.0 / 360, 12 - 2 * 190.0 / 360, 0, -100},
        {"never past the chart", grown::zoomAngles(whole, 0, 3, 0, 180), 0, 180, 0, -100},
        {"one-sided: kept on its side", grown::zoomAngles(whole, 2, 0.1, 0, 180), 0, 36, 0, -100},
        {"levels around -50", grown::zoomLevels(whole, -50, 0.5), -180, 180, -25, -75},
        {"levels never under 4 dB", grown::zoomLevels(whole, -50, 0.001), -180, 180, -48, -52},
        {"pan within the chart", grown::pan({0, 20, 0, -50}, -30, 80, -180, 180), -30, -10, 0, -50},
        {"pan stops at the ends", grown::pan({0, 20, -20, -70}, 200, -80, -180, 180), 160, 180, -50,
         -100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(c.zoom.fromAngle, c.from, 1e-9);
        EXPECT_NEAR(c.zoom.toAngle, c.to, 1e-9);
        EXPECT_NEAR(c.zoom.topLevel, c.top, 1e-9);
        EXPECT_NEAR(c.zoom.bottomLevel, c.bottom, 1e-9);
    }
    // The linear mapping both ways.
    const grown::Zoom z{0, 20, -10, -60};
    EXPECT_DOUBLE_EQ(grown::zoomX(z, 800, 5), 200);
    EXPECT_DOUBLE_EQ(grown::zoomAngleAt(z, 800, 200), 5);
    EXPECT_DOUBLE_EQ(grown::zoomY(z, 500, -35), 250);
    EXPECT_DOUBLE_EQ(grown::zoomLevelAt(z, 500, 250), -35);
    EXPECT_EQ(grown::gridStep(20, 12), 2);
    EXPECT_EQ(grown::gridStep(2, 12), 0.2);
    EXPECT_EQ(grown::gridStep(360, 12), 50);
}
