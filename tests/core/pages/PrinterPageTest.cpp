// SPDX-License-Identifier: MIT
// The rules of the printer pages that the export images do not share: the pen width dialog's
// factor, the thinnest line as an explicit one-dot pen, and monochrome trace widths that are
// kept apart where the page's scale rounds them alike.
#include "PageTestSupport.h"
#include "pages/ChartPage.h"
#include "pages/PageRoutines.h"

#include <QtGui/QPaintEngine>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <gtest/gtest.h>
#include <vector>

using namespace pagetest;

namespace {

constexpr QRgb Red = qRgb(191, 0, 0);
constexpr QRgb Black = qRgb(0, 0, 0);

auto is(QRgb colour) {
    return [colour](QRgb p) { return isColour(p, colour); };
}

// A printer page of the given size at 600 dpi that records the pen of every stroke drawn on it.
class StrokeEngine : public QPaintEngine {
public:
    StrokeEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyPen)
            pen = state.pen();
    }
    void drawLines(const QLine*, int) override { stroke(); }
    void drawLines(const QLineF*, int) override { stroke(); }
    void drawRects(const QRect*, int) override { stroke(); }
    void drawRects(const QRectF*, int) override { stroke(); }
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override { stroke(); }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { stroke(); }
    void drawPath(const QPainterPath&) override { stroke(); }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }
    void drawTextItem(const QPointF&, const QTextItem&) override {}
    Type type() const override { return QPaintEngine::User; }

    QPen pen;
    std::vector<QPen> strokes;

private:
    void stroke() {
        if (pen.style() != Qt::NoPen)
            strokes.push_back(pen);
    }
};

class StrokePage : public QPaintDevice {
public:
    StrokePage(int width, int height) : width_(width), height_(height) {}
    ~StrokePage() override = default;
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable StrokeEngine engine;

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return width_;
        case PdmHeight:
            return height_;
        case PdmWidthMM:
            return width_ * 254 / 6000;
        case PdmHeightMM:
            return height_ * 254 / 6000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 600;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    int width_, height_;
};

// A white page of printer size (letter at 600 dpi without margins, by default) with the
// printer page routine of `draw` drawn on it.
template <typename Draw> QImage printerPage(QSize size, Draw draw) {
    QImage page(size, QImage::Format_RGB32);
    page.fill(White);
    QPainter painter(&page);
    draw(painter);
    return page;
}

// ---- Pen factor ---------------------------------------------------------------------------------

TEST(PrinterPages, TheChosenPenFactorSetsThePrintedWidths) {
    Antenna two;
    two.feed(FeedKind::Right).colour(true).cut(CutVH, {{-170, -75}, {-130, -75}});
    // Landscape letter: 6 pixels a unit across. A colour trace is SetScaledPenWidth 3:
    // DeviceToLogicalX(3 x factor) units of 6 pixels, the thinnest line where that is 0.
    const std::pair<int, int> cases[] = {{0, 12}, {1, 1}, {2, 6}, {3, 12}, {9, 12}};
    for (const auto& [factor, pixels] : cases) {
        SCOPED_TRACE(factor);
        const QImage page = printerPage(QSize(6600, 5100), [&](QPainter& painter) {
            PageMapper map;
            DrawLandscapeGraphPage(PageSource{map, two.record, two.pattern, true, factor}, painter);
        });
        EXPECT_EQ(
            runDown(page, toDevice(FullChartX(-150), 1100, 6600), toDevice(450, 650, 5100), is(Red))
                .length(),
            pixels);
    }
    // The export image keeps factor 1 whatever is chosen: R(1.5) = 2 units, 4 pixels.
    PageMapper map;
    QImage image;
    DrawLandscapeGraphPage(PageSource{map, two.record, two.pattern, true, 3}, image);
    EXPECT_EQ(
        runDown(image, toDevice(FullChartX(-150), 1100, 2200), toDevice(450, 650, 1700), is(Red))
            .length(),
        4);
}

// ---- The thinnest line --------------------------------------------------------------------------

