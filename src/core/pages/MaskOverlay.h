// SPDX-License-Identifier: MIT
#pragma once
// A category's mask drawn over an envelope chart: a step line at minus the suppression of each
// angle bin, on both sides of the main beam for two-sided antennas. The screen chart draws it
// dashed in its own colour; a chart page draws the same lines through its own scale.
#include <QtCore/QPointF>
#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QImage>
#include <vector>

struct MaskOverlay {
    // "FCC 101.115 Cat. A": what a page writes beside the line.
    QString caption;
    // Polylines of (angle in degrees, level in dB) points. A bin without a value breaks the line.
    std::vector<std::vector<QPointF>> lines;
    bool isEmpty() const { return lines.empty(); }
};

namespace screen {
// The colour of the mask line on the screen chart.
QColor maskColour();
// Draws the overlay's lines dashed on the screen canvas, with the screen chart's scales.
void DrawScreenMask(QImage& canvas, const MaskOverlay& overlay);
} // namespace screen
