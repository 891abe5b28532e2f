// SPDX-License-Identifier: MIT
// The data sheet is drawn through a PageMapper on white bitmaps (an 800 x 1050 page on 1600 x 2000
// and on 4800 x 6000) and read back by pixels: line positions and widths, where aligned texts put
// their ink, the table layouts, the logo, and what stays untouched. Text expectations come from
// the ink and the page fonts' own metrics, never from fixed glyph offsets.
#include "pages/DataSheet.h"

#include "base/NumberText.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPicture>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr QRgb White = 0xFFFFFFFFu;
const QSize Export{1600, 2000};
const QSize Large{4800, 6000};

bool isInk(QRgb c) {
    return c != White;
}
bool isDark(QRgb c) {
    return qGray(c) < 128;
}
bool isColoured(QRgb c) {
    const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
    const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
    return hi - lo > 40;
}

// The page mapping of a surface, for expected device positions.
PageMapper mappingFor(QSize surface) {
    PageMapper map;
    map.SetLogicalSize(800, 1050);
    map.MapToDevice(nullptr, surface.width(), surface.height());
    return map;
}

IndexRecord sampleRecord() {
    IndexRecord r;
    r.setText(IndexField::ModelNumber, "ZZX8-107");
    r.setText(IndexField::Size, "8");
    r.setText(IndexField::Polarization, "Dual");
    r.setText(IndexField::Date, "05 April 2003");
    r.setText(IndexField::RpeNumber, "4711");
    r.setText(IndexField::FrequencyRange, "10.700-11.700");
    r.setText(IndexField::MidFrequency, "11.200");
    r.setText(IndexField::Gain, "40.1");
    r.setText(IndexField::Description1, "Standard");
    return r;
}

// `count` points whose texts are all "5.00" and "-5.00".
PatternPoints points(std::size_t count) {
    return PatternPoints(count, PatternPoint(5.0, -5.0));
}

LoadedPattern pattern(std::size_t hh, std::size_t vv, std::size_t hv, std::size_t vh) {
    LoadedPattern p;
    p.CutPoints = {points(hh), points(vv), points(hv), points(vh)};
    return p;
}

QImage drawSheet(const IndexRecord& record, const LoadedPattern& pat, bool colour,
                 QSize surface = Export) {
    QImage image(surface, QImage::Format_RGB32);
    image.fill(White);
    QPainter painter(&image);
    PageMapper map;
    map.SetLogicalSize(800, 1050);
    map.MapToDevice(&painter, surface.width(), surface.height());
    map.SetCanvas(&painter);
    const PageSource page{map, record, pat, colour};
    DrawSheetFrame(page);
    DrawSheetHeader(page);
    DrawSheetTables(page);
    return image;
}

// Runs of dark pixels along row y (or column x), as [first, last] pairs.
std::vector<std::pair<int, int>> darkRuns(const QImage& image, int fixed, bool alongRow, int from,
                                          int to) {
    std::vector<std::pair<int, int>> runs;
    for (int i = from; i <= to; ++i) {
        const bool dark = isDark(alongRow ? image.pixel(i, fixed) : image.pixel(fixed, i));
        if (dark && (runs.empty() || runs.back().second != i - 1))
            runs.push_back({i, i});
        else if (dark)
            runs.back().second = i;
    }
    return runs;
}

// Expects exactly one six-pixel run per expected centre (device pixels), in order.
void expectSixPixelRuns(const std::vector<std::pair<int, int>>& runs,
                        const std::vector<int>& centres, const char* what) {
    ASSERT_EQ(runs.size(), centres.size()) << what;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].second - runs[i].first + 1, 6) << what << " run " << i;
        EXPECT_NEAR((runs[i].first + runs[i].second) / 2.0, centres[i], 2.0)
            << what << " run " << i;
    }
}

