// SPDX-License-Identifier: MIT
// The screen chart: pixel positions of the scale, traces and marks on the 960 x 400 canvas.
#include "pages/ScreenChart.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
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

namespace {

bool isBlack(const QImage& img, int x, int y) {
    return img.pixelColor(x, y) == QColor(Qt::black);
}

// The screen chart's number font: Arial 6 point, drawn without smoothing.
QFont numberFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(6);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// The box in which a number centred on (x, y) must be written: left x - w/2, top y - h/2.
QRect numberBox(const QImage& on, int x, int y, int n) {
    const QFontMetrics fm(numberFont(), &on);
    const QString text = QString::number(n);
    const int w = fm.horizontalAdvance(text);
    const int h = fm.height();
    return {x - w / 2, y - h / 2, w, h};
}

} // namespace

TEST(ScreenChart, EveryNumberSitsOnItsOwnPixels) {
    // Each number is compared pixel for pixel with the same text written alone at its place, so a
    // label moved by one pixel, or a wrong number, fails. Black pixels of the frame and of the
    // section borders are the only other black ink around the numbers.
    for (const FeedKind kind : {FeedKind::None, FeedKind::Right}) {
        QImage chart = newCanvas();
        DrawScreenChart(chart, kind);
        struct Label {
            int x, y, n;
        };
        QList<Label> labels;
        for (int i = 1; i <= 8; ++i)
            labels.push_back({40 * i, 385, 20 * i - 180});
        for (int i = 1; i <= 5; ++i)
            labels.push_back({330 + 50 * i, 385, 5 * i - 15});
        for (int i = 0; i <= 7; ++i)
            labels.push_back({640 + 40 * i, 385, 20 * i + 20});
        for (int i = 1; i <= 9; ++i)
            for (int x : {15, 330, 630, 945})
                labels.push_back({x, 40 * i, 10 * i});
        ASSERT_EQ(labels.size(), 57);

        for (const Label& l : labels) {
            QImage alone = newCanvas();
            {
                QPainter p(&alone);
                p.setFont(numberFont());
                p.setPen(Qt::black);
                p.drawText(numberBox(alone, l.x, l.y, l.n),
                           Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QString::number(l.n));
            }
            const QRect around = numberBox(chart, l.x, l.y, l.n).adjusted(-4, -3, 4, 3) &
                                 QRect(0, 0, CanvasWidth, CanvasHeight);
            // The arrows of the expanded section run just below the lowest level numbers.
            const QRect arrows(QPoint(320, 364), QPoint(640, 374));
            int ink = 0;
            for (int y = around.top(); y <= around.bottom(); ++y)
                for (int x = around.left(); x <= around.right(); ++x) {
                    if (arrows.contains(x, y))
                        continue;
                    const bool line =
                        x == 0 || x == 959 || y == 0 || y == 399 || x == 330 || x == 630;
                    const bool text = isBlack(alone, x, y);
                    ink += text;
                    ASSERT_EQ(isBlack(chart, x, y), text || line)
                        << "number " << l.n << " at (" << l.x << ", " << l.y << "), pixel " << x
                        << ", " << y;
                }
            EXPECT_GT(ink, 4) << l.n;
        }
    }
}

TEST(ScreenChart, GridLinesAlongAWholeRowAndAWholeColumn) {
    QImage chart = newCanvas();
    DrawScreenChart(chart, FeedKind::Left);
    // Row 4 crosses every vertical line and no text.
    for (int x = 0; x < CanvasWidth; ++x) {
        QColor expected = Qt::white;
        if (x == 0 || x == 959 || x == 330 || x == 630)
            expected = Qt::black;
        else if ((x < 330 && x % 10 == 0) || (x > 330 && x < 630 && x % 10 == 0) ||
                 (x > 630 && x % 10 == 0))
            expected = gridColour();
        ASSERT_EQ(chart.pixelColor(x, 4), expected) << "column " << x;
    }
    // Column 5 crosses every horizontal line, every 2 dB.
    for (int y = 0; y < CanvasHeight; ++y) {
        QColor expected = Qt::white;
        if (y == 0 || y == 399)
            expected = Qt::black;
        else if (y % 8 == 0)
            expected = gridColour();
        ASSERT_EQ(chart.pixelColor(5, y), expected) << "row " << y;
    }
}

TEST(ScreenChart, ArrowTipsSitExactlyOnTheSectionBorders) {
    // Black ink of the arrows (rows 365 to 371, the pen reaching one row further each way) below
    // the level number 90 at row 360, column by column, left and right of each tip.
    auto blackInColumn = [](const QImage& img, int x) {
        for (int y = 366; y <= 376; ++y)
            if (isBlack(img, x, y))
                return true;
        return false;
    };
    QImage two = newCanvas();
    DrawScreenChart(two, FeedKind::Right);
    for (int x = 320; x < 330; ++x)
        EXPECT_FALSE(blackInColumn(two, x)) << "left of the -15 degree tip: " << x;
    for (int x = 631; x <= 640; ++x)
        EXPECT_FALSE(blackInColumn(two, x)) << "right of the +15 degree tip: " << x;
    // The heads reach their borders: ink right next to each.
    EXPECT_TRUE(isBlack(two, 331, 368));
    EXPECT_TRUE(isBlack(two, 629, 368));
    // Shafts end at 410 and 550.
    EXPECT_TRUE(blackInColumn(two, 409));
    EXPECT_FALSE(blackInColumn(two, 411));
    EXPECT_TRUE(blackInColumn(two, 551));
    EXPECT_FALSE(blackInColumn(two, 549));

    QImage one = newCanvas();
    DrawScreenChart(one, FeedKind::None);
    // The one-sided left arrow starts at 0 degrees (x 480, a grey grid line without the arrow).
    EXPECT_TRUE(isBlack(one, 480, 368));
    for (int x = 470; x < 480; ++x)
        EXPECT_FALSE(blackInColumn(one, x)) << "left of the 0 degree tip: " << x;
    for (int x = 631; x <= 640; ++x)
        EXPECT_FALSE(blackInColumn(one, x)) << x;
    EXPECT_TRUE(blackInColumn(one, 499));
    EXPECT_FALSE(blackInColumn(one, 501));
    EXPECT_TRUE(blackInColumn(one, 611));
    EXPECT_FALSE(blackInColumn(one, 609));
}
