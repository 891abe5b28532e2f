// SPDX-License-Identifier: MIT
#pragma once
// The printable radiation pattern envelope chart page: a title block above the envelope chart,
// drawn in logical units through the page's PageMapper onto whatever surface the page routine has
// mapped (a printer page or an export image).
//
//  - the full chart (two-sided antennas) spans -180..180 degrees on a 1100 x 650 page;
//  - the half chart (one-sided antennas) spans 0..180 degrees on a 600 x 650 page (600 x 600 on
//    export images).
//
// Both read only the PageSource: the record's title texts, the cuts, the feed kind, the colour
// option and the pen factor.
#include "pages/PageSource.h"

#include <QtGui/QColor>
#include <cstdint>

// ---- Scales (logical units) --------------------------------------------------------------------

// Full chart: 2 units a degree outside the central +-15 degrees, 10 inside; -180 at x 70, 0 at
// 550, 180 at 1030.
std::int32_t FullChartX(double angle);
// Half chart, for angles of 0 and more: 10 units a degree up to 15 (at x 220), then 2; 180 at 550.
std::int32_t HalfChartX(double angle);
// Both charts: 4 units a dB below the peak, 0 dB at y 150, -100 dB at y 550.
std::int32_t ChartY(double level);

// ---- Pens ---------------------------------------------------------------------------------------

// The pen's width becomes DeviceToLogicalX(n x PenFactor) logical units; 0 is the thinnest line.
void SetScaledPenWidth(const PageSource& page, int n);
// The pen colour of a cut in colour printing: black, green, blue, red.
void SetTraceColor(const PageSource& page, int cut);
// The monochrome trace widths in logical units: SetScaledPenWidth 4 for the horizontal port cuts
// and 2 for the vertical ones. Where the page's scale rounds both to the same number of units
// (some printable widths at 600 dpi), the horizontal one gets one unit more, so the two stay
// apart on paper as the legend says.
struct MonoTraceWidths {
    std::int32_t Horizontal;
    std::int32_t Vertical;
};
MonoTraceWidths MonoTracePenWidths(const PageSource& page);
// The monochrome trace width of a cut: the horizontal width for the horizontal port cuts (0, 2),
// the vertical one for the others (1, 3); the colour is left as it is.
void SetMonoTracePen(const PageSource& page, int cut);
// The trace colour of a cut on the chart pages.
QColor TraceColor(int cut);

// ---- Pages --------------------------------------------------------------------------------------

// The whole two-sided chart page, traces last.
void DrawFullChart(const PageSource& page);
// The whole one-sided chart page, traces last.
void DrawHalfChart(const PageSource& page);
// One cut as a single line through its points in list order. A cut of fewer than two points draws
// nothing.
void DrawFullTrace(const PageSource& page, int cut);
// One cut from 0 degrees on: negative angles are skipped, and the first drawn point and every
// point at exactly 0 degrees (-0 included) start a new line. A line of a single point draws
// nothing.
void DrawHalfTrace(const PageSource& page, int cut);
