// SPDX-License-Identifier: MIT
#pragma once
// What the graph window says about the antenna on show and the chart under its cursor: the
// window titles, the status line, and the read-out of each cut's level at the cursor's angle
// (the envelope's own levels, as the level command prints them), with the margin to a mask.
#include "adf/Envelope.h"
#include "catalogue/IndexRecord.h"
#include "pages/MaskOverlay.h"

#include <QtCore/QString>
#include <optional>

// "ZZX10-60L.adf - ZZX10-60 RPE 12050": the file, the model and the RPE number.
QString antennaCaption(const IndexRecord& record);
// The graph window's title: "ZZX10-60L.adf - ZZX10-60 RPE 12050 - Lobeview".
QString graphWindowTitle(const IndexRecord& record);
// "5.925-6.425 GHz   Gain 43.1 dBi   Feed RIGHT   /data/NSMAData": band, gain, feed orientation
// and the catalogue folder.
QString antennaStatusText(const IndexRecord& record, const QString& folder);

// The angle of a column of the 960-pixel screen canvas (the inverse of screen::angleToX, with
// the column's left edge at x): 2 pixels per degree outside +-15 degrees, 10 inside.
double screenAngleAt(double canvasX);
// An angle as the read-out's cursor takes it: to the nearest tenth of a degree.
double readoutAngle(double angle);

// The canvas column of an angle, unrounded.
double screenXOf(double angle);

// "H/H", "V/V", "H/V", "V/H".
QString readoutCutName(int cut);

// The mask's level at an angle: the lowest of the overlay's lines there (on a bin edge, the
// stricter of the two bins); nothing where no line reaches.
std::optional<double> maskLevelAt(const MaskOverlay& mask, double angle);

// The read-out at an angle: "12.0 deg   H/H -36.80   V/V -37.10 dB", each cut with points
// (a step "-24.00/-45.00", "outside" off a cut's range), and with a mask "   mask -30.00,
// margin 6.90 dB (V/V)": the margin of the highest co-polar level there (of any cut when the
// file has no co-polar one).
QString readoutText(const LoadedPattern& pattern, double angle, const MaskOverlay* mask = nullptr);
// Two pinned cursors: "A 5.0 deg, B 12.0 deg, B - A:   H/H -6.30   V/V -6.60 dB" (the top
// levels of steps; "-" for a cut off its range at either angle).
QString readoutDifferenceText(const LoadedPattern& pattern, double a, double b);

// The envelope as tab-separated text for the clipboard: a heading "Angle\tH/H\tV/V\tH/V\tV/H",
// then one row per angle any cut lists, in increasing order, each cut's level as written in
// its column, blank where the cut has no point at that angle. A vertical step takes as many
// rows at its angle as it has points, its levels in file order.
QString envelopeTableText(const LoadedPattern& pattern);
