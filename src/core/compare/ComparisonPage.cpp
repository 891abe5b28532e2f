// SPDX-License-Identifier: MIT
#include "compare/ComparisonPage.h"

#include "compare/ComparisonText.h"
#include "pages/ChartReadout.h"
#include "pages/ScreenChart.h"

#include <QtGui/QFontMetricsF>
#include <QtGui/QPainter>
#include <QtGui/QPolygonF>
#include <algorithm>
#include <cmath>

namespace compare {

namespace {

// Device pixels per painter unit (the painter may be scaled, as on the page).
double devicePixelsPerUnit(const QPainter& painter) {
    const QTransform t = painter.deviceTransform();
    return std::sqrt(std::abs(t.determinant()));
}

// A font whose pixel size is `height` painter units, unhinted, so that the page measures and
// looks alike on a picture, an SVG, a PDF and paper.
QFont pageFont(double height, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, int(std::lround(height))));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

// Draws `text` in the painter's font aligned on (x, y): h 0 left, 1 centre, 2 right; v 0 top,
// 1 centre, 2 bottom.
void alignedText(QPainter& painter, double x, double y, const QString& text, int h, int v) {
    const QFontMetricsF fm(painter.font(), painter.device());
    const double left = x - fm.horizontalAdvance(text) * h / 2.0;
    const double top = y - fm.height() * v / 2.0;
    painter.drawText(QPointF(left, top + fm.ascent()), text);
}

QPen plainPen(const QColor& colour, double width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// The grid lines' width: one device pixel, or the screen chart's one pixel scaled when wider.
double hairWidth(const QPainter& painter, const QRectF& rect) {
    return std::max(1 / devicePixelsPerUnit(painter), rect.height() / (2 * screen::CanvasHeight));
}

// The axis numbers: the screen chart's 8 pixels scaled, never under MinNumberPixels device
// pixels.
double numberHeight(const QPainter& painter, const QRectF& rect) {
    return std::max(8 * rect.height() / screen::CanvasHeight,
                    grown::MinNumberPixels / devicePixelsPerUnit(painter));
}

// The written scales: the screen chart's grid, numbers and expanded-scale mark over the span.
void drawWrittenGrid(QPainter& p, const QRectF& r, bool twoSided) {
    const grown::Span span = writtenSpan(twoSided);
    const auto x = [&](double canvasX) {
        return r.left() + grown::imageX(span, 1, canvasX) * r.width();
    };
    const auto y = [&](double canvasY) {
        return r.top() + canvasY * r.height() / screen::CanvasHeight;
    };
    const auto shows = [&](double canvasX) { return canvasX > span.from && canvasX < span.to; };

    // Grid every 5 degrees, every degree in the expanded middle, every 2 dB.
    p.setPen(plainPen(screen::gridColour(), hairWidth(p, r)));
    for (int a = -179; a < 180; ++a) {
        const bool line = std::abs(a) < 15 || (std::abs(a) > 15 && a % 5 == 0);
        if (line && shows(screenXOf(a)))
            p.drawLine(QPointF(x(screenXOf(a)), r.top()), QPointF(x(screenXOf(a)), r.bottom()));
    }
    for (int level = 2; level < 100; level += 2)
        p.drawLine(QPointF(r.left(), y(4 * level)), QPointF(r.right(), y(4 * level)));

    // The borders of the expanded section.
    p.setPen(plainPen(Qt::black, hairWidth(p, r)));
    for (const double a : {-15.0, 15.0})
        if (shows(screenXOf(a)))
            p.drawLine(QPointF(x(screenXOf(a)), r.top()), QPointF(x(screenXOf(a)), r.bottom()));

    // Angles along the bottom, levels down both sides and both borders.
    p.setFont(pageFont(numberHeight(p, r)));
    const auto number = [&](double canvasX, double canvasY, int n) {
        if (shows(canvasX))
            alignedText(p, x(canvasX), y(canvasY), QString::number(n), 1, 1);
    };
    for (int a = -160; a <= 160; a += 5)
        if (std::abs(a) <= 10 || (std::abs(a) >= 20 && a % 20 == 0))
            number(screenXOf(a), 385, a);
    for (int level = 10; level <= 90; level += 10)
        for (const double a : {-172.5, -15.0, 15.0, 172.5})
            number(screenXOf(a), 4 * level, level);

    // "Expanded Scale" with its arrows pointing at the section's borders.
    const bool oneSided = !twoSided;
    p.setFont(pageFont(11 * r.height() / screen::CanvasHeight));
    alignedText(p, x(oneSided ? 560 : 480), y(360), QStringLiteral("Expanded Scale"), 1, 0);
    QPen arrow = plainPen(Qt::black, traceWidth(r));
    arrow.setJoinStyle(Qt::BevelJoin);
    p.setPen(arrow);
    const double leftTip = oneSided ? 480 : 330;
    const double leftEnd = oneSided ? 500 : 410;
    const double rightEnd = oneSided ? 610 : 550;
    const QPolygonF left({{x(leftTip), y(368)},
                          {x(leftTip + 10), y(365)},
                          {x(leftTip + 10), y(371)},
                          {x(leftTip), y(368)},
                          {x(leftEnd), y(368)}});
    const QPolygonF right({{x(630), y(368)},
                           {x(620), y(365)},
                           {x(620), y(371)},
                           {x(630), y(368)},
                           {x(rightEnd), y(368)}});
    p.drawPolyline(left);
    p.drawPolyline(right);
}

// The zoomed scale: a grid of round steps, angles along the bottom, levels down the left.
void drawZoomGrid(QPainter& p, const QRectF& r, const grown::Zoom& zoom) {
    p.setFont(pageFont(numberHeight(p, r)));
    const QFontMetricsF fm(p.font(), p.device());
    const double angleStep = grown::gridStep(zoom.toAngle - zoom.fromAngle, 12);
    const double levelStep = grown::gridStep(zoom.topLevel - zoom.bottomLevel, 12);
    const auto label = [](double v) { return QString::number(v == 0 ? 0.0 : v, 'g', 6); };
    const QPen grid = plainPen(screen::gridColour(), hairWidth(p, r));
    const double pad = fm.height() / 4;
    for (double a = std::ceil(zoom.fromAngle / angleStep) * angleStep; a <= zoom.toAngle + 1e-9;
         a += angleStep) {
        const double x = r.left() + grown::zoomX(zoom, 1, a) * r.width();
        p.setPen(grid);
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        p.setPen(Qt::black);
        const QString text = label(std::round(a / angleStep) * angleStep);
        const double half = fm.horizontalAdvance(text) / 2;
        if (x - half >= r.left() + pad && x + half <= r.right() - pad) // whole numbers only
            alignedText(p, x, r.bottom() - pad - fm.height(), text, 1, 0);
    }
    for (double l = std::floor(zoom.topLevel / levelStep) * levelStep; l >= zoom.bottomLevel - 1e-9;
         l -= levelStep) {
        const double y = r.top() + grown::zoomY(zoom, 1, l) * r.height();
        p.setPen(grid);
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        p.setPen(Qt::black);
        // Clear of the frame and of the angles along the bottom.
        if (y - fm.ascent() / 2 >= r.top() + pad &&
            y + fm.ascent() / 2 <= r.bottom() - 2 * pad - fm.height())
            alignedText(p, r.left() + pad, y, label(-std::round(l / levelStep) * levelStep), 0, 1);
    }
}

void drawTraces(QPainter& p, const QRectF& r, const Comparison& comparison, const ChartView& view,
                bool color) {
    const bool twoSided = comparison.twoSided();
    const double width = traceWidth(r);
    QPolygonF line;
    // The first antenna last, on top of the others.
    for (int i = comparison.size() - 1; i >= 0; --i) {
        const PatternPoints points =
            comparisonTrace(comparison.antenna(i).file.pattern, comparison.cut, twoSided);
        if (points.size() < 2)
            continue;
        line.clear();
        line.reserve(qsizetype(points.size()));
        for (const PatternPoint& pt : points)
            line << QPointF(chartX(r, twoSided, view, pt.Angle), chartY(r, view, pt.Level));
        p.setPen(tracePen(i, width, color));
        p.drawPolyline(line);
    }
}

} // namespace

grown::Span writtenSpan(bool twoSided) {
    return twoSided ? grown::Span{0, screen::CanvasWidth}
                    : grown::Span{screenXOf(0), screen::CanvasWidth};
}

double chartX(const QRectF& rect, bool twoSided, const ChartView& view, double angle) {
    const double share = view.zoom ? grown::zoomX(*view.zoom, 1, angle)
                                   : grown::imageX(writtenSpan(twoSided), 1, screenXOf(angle));
    return rect.left() + share * rect.width();
}

double chartAngleAt(const QRectF& rect, bool twoSided, const ChartView& view, double x) {
    const double share = (x - rect.left()) / rect.width();
    return view.zoom ? grown::zoomAngleAt(*view.zoom, 1, share)
                     : screenAngleAt(grown::canvasX(writtenSpan(twoSided), 1, share));
}

double chartY(const QRectF& rect, const ChartView& view, double level) {
    const double share = view.zoom ? grown::zoomY(*view.zoom, 1, level) : grown::imageY(1, level);
    return rect.top() + share * rect.height();
}

double chartLevelAt(const QRectF& rect, const ChartView& view, double y) {
    const double share = (y - rect.top()) / rect.height();
    return view.zoom ? grown::zoomLevelAt(*view.zoom, 1, share) : -share * screen::CanvasHeight / 4;
}

double traceWidth(const QRectF& rect) {
    return 2 * rect.height() / screen::CanvasHeight;
}

QPen tracePen(int index, double width, bool color) {
    const TraceStyle style = traceStyle(index);
    QPen pen = plainPen(color ? style.color : QColor(Qt::black), width);
    if (!style.dashes.empty())
        pen.setDashPattern(QList<qreal>(style.dashes.begin(), style.dashes.end()));
    return pen;
}

void drawComparisonChart(QPainter& painter, const QRectF& rect, const Comparison& comparison,
                         const ChartView& view, bool color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(rect, Qt::white);
    painter.setClipRect(rect);
    if (view.zoom)
        drawZoomGrid(painter, rect, *view.zoom);
    else
        drawWrittenGrid(painter, rect, comparison.twoSided());
    drawTraces(painter, rect, comparison, view, color);
    painter.setClipping(false);
    // The frame inside the rectangle, over the traces' ends.
    const double hair = hairWidth(painter, rect);
    painter.setPen(plainPen(Qt::black, hair));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(hair / 2, hair / 2, -hair / 2, -hair / 2));
    painter.restore();
}

