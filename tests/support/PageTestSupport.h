// SPDX-License-Identifier: MIT
#pragma once
// Helpers of the page tests: a page drawn from a made-up antenna, and readings of its pixels.
#include "adf/Pattern.h"
#include "catalogue/IndexRecord.h"
#include "pages/PageMapper.h"
#include "pages/PageSource.h"

#include <QtGui/QImage>
#include <functional>
#include <initializer_list>

namespace pagetest {

inline constexpr QRgb White = 0xFFFFFFFFu;

// An antenna to draw: a record with every title field filled, and empty cuts.
struct Antenna {
    Antenna();
    IndexRecord record;
    LoadedPattern pattern;
    bool color = false;

    Antenna& feed(FeedKind kind) {
        pattern.feedKind = kind;
        return *this;
    }
    Antenna& colour(bool on) {
        color = on;
        return *this;
    }
    Antenna& cut(int index, std::initializer_list<PatternPoint> points) {
        pattern.CutPoints[static_cast<size_t>(index)].assign(points);
        return *this;
    }
    // The export image of the chart page (portrait or landscape by the feed kind).
    QImage chartImage() const;
};

bool isColour(QRgb pixel, QRgb colour);

// Bounding box of the pixels inside `area` (the whole image when null) that match.
QRect boxWhere(const QImage& image, const std::function<bool(QRgb)>& match, QRect area = {});
QRect inkBox(const QImage& image, QRect area = {});
QRect colourBox(const QImage& image, QRgb colour, QRect area = {});

// The run of matching pixels through (x, y) along a row or a column: its first and last pixel,
// or (-1, -1) when (x, y) does not match.
struct PixelRun {
    int first = -1;
    int last = -1;
    int length() const { return first < 0 ? 0 : last - first + 1; }
    double centre() const { return (first + last) / 2.0; }
};
PixelRun runAcross(const QImage& image, int x, int y, const std::function<bool(QRgb)>& match);
PixelRun runDown(const QImage& image, int x, int y, const std::function<bool(QRgb)>& match);

// Pixels where the two images differ by more than `threshold` in any channel.
int differingPixels(const QImage& a, const QImage& b, int threshold, QRect area = {});

// Device pixel of a logical point on a mapped page of the given sizes (halves to even).
int toDevice(int logical, int logicalExtent, int deviceExtent);

} // namespace pagetest