QRect inkBox(const QImage& image, QRect area, bool (*match)(QRgb) = isInk) {
    area &= image.rect();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (match(image.pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return left > right ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

int countWhere(const QImage& image, QRect area, bool (*match)(QRgb)) {
    area &= image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += match(image.pixel(x, y));
    return n;
}

// Right edges of the words inked in a logical band: columns with ink, gaps under 8 pixels joined.
std::vector<int> wordRightEdges(const QImage& image, const PageMapper& map, int x1, int x2, int top,
                                int bottom) {
    const int y1 = map.LogicalToDeviceY(top), y2 = map.LogicalToDeviceY(bottom) - 1;
    std::vector<int> edges;
    int last = INT_MIN;
    for (int x = map.LogicalToDeviceX(x1); x < map.LogicalToDeviceX(x2); ++x) {
        bool ink = false;
        for (int y = y1; y <= y2 && !ink; ++y)
            ink = isInk(image.pixel(x, y));
        if (!ink)
            continue;
        if (!edges.empty() && x - last < 8)
            edges.back() = x;
        else
            edges.push_back(x);
        last = x;
    }
    return edges;
}

// Expects words whose ink ends at the given logical x positions (right-aligned texts).
void expectWordsEndingAt(const std::vector<int>& edges, const PageMapper& map,
                         std::vector<int> logicalX, const std::string& what) {
    ASSERT_EQ(edges.size(), logicalX.size()) << what;
    for (std::size_t i = 0; i < edges.size(); ++i)
        // The last inked column stands a pixel or two inside the aligned edge.
        EXPECT_NEAR(edges[i], map.LogicalToDeviceX(logicalX[i]) - 1.5, 1.5)
            << what << " word " << i;
}

// The row band of table row `row` (0-based within its column), a pixel inside its cell.
std::pair<int, int> rowBand(int row) {
    return {160 + 14 * row + 1, 160 + 14 * row + 13};
}

struct Table {
    int base;
    int rows;
};
constexpr Table Tables[] = {{50, 55}, {224, 55}, {400, 46}, {576, 46}};

} // namespace

// ---- Numbers ------------------------------------------------------------------------------------

TEST(DataSheetNumbers, TwoDecimalsAfterFifteenDigitsHalfAwayFromZero) {
    const QLocale c = QLocale::c();
    const std::pair<double, const char*> cases[] = {
        {0.125, "0.13"},
        {-0.125, "-0.13"},
        {2.675, "2.68"},
        {-0.001, "0.00"},
        {-0.0, "0.00"},
        {0.0, "0.00"},
        {-0.005, "-0.01"},
        {-180, "-180.00"},
        {-45.5, "-45.50"},
        {1e-300, "0.00"},
        {123456789.125, "123456789.13"},
        {1e17, "100000000000000000.00"},
        {0.30000000000000004, "0.30"},
        // 16 significant digits: the 15-digit value is 0.005, which rounds up.
        {0.004999999999999999, "0.01"},
        {99.995, "100.00"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(SheetNumberText(value, c), QString::fromLatin1(text)) << value;
    // The plain shortest-text helper would keep the 16th digit and round that value down.
    EXPECT_EQ(numtext::formatFixed(0.004999999999999999, 2), "0.00");
    EXPECT_EQ(numtext::formatFixedSignificant(-2.5e-6, 6, 15), "-0.000003");
    EXPECT_EQ(numtext::formatFixedSignificant(-2.5e-7, 6, 15), "0.000000");
    EXPECT_EQ(numtext::formatFixedSignificant(1234.5, 0, 15), "1235");
    EXPECT_EQ(numtext::formatFixedSignificant(qInf(), 2, 15), "INF");

    // The user's decimal separator, but ASCII digits and sign and no grouping.
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(SheetNumberText(-1234.5, german), QStringLiteral("-1234,50"));
    EXPECT_EQ(SheetNumberText(-0.001, german), QStringLiteral("0,00"));
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    const QString a = SheetNumberText(-12.345, arabic);
    EXPECT_TRUE(a.startsWith(QStringLiteral("-12")) && a.endsWith(QStringLiteral("35")))
        << a.toStdString();
}

// ---- Frame and lines ----------------------------------------------------------------------------

TEST(DataSheetFrame, FrameRulesAndBoxesAreSixPixelLinesOnEverySurface) {
    for (const QSize surface : {Export, Large}) {
        SCOPED_TRACE(surface.width());
        const PageMapper m = mappingFor(surface);
        const QImage image = drawSheet(sampleRecord(), pattern(0, 0, 0, 0), false, surface);
        const int w = surface.width() - 1, h = surface.height() - 1;
        // Across the middle: the frame's two sides only; rectangles frame up to, not including,
        // their far corner.
        expectSixPixelRuns(darkRuns(image, m.LogicalToDeviceY(500), true, 0, w),
                           {m.LogicalToDeviceX(50) - 1, m.LogicalToDeviceX(750) - 2}, "sides");
        // Down x 55: the frame's top, the footer rule and the frame's bottom.
        expectSixPixelRuns(
            darkRuns(image, m.LogicalToDeviceX(55), false, 0, h),
            {m.LogicalToDeviceY(50) - 1, m.LogicalToDeviceY(950) - 1, m.LogicalToDeviceY(1000) - 2},
            "top, footer rule, bottom");
        // Down x 65: the title band's top and bottom as well.
        expectSixPixelRuns(darkRuns(image, m.LogicalToDeviceX(65), false, 0, h),
                           {m.LogicalToDeviceY(50) - 1, m.LogicalToDeviceY(60) - 1,
                            m.LogicalToDeviceY(110) - 2, m.LogicalToDeviceY(950) - 1,
                            m.LogicalToDeviceY(1000) - 2},
                           "with the title band");
        // The footer divider between the two cells, and the explanatory box's sides.
        expectSixPixelRuns(darkRuns(image, m.LogicalToDeviceY(978), true, m.LogicalToDeviceX(330),
                                    m.LogicalToDeviceX(450)),
                           {m.LogicalToDeviceX(400) - 1}, "footer divider");
        expectSixPixelRuns(darkRuns(image, m.LogicalToDeviceY(893), true, m.LogicalToDeviceX(380),
                                    m.LogicalToDeviceX(430)),
                           {m.LogicalToDeviceX(400) - 1}, "box left");
        expectSixPixelRuns(darkRuns(image, m.LogicalToDeviceX(420), false, m.LogicalToDeviceY(800),
                                    m.LogicalToDeviceY(948)),
                           {m.LogicalToDeviceY(825) - 1, m.LogicalToDeviceY(940) - 2}, "box");
    }
}

TEST(DataSheetFrame, NothingIsDrawnOutsideTheFrame) {
    // The explanatory box's first line fits inside the frame only with fonts sized by their
    // character cell, as the page fonts are: a 12-unit font is 12 units from ascent to descent.
    {
        QImage scratch(8, 8, QImage::Format_RGB32);
        QPainter painter(&scratch);
        PageMapper map = mappingFor(Export);
        map.SetCanvas(&painter);
        map.SetFont(QStringLiteral("TIMES NEW ROMAN"), 12, true);
        EXPECT_LE(painter.fontMetrics().height(), map.LogicalToDeviceY(12) + 1)
            << "page fonts are sized by their character cell, not their em height";
    }
    for (const QSize surface : {Export, Large}) {
        SCOPED_TRACE(surface.width());
        const PageMapper m = mappingFor(surface);
        const QImage image = drawSheet(sampleRecord(), pattern(55, 55, 46, 46), true, surface);
        // The frame's outer edge; the round caps of the footer lines may reach half a pen past
        // its right and bottom sides, whose lines stand one pixel inside the page's 750 and 1000.
        const QRect ink = inkBox(image, image.rect());
        EXPECT_EQ(ink.left(), m.LogicalToDeviceX(50) - 3);
        EXPECT_EQ(ink.top(), m.LogicalToDeviceY(50) - 3);
        EXPECT_LE(ink.right(), m.LogicalToDeviceX(750) + 3);
        EXPECT_LE(ink.bottom(), m.LogicalToDeviceY(1000) + 3);
    }
}

TEST(DataSheetFrame, LeavesTheSheetsPenAndFontInForce) {
    QImage image(Export, QImage::Format_RGB32);
    image.fill(White);
    QPainter painter(&image);
    PageMapper map;
    map.SetLogicalSize(800, 1050);
    map.MapToDevice(&painter, Export.width(), Export.height());
    map.SetCanvas(&painter);
    const IndexRecord record = sampleRecord();
    const LoadedPattern pat = pattern(60, 3, 50, 0);
    const PageSource page{map, record, pat, true};
    DrawSheetFrame(page);
    DrawSheetHeader(page);
    DrawSheetTables(page);
    EXPECT_EQ(painter.pen().color(), QColor(Qt::black));
    EXPECT_EQ(painter.pen().width(), 6);
    EXPECT_EQ(painter.pen().capStyle(), Qt::RoundCap);
    EXPECT_EQ(painter.brush().style(), Qt::NoBrush);
    EXPECT_EQ(painter.backgroundMode(), Qt::TransparentMode);
    const QFont font = painter.font();
    EXPECT_EQ(font.family(), QStringLiteral("TIMES NEW ROMAN"));
    EXPECT_FALSE(font.bold());
    EXPECT_FALSE(font.underline());
    // Page fonts render alike on every desktop.
    EXPECT_EQ(font.hintingPreference(), QFont::PreferNoHinting);
    EXPECT_TRUE(font.styleStrategy() & QFont::NoSubpixelAntialias);
}

// ---- Texts --------------------------------------------------------------------------------------

TEST(DataSheetText, TextsSitOnTheirAlignmentPointsWithUnstretchedGlyphs) {
    // Logical point, alignment (0 left, 1 centre, 2 right) and the logical box that holds the
    // line's ink and no other. Every line is centred vertically: capitals and descenders balance
    // around the point to within a quarter of a line.
    struct Placed {
        int x, y, h, x1, x2, y1, y2;
        const char* what;
    };
    const Placed lines[] = {
        {225, 962, 1, 55, 395, 956, 968, "maker name"},
        {225, 975, 1, 55, 395, 969, 981, "street"},
        {225, 987, 1, 55, 395, 981, 994, "town"},
        {575, 966, 1, 405, 745, 959, 974, "web site"},
        {575, 983, 1, 405, 745, 977, 991, "telephone"},
        {70, 70, 0, 65, 345, 63, 78, "type line"},
        {70, 84, 0, 65, 345, 78, 91, "antenna line"},
        {70, 98, 0, 65, 345, 92, 105, "gain line"},
        {730, 75, 2, 455, 735, 67, 84, "RPE line"},
        {730, 90, 2, 455, 735, 85, 99, "approval line"},
        {435, 845, 0, 405, 735, 838, 853, "box line 1"},
        {435, 860, 0, 405, 735, 854, 866, "PARALLEL POLARIZATION"},
        {450, 875, 0, 405, 735, 869, 881, "HH line"},
        {435, 900, 0, 405, 735, 894, 906, "CROSS POLARIZATION"},
        {450, 925, 0, 405, 735, 919, 934, "VH line"},
    };
    for (const QSize surface : {Export, Large}) {
        SCOPED_TRACE(surface.width());
        const PageMapper m = mappingFor(surface);
        const QImage image = drawSheet(sampleRecord(), pattern(3, 3, 3, 3), false, surface);
        // A logical unit of rounding either way and a pixel; a quarter of a 12-unit line.
        const int slack = 2 * surface.width() / 800 + 1;
        const double lineSlack = 0.25 * 12 * surface.height() / 1050.0;
        for (const Placed& p : lines) {
            const QRect box(QPoint(m.LogicalToDeviceX(p.x1), m.LogicalToDeviceY(p.y1)),
                            QPoint(m.LogicalToDeviceX(p.x2), m.LogicalToDeviceY(p.y2)));
            const QRect ink = inkBox(image, box);
            ASSERT_FALSE(ink.isNull()) << p.what;
            const int anchor = p.h == 0   ? ink.left()
                               : p.h == 1 ? (ink.left() + ink.right() + 1) / 2
                                          : ink.right() + 1;
            EXPECT_NEAR(anchor, m.LogicalToDeviceX(p.x), slack) << p.what;
            EXPECT_NEAR((ink.top() + ink.bottom() + 1) / 2.0, m.LogicalToDeviceY(p.y), lineSlack)
                << p.what;
        }

        // The page is stretched 2 : 1.905, yet the glyphs keep the font's own proportions.
        QImage scratch(8, 8, QImage::Format_RGB32);
        QPainter painter(&scratch);
        PageMapper fontMap = mappingFor(surface);
        fontMap.SetCanvas(&painter);
        fontMap.SetFont(QStringLiteral("TIMES NEW ROMAN"), 12, true);
        const QRect expected = painter.fontMetrics().boundingRect(QString::fromLatin1(MakerName));
        const QRect name =
            inkBox(image, QRect(QPoint(m.LogicalToDeviceX(55), m.LogicalToDeviceY(956)),
                                QPoint(m.LogicalToDeviceX(395), m.LogicalToDeviceY(968))));
        EXPECT_NEAR(double(name.width()) / expected.width(), 1.0, 0.02);
    }
}

TEST(DataSheetText, RecordTextsAreDecodedForDisplay) {
    // The same model number stored as UTF-8 and as Latin-1 prints the same; overlong fields and
    // empty ones draw without harm to the frame or the logo.
    IndexRecord utf8 = sampleRecord(), latin1 = sampleRecord();
    utf8.setText(IndexField::ModelNumber, "Q\xC3\x89-8");
    latin1.setText(IndexField::ModelNumber, "Q\xC9-8");
    const LoadedPattern p = pattern(1, 1, 1, 1);
    const QImage a = drawSheet(utf8, p, false), b = drawSheet(latin1, p, false);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, drawSheet(sampleRecord(), p, false));

    const PageMapper m = mappingFor(Export);
    const QRect logo(QPoint(m.LogicalToDeviceX(349), m.LogicalToDeviceY(72)),
                     QPoint(m.LogicalToDeviceX(449) - 1, m.LogicalToDeviceY(106) - 1));
    const QImage plain = drawSheet(IndexRecord(), p, false); // no text reaches the logo
    IndexRecord full;
    for (IndexField f : {IndexField::ModelNumber, IndexField::Size, IndexField::Polarization,
                         IndexField::Date, IndexField::RpeNumber, IndexField::FrequencyRange,
                         IndexField::MidFrequency, IndexField::Gain, IndexField::Description1})
        full.setText(f, QByteArray(300, 'W'));
    const QImage image = drawSheet(full, p, false);
    expectSixPixelRuns(darkRuns(image, m.LogicalToDeviceY(500), true, 0, 1599),
                       {m.LogicalToDeviceX(50) - 1, m.LogicalToDeviceX(750) - 2}, "sides");
    expectSixPixelRuns(
        darkRuns(image, m.LogicalToDeviceX(55), false, 0, 1999),
        {m.LogicalToDeviceY(50) - 1, m.LogicalToDeviceY(950) - 1, m.LogicalToDeviceY(1000) - 2},
        "top, footer rule, bottom");
    // The long lines run across the logo without blanking any of it.
    int covered = 0;
    for (int y = logo.top(); y <= logo.bottom(); ++y)
        for (int x = logo.left(); x <= logo.right(); ++x) {
            if (isDark(plain.pixel(x, y))) {
                ASSERT_TRUE(isDark(image.pixel(x, y))) << x << ',' << y;
            }
            covered += isInk(image.pixel(x, y)) && !isInk(plain.pixel(x, y));
        }
    EXPECT_GT(covered, 100);
}

// ---- Logo ---------------------------------------------------------------------------------------

TEST(DataSheetLogo, ColourOptionChoosesTheLogoAndNothingElseIsColoured) {
    const PageMapper m = mappingFor(Export);
    const QRect logo(QPoint(m.LogicalToDeviceX(349), m.LogicalToDeviceY(72)),
                     QPoint(m.LogicalToDeviceX(449) - 1, m.LogicalToDeviceY(106) - 1));
    const QImage colour = drawSheet(sampleRecord(), pattern(20, 20, 20, 20), true);
    const QImage mono = drawSheet(sampleRecord(), pattern(20, 20, 20, 20), false);
    EXPECT_GT(countWhere(colour, logo, isColoured), logo.width() * logo.height() / 20);
    EXPECT_EQ(countWhere(mono, logo, isColoured), 0);
    EXPECT_GT(countWhere(mono, logo, isDark), logo.width() * logo.height() / 20);
    // The logo fills its box: from the dish at the left to the end of the name at the right.
    const QRect ink = inkBox(mono, logo);
    EXPECT_LE(ink.left() - logo.left(), logo.width() / 20);
    EXPECT_LE(logo.right() - ink.right(), logo.width() / 20);
    EXPECT_LE(ink.top() - logo.top(), logo.height() / 8);
    EXPECT_LE(logo.bottom() - ink.bottom(), logo.height() / 8);
    // Everything but the logo is black and grey, glyph edges included, and the same in both.
    EXPECT_EQ(countWhere(mono, mono.rect(), isColoured), 0);
    QImage a = colour, b = mono;
    QPainter(&a).fillRect(logo, Qt::white);
    QPainter(&b).fillRect(logo, Qt::white);
    EXPECT_EQ(a, b);
}

// ---- Tables -------------------------------------------------------------------------------------

TEST(DataSheetTables, OneColumnUpToTheLimitTwoColumnsAboveIt) {
    const PageMapper m = mappingFor(Export);
    for (int t = 0; t < 4; ++t) {
        const auto [b, limit] = Tables[t];
        for (const int count : {0, limit, limit + 1, 2 * limit, 2 * limit + 1}) {
            const std::string what =
                "table " + std::to_string(t + 1) + ", " + std::to_string(count) + " points: ";
            std::size_t n[4] = {0, 0, 0, 0};
            n[t] = static_cast<std::size_t>(count);
            const QImage image = drawSheet(sampleRecord(), pattern(n[0], n[1], n[2], n[3]), false);
            auto words = [&](int row) {
                const auto [top, bottom] = rowBand(row);
                return wordRightEdges(image, m, b + 4, b + 170, top, bottom);
            };
            if (count <= limit) {
                // Title and headings right-aligned on the single column's edges; the title's
                // three trailing blanks keep its ink short of the edge.
                const std::vector<int> title = wordRightEdges(image, m, b + 4, b + 170, 126, 139);
                ASSERT_EQ(title.size(), 1u) << what;
                EXPECT_LT(title[0], m.LogicalToDeviceX(b + 85) - 6) << what;
                EXPECT_GT(title[0], m.LogicalToDeviceX(b + 60)) << what;
                EXPECT_NEAR(wordRightEdges(image, m, b + 4, b + 100, 141, 155).back(),
                            m.LogicalToDeviceX(b + 85), 3)
                    << what;
                for (const int row : {0, count - 1})
                    if (count > 0)
                        expectWordsEndingAt(words(row), m, {b + 85, b + 140},
                                            what + "row " + std::to_string(row));
                EXPECT_TRUE(words(count).empty()) << what;
            } else {
                const std::vector<int> title = wordRightEdges(image, m, b + 4, b + 170, 126, 139);
                ASSERT_EQ(title.size(), 1u) << what;
                EXPECT_LT(title[0], m.LogicalToDeviceX(b + 43) - 6) << what;
                EXPECT_EQ(wordRightEdges(image, m, b + 4, b + 170, 141, 155).size(), 4u) << what;
                expectWordsEndingAt(words(0), m, {b + 43, b + 82, b + 129, b + 168}, what);
                const int second = count - limit; // rows of the second column
                expectWordsEndingAt(words(second - 1), m,
                                    second - 1 < limit
                                        ? std::vector<int>{b + 43, b + 82, b + 129, b + 168}
                                        : std::vector<int>{b + 129, b + 168},
                                    what + "last row");
                if (second < limit)
                    expectWordsEndingAt(words(second), m, {b + 43, b + 82}, what + "after last");
                expectWordsEndingAt(words(limit - 1), m,
                                    second >= limit
                                        ? std::vector<int>{b + 43, b + 82, b + 129, b + 168}
                                        : std::vector<int>{b + 43, b + 82},
                                    what + "last of first column");
            }
        }
    }
}

TEST(DataSheetTables, HeadingsAreUnderlinedAndEmptyCutsKeepThem) {
    const PageMapper m = mappingFor(Export);
    const QImage image = drawSheet(sampleRecord(), pattern(0, 0, 0, 0), false);
    for (const auto& [b, limit] : Tables) {
        // The heading's lowest rows hold a line running under "Angle" without a break.
        const QRect heading(QPoint(m.LogicalToDeviceX(b + 30), m.LogicalToDeviceY(141)),
                            QPoint(m.LogicalToDeviceX(b + 85), m.LogicalToDeviceY(160)));
        const QRect ink = inkBox(image, heading);
        ASSERT_FALSE(ink.isNull()) << b;
        int longest = 0;
        for (int y = ink.bottom() - 4; y <= ink.bottom(); ++y)
            for (const auto& [first, last] : darkRuns(image, y, true, ink.left(), ink.right()))
                longest = std::max(longest, last - first + 1);
        EXPECT_GT(longest, ink.width() * 9 / 10) << b;
        // No rows under the headings.
        EXPECT_EQ(countWhere(image,
                             QRect(QPoint(m.LogicalToDeviceX(b + 4), m.LogicalToDeviceY(160)),
                                   QPoint(m.LogicalToDeviceX(b + 170), m.LogicalToDeviceY(800))),
                             isInk),
                  0)
            << b;
    }
}

TEST(DataSheetTables, OverflowRunsOnDownTheSecondColumnWithoutErasingTheFooter) {
    const PageMapper m = mappingFor(Export);
    // 2 x 55 + 14 points: the second column's rows 55 to 68 run over the footer and off the page.
    const QImage image = drawSheet(sampleRecord(), pattern(124, 0, 0, 0), false);
    expectWordsEndingAt(wordRightEdges(image, m, 54, 224, 931, 943), m, {179, 218}, "row 55");
    // Below the frame only the overflow is inked, and only in the second column.
    const QRect below(QPoint(0, m.LogicalToDeviceY(1000) + 4), QPoint(1599, 1999));
    const QRect ink = inkBox(image, below);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), m.LogicalToDeviceX(50 + 90));
    EXPECT_LE(ink.right(), m.LogicalToDeviceX(50 + 168) + 3);
    // The rows overlapping the footer rule leave it whole: text is drawn transparent.
    const int rule = m.LogicalToDeviceY(950);
    for (int x = m.LogicalToDeviceX(140); x <= m.LogicalToDeviceX(218); ++x)
        for (int y = rule - 3; y <= rule + 2; ++y)
            ASSERT_TRUE(isDark(image.pixel(x, y))) << x << ',' << y;

    // A cut of 100,000 points draws the same page, and no more than a page: recorded as a
    // picture, its drawing is no larger than that of the cut above, as rows that cannot reach
    // the surface are not drawn.
    const QImage huge = drawSheet(sampleRecord(), pattern(100000, 0, 0, 0), false);
    EXPECT_EQ(huge, image);
    auto recorded = [](std::size_t count) {
        QPicture picture;
        QPainter painter(&picture);
        PageMapper map;
        map.SetLogicalSize(800, 1050);
        map.MapToDevice(&painter, Export.width(), Export.height());
        map.SetCanvas(&painter);
        const IndexRecord record = sampleRecord();
        const LoadedPattern pat = pattern(count, 0, 0, 0);
        const PageSource page{map, record, pat, false};
        DrawSheetFrame(page);
        DrawSheetHeader(page);
        DrawSheetTables(page);
        painter.end();
        return picture.size();
    };
    EXPECT_EQ(recorded(100000), recorded(124));
}
