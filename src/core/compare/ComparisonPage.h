// SPDX-License-Identifier: MIT
#pragma once
// The comparison drawn: its chart at any size, on the screen chart's scales (2 px a degree
// outside +-15 degrees, 10 inside, 4 px a dB, scaled to the rectangle) or on the linear zoomed
// scale; its legend; and the whole US Letter landscape page (title, chart, legend, table) that
// the picture, SVG and PDF exports and the printer all draw through one routine.
#include "compare/Comparison.h"
#include "pages/GrownChart.h"

#include <QtCore/QRectF>
#include <QtCore/QSize>
#include <QtGui/QImage>
#include <QtGui/QPen>
#include <optional>

class QPainter;

namespace compare {

// What the chart shows: the written scales over the comparison's whole range (-180 to 180
// degrees when it is two-sided, 0 to 180 otherwise; 0 to 100 dB below the peak), or a zoom.
struct ChartView {
    std::optional<grown::Zoom> zoom; // nothing: the written scales
};

// The columns of the screen canvas the written scales show: all 960 two-sided, from the main
// beam (column 480) on otherwise.
grown::Span writtenSpan(bool twoSided);

// Where an angle and a level land in a chart drawn into `rect`, and back: the read-out's cursor
// and the tests' pixels. On the written scales an angle past the comparison's range lands
// outside the rectangle.
double chartX(const QRectF& rect, bool twoSided, const ChartView& view, double angle);
double chartAngleAt(const QRectF& rect, bool twoSided, const ChartView& view, double x);
double chartY(const QRectF& rect, const ChartView& view, double level);
double chartLevelAt(const QRectF& rect, const ChartView& view, double y);

// The width of a trace's line in a chart `rect` units high: the screen chart's 2 pixels,
// scaled.
double traceWidth(const QRectF& rect);
// The pen antenna `index` is drawn with: its colour, or black for a black and white page, and
// its dash pattern either way.
QPen tracePen(int index, double width, bool color);

// Draws the comparison's chart into `rect` of the painter: white ground, grid, frame, the
// axis numbers, the expanded-scale mark on the written scales, and each antenna's trace on the
// comparison's cut, the first antenna's last so that it stays on top.
void drawComparisonChart(QPainter& painter, const QRectF& rect, const Comparison& comparison,
                         const ChartView& view, bool color);
// The chart on an image of `size` (the compare window's).
QImage comparisonChartImage(QSize size, const Comparison& comparison, const ChartView& view,
                            bool color);

// Draws the legend into `rect`: for each antenna a sample of its line and its legend text
// (model, RPE number, file name, band, "(band differs)"), wrapped to the width, in a font
// `fontHeight` units high. Returns the height used.
double drawComparisonLegend(QPainter& painter, const QRectF& rect, const Comparison& comparison,
                            double fontHeight, bool color);

// The page: 11 x 8.5 inches, drawn in thousandths of an inch.
inline constexpr double PageWidth = 11000;
inline constexpr double PageHeight = 8500;

// The page's title: "Antenna comparison, H/H" (the cut compared).
QString comparisonPageTitle(const Comparison& comparison);
// Draws the whole page so that it fills `target` (the page's shape kept, centred), the table's
// margins checked against `fcc` (none: the margins stay empty).
void drawComparisonPage(QPainter& painter, const QRectF& target, const Comparison& comparison,
                        const MaskTable* fcc, bool color);
// The page over the painter's whole device: a printer page, an SVG or PDF sheet.
void paintComparisonPage(QPainter& painter, const Comparison& comparison, const MaskTable* fcc,
                         bool color);

// The page as a picture at `dpi` dots an inch: 1650 x 1275 at 150.
inline constexpr int PagePictureDpi = 150;
QImage comparisonPageImage(const Comparison& comparison, const MaskTable* fcc, bool color,
                           int dpi = PagePictureDpi);

} // namespace compare
