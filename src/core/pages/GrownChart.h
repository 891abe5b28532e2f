// SPDX-License-Identifier: MIT
#pragma once
// The screen chart at any size: the graph window grown past its written size draws the chart
// through a PageMapper whose logical page is the 960 x 400 canvas in tenths of a pixel, so the
// grid, numbers, traces and mask land where the canvas has them, scaled per axis, with sharp
// lines and text at any size and axis numbers never under MinNumberPixels high.
#include "adf/Pattern.h"
#include "pages/MaskOverlay.h"

#include <QtGui/QImage>

namespace grown {

inline constexpr int Units = 10; // logical units per canvas pixel
inline constexpr int MinNumberPixels = 9;

// The part of the canvas on show: columns [from, to) of the 960, all 400 rows.
struct Span {
    double from = 0;
    double to = 960;
    double width() const { return to - from; }
};

// The image column of a canvas column, and back, for an image `width` pixels wide.
double imageX(const Span& span, int width, double canvasX);
double canvasX(const Span& span, int width, double imageX);
// The image row of a level (dB below the peak) for an image `height` pixels high.
double imageY(int height, double level);

// The pixel height of the axis numbers at an image height: the canvas' 8 scaled, at least
// MinNumberPixels.
int numberPixels(int height);

// Draws the chart of `pattern` (and `mask`, when given) over `span` on a white image of `size`.
QImage DrawGrownChart(QSize size, const Span& span, const LoadedPattern& pattern,
                      const MaskOverlay* mask = nullptr);

// A zoomed chart: linear in angle and in level over the ranges given (the screen chart's
// expanded middle gives way to one scale).
struct Zoom {
    double fromAngle = -180;
    double toAngle = 180;
    double topLevel = 0;
    double bottomLevel = -100;
};
inline constexpr double MinAngleSpan = 2; // degrees
inline constexpr double MinLevelSpan = 4; // dB

// Zooms the angle axis by `factor` (below 1 zooms in) around `pivot`, which stays where it is
// on the image; the span never goes below MinAngleSpan nor past [lowest, highest].
Zoom zoomAngles(const Zoom& zoom, double pivot, double factor, double lowest, double highest);
// The zoom factor of a wheel turn of `angleDelta` eighths of a degree (120 a notch): each notch
// away from the user zooms in by a fifth.
double wheelZoomFactor(int angleDelta);
// Zooms the angle axis by `factor` around the angle `pivot` under the pointer, which stays under
// the pointer: at `pointerFraction` of the image's width (0 left, 1 right) on the linear scale.
Zoom zoomAnglesAtPointer(const Zoom& zoom, double pivot, double factor, double pointerFraction,
                         double lowest, double highest);
// The same for the level axis, within 0 to -100 dB.
Zoom zoomLevels(const Zoom& zoom, double pivot, double factor);
// Moves the view by `angles` degrees and `levels` dB, kept within [lowest, highest] and 0 to
// -100 dB.
Zoom pan(const Zoom& zoom, double angles, double levels, double lowest, double highest);

// The image column of an angle and back, the image row of a level, on a zoomed chart.
double zoomX(const Zoom& zoom, int width, double angle);
double zoomAngleAt(const Zoom& zoom, int width, double x);
double zoomY(const Zoom& zoom, int height, double level);
double zoomLevelAt(const Zoom& zoom, int height, double y);

// The grid step of an axis: the step of 1, 2 or 5 times a power of ten that gives at most
// `lines` lines over `span`.
double gridStep(double span, int lines);

// Draws the zoomed chart of `pattern` (and `mask`) on a white image of `size`: grid, the
// angles along the bottom and the levels down the left, the traces.
QImage DrawZoomedChart(QSize size, const Zoom& zoom, const LoadedPattern& pattern,
                       const MaskOverlay* mask = nullptr);

} // namespace grown
