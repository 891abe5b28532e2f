// SPDX-License-Identifier: MIT
#include "PageTestSupport.h"

#include "pages/PageRoutines.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace pagetest {

Antenna::Antenna() {
    record.setText(IndexField::FileName, "ZZX10-60L.adf");
    record.setText(IndexField::ModelNumber, "ZZX10-60");
    record.setText(IndexField::Size, "10");
    record.setText(IndexField::Polarization, "Dual");
    record.setText(IndexField::Date, "08 March 2021");
    record.setText(IndexField::RpeNumber, "12050");
    record.setText(IndexField::FrequencyRange, "5.925-6.425");
    record.setText(IndexField::MidFrequency, "6.175");
    record.setText(IndexField::Gain, "43.1");
    record.setText(IndexField::Description1, "10 ft Dual Pol HP");
    record.setText(IndexField::Description2, "A short description");
}

QImage Antenna::chartImage() const {
    PageMapper map;
    QImage image;
    DrawGraphPage(PageSource{map, record, pattern, color, 1}, image);
    return image;
}

bool isColour(QRgb pixel, QRgb colour) {
    return (pixel | 0xFF000000u) == (colour | 0xFF000000u);
}

QRect boxWhere(const QImage& image, const std::function<bool(QRgb)>& match, QRect area) {
    if (area.isNull())
        area = image.rect();
    area &= image.rect();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (match(row[x])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return left > right ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect inkBox(const QImage& image, QRect area) {
    return boxWhere(
        image, [](QRgb c) { return !isColour(c, White); }, area);
}

QRect colourBox(const QImage& image, QRgb colour, QRect area) {
    return boxWhere(
        image, [colour](QRgb c) { return isColour(c, colour); }, area);
}

PixelRun runAcross(const QImage& image, int x, int y, const std::function<bool(QRgb)>& match) {
    if (!image.valid(x, y) || !match(image.pixel(x, y)))
        return {};
    PixelRun r{x, x};
    while (image.valid(r.first - 1, y) && match(image.pixel(r.first - 1, y)))
        --r.first;
    while (image.valid(r.last + 1, y) && match(image.pixel(r.last + 1, y)))
        ++r.last;
    return r;
}

PixelRun runDown(const QImage& image, int x, int y, const std::function<bool(QRgb)>& match) {
    if (!image.valid(x, y) || !match(image.pixel(x, y)))
        return {};
    PixelRun r{y, y};
    while (image.valid(x, r.first - 1) && match(image.pixel(x, r.first - 1)))
        --r.first;
    while (image.valid(x, r.last + 1) && match(image.pixel(x, r.last + 1)))
        ++r.last;
    return r;
}

int differingPixels(const QImage& a, const QImage& b, int threshold, QRect area) {
    if (a.size() != b.size())
        return a.width() * a.height();
    if (area.isNull())
        area = a.rect();
    const QImage ca = a.convertToFormat(QImage::Format_RGB32);
    const QImage cb = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(ca.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(cb.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const int d = std::max({std::abs(qRed(ra[x]) - qRed(rb[x])),
                                    std::abs(qGreen(ra[x]) - qGreen(rb[x])),
                                    std::abs(qBlue(ra[x]) - qBlue(rb[x]))});
            n += d > threshold;
        }
    }
    return n;
}

int toDevice(int logical, int logicalExtent, int deviceExtent) {
    return static_cast<int>(
        std::nearbyint(static_cast<long double>(logical) * deviceExtent / logicalExtent));
}

} // namespace pagetest
