// The screen chart: pixel positions of the scale, traces and marks on the 960 x 400 canvas.
#include "graph/ScreenChart.h"

#include <gtest/gtest.h>

using namespace screen;

namespace {

bool near(const QImage& img, int x, int y, const QColor& c, int radius = 1) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < img.width() && py < img.height() &&
                img.pixelColor(px, py) == c)
                return true;
        }
    return false;
}

// Bounding box of pixels that are neither white nor grid grey within a region.
QRect inkBox(const QImage& img, const QRect& region) {
    QRect box;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c != QColor(Qt::white) && c != gridColour())
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

} // namespace

TEST(ScreenScale, AnglesAndLevelsMapAsTheScaleSays) {
    EXPECT_EQ(angleToX(0), 480);
    EXPECT_EQ(angleToX(-180), 0);
    EXPECT_EQ(angleToX(180), 960);
    EXPECT_EQ(angleToX(15), 630);
    EXPECT_EQ(angleToX(-15), 330);
    EXPECT_EQ(angleToX(15.1), 630);  // R(30.2 - 30) = 0
    EXPECT_EQ(angleToX(12.25), 602); // R(272.5) = 272, half to even
    EXPECT_EQ(angleToX(-102.5), 155);
    EXPECT_EQ(levelToY(0), 0);
    EXPECT_EQ(levelToY(-100), 400);
    EXPECT_EQ(levelToY(-10), 40);
    EXPECT_EQ(levelToY(-105), 420);
    EXPECT_EQ(levelToY(-0.125), 0);  // 0.5 rounds to even
    EXPECT_EQ(levelToY(-0.375), 2);  // 1.5 rounds to even
    EXPECT_GT(angleToX(1e300), 960); // far off the canvas, never undefined
    EXPECT_LT(levelToY(1e300), 0);
}

TEST(ScreenChart, TracesLandOnTheirMappedPixelsInTheirColours) {
    QImage canvas = newCanvas();
    DrawScreenChart(canvas, FeedKind::Right);
    DrawScreenTrace(canvas, {{-15, -10}, {15, -10}}, CutVV);
    DrawScreenTrace(canvas, {{-180, -50}, {-100, -50}}, CutHV);
    DrawScreenTrace(canvas, {{100, -60}, {180, -60}}, CutVH);
    DrawScreenTrace(canvas, {{-30, -90}, {-20, -90}}, CutHH);
    EXPECT_TRUE(near(canvas, 330, 40, QColor(0, 191, 0)));
    EXPECT_TRUE(near(canvas, 480, 40, QColor(0, 191, 0)));
    EXPECT_TRUE(near(canvas, 630, 40, QColor(0, 191, 0)));
    EXPECT_TRUE(near(canvas, 100, 200, QColor(0, 0, 191)));
    EXPECT_TRUE(near(canvas, 900, 240, QColor(191, 0, 0)));
    EXPECT_TRUE(near(canvas, 305, 360, QColor(0, 0, 0)));
    // Not drawn elsewhere: the green line stays on its row.
    EXPECT_FALSE(near(canvas, 480, 60, QColor(0, 191, 0), 3));
}

TEST(ScreenChart, EmptyAndSinglePointCutsDrawNothingAndFarLevelsAreCut) {
    QImage blank = newCanvas();
    DrawScreenChart(blank, FeedKind::None);
    QImage canvas = blank.copy();
    DrawScreenTrace(canvas, {}, CutHH);
    DrawScreenTrace(canvas, {{0, -20}}, CutVV);
    EXPECT_EQ(canvas, blank);
    // A level of -105 runs off the bottom edge; what is on the canvas is still drawn.
    DrawScreenTrace(canvas, {{20, -90}, {40, -105}}, CutVH);
    EXPECT_TRUE(near(canvas, 642, 360, QColor(191, 0, 0)));
    EXPECT_TRUE(near(canvas, 666, 399, QColor(191, 0, 0), 2));
}

TEST(ScreenChart, FrameGridNumbersAndTheExpandedScaleMark) {
    QImage one = newCanvas();
    DrawScreenChart(one, FeedKind::None);
    QImage two = newCanvas();
    DrawScreenChart(two, FeedKind::Left);
    // Frame and section borders in black, grid in grey.
    EXPECT_EQ(one.pixelColor(0, 200), QColor(Qt::black));
    EXPECT_EQ(one.pixelColor(330, 100), QColor(Qt::black));
    EXPECT_EQ(one.pixelColor(630, 100), QColor(Qt::black));
    EXPECT_EQ(one.pixelColor(340, 100), gridColour());
    EXPECT_EQ(one.pixelColor(100, 8), gridColour());
    EXPECT_EQ(one.pixelColor(105, 10), QColor(Qt::white));

    // "Expanded Scale" is centred at 560 for a one-sided chart and at 480 for a two-sided one.
    // (rows above the arrow heads, columns inside the section borders)
    const QRect a = inkBox(one, QRect(501, 350, 109, 14));
    const QRect b = inkBox(two, QRect(341, 350, 278, 14));
    ASSERT_FALSE(a.isEmpty());
    ASSERT_FALSE(b.isEmpty());
    EXPECT_NEAR(a.center().x(), 560, 6); // ink vs. advance width
    EXPECT_NEAR(b.center().x(), 480, 6);
    EXPECT_GE(a.top(), 360);

    // Arrow tips: the left one starts at 0 degrees on a one-sided chart, at -15 otherwise.
    EXPECT_TRUE(near(one, 481, 368, QColor(Qt::black), 0));
    EXPECT_TRUE(near(one, 498, 368, QColor(Qt::black), 1));
    EXPECT_FALSE(near(one, 400, 368, QColor(Qt::black), 0));
    EXPECT_TRUE(near(two, 400, 368, QColor(Qt::black), 1));
    EXPECT_TRUE(near(two, 560, 368, QColor(Qt::black), 1));

    // Level numbers sit centred on their rows, four times each.
    const QRect ten = inkBox(one, QRect(5, 30, 20, 20));
    ASSERT_FALSE(ten.isEmpty());
    EXPECT_NEAR(ten.center().y(), 40, 2);
    EXPECT_NEAR(ten.center().x(), 15, 2);
    EXPECT_FALSE(inkBox(one, QRect(935, 30, 20, 20)).isEmpty());
}
