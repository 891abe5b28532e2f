// SPDX-License-Identifier: MIT
// The logical page is checked by drawing on bitmaps of several shapes and reading the pixels back:
// where shapes land, how wide pens come out, where aligned text puts its ink and that glyphs keep
// their shape when the page is stretched unevenly.
#include "pages/PageMapper.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr QRgb White = 0xFFFFFFFFu;

struct Surface {
    int width;
    int height;
};

// The three bitmaps an 800 x 1000 page is drawn on: 2x, 6x and an uneven landscape.
constexpr Surface Twice{1600, 2000};
constexpr Surface SixTimes{4800, 6000};
constexpr Surface Landscape{2200, 1700}; // 2.75 across, 1.7 down

// A white bitmap with a painter on it and an 800 x 1000 logical page mapped onto it.
class Page {
public:
    explicit Page(Surface surface) : image(surface.width, surface.height, QImage::Format_RGB32) {
        image.fill(White);
        painter.begin(&image);
        print.BeginPage(&painter, 800, 1000);
        print.SetPenPixels(Qt::black, 0);
        print.SetFont(QStringLiteral("Arial"), 24);
    }
    const QImage& done() {
        if (painter.isActive())
            painter.end();
        return image;
    }

    QImage image;
    QPainter painter;
    PageMapper print;
};