TEST(PrinterPages, TheThinnestLineIsAnExplicitOneDotPen) {
    {
        SCOPED_TRACE("PageMapper: 0 units is ThinnestPenPixels wide");
        QImage surface(100, 100, QImage::Format_RGB32);
        QPainter painter(&surface);
        PageMapper map;
        map.BeginPage(&painter, 1000, 1000);
        map.SetPen(Qt::black, 0);
        EXPECT_TRUE(painter.pen().isCosmetic());
        map.ThinnestPenPixels = 1;
        map.SetPenWidth(0);
        EXPECT_FALSE(painter.pen().isCosmetic());
        EXPECT_EQ(painter.pen().widthF(), 1.0);
        map.SetPen(Qt::black, 10); // 1 pixel by the scale: unchanged
        EXPECT_EQ(painter.pen().widthF(), 1.0);
    }

    PageMapper map;
    Antenna two;
    two.feed(FeedKind::Left).colour(false).cut(CutVV, {{-170, -75}, {-130, -75}});
    {
        SCOPED_TRACE("the chart page, narrow pens: the one-unit grid lines come out 0 units");
        StrokePage page(6600, 5100);
        QPainter painter(&page);
        DrawLandscapeGraphPage(PageSource{map, two.record, two.pattern, false, 1}, painter);
        painter.end();
        const std::vector<QPen>& strokes = page.engine.strokes;
        ASSERT_GT(strokes.size(), 150u);
        int thinnest = 0;
        for (const QPen& pen : strokes) {
            EXPECT_FALSE(pen.isCosmetic());
            EXPECT_GE(pen.widthF(), 1.0);
            thinnest += pen.widthF() == 1.0;
        }
        EXPECT_GT(thinnest, 100); // the grid
    }
    {
        SCOPED_TRACE("the data sheet on large paper, where even its frame comes out 0 units");
        StrokePage page(19866, 28087); // A0
        QPainter painter(&page);
        DrawDataPage(PageSource{map, two.record, two.pattern, false, 3}, painter);
        painter.end();
        ASSERT_FALSE(page.engine.strokes.empty());
        for (const QPen& pen : page.engine.strokes) {
            EXPECT_FALSE(pen.isCosmetic());
            EXPECT_GE(pen.widthF(), 1.0);
        }
    }
    // The image routines go back to the cosmetic pen on the same mapping.
    QImage image;
    DrawDataPage(PageSource{map, two.record, two.pattern, false, 3}, image);
    EXPECT_EQ(map.ThinnestPenPixels, 0);
}

// ---- Monochrome widths --------------------------------------------------------------------------

TEST(PrinterPages, MonochromeWidthsThatRoundAlikeAreKeptApart) {
    Antenna one;
    one.feed(FeedKind::None).colour(false);
    one.cut(CutHH, {{100, -75}, {140, -75}})
        .cut(CutVV, {{100, -80}, {140, -80}})
        .cut(CutHV, {{100, -85}, {140, -85}})
        .cut(CutVH, {{100, -90}, {140, -90}});
    // Portrait letter without margins, 8.5 pixels a unit across: at factor 3, 12 and 6 pixels
    // both round to 1 unit; the horizontal ports get 2 units (17 pixels), the vertical keep 1
    // (8 pixels), and so do the legend's sample lines.
    const QImage page = printerPage(QSize(5100, 6600), [&](QPainter& painter) {
        PageMapper map;
        DrawPortraitGraphPage(PageSource{map, one.record, one.pattern, false, 0}, painter);
        EXPECT_EQ(map.DeviceToLogicalX(12), map.DeviceToLogicalX(6));
        const MonoTraceWidths widths =
            MonoTracePenWidths(PageSource{map, one.record, one.pattern, false, 3});
        EXPECT_EQ(widths.Horizontal, 2);
        EXPECT_EQ(widths.Vertical, 1);
        // Narrow: 4 and 2 pixels both round to 0 units; the horizontal ports get 1.
        const MonoTraceWidths narrow =
            MonoTracePenWidths(PageSource{map, one.record, one.pattern, false, 1});
        EXPECT_EQ(narrow.Horizontal, 1);
        EXPECT_EQ(narrow.Vertical, 0);
    });
    const int x = toDevice(HalfChartX(120), 600, 5100);
    const int y[] = {450, 470, 490, 510};
    const int expected[] = {17, 8, 17, 8};
    for (int cut = 0; cut < 4; ++cut) {
        SCOPED_TRACE(cut);
        EXPECT_NEAR(runDown(page, x, toDevice(y[cut], 650, 6600), is(Black)).length(),
                    expected[cut], 1);
    }
    EXPECT_NEAR(runDown(page, toDevice(75, 600, 5100), toDevice(80, 650, 6600), is(Black)).length(),
                17, 1);
    EXPECT_NEAR(runDown(page, toDevice(75, 600, 5100), toDevice(92, 650, 6600), is(Black)).length(),
                8, 1);

    // Where the widths differ anyway they are left as they are: the export image, 2 and 1 units.
    PageMapper map;
    QImage image;
    DrawPortraitGraphPage(PageSource{map, one.record, one.pattern, false, 1}, image);
    const MonoTraceWidths widths =
        MonoTracePenWidths(PageSource{map, one.record, one.pattern, false, 1});
    EXPECT_EQ(widths.Horizontal, 2);
    EXPECT_EQ(widths.Vertical, 1);
}

} // namespace