QImage comparisonChartImage(QSize size, const Comparison& comparison, const ChartView& view,
                            bool color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawComparisonChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), comparison, view, color);
    return image;
}

namespace {

// A sample of a trace's line beside a text: SampleLength times the text's height long, in a
// pen thin enough that the longest dash pattern shows whole.
constexpr double SampleLength = 5;
double samplePen(const QPainter& painter, double fontHeight) {
    return std::max(fontHeight / 8, 1 / devicePixelsPerUnit(painter));
}

// Lays the legend out and, when `draw`, draws it; returns the height it takes.
double legend(QPainter& painter, const QRectF& rect, const Comparison& comparison,
              double fontHeight, bool color, bool draw) {
    painter.save();
    painter.setFont(pageFont(fontHeight));
    const QFontMetricsF fm(painter.font(), painter.device());
    const double number = fm.horizontalAdvance(QStringLiteral("8 "));
    const double sample = SampleLength * fontHeight;
    const double gap = fontHeight / 2;
    const double textLeft = rect.left() + number + sample + gap;
    const double textWidth = std::max(fontHeight, rect.right() - textLeft);
    double y = rect.top();
    for (int i = 0; i < comparison.size(); ++i) {
        // Lines break between the fields only (the legend text parts them by two blanks); a
        // field too long for a line of its own (a long file name) is broken where the line is
        // full, so that every character of it is still there to tell two names apart.
        QStringList lines;
        for (const QString& field : legendText(comparison.antenna(i)).split(QStringLiteral("  "))) {
            const QString joined =
                lines.isEmpty() ? QString() : lines.back() + QStringLiteral("  ") + field;
            if (!lines.isEmpty() && fm.horizontalAdvance(joined) <= textWidth) {
                lines.back() = joined;
                continue;
            }
            QString rest = field;
            while (fm.horizontalAdvance(rest) > textWidth && rest.size() > 1) {
                qsizetype fits = 1;
                while (fits < rest.size() && fm.horizontalAdvance(rest.left(fits + 1)) <= textWidth)
                    ++fits;
                lines << rest.left(fits);
                rest = rest.mid(fits);
            }
            lines << rest;
        }
        if (draw) {
            painter.setPen(Qt::black);
            painter.drawText(QPointF(rect.left(), y + fm.ascent()), QString::number(i + 1));
            for (qsizetype k = 0; k < lines.size(); ++k)
                painter.drawText(QPointF(textLeft, y + double(k) * fm.lineSpacing() + fm.ascent()),
                                 lines[k]);
            const double middle = y + fm.height() / 2;
            painter.setPen(tracePen(i, samplePen(painter, fontHeight), color));
            painter.drawLine(QPointF(rect.left() + number, middle),
                             QPointF(rect.left() + number + sample, middle));
        }
        y += double(lines.size() - 1) * fm.lineSpacing() + fm.height() + gap;
    }
    painter.restore();
    return comparison.empty() ? 0 : y - gap - rect.top();
}

} // namespace

