// SPDX-License-Identifier: MIT
#include "pages/GrownChart.h"

#include "pages/ChartReadout.h"
#include "pages/PageMapper.h"
#include "pages/ScreenChart.h"

#include <QtGui/QPainter>
#include <algorithm>
#include <cmath>

namespace grown {

double imageX(const Span& span, int width, double x) {
    return (x - span.from) * width / span.width();
}

double canvasX(const Span& span, int width, double x) {
    return span.from + x * span.width() / width;
}

double imageY(int height, double level) {
    return -4 * level * height / screen::CanvasHeight;
}

int numberPixels(int height) {
    return std::max(MinNumberPixels, int(std::lround(8.0 * height / screen::CanvasHeight)));
}

namespace {

// Logical units of a canvas position on the page, which starts at the span's first column.
std::int32_t lx(const Span& span, double canvasX) {
    return std::int32_t(std::lround((canvasX - span.from) * Units));
}
std::int32_t ly(double canvasY) {
    return std::int32_t(std::lround(canvasY * Units));
}

} // namespace

QImage DrawGrownChart(QSize size, const Span& span, const LoadedPattern& pattern,
                      const MaskOverlay* mask) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    PageMapper m;
    m.BeginPage(&p, std::int32_t(std::lround(span.width() * Units)), screen::CanvasHeight * Units);
    const double scale = double(size.height()) / screen::CanvasHeight;
    const int thick = std::max(2, int(std::lround(2 * scale)));

    // Grid every 10 canvas pixels across (5 degrees, 1 in the expanded part) and every 8 down.
    m.SetPenPixels(screen::gridColour(), 1);
    for (int x = 10; x < screen::CanvasWidth; x += 10)
        if (x != 330 && x != 630 && x > span.from && x < span.to)
            m.Line(lx(span, x), 0, lx(span, x), ly(400));
    for (int y = 8; y < screen::CanvasHeight; y += 8)
        m.Line(0, ly(y), lx(span, span.to), ly(y));

    // Frame and the borders of the expanded section.
    m.SetPenPixels(Qt::black, 1);
    m.Rectangle(0, 0, m.LogicalWidth, m.LogicalHeight);
    for (const int x : {330, 630})
        if (x > span.from && x < span.to)
            m.Line(lx(span, x), 0, lx(span, x), ly(400));

    // Numbers where the canvas has them.
    m.SetTextColor(Qt::black);
    const int numberUnits =
        int(std::lround(double(numberPixels(size.height())) * m.LogicalHeight / size.height()));
    m.SetFont(QStringLiteral("Arial"), numberUnits);
    auto number = [&](double x, double y, int n) {
        if (x > span.from && x < span.to)
            m.AlignedText(lx(span, x), ly(y), QString::number(n), 1, 1);
    };
    for (int i = 1; i <= 8; ++i)
        number(40 * i, 385, 20 * i - 180);
    for (int i = 1; i <= 5; ++i)
        number(330 + 50 * i, 385, 5 * i - 15);
    for (int i = 0; i <= 7; ++i)
        number(640 + 40 * i, 385, 20 * i + 20);
    for (int i = 1; i <= 9; ++i)
        for (const int x : {15, 330, 630, 945})
            number(x, 40 * i, 10 * i);

    // Traces, then the mask, each as the canvas draws them, scaled.
    for (int cut = 0; cut < CutCount; ++cut) {
        const PatternPoints& points = pattern.CutPoints[size_t(cut)];
        if (points.size() < 2)
            continue;
        m.SetPenPixels(screen::cutColour(cut), thick);
        QPolygon line;
        for (const PatternPoint& pt : points)
            line << QPoint(lx(span, screenXOf(pt.Angle)), ly(-4 * pt.Level));
        m.Polyline(line);
    }
    if (mask) {
        m.SetPenPixels(screen::maskColour(), thick, Qt::DashLine);
        for (const auto& l : mask->lines) {
            QPolygon line;
            for (const QPointF& pt : l)
                line << QPoint(lx(span, screenXOf(pt.x())), ly(-4 * pt.y()));
            m.Polyline(line);
        }
    }
    return image;
}

} // namespace grown