// Bounding box of the pixels inside `area` that match; null when there are none.
QRect boxWhere(const QImage& image, const std::function<bool(QRgb)>& match, QRect area = {}) {
    if (area.isNull())
        area = image.rect();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (match(row[x])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return left > right ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect inkBox(const QImage& image, QRect area = {}) {
    return boxWhere(
        image, [](QRgb c) { return c != White; }, area);
}

// Inked pixels in column x from row y0 to y1, and in row y from column x0 to x1.
int inkDown(const QImage& image, int x, int y0, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        n += image.pixel(x, y) != White;
    return n;
}
int inkAcross(const QImage& image, int y, int x0, int x1) {
    int n = 0;
    for (int x = x0; x <= x1; ++x)
        n += image.pixel(x, y) != White;
    return n;
}

// The rows (or columns) of an area holding any ink.
std::set<int> inkedRows(const QImage& image, QRect area) {
    std::set<int> rows;
    for (int y = area.top(); y <= area.bottom(); ++y)
        if (inkAcross(image, y, area.left(), area.right()) > 0)
            rows.insert(y);
    return rows;
}
std::set<int> inkedColumns(const QImage& image, QRect area) {
    std::set<int> columns;
    for (int x = area.left(); x <= area.right(); ++x)
        if (inkDown(image, x, area.top(), area.bottom()) > 0)
            columns.insert(x);
    return columns;
}

// ---- Mapping ------------------------------------------------------------------------------------

TEST(PrintMapping, DeviceToLogicalRoundsHalfToEven) {
    PageMapper print;
    print.SetLogicalSize(800, 1000);
    print.MapToDevice(nullptr, 4800, 6000);
    EXPECT_EQ(print.DeviceToLogicalX(6), 1);
    EXPECT_EQ(print.DeviceToLogicalY(6), 1);
    EXPECT_EQ(print.DeviceToLogicalX(9), 2); // 1.5

    print.MapToDevice(nullptr, 1600, 2000);
    EXPECT_EQ(print.DeviceToLogicalX(6), 3);
    EXPECT_EQ(print.DeviceToLogicalX(5), 2); // 2.5
    EXPECT_EQ(print.DeviceToLogicalX(7), 4); // 3.5
    EXPECT_EQ(print.DeviceToLogicalX(-5), -2);
    EXPECT_EQ(print.DeviceToLogicalY(5), 2);
    EXPECT_EQ(print.DeviceToLogicalY(1), 0); // 0.5

    print.MapToDevice(nullptr, 2200, 1700);
    EXPECT_EQ(print.DeviceToLogicalX(11), 4);  // 4
    EXPECT_EQ(print.DeviceToLogicalY(17), 10); // 10
    EXPECT_EQ(print.DeviceToLogicalY(22), 13); // 12.94
}

TEST(PrintMapping, FarOffPositionsStayInRange) {
    // A chart clamps its points to +-1e8 logical units; a big printer page scales that past the
    // range of an int, so device positions stop at +-2^30.
    PageMapper print;
    print.SetLogicalSize(600, 650);
    print.MapToDevice(nullptr, 24000, 26000);
    EXPECT_EQ(print.LogicalToDeviceX(300), 12000);
    EXPECT_EQ(print.LogicalToDeviceX(100000700), 1 << 30);
    EXPECT_EQ(print.LogicalToDeviceY(-100000000), -(1 << 30));
}

TEST(PrintMapping, LinesLandOnTheMappedPixels) {
    struct Case {
        Surface surface;
        QPoint topLeft;     // device pixel of logical 100, 100
        QPoint bottomRight; // device pixel of logical 700, 900
    };
    for (const Case& c :
         {Case{Twice, {200, 200}, {1400, 1800}}, Case{SixTimes, {600, 600}, {4200, 5400}},
          Case{Landscape, {275, 170}, {1925, 1530}}}) {
        SCOPED_TRACE(c.surface.width);
        Page page(c.surface);
        page.print.Line(100, 100, 100, 900);
        page.print.SetPenPixels(Qt::blue, 0);
        page.print.Polyline(QPolygon({QPoint(100, 100), QPoint(700, 100), QPoint(700, 900)}));
        const QImage& image = page.done();
        EXPECT_EQ(boxWhere(image, [](QRgb p) { return p == qRgb(0, 0, 0); }),
                  QRect(QPoint(c.topLeft.x(), c.topLeft.y() + 1),
                        QPoint(c.topLeft.x(), c.bottomRight.y())));
        EXPECT_EQ(inkBox(image), QRect(c.topLeft, c.bottomRight));
        EXPECT_EQ(inkedColumns(image, QRect(0, c.bottomRight.y() / 2, image.width(), 1)),
                  (std::set<int>{c.topLeft.x(), c.bottomRight.x()}));
    }
}

TEST(PrintMapping, PositionsRoundHalfToEven) {
    Page page(Landscape);
    page.print.Line(2, 100, 2, 200);   // 5.5 -> 6
    page.print.Line(6, 100, 6, 200);   // 16.5 -> 16
    page.print.Line(100, 5, 200, 5);   // 8.5 -> 8
    page.print.Line(100, 15, 200, 15); // 25.5 -> 26
    const QImage& image = page.done();
    EXPECT_EQ(inkedColumns(image, QRect(0, 170, 100, 171)), (std::set<int>{6, 16}));
    EXPECT_EQ(inkedRows(image, QRect(275, 0, 276, 100)), (std::set<int>{8, 26}));
}

TEST(PrintMapping, MapToDeviceDropsThePaintersOwnTransform) {
    QImage image(1600, 2000, QImage::Format_RGB32);
    image.fill(White);
    QPainter painter(&image);
    painter.scale(3, 2);
    painter.setWindow(0, 0, 10, 10);
    PageMapper print;
    print.SetLogicalSize(800, 1000);
    print.MapToDevice(&painter, 1600, 2000);
    print.SetCanvas(&painter);
    print.SetPenPixels(Qt::black, 0);
    print.Line(100, 100, 100, 900);
    painter.end();
    EXPECT_EQ(inkBox(image), QRect(QPoint(200, 200), QPoint(200, 1800)));
}

// ---- Shapes -------------------------------------------------------------------------------------

TEST(PrintShapes, RectanglesCoverTheMappedPixelsAndThePageFillsTheSurface) {
    struct Case {
        Surface surface;
        QRect frame; // device pixels of Rectangle(100, 100, 300, 250)
        QRect fill;  // device pixels of FillRect(400, 500, 500, 600)
    };
    for (const Case& c : {Case{Twice, QRect(200, 200, 400, 300), QRect(800, 1000, 200, 200)},
                          Case{SixTimes, QRect(600, 600, 1200, 900), QRect(2400, 3000, 600, 600)},
                          Case{Landscape, QRect(275, 170, 550, 255), QRect(1100, 850, 275, 170)}}) {
        SCOPED_TRACE(c.surface.width);
        Page page(c.surface);
        page.print.Rectangle(0, 0, 800, 1000);
        page.print.Rectangle(100, 100, 300, 250, QColor(Qt::green));
        page.print.FillRect(400, 500, 500, 600, Qt::red);
        page.print.Ellipse(500, 100, 700, 250);
        const QImage& image = page.done();
        const int w = c.surface.width, h = c.surface.height;

        // The whole page reaches every edge of the surface, whatever its shape.
        EXPECT_NE(image.pixel(0, h / 2), White);
        EXPECT_NE(image.pixel(w - 1, h / 2), White);
        EXPECT_NE(image.pixel(w / 2, 0), White);
        EXPECT_NE(image.pixel(w / 2, h - 1), White);
        EXPECT_EQ(image.pixel(1, h / 2), White);
        EXPECT_EQ(image.pixel(w - 2, h / 2), White);

        const QRect inside(2, 2, w / 2 - 4, h / 2 - 4);
        EXPECT_EQ(inkBox(image, inside), c.frame);
        // The ellipse fills the same box, 400 units to the right.
        EXPECT_EQ(inkBox(image, inside.translated(w / 2, 0)), c.frame.translated(w / 2, 0));
        EXPECT_EQ(boxWhere(image, [](QRgb p) { return p == qRgb(0, 255, 0); }),
                  c.frame.adjusted(1, 1, -1, -1)); // the fill stays inside the frame
        EXPECT_EQ(boxWhere(image, [](QRgb p) { return p == qRgb(255, 0, 0); }), c.fill);
    }
}

TEST(PrintShapes, PenWidthsAreWholeDevicePixels) {
    Page page(SixTimes);
    const int pixels[] = {0, 1, 2, 3, 4, 7, 12};
    for (int i = 0; i < 7; ++i) {
        page.print.SetPenPixels(Qt::black, pixels[i]);
        page.print.Line(100, 100 + 100 * i, 300, 100 + 100 * i);
        page.print.Line(400 + 50 * i, 100, 400 + 50 * i, 300);
    }
    // Widths given in logical units: 6 and 12 device pixels, and the one-pixel pen.
    const int logical[] = {page.print.DeviceToLogicalX(6), page.print.DeviceToLogicalY(12), 0};
    for (int i = 0; i < 3; ++i) {
        page.print.SetPen(Qt::black, logical[i]);
        page.print.Line(100, 800 + 50 * i, 300, 800 + 50 * i);
    }
    const QImage& image = page.done();
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(pixels[i]);
        const int wanted = std::max(pixels[i], 1);
        const int y = 600 + 600 * i, x = 2400 + 300 * i;
        EXPECT_EQ(inkAcross(image, 1200, x - 20, x + 20), wanted);
        // One solid band of rows around the line's own row.
        const QRect band = inkBox(image, QRect(1200, y - 20, 1, 41));
        EXPECT_EQ(inkDown(image, 1200, y - 20, y + 20), wanted);
        EXPECT_EQ(band.height(), wanted);
        EXPECT_LE(std::abs(band.top() + band.bottom() - 2 * y), wanted);
    }
    EXPECT_EQ(inkDown(image, 1200, 4780, 4820), 6);
    EXPECT_EQ(inkDown(image, 1200, 5080, 5120), 12);
    EXPECT_EQ(inkDown(image, 1200, 5380, 5420), 1);
}

TEST(PrintShapes, PensAreNotStretchedOnUnevenPages) {
    Page page(Landscape);
    page.print.SetPen(Qt::black, 1); // 2.75 device pixels across -> 3
    page.print.Line(100, 100, 300, 100);
    page.print.Line(500, 100, 500, 300);
    const QImage& image = page.done();
    EXPECT_EQ(inkDown(image, 550, 150, 190), 3);
    EXPECT_EQ(inkAcross(image, 340, 1355, 1395), 3);
}

TEST(PrintShapes, StretchBitmapCopiesPixelsWithoutSmoothing) {
    QImage bitmap(2, 2, QImage::Format_Indexed8);
    const QList<QRgb> table{qRgb(255, 0, 0), qRgb(0, 160, 0), qRgb(0, 0, 255), qRgb(250, 200, 0)};
    bitmap.setColorTable(table);
    bitmap.setPixel(0, 0, 0);
    bitmap.setPixel(1, 0, 1);
    bitmap.setPixel(0, 1, 2);
    bitmap.setPixel(1, 1, 3);

    struct Case {
        Surface surface;
        QRect target; // device pixels of the logical rectangle 100, 200, 100 x 100
    };
    for (const Case& c :
         {Case{Twice, QRect(200, 400, 200, 200)}, Case{Landscape, QRect(275, 340, 275, 170)}}) {
        SCOPED_TRACE(c.surface.width);
        Page page(c.surface);
        page.painter.setRenderHint(QPainter::SmoothPixmapTransform);
        page.print.StretchBitmap(&page.painter, 100, 200, 100, 100, bitmap);
        const QImage& image = page.done();
        EXPECT_EQ(inkBox(image), c.target);

        std::set<QRgb> colours;
        for (int y = c.target.top(); y <= c.target.bottom(); ++y)
            for (int x = c.target.left(); x <= c.target.right(); ++x)
                colours.insert(image.pixel(x, y) | 0xFF000000u);
        EXPECT_EQ(colours, std::set<QRgb>(table.begin(), table.end()));

        // Each quadrant is solid away from the split, which may fall either way on odd sizes.
        const QPoint centre = c.target.center();
        for (int quadrant = 0; quadrant < 4; ++quadrant) {
            const QRect area = QRect(QPoint(quadrant % 2 ? centre.x() + 2 : c.target.left(),
                                            quadrant / 2 ? centre.y() + 2 : c.target.top()),
                                     QPoint(quadrant % 2 ? c.target.right() : centre.x() - 1,
                                            quadrant / 2 ? c.target.bottom() : centre.y() - 1));
            const QRgb wanted = table[quadrant];
            EXPECT_EQ(boxWhere(
                          image, [&](QRgb p) { return p != wanted; }, area),
                      QRect())
                << "quadrant " << quadrant;
        }
    }
}

// ---- Text ---------------------------------------------------------------------------------------

// The ink of `text` drawn by `draw` on a fresh page, with the metrics of the page's font.
struct Inked {
    QRect box;
    int advance = 0;
    int height = 0;
    int ascent = 0;
};
Inked inkOf(Surface surface, const QString& text, const std::function<void(PageMapper&)>& draw) {
    Page page(surface);
    draw(page.print);
    const QFontMetrics metrics = page.painter.fontMetrics();
    return {inkBox(page.done()), metrics.horizontalAdvance(text), metrics.height(),
            metrics.ascent()};
}

// How far the mapping may put an aligned text from the exact spot: the rounding to logical units
// (one unit of the coarser axis) and a pixel.
int tolerance(Surface s) {
    return int(std::ceil(std::max(s.width / 800.0, s.height / 1000.0))) + 1;
}

int shiftFor(int code, int extent) {
    return code == 1 ? extent / 2 : code == 2 ? extent : 0;
}

TEST(PrintText, AlignedTextPutsTheTextCellOnThePoint) {
    const QString text = QStringLiteral("Hxg8 Az");
    for (const Surface surface : {Twice, Landscape}) {
        SCOPED_TRACE(surface.width);
        const QPoint point(surface.width / 2, surface.height / 2); // logical 400, 500
        const int tol = tolerance(surface);
        auto aligned = [&](int h, int v) {
            return inkOf(surface, text,
                         [&](PageMapper& print) { print.AlignedText(400, 500, text, h, v); });
        };
        const Inked plain = aligned(0, 0);
        ASSERT_FALSE(plain.box.isNull());
        // Code 0, 0: the cell's top-left corner is on the point.
        EXPECT_GE(plain.box.left(), point.x());
        EXPECT_LE(plain.box.left(), point.x() + plain.height / 8);
        EXPECT_GT(plain.box.top(), point.y());
        EXPECT_LT(plain.box.top(), point.y() + plain.ascent / 2);
        EXPECT_LE(plain.box.right(), point.x() + plain.advance);
        EXPECT_LT(plain.box.bottom(), point.y() + plain.height);

        for (int h = 0; h <= 3; ++h) {
            for (int v = 0; v <= 3; ++v) {
                SCOPED_TRACE(testing::Message() << "codes " << h << ", " << v);
                const Inked ink = aligned(h, v);
                EXPECT_EQ(ink.box.size(), plain.box.size());
                EXPECT_NEAR(ink.box.left(), plain.box.left() - shiftFor(h, plain.advance), tol);
                EXPECT_NEAR(ink.box.top(), plain.box.top() - shiftFor(v, plain.height), tol);
                if (h == 3 || v == 3) { // codes above 2 act as 0
                    EXPECT_EQ(ink.box, aligned(h == 3 ? 0 : h, v == 3 ? 0 : v).box);
                }
            }
        }
    }
}

TEST(PrintText, AlignedRotatedTextReadsUpwardsAndCentres) {
    const QString text = QStringLiteral("Gain (dB)");
    for (const Surface surface : {Twice, Landscape}) {
        SCOPED_TRACE(surface.width);
        const QPoint point(surface.width / 2, surface.height / 2);
        const int tol = tolerance(surface);
        auto aligned = [&](int h, int v) {
            return inkOf(surface, text, [&](PageMapper& print) {
                print.AlignedRotatedText(400, 500, text, h, v);
            });
        };
        // Unaligned, the turned cell stands on the point and extends up and to the right.
        const Inked plain = aligned(0, 0);
        ASSERT_FALSE(plain.box.isNull());
        EXPECT_GT(plain.box.height(), 3 * plain.box.width());
        EXPECT_GE(plain.box.left(), point.x());
        EXPECT_LE(plain.box.right(), point.x() + plain.height);
        EXPECT_LE(plain.box.bottom(), point.y() + 1);
        EXPECT_GE(plain.box.top(), point.y() - plain.advance - 1);
        EXPECT_LT(plain.box.top(), point.y() - plain.advance + plain.height / 4);

        for (const auto& [h, v] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{1, 0}}) {
            SCOPED_TRACE(testing::Message() << "codes " << h << ", " << v);
            const Inked ink = aligned(h, v);
            EXPECT_EQ(ink.box.size(), plain.box.size());
            EXPECT_NEAR(ink.box.left(), plain.box.left() - shiftFor(h, plain.height), tol);
            EXPECT_NEAR(ink.box.top(), plain.box.top() + shiftFor(v, plain.advance), tol);
        }
    }
}

