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

    // The expanded-scale mark and its arrows, where the canvas has them.
    const bool oneSided = pattern.feedKind == FeedKind::None;
    const int captionPixels =
        std::max(11, int(std::lround(11.0 * size.height() / screen::CanvasHeight)));
    m.SetFont(QStringLiteral("Arial"),
              int(std::lround(double(captionPixels) * m.LogicalHeight / size.height())));
    m.AlignedText(lx(span, oneSided ? 560 : 480), ly(360), QStringLiteral("Expanded Scale"), 1, 0);
    m.SetPenPixels(Qt::black, thick);
    const int leftTip = oneSided ? 480 : 330;
    const int leftEnd = oneSided ? 500 : 410;
    const int rightEnd = oneSided ? 610 : 550;
    m.Polyline(
        QPolygon({QPoint(lx(span, leftTip), ly(368)), QPoint(lx(span, leftTip + 10), ly(365)),
                  QPoint(lx(span, leftTip + 10), ly(371)), QPoint(lx(span, leftTip), ly(368)),
                  QPoint(lx(span, leftEnd), ly(368))}));
    m.Polyline(QPolygon({QPoint(lx(span, 630), ly(368)), QPoint(lx(span, 620), ly(365)),
                         QPoint(lx(span, 620), ly(371)), QPoint(lx(span, 630), ly(368)),
                         QPoint(lx(span, rightEnd), ly(368))}));

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

Zoom zoomAngles(const Zoom& zoom, double pivot, double factor, double lowest, double highest) {
    Zoom z = zoom;
    double span =
        std::clamp((zoom.toAngle - zoom.fromAngle) * factor, MinAngleSpan, highest - lowest);
    const double share = (pivot - zoom.fromAngle) / (zoom.toAngle - zoom.fromAngle);
    z.fromAngle = pivot - share * span;
    z.toAngle = z.fromAngle + span;
    return pan(z, 0, 0, lowest, highest);
}

Zoom zoomLevels(const Zoom& zoom, double pivot, double factor) {
    Zoom z = zoom;
    const double span =
        std::clamp((zoom.topLevel - zoom.bottomLevel) * factor, MinLevelSpan, 100.0);
    const double share = (zoom.topLevel - pivot) / (zoom.topLevel - zoom.bottomLevel);
    z.topLevel = pivot + share * span;
    z.bottomLevel = z.topLevel - span;
    return pan(z, 0, 0, -180, 180);
}

double wheelZoomFactor(int angleDelta) {
    return std::pow(0.8, angleDelta / 120.0);
}

Zoom zoomAnglesAtPointer(const Zoom& zoom, double pivot, double factor, double pointerFraction,
                         double lowest, double highest) {
    Zoom z = zoomAngles(zoom, pivot, factor, lowest, highest);
    const double span = z.toAngle - z.fromAngle;
    z.fromAngle = pivot - pointerFraction * span;
    z.toAngle = z.fromAngle + span;
    return pan(z, 0, 0, lowest, highest);
}

Zoom pan(const Zoom& zoom, double angles, double levels, double lowest, double highest) {
    Zoom z = zoom;
    const double span = z.toAngle - z.fromAngle;
    z.fromAngle = std::clamp(z.fromAngle + angles, lowest, highest - span);
    z.toAngle = z.fromAngle + span;
    const double depth = z.topLevel - z.bottomLevel;
    z.topLevel = std::clamp(z.topLevel + levels, -100 + depth, 0.0);
    z.bottomLevel = z.topLevel - depth;
    return z;
}

double zoomX(const Zoom& zoom, int width, double angle) {
    return (angle - zoom.fromAngle) * width / (zoom.toAngle - zoom.fromAngle);
}

double zoomAngleAt(const Zoom& zoom, int width, double x) {
    return zoom.fromAngle + x * (zoom.toAngle - zoom.fromAngle) / width;
}

double zoomY(const Zoom& zoom, int height, double level) {
    return (zoom.topLevel - level) * height / (zoom.topLevel - zoom.bottomLevel);
}

double zoomLevelAt(const Zoom& zoom, int height, double y) {
    return zoom.topLevel - y * (zoom.topLevel - zoom.bottomLevel) / height;
}

double gridStep(double span, int lines) {
    double power = std::pow(10.0, std::floor(std::log10(span / lines)));
    for (;; power *= 10)
        for (const double m : {1.0, 2.0, 5.0})
            if (span / (m * power) <= lines)
                return m * power;
}

QImage DrawZoomedChart(QSize size, const Zoom& zoom, const LoadedPattern& pattern,
                       const MaskOverlay* mask) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const int w = size.width(), h = size.height();
    const double scale = double(h) / screen::CanvasHeight;
    const int thick = std::max(2, int(std::lround(2 * scale)));

    // Grid and numbers: angles along the bottom, levels down the left.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(numberPixels(h));
    p.setFont(font);
    const QFontMetrics fm(font, &image);
    const double angleStep = gridStep(zoom.toAngle - zoom.fromAngle, 12);
    const double levelStep = gridStep(zoom.topLevel - zoom.bottomLevel, 12);
    const auto label = [](double v) { return QString::number(v == 0 ? 0.0 : v, 'g', 6); };
    for (double a = std::ceil(zoom.fromAngle / angleStep) * angleStep; a <= zoom.toAngle + 1e-9;
         a += angleStep) {
        const double x = std::round(zoomX(zoom, w, a));
        p.setPen(screen::gridColour());
        p.drawLine(QPointF(x, 0), QPointF(x, h));
        p.setPen(Qt::black);
        const QString text = label(std::round(a / angleStep) * angleStep);
        const double left = x - fm.horizontalAdvance(text) / 2.0;
        if (left >= 2 && left + fm.horizontalAdvance(text) <= w - 2) // whole numbers only
            p.drawText(QPointF(left, h - 3 - fm.descent()), text);
    }
    for (double l = std::floor(zoom.topLevel / levelStep) * levelStep; l >= zoom.bottomLevel - 1e-9;
         l -= levelStep) {
        const double y = std::round(zoomY(zoom, h, l));
        p.setPen(screen::gridColour());
        p.drawLine(QPointF(0, y), QPointF(w, y));
        p.setPen(Qt::black);
        // Clear of the frame and of the angles along the bottom.
        if (y - fm.ascent() / 2.0 >= 2 && y + fm.ascent() / 2.0 <= h - fm.height() - 4)
            p.drawText(QPointF(4, y + fm.ascent() / 2.0),
                       label(-std::round(l / levelStep) * levelStep));
    }
    p.setPen(Qt::black);
    p.drawRect(0, 0, w - 1, h - 1);

    const auto polyline = [&](const std::vector<QPointF>& pts) {
        QPolygonF line;
        for (const QPointF& pt : pts)
            line << QPointF(zoomX(zoom, w, pt.x()), zoomY(zoom, h, pt.y()));
        p.drawPolyline(line);
    };
    for (int cut = 0; cut < CutCount; ++cut) {
        const PatternPoints& points = pattern.CutPoints[size_t(cut)];
        if (points.size() < 2)
            continue;
        QPen pen(screen::cutColour(cut), thick);
        p.setPen(pen);
        std::vector<QPointF> pts;
        for (const PatternPoint& pt : points)
            pts.emplace_back(pt.Angle, pt.Level);
        polyline(pts);
    }
    if (mask) {
        QPen pen(screen::maskColour(), thick, Qt::DashLine);
        p.setPen(pen);
        for (const auto& l : mask->lines)
            polyline(l);
    }
    return image;
}

} // namespace grown
