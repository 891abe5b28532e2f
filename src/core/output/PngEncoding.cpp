// SPDX-License-Identifier: MIT
#include "output/PngEncoding.h"

#include <QtCore/QBuffer>
#include <QtGui/QImageWriter>
#include <algorithm>
#include <array>
#include <cstdint>

namespace png {

namespace {

// Qt's PNG writer turns quality q into the deflate level (100 - q) * 9 / 91: 80 gives level 1,
// the fastest that still compresses (90 and above store without compressing).
constexpr int FastQuality = 80;

QByteArray write(const QImage& image, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    QImageWriter writer(&buffer, "png");
    writer.setQuality(quality);
    if (!writer.write(image))
        return {};
    return bytes;
}

} // namespace

std::optional<QList<QRgb>> ExactPalette(const QImage& image, int limit) {
    const QImage rgb =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    // An open-addressed set of 1,024 slots: at most `limit` (256) colours are ever kept, so it
    // never fills, and runs of one colour (most of a page) cost one comparison a pixel.
    constexpr std::size_t Slots = 1024;
    std::array<std::uint32_t, Slots> slot{};
    std::array<bool, Slots> used{};
    QList<QRgb> colours;
    std::uint32_t last = 0;
    bool haveLast = false;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const std::uint32_t c = line[x] | 0xff000000u;
            if (haveLast && c == last)
                continue;
            last = c;
            haveLast = true;
            std::size_t i = (c * 2654435761u) >> 22; // the top 10 bits of a multiplicative hash
            while (used[i] && slot[i] != c)
                i = (i + 1) & (Slots - 1);
            if (used[i])
                continue;
            if (colours.size() == limit)
                return std::nullopt;
            used[i] = true;
            slot[i] = c;
            colours.push_back(c);
        }
    }
    std::sort(colours.begin(), colours.end());
    return colours;
}

QByteArray EncodePage(const QImage& image) {
    if (const auto palette = ExactPalette(image)) {
        const QImage indexed =
            image.convertToFormat(QImage::Format_Indexed8, *palette, Qt::ThresholdDither);
        return write(indexed, FastQuality);
    }
    return write(image, FastQuality);
}

QByteArray EncodeDefault(const QImage& image) {
    return write(image, -1);
}

} // namespace png