TEST(PrintText, GlyphsFollowTheVerticalScaleOnly) {
    const QString text = QStringLiteral("HHHH");
    auto box = [&](Surface surface) {
        return inkOf(surface, text,
                     [&](PageMapper& print) {
                         print.SetFont(QStringLiteral("Arial"), 20);
                         print.TextOut(100, 100, text);
                     })
            .box;
    };
    const QRect narrow = box({1100, 1700}); // 1.375 across, 1.7 down
    const QRect wide = box(Landscape);      // 2.75 across, 1.7 down
    const QRect tall = box({1100, 3400});   // 1.375 across, 3.4 down
    EXPECT_EQ(wide.size(), narrow.size());
    EXPECT_NEAR(tall.height(), 2 * narrow.height(), 2);
    EXPECT_NEAR(tall.width(), 2 * narrow.width(), 4);
    // 20 units at 1.7 pixels a unit is a 34-pixel character cell. The Arial face (Liberation
    // Sans) has a cell of 2288 and capitals of 1409 font units, so capitals stand 21 pixels, not
    // the 23 of a 34-pixel em.
    EXPECT_NEAR(narrow.height(), 34.0 * 1409 / 2288, 1);
}

TEST(PrintText, FontHeightIsTheCharacterCellHeight) {
    struct Face {
        const char* family;
        bool bold;
    };
    for (const Surface surface : {Twice, SixTimes, Landscape, Surface{1100, 1700}}) {
        for (const Face face : {Face{"Arial", false}, Face{"Arial", true},
                                Face{"TIMES NEW ROMAN", true}, Face{"TIMES NEW ROMAN", false}}) {
            for (const int height : {8, 10, 12, 13, 14, 15}) {
                SCOPED_TRACE(testing::Message()
                             << surface.width << "x" << surface.height << " " << face.family << " "
                             << face.bold << " " << height);
                // Fonts depend on the mapped size only, so a small bitmap stands in for the page.
                QImage image(8, 8, QImage::Format_RGB32);
                QPainter painter(&image);
                PageMapper print;
                print.SetLogicalSize(800, 1000);
                print.MapToDevice(&painter, surface.width, surface.height);
                print.SetCanvas(&painter);
                print.SetFont(QString::fromLatin1(face.family), height, face.bold);
                // Ascent plus descent of `height` logical units, to the pixel.
                const double cell = std::nearbyint(height * surface.height / 1000.0);
                EXPECT_NEAR(print.DeviceTextHeight(), cell, 1e-6);
                EXPECT_EQ(print.TextHeight(QStringLiteral("Xg")), height);
                const QFont font = painter.font();
                EXPECT_EQ(font.bold(), face.bold);
                EXPECT_EQ(font.hintingPreference(), QFont::PreferNoHinting);
                EXPECT_TRUE(font.styleStrategy() & QFont::NoSubpixelAntialias);
                EXPECT_EQ(font.stretch(), 0);
            }
        }
    }
}

