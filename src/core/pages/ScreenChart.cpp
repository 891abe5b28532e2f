// SPDX-License-Identifier: MIT
#include "pages/ScreenChart.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <cmath>

namespace screen {

int roundEven(double v) {
    // Far-off values only need to land off the canvas; keep them inside the range of an int.
    if (!(v > -1e8))
        return -100000000;
    if (v > 1e8)
        return 100000000;
    return static_cast<int>(std::nearbyint(v));
}

int angleToX(double a) {
    if (a <= -15)
        return roundEven(2 * a + 360);
    if (a <= 15)
        return 330 + roundEven(10 * a + 150);
    return 630 + roundEven(2 * a - 30);
}

int levelToY(double l) {
    return roundEven(-4 * l);
}

QColor cutColour(int cut) {
    switch (cut) {
    case CutVV:
        return {0, 191, 0};
    case CutHV:
        return {0, 0, 191};
    case CutVH:
        return {191, 0, 0};
    default:
        return {0, 0, 0};
    }
}

QColor gridColour() {
    return {212, 208, 200};
}

QImage newCanvas() {
    QImage canvas(CanvasWidth, CanvasHeight, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    return canvas;
}

namespace {

QPen pen(const QColor& colour, int width) {
    QPen p(colour);
    p.setWidth(width);
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

QFont arial(double points) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

} // namespace

void DrawCenteredNumber(QPainter& painter, int x, int y, int n) {
    const QString text = QString::number(n);
    const QFontMetrics fm(painter.font(), painter.device());
    const int w = fm.horizontalAdvance(text);
    const int h = fm.height();
    painter.drawText(QRect(x - w / 2, y - h / 2, w, h),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void DrawScreenChart(QImage& canvas, FeedKind feedKind) {
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing, false);

    // 1. Grid: every 5 degrees outside the expanded section, every degree inside, every 2 dB.
    p.setPen(pen(gridColour(), 1));
    for (int i = 1; i <= 33; ++i) {
        p.drawLine(10 * i, 0, 10 * i, 400);
        p.drawLine(630 + 10 * i, 0, 630 + 10 * i, 400);
    }
    for (int i = 1; i <= 30; ++i)
        p.drawLine(330 + 10 * i, 0, 330 + 10 * i, 400);
    for (int i = 1; i <= 50; ++i)
        p.drawLine(0, 8 * i, 960, 8 * i);

    // 2. Frame and the borders of the expanded section.
    p.setPen(pen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 959, 399); // a frame from (0, 0) to (960, 400), right and bottom edges inside
    p.drawLine(330, 0, 330, 400);
    p.drawLine(630, 0, 630, 400);

    // 3. Numbers.
    p.setFont(arial(6));
    p.setBackgroundMode(Qt::TransparentMode);
    for (int i = 1; i <= 8; ++i)
        DrawCenteredNumber(p, 40 * i, 385, 20 * i - 180);
    for (int i = 1; i <= 5; ++i)
        DrawCenteredNumber(p, 330 + 50 * i, 385, 5 * i - 15);
    for (int i = 0; i <= 7; ++i)
        DrawCenteredNumber(p, 640 + 40 * i, 385, 20 * i + 20);
    for (int i = 1; i <= 9; ++i)
        for (int x : {15, 330, 630, 945})
            DrawCenteredNumber(p, x, 40 * i, 10 * i);

    // 4. The expanded-scale mark, centred over what is on show.
    p.setFont(arial(8));
    const QString caption = QStringLiteral("Expanded Scale");
    const QFontMetrics fm(p.font(), &canvas);
    const int c = feedKind == FeedKind::None ? 560 : 480;
    const int w = fm.horizontalAdvance(caption);
    p.drawText(QRect(c - w / 2, 360, w, fm.height()),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, caption);

    // 5. Arrows with their tips on the section borders. The head's sharp corner would stick out
    // past the tip with a mitred join of the 2-pixel pen, so the corners are bevelled and each
    // arrow is kept on its side of the border it points at.
    QPen arrowPen = pen(Qt::black, 2);
    arrowPen.setJoinStyle(Qt::BevelJoin);
    p.setPen(arrowPen);
    const bool oneSided = feedKind == FeedKind::None;
    auto arrow = [&p](const QRect& side, std::initializer_list<QPoint> pts) {
        p.setClipRect(side);
        p.drawPolyline(pts.begin(), static_cast<int>(pts.size()));
    };
    const int leftTip = oneSided ? 480 : 330;
    const int leftEnd = oneSided ? 500 : 410;
    arrow(
        QRect(QPoint(leftTip, 0), QPoint(CanvasWidth - 1, CanvasHeight - 1)),
        {{leftTip, 368}, {leftTip + 10, 365}, {leftTip + 10, 371}, {leftTip, 368}, {leftEnd, 368}});
    arrow(QRect(QPoint(0, 0), QPoint(630, CanvasHeight - 1)),
          {{630, 368}, {620, 365}, {620, 371}, {630, 368}, {oneSided ? 610 : 550, 368}});
    p.setClipping(false);
}

void DrawScreenTrace(QImage& canvas, const PatternPoints& points, int cut) {
    if (points.size() < 2)
        return; // nothing, or a single point, draws nothing visible
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(pen(cutColour(cut), 2));
    QPolygon line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const PatternPoint& pt : points)
        line << QPoint(angleToX(pt.Angle), levelToY(pt.Level));
    p.drawPolyline(line);
}

} // namespace screen
