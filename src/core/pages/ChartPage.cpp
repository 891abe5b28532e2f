// SPDX-License-Identifier: MIT
#include "pages/ChartPage.h"

#include "base/DisplayText.h"
#include "base/Resources.h"
#include "pages/MaskOverlay.h"
#include "pages/ScreenChart.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPolygon>
#include <initializer_list>
#include <optional>

namespace {

// Rounds to the nearest integer, halves to even; values beyond +-1e8 are clamped first, as on
// the screen chart, so that no coordinate overflows.
std::int32_t R(double v) {
    return screen::roundEven(v);
}

const QString Arial = QStringLiteral("Arial");

// The grid of the printed and exported pages: the platform's grey-text grey. The screen chart's
// light button-face grey all but vanishes on paper at one printer dot.
const QColor PageGridColour(128, 128, 128);

// The coordinates that differ between the two variants.
struct Variant {
    bool full;
    QRect titleFrame;     // step 2, as (x1, y1) - (x2, y2) in left/top/right/bottom
    QRect identBox;       // step 3
    QRect logo;           // step 4: x, y, width, height
    QPoint degrees;       // step 6
    const char* ghz;      // the antenna line's " GHz" with its trailing blanks
    int description2X;    // steps 12 and 16
    int identX;           // step 15: RPE and description 1
    int identHeight;      // step 15: their font height
    int approvedX;        // step 15: "Engineering Approved:" and the date
    int approvedHeight;   // step 15: their font height
    int chartRight;       // step 18
    int expandedCaptionX; // step 20
};

// Title block rectangles as left, top, right, bottom.
QRect edges(int x1, int y1, int x2, int y2) {
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

const Variant FullVariant{true,
                          edges(25, 10, 1075, 135),
                          edges(925, 20, 1060, 125),
                          QRect(940, 23, 105, 33),
                          QPoint(550, 565),
                          " GHz   ",
                          550,
                          935,
                          12,
                          992,
                          10,
                          1030,
                          550};
const Variant HalfVariant{false,
                          edges(25, 10, 575, 135),
                          edges(450, 20, 565, 125),
                          QRect(460, 23, 75, 25),
                          QPoint(300, 565),
                          " GHz  ",
                          310,
                          460,
                          10,
                          507,
                          8,
                          550,
                          145};

void rectangle(PageMapper& map, const QRect& r) {
    map.Rectangle(r.left(), r.top(), r.right(), r.bottom());
}

// The six-pixel pen of the frames and arrows: measured across X on the full chart and down Y on
// the half chart, then drawn, like every pen, through the horizontal scale.
std::int32_t fixedPenWidth(const PageSource& page, bool full) {
    return full ? page.PageMap.DeviceToLogicalX(6) : page.PageMap.DeviceToLogicalY(6);
}

QString text(QByteArrayView bytes) {
    return DisplayText(bytes);
}

void drawPicture(const PageSource& page, const QImage& picture, const QRect& r) {
    page.PageMap.StretchBitmap(page.PageMap.Canvas, r.x(), r.y(), r.width(), r.height(), picture);
}

QImage logoPicture(bool color) {
    return LoadResourceGifPicture(color ? QStringLiteral("GIFCOLORFlASH")
                                        : QStringLiteral("GIFFlASH"));
}

bool rightFeed(FeedKind kind) {
    return kind == FeedKind::Right || kind == FeedKind::UhpRight;
}

QString feedPictureName(FeedKind kind) {
    switch (kind) {
    case FeedKind::Right:
        return QStringLiteral("RIGHTFEED");
    case FeedKind::Left:
        return QStringLiteral("LEFTFEED");
    case FeedKind::UhpRight:
        return QStringLiteral("UHP-RIGHT");
    case FeedKind::UhpLeft:
        return QStringLiteral("UHP-LEFT");
    case FeedKind::None:
        break;
    }
    return {};
}

// Step 13: the key of the traces, in colour or with sample lines of the monochrome widths.
void drawLegend(const PageSource& page) {
    PageMapper& map = page.PageMap;
    map.SetFont(Arial, 10);
    const QString horizontal = QStringLiteral("Envelope for a Horizontally Polarized Antenna (");
    const QString vertical = QStringLiteral("Envelope for a Vertically Polarized Antenna (");
    if (page.Color) {
        const QString hh = horizontal + QStringLiteral("HH, ");
        map.SetTextColor(Qt::black);
        map.TextOut(50, 76, hh);
        map.SetTextColor(QColor(0, 0, 255));
        map.ContinuedText(50, 76, hh, QStringLiteral("HV"));
        map.SetTextColor(Qt::black);
        map.ContinuedText(50, 76, hh + QStringLiteral("HV"), QStringLiteral(")"));

        map.TextOut(50, 88, vertical);
        map.SetTextColor(QColor(0, 128, 0));
        map.ContinuedText(50, 88, vertical, QStringLiteral("VV, "));
        map.SetTextColor(QColor(255, 0, 0));
        map.ContinuedText(50, 88, vertical + QStringLiteral("VV, "), QStringLiteral("VH"));
        map.SetTextColor(Qt::black);
        map.ContinuedText(50, 88, vertical + QStringLiteral("VV, VH"), QStringLiteral(")"));
    } else {
        // Sample lines of the monochrome trace widths.
        const MonoTraceWidths widths = MonoTracePenWidths(page);
        map.SetPenWidth(widths.Horizontal);
        map.Line(50, 80, 100, 80);
        map.TextOut(110, 76, horizontal + QStringLiteral("HH, HV)"));
        map.SetPenWidth(widths.Vertical);
        map.Line(50, 92, 100, 92);
        map.TextOut(110, 88, vertical + QStringLiteral("VV, VH)"));
    }
}

// Steps 1 to 16: everything above the chart.
void drawTitleBlock(const PageSource& page, const Variant& v) {
    PageMapper& map = page.PageMap;
    const IndexRecord& record = page.Record;
    const FeedKind feed = page.Pattern.feedKind;
    const bool feedShown = v.full && feed != FeedKind::None;

    map.SetTextColor(Qt::black);
    map.SetPen(Qt::black, fixedPenWidth(page, v.full));
    rectangle(map, v.titleFrame);
    rectangle(map, v.identBox);
    drawPicture(page, logoPicture(page.Color), v.logo);
    if (feedShown)
        drawPicture(page, LoadResourceBitmap(feedPictureName(feed)), QRect(725, 15, 175, 105));

    map.SetFont(Arial, 14, true);
    map.AlignedText(v.degrees.x(), v.degrees.y(), QStringLiteral("Degrees"), 1, 0);
    map.SetFont(Arial, 12, true);
    map.TextOut(50, 20, QStringLiteral("RADIATION PATTERN ENVELOPE"));
    if (feedShown)
        map.TextOut(440, 30,
                    rightFeed(feed) ? QStringLiteral("Red Right Feed Orientation")
                                    : QStringLiteral("Red Left Feed Orientation"));

    map.SetFont(Arial, 10);
    if (feedShown) {
        map.TextOut(440, 50, QStringLiteral("Feed is installed as illustrated"));
        map.TextOut(440, 65, QStringLiteral("with the RED indicator positioned"));
        map.TextOut(440, 80,
                    rightFeed(feed) ? QStringLiteral("toward the RIGHT as viewed from")
                                    : QStringLiteral("toward the LEFT as viewed from"));
        map.TextOut(440, 95, QStringLiteral("the back of the antenna."));
    }
    map.TextOut(50, 40, QStringLiteral("Antenna Type Number:  ") + text(record.modelNumber()));
    map.TextOut(50, 52,
                text(record.size()) + QStringLiteral(" Foot Antenna     ") +
                    text(record.frequencyRange()) + QString::fromLatin1(v.ghz) +
                    text(record.polarization()) + QStringLiteral(" Polarized"));
    map.TextOut(50, 64,
                QStringLiteral("Gain:  ") + text(record.gain()) + QStringLiteral(" dBi at ") +
                    text(record.midFrequency()) + QStringLiteral(" GHz"));
    if (v.full)
        map.AlignedText(v.description2X, 142, text(record.description2()), 1, 1);

    drawLegend(page);

    map.SetPenColor(Qt::black);
    map.SetFont(Arial, 8);
    map.TextOut(50, 104,
                QStringLiteral("For further information, ask for Quelda Bulletin 1032, "
                               "\"Radiation Pattern Envelopes.\""));
    map.SetFont(Arial, 10);
    map.TextOut(50, 116, QStringLiteral("QUELDA CORPORATION"));

    map.SetFont(Arial, v.identHeight);
    map.TextOut(v.identX, 60, QStringLiteral("RPE     ") + text(record.rpeNumber()));
    map.TextOut(v.identX, 75, text(record.description1()));
    map.SetFont(Arial, v.approvedHeight);
    map.AlignedText(v.approvedX, 95, QStringLiteral("Engineering Approved:"), 1, 0);
    map.AlignedText(v.approvedX, 110, text(record.date()), 1, 0);

    if (!v.full) {
        map.SetFont(Arial, 8);
        map.AlignedText(v.description2X, 142, text(record.description2()), 1, 1);
    }
}

// A run of grid lines `step` apart from `from` on: vertical ones (at angles, across the levels) or
// horizontal ones (at levels, from the chart's left edge to `right`). Line i of 1..count takes
// the heavier pen width when i % heavyEvery == heavyAt.
struct GridRun {
    bool vertical;
    int from;
    int step;
    int count;
    int heavyEvery;
    int heavyAt;
    int heavyWidth;
};

// Step 17.
void drawGridRuns(const PageSource& page, int right, std::initializer_list<GridRun> runs) {
    PageMapper& map = page.PageMap;
    map.SetPenColor(PageGridColour);
    for (const GridRun& run : runs)
        for (int i = 1; i <= run.count; ++i) {
            SetScaledPenWidth(page, i % run.heavyEvery == run.heavyAt ? run.heavyWidth : 1);
            const int at = run.from + run.step * i;
            if (run.vertical)
                map.Line(at, 150, at, 550);
            else
                map.Line(70, at, right, at);
        }
}

void drawFullGrid(const PageSource& page) {
    drawGridRuns(page, 1030,
                 {{true, 70, 10, 33, 4, 0, 2},
                  {true, 400, 10, 30, 5, 0, 2},
                  {true, 700, 10, 33, 4, 1, 2},
                  {false, 150, 8, 50, 5, 0, 2}});
}

void drawHalfGrid(const PageSource& page) {
    drawGridRuns(page, 550,
                 {{true, 70, 5, 30, 10, 0, 3},
                  {true, 220, 10, 33, 4, 1, 3},
                  {false, 150, 4, 100, 10, 0, 3}});
}

void number(PageMapper& map, int x, int y, int n, int h, int v) {
    map.AlignedText(x, y, QString::number(n), h, v);
}

// Steps 18 to 22: frame, axis numbers, the expanded-scale caption and arrows, the level captions.
void drawChartFrame(const PageSource& page, const Variant& v) {
    PageMapper& map = page.PageMap;
    const std::int32_t fixedWidth = fixedPenWidth(page, v.full);
    map.SetPen(Qt::black, fixedWidth);
    map.Rectangle(70, 150, v.chartRight, 550);
    if (v.full) {
        map.Line(400, 150, 400, 550);
        map.Line(700, 150, 700, 550);
    } else {
        map.Line(220, 150, 220, 550);
    }

    map.SetFont(Arial, 10);
    if (v.full) {
        for (int i = 1; i <= 8; ++i)
            number(map, 70 + 40 * i, 555, 20 * i - 180, 1, 0);
        for (int i = 1; i <= 5; ++i)
            number(map, 400 + 50 * i, 555, 5 * i - 15, 1, 0);
        for (int i = 0; i <= 7; ++i)
            number(map, 710 + 40 * i, 555, 20 * i + 20, 1, 0);
        for (int i = 1; i <= 9; ++i) {
            number(map, 55, 150 + 40 * i, 10 * i, 0, 1);
            number(map, 1045, 150 + 40 * i, 10 * i, 2, 1);
        }
    } else {
        for (int i = 0; i <= 3; ++i)
            number(map, 70 + 50 * i, 555, 5 * i, 1, 0);
        for (int i = 0; i <= 7; ++i)
            number(map, 230 + 40 * i, 555, 20 * i + 20, 1, 0);
        for (int i = 1; i <= 9; ++i)
            number(map, 55, 150 + 40 * i, 10 * i, 0, 1);
    }

    map.SetFont(Arial, 12);
    map.AlignedText(v.expandedCaptionX, 518, QStringLiteral("Expanded Scale"), 1, 1);

    map.SetPenWidth(fixedWidth);
    if (v.full) {
        map.Polyline(QPolygon({{400, 518}, {410, 515}, {410, 521}, {400, 518}, {480, 518}}));
        map.Polyline(QPolygon({{700, 518}, {690, 515}, {690, 521}, {700, 518}, {620, 518}}));
    } else {
        map.Polyline(QPolygon({{70, 518}, {80, 515}, {80, 521}, {70, 518}, {95, 518}}));
        map.Polyline(QPolygon({{220, 518}, {210, 515}, {210, 521}, {220, 518}, {195, 518}}));
    }

    map.SetFont(Arial, 12, true);
    const QString caption = QStringLiteral("dB Below Beam Peak");
    if (v.full) {
        map.AlignedRotatedText(35, 350, caption, 0, 1);
        map.AlignedRotatedText(1060, 350, caption, 2, 1);
    } else {
        map.AlignedRotatedText(45, 350, caption, 2, 1);
    }
}

// Step 23.
void drawTraces(const PageSource& page, bool full) {
    for (int cut = 0; cut < CutCount; ++cut) {
        if (page.Color) {
            SetTraceColor(page, cut);
            SetScaledPenWidth(page, 3);
        } else {
            SetMonoTracePen(page, cut);
        }
        if (full)
            DrawFullTrace(page, cut);
        else
            DrawHalfTrace(page, cut);
    }
}

// A regulatory mask over the traces: its step lines dashed in black through the chart's own
// scales (on the half chart only the angles from 0 up), and its caption just above the right end
// of the lines.
void drawMask(const PageSource& page, const MaskOverlay& mask, bool full) {
    PageMapper& map = page.PageMap;
    map.SetPen(Qt::black, 0, Qt::DashLine);
    SetScaledPenWidth(page, 2);
    std::optional<QPoint> captionAt;
    for (const std::vector<QPointF>& line : mask.lines) {
        QPolygon run;
        auto flush = [&] {
            if (run.size() > 1)
                map.Polyline(run);
            run.clear();
        };
        for (const QPointF& p : line) {
            if (!full && p.x() < 0) {
                flush();
                continue;
            }
            const QPoint at(full ? FullChartX(p.x()) : HalfChartX(p.x()), ChartY(p.y()));
            run.append(at);
            if (!captionAt || at.x() > captionAt->x())
                captionAt = at;
        }
        flush();
    }
    if (captionAt && !mask.caption.isEmpty()) {
        map.SetFont(Arial, 10);
        map.SetTextColor(Qt::black);
        map.AlignedText(captionAt->x() - 5, captionAt->y() - 3, mask.caption, 2, 2);
    }
}

void drawChart(const PageSource& page, const Variant& v) {
    QPainter& canvas = *page.PageMap.Canvas;
    // Nothing on the page is filled or drawn with a background: texts are transparent, and from
    // the chart frame on, the grid shows through what is drawn over it.
    canvas.setBackgroundMode(Qt::TransparentMode);
    canvas.setBrush(Qt::NoBrush);
    canvas.setRenderHint(QPainter::Antialiasing, false);
    drawTitleBlock(page, v);
    if (v.full)
        drawFullGrid(page);
    else
        drawHalfGrid(page);
    drawChartFrame(page, v);
    drawTraces(page, v.full);
    if (page.Mask && !page.Mask->isEmpty())
        drawMask(page, *page.Mask, v.full);
}

const PatternPoints& cutPoints(const PageSource& page, int cut) {
    return page.Pattern.CutPoints[static_cast<size_t>(cut)];
}

} // namespace

std::int32_t FullChartX(double a) {
    if (a <= -15)
        return 70 + R(2 * a + 360);
    if (a <= 15)
        return 400 + R(10 * a + 150);
    return 700 + R(2 * a - 30);
}

std::int32_t HalfChartX(double a) {
    if (a <= 15)
        return 70 + R(10 * a);
    return 220 + R(2 * a - 30);
}

std::int32_t ChartY(double level) {
    return 150 + R(-4 * level);
}

QColor TraceColor(int cut) {
    return screen::cutColour(cut);
}

void SetScaledPenWidth(const PageSource& page, int n) {
    page.PageMap.SetPenWidth(page.PageMap.DeviceToLogicalX(n * page.PenFactor));
}

void SetTraceColor(const PageSource& page, int cut) {
    page.PageMap.SetPenColor(TraceColor(cut));
}

MonoTraceWidths MonoTracePenWidths(const PageSource& page) {
    const PageMapper& map = page.PageMap;
    MonoTraceWidths widths{map.DeviceToLogicalX(4 * page.PenFactor),
                           map.DeviceToLogicalX(2 * page.PenFactor)};
    if (widths.Horizontal <= widths.Vertical)
        widths.Horizontal = widths.Vertical + 1;
    return widths;
}

void SetMonoTracePen(const PageSource& page, int cut) {
    const MonoTraceWidths widths = MonoTracePenWidths(page);
    page.PageMap.SetPenWidth(cut == CutHH || cut == CutHV ? widths.Horizontal : widths.Vertical);
}

void DrawFullChart(const PageSource& page) {
    drawChart(page, FullVariant);
}

void DrawHalfChart(const PageSource& page) {
    drawChart(page, HalfVariant);
}

void DrawFullTrace(const PageSource& page, int cut) {
    const PatternPoints& points = cutPoints(page, cut);
    if (points.size() < 2)
        return;
    QPolygon line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const PatternPoint& p : points)
        line.append(QPoint(FullChartX(p.Angle), ChartY(p.Level)));
    page.PageMap.Polyline(line);
}

void DrawHalfTrace(const PageSource& page, int cut) {
    QPolygon line;
    auto finish = [&] {
        if (line.size() >= 2)
            page.PageMap.Polyline(line);
        line.clear();
    };
    for (const PatternPoint& p : cutPoints(page, cut)) {
        if (p.Angle < 0)
            continue;
        if (p.Angle == 0) // -0 too
            finish();
        line.append(QPoint(HalfChartX(p.Angle), ChartY(p.Level)));
    }
    finish();
}
