// SPDX-License-Identifier: MIT
#pragma once
// The screen chart: one 960 x 400 canvas holding the whole envelope from -180 to +180 degrees and
// from 0 to 100 dB below the peak. The graph window shows a slice of it.
#include "adf/Pattern.h"

#include <QtGui/QColor>
#include <QtGui/QImage>

class QPainter;

namespace screen {

inline constexpr int CanvasWidth = 960;
inline constexpr int CanvasHeight = 400;

// Round to the nearest integer, halves to even.
int roundEven(double v);
// Canvas column of an angle: 2 px per degree outside the central +-15 degrees, 10 px inside.
int angleToX(double angle);
// Canvas row of a level: 4 px per dB below the peak.
int levelToY(double level);

// Trace colour of a cut index: black, green, blue, red.
QColor cutColour(int cut);
// The light grey of the grid lines.
QColor gridColour();

// A white canvas of the screen chart's size.
QImage newCanvas();

// Grid, frame, numbers, "Expanded Scale" and its arrows.
void DrawScreenChart(QImage& canvas, FeedKind feedKind);
// One cut's envelope as a polyline in the cut's colour, 2 pixels wide.
void DrawScreenTrace(QImage& canvas, const PatternPoints& points, int cut);
// Writes n with the centre of its text box at (x, y), in the painter's current font.
void DrawCenteredNumber(QPainter& painter, int x, int y, int n);

} // namespace screen
