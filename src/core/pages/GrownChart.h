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

} // namespace grown