double drawComparisonLegend(QPainter& painter, const QRectF& rect, const Comparison& comparison,
                            double fontHeight, bool color) {
    return legend(painter, rect, comparison, fontHeight, color, true);
}

QString comparisonPageTitle(const Comparison& comparison) {
    return QStringLiteral("Antenna comparison, %1").arg(compareCutName(comparison.cut));
}

namespace {

// The page's layout, in thousandths of an inch.
constexpr double Margin = 400;
constexpr double TitleHeight = 220;
const QRectF ChartRect(Margin, 850, 7350, 3700);
const QRectF LegendRect(8050, 850, PageWidth - Margin - 8050, 3700);
const QRectF TableRect(Margin, 5200, PageWidth - 2 * Margin, 2650);
constexpr double TableFont = 120;
constexpr int AnglesPerBand = 16;

QColor bestShade(bool color) {
    return color ? QColor(255, 236, 140) : QColor(215, 215, 215);
}

// The table in bands of at most AnglesPerBand angles, the two margin columns (twice as wide,
// for "not enough data") after the last band's angles. A row: the antenna's number and a sample
// of its line, then its cells as the window shows them; the best of each column bold on a
// shaded ground.
void drawTable(QPainter& p, const QRectF& r, const Comparison& comparison,
               const ComparisonTable& table, bool color) {
    const TableCells cells = tableCells(comparison, table);
    const int angles = int(table.angles.size());
    const int bands = std::max(1, (angles + AnglesPerBand - 1) / AnglesPerBand);
    const int rows = comparison.size() + 1;
    // Rows shrink when many bands must fit.
    const double rowHeight = std::min(1.7 * TableFont, r.height() / (bands * (rows + 0.6)));
    const double fontHeight = rowHeight / 1.7;
    const double labelWidth = (SampleLength + 2) * fontHeight;
    const int widest = std::min(angles, AnglesPerBand) + 4;
    const double cellWidth = std::min(6 * fontHeight, (r.width() - labelWidth) / widest);
    const QFont plain = pageFont(fontHeight);
    const QFont bold = pageFont(fontHeight, true);
    const double hair = std::max(1 / devicePixelsPerUnit(p), fontHeight / 25);

    double top = r.top();
    for (int band = 0; band < bands; ++band) {
        // The band's columns: their place in the cells' rows and their widths.
        std::vector<std::pair<int, double>> columns;
        for (int a = band * AnglesPerBand; a < std::min(angles, (band + 1) * AnglesPerBand); ++a)
            columns.emplace_back(FirstAngleColumn + a, cellWidth);
        if (band == bands - 1)
            for (const int c : {FirstAngleColumn + angles, FirstAngleColumn + angles + 1})
                columns.emplace_back(c, 2 * cellWidth);

        double width = labelWidth;
        for (const auto& column : columns)
            width += column.second;
        p.fillRect(QRectF(r.left(), top, width, rowHeight), QColor(235, 235, 235));
        for (int row = 0; row < rows; ++row) {
            const double middle = top + (row + 0.5) * rowHeight;
            p.setFont(plain);
            p.setPen(Qt::black);
            alignedText(p, r.left() + fontHeight / 3, middle,
                        row == 0 ? QStringLiteral("Angle") : QString::number(row), 0, 1);
            if (row > 0) {
                p.setPen(tracePen(row - 1, samplePen(p, fontHeight), color));
                p.drawLine(QPointF(r.left() + 1.5 * fontHeight, middle),
                           QPointF(r.left() + labelWidth - fontHeight / 2, middle));
            }
            double left = r.left() + labelWidth;
            for (const auto& [index, cellW] : columns) {
                const QRectF box(left, top + row * rowHeight, cellW, rowHeight);
                left += cellW;
                QString text;
                bool best = false;
                if (row == 0) {
                    text = cells.headings[index];
                    if (index < FirstAngleColumn + angles)
                        text += QChar(0x00B0);
                } else {
                    const TableCell& cell = cells.rows[size_t(row - 1)][size_t(index)];
                    text = cell.text;
                    best = cell.best;
                }
                if (best)
                    p.fillRect(box, bestShade(color));
                p.setFont(best ? bold : plain);
                p.setPen(Qt::black);
                alignedText(p, box.right() - fontHeight / 2, middle, text, 2, 1);
            }
        }

        // Rules between the rows and the columns, a frame round the band.
        p.setPen(plainPen(QColor(128, 128, 128), hair));
        p.setBrush(Qt::NoBrush);
        for (int row = 1; row < rows; ++row)
            p.drawLine(QPointF(r.left(), top + row * rowHeight),
                       QPointF(r.left() + width, top + row * rowHeight));
        double left = r.left() + labelWidth;
        for (const auto& column : columns) {
            p.drawLine(QPointF(left, top), QPointF(left, top + rows * rowHeight));
            left += column.second;
        }
        p.drawRect(QRectF(r.left(), top, width, rows * rowHeight));
        top += (rows + 0.6) * rowHeight;
    }
}

// The legend's font: as large as fits its box, up to the table's.
double legendFont(QPainter& p, const Comparison& comparison) {
    double font = TableFont;
    while (font > 50 && legend(p, LegendRect, comparison, font, false, false) > LegendRect.height())
        font -= 10;
    return font;
}

} // namespace