TEST(PrintText, TextIsMeasuredAsItIsDrawn) {
    // Nine more capitals reach exactly nine measured advances further, on an even and an uneven
    // page.
    for (const Surface surface : {Twice, Landscape}) {
        SCOPED_TRACE(surface.width);
        double advance = 0;
        auto right = [&](const QString& text) {
            return inkOf(surface, text,
                         [&](PageMapper& print) {
                             print.SetFont(QStringLiteral("Arial"), 30);
                             advance = print.DeviceTextWidth(QStringLiteral("M"));
                             print.TextOut(100, 100, text);
                         })
                .box.right();
        };
        const int one = right(QStringLiteral("M"));
        const int ten = right(QStringLiteral("MMMMMMMMMM"));
        EXPECT_NEAR(ten - one, 9 * advance, 1);
    }
}

TEST(PrintText, AlignmentHalvesAreRoundedDown) {
    // On a page of one pixel per unit a unit more or less is a pixel, so the ink shows which way
    // half an odd extent went.
    const QString texts[] = {QStringLiteral("A"), QStringLiteral("AB"), QStringLiteral("ABC"),
                             QStringLiteral("ABCD")};
    auto draw = [](const std::function<void(PageMapper&)>& f) {
        QImage image(800, 1000, QImage::Format_RGB32);
        image.fill(White);
        QPainter painter(&image);
        PageMapper print;
        print.BeginPage(&painter, 800, 1000);
        print.SetFont(QStringLiteral("Arial"), 25); // a 25-unit cell: an odd height
        f(print);
        painter.end();
        return inkBox(image);
    };
    int tried = 0;
    for (const QString& text : texts) {
        int w = 0;
        draw([&](PageMapper& print) { w = print.TextWidth(text); });
        if (w % 2 == 0)
            continue;
        ++tried;
        SCOPED_TRACE(text.toStdString());
        const QRect aligned = draw([&](PageMapper& p) { p.AlignedText(400, 500, text, 1, 1); });
        const QRect down =
            draw([&](PageMapper& p) { p.TextOut(400 - (w - 1) / 2, 500 - 12, text); });
        EXPECT_EQ(aligned, down);
        const QRect up = draw([&](PageMapper& p) { p.TextOut(400 - (w + 1) / 2, 500 - 13, text); });
        EXPECT_EQ(aligned, up.translated(1, 1));
    }
    EXPECT_GT(tried, 0);
}

TEST(PrintText, RotatedTextLeavesThePainterAsItWas) {
    Page page(Twice);
    page.print.SetPenPixels(Qt::blue, 3);
    page.print.SetTextColor(Qt::red);
    const QFont font = page.painter.font();
    page.print.RotatedText(400, 500, 30, QStringLiteral("Azimuth"));
    EXPECT_EQ(page.painter.font(), font);
    EXPECT_EQ(page.painter.pen().color(), QColor(Qt::blue));
    EXPECT_EQ(page.painter.pen().width(), 3);
    EXPECT_TRUE(page.painter.transform().isIdentity());
    // The text itself is drawn in the text colour.
    const QImage& image = page.done();
    EXPECT_FALSE(boxWhere(image, [](QRgb p) { return p == qRgb(255, 0, 0); }).isNull());
    EXPECT_TRUE(boxWhere(image, [](QRgb p) { return qBlue(p) > 128 && qRed(p) < 128; }).isNull());
}

} // namespace