void drawComparisonPage(QPainter& painter, const QRectF& target, const Comparison& comparison,
                        const MaskTable* fcc, bool color) {
    painter.save();
    const double scale = std::min(target.width() / PageWidth, target.height() / PageHeight);
    painter.translate(target.center());
    painter.scale(scale, scale);
    painter.translate(-PageWidth / 2, -PageHeight / 2);
    painter.fillRect(QRectF(0, 0, PageWidth, PageHeight), Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    painter.setPen(Qt::black);
    painter.setFont(pageFont(TitleHeight, true));
    alignedText(painter, Margin, Margin, comparisonPageTitle(comparison), 0, 0);

    drawComparisonChart(painter, ChartRect, comparison, ChartView{}, color);
    painter.setPen(Qt::black);
    painter.setFont(pageFont(TableFont));
    alignedText(painter, ChartRect.center().x(), ChartRect.bottom() + 60,
                QStringLiteral("Angle from the main beam in degrees; level in dB below the peak"),
                1, 0);
    drawComparisonLegend(painter, LegendRect, comparison, legendFont(painter, comparison), color);

    painter.setPen(Qt::black);
    painter.setFont(pageFont(TableFont));
    alignedText(painter, Margin, TableRect.top() - 80, tableCaption(comparison), 0, 2);
    drawTable(painter, TableRect, comparison, comparison.table(fcc), color);
    painter.setPen(Qt::black);
    painter.setFont(pageFont(TableFont * 0.9));
    alignedText(
        painter, Margin, PageHeight - Margin,
        QStringLiteral("At each angle the higher level of the two sides of the main beam; FCC A, "
                       "FCC B: the worst FCC 101.115 margin in dB. The best of each column is "
                       "bold on a shaded ground."),
        0, 1);
    painter.restore();
}

void paintComparisonPage(QPainter& painter, const Comparison& comparison, const MaskTable* fcc,
                         bool color) {
    const QPaintDevice* device = painter.device();
    drawComparisonPage(painter, QRectF(0, 0, device->width(), device->height()), comparison, fcc,
                       color);
}

QImage comparisonPageImage(const Comparison& comparison, const MaskTable* fcc, bool color,
                           int dpi) {
    QImage image(11 * dpi, 17 * dpi / 2, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintComparisonPage(painter, comparison, fcc, color);
    return image;
}

} // namespace compare
