// SPDX-License-Identifier: MIT
// Fuzz target: the GIF writer on random small pictures.
//
// The input picks a picture kind, a size and the pixels. The written file is taken apart again
// with an independent reader (header, colour table, sub-blocks, LZW codes) and must give back the
// writer's own palette indices; where the picture has at most 256 colours, every pixel must come
// back in its exact colour.
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "output/GifImage.h"

#include <QtGui/QImage>
#include <set>
#include <vector>

namespace {

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
    std::uint8_t next() { return size == 0 ? 0 : data[pos++ % size]; }
};

// Reads the one-frame GIF the writer makes; false when it is not well formed.
bool readGif(const QByteArray& file, int& width, int& height, std::vector<GifColor>& palette,
             std::vector<std::uint8_t>& indices) {
    const auto* b = reinterpret_cast<const std::uint8_t*>(file.constData());
    const std::size_t n = std::size_t(file.size());
    std::size_t p = 0;
    auto u16 = [&](std::size_t at) { return int(b[at] | (b[at + 1] << 8)); };
    if (n < 13 || (std::memcmp(b, "GIF87a", 6) != 0 && std::memcmp(b, "GIF89a", 6) != 0))
        return false;
    width = u16(6);
    height = u16(8);
    const std::uint8_t packed = b[10];
    if (!(packed & 0x80))
        return false;
    const std::size_t colors = std::size_t(2) << (packed & 7);
    p = 13;
    if (n < p + 3 * colors + 10)
        return false;
    palette.resize(colors);
    for (auto& c : palette) {
        c = {b[p], b[p + 1], b[p + 2]};
        p += 3;
    }
    if (b[p] != 0x2C || u16(p + 1) != 0 || u16(p + 3) != 0 || u16(p + 5) != width ||
        u16(p + 7) != height || b[p + 9] != 0)
        return false;
    p += 10;
    if (p >= n)
        return false;
    const int minSize = b[p++];
    if (minSize < 2 || minSize > 8)
        return false;
    std::vector<std::uint8_t> data;
    for (;;) {
        if (p >= n)
            return false;
        const std::size_t len = b[p++];
        if (len == 0)
            break;
        if (p + len > n)
            return false;
        data.insert(data.end(), b + p, b + p + len);
        p += len;
    }
    if (p + 1 != n || b[p] != 0x3B)
        return false;

    const unsigned clear = 1u << minSize;
    const unsigned end = clear + 1;
    std::vector<std::uint16_t> prefix(4096);
    std::vector<std::uint8_t> suffix(4096);
    std::vector<std::uint8_t> firstOf(4096);
    for (unsigned i = 0; i < clear; ++i)
        suffix[i] = firstOf[i] = std::uint8_t(i);
    unsigned codeWidth = unsigned(minSize) + 1;
    unsigned nextCode = clear + 2;
    int prev = -1;
    std::size_t bit = 0;
    std::vector<std::uint8_t> text;
    auto append = [&](unsigned code) {
        text.clear();
        for (unsigned c = code;; c = prefix[c]) {
            text.push_back(suffix[c]);
            if (c < clear)
                break;
        }
        indices.insert(indices.end(), text.rbegin(), text.rend());
    };
    for (;;) {
        if (bit + codeWidth > data.size() * 8)
            return false; // no end code
        unsigned code = 0;
        for (unsigned i = 0; i < codeWidth; ++i, ++bit)
            code |= unsigned((data[bit / 8] >> (bit % 8)) & 1) << i;
        if (code == clear) {
            codeWidth = unsigned(minSize) + 1;
            nextCode = clear + 2;
            prev = -1;
            continue;
        }
        if (code == end)
            break;
        if (prev < 0) {
            if (code >= clear)
                return false;
            append(code);
            prev = int(code);
            continue;
        }
        std::uint8_t first;
        if (code < nextCode) {
            first = firstOf[code];
            append(code);
        } else if (code == nextCode && nextCode < 4096) {
            first = firstOf[unsigned(prev)];
            append(unsigned(prev));
            indices.push_back(first);
        } else {
            return false;
        }
        if (nextCode < 4096) {
            prefix[nextCode] = std::uint16_t(prev);
            suffix[nextCode] = first;
            firstOf[nextCode] = firstOf[unsigned(prev)];
            ++nextCode;
            if (nextCode == (1u << codeWidth) && codeWidth < 12)
                ++codeWidth;
        }
        prev = int(code);
    }
    return true;
}

} // namespace

int FuzzGifWriter(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const int kind = data[0] % 5;
    const int width = 1 + data[1] % 96;
    const int height = 1 + data[2] % 64;
    Input in{data + 3, size - 3};

    QImage picture;
    bool fewColors = true; // at most 256 colours: every pixel must come back exactly
    switch (kind) {
    case 0: { // true colour, any pixels
        picture = QImage(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.setPixel(x, y, qRgb(in.next(), in.next(), in.next()));
        fewColors = false;
        break;
    }
    case 1:   // true colour from a small set of colours
    case 4: { // the same, wide, with long runs (code widths up to 12 bits and table resets)
        const int count = 1 + in.next();
        std::vector<QRgb> colors;
        for (int i = 0; i < count; ++i)
            colors.push_back(qRgb(in.next(), in.next(), in.next()));
        const int w = kind == 4 ? width * 16 : width;
        picture = QImage(w, height, QImage::Format_RGB32);
        std::size_t run = 0;
        QRgb current = colors.front();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < w; ++x) {
                if (run == 0) {
                    current = colors[in.next() % colors.size()];
                    run = kind == 4 ? 1 + in.next() : 1;
                }
                --run;
                picture.setPixel(x, y, current);
            }
        break;
    }
    case 2: { // 8-bit with its own colour table, indices possibly past its end
        picture = QImage(width, height, QImage::Format_Indexed8);
        QList<QRgb> table;
        const int count = 1 + in.next();
        for (int i = 0; i < count; ++i)
            table << qRgb(in.next(), in.next(), in.next());
        picture.setColorTable(table);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.scanLine(y)[x] = in.next();
        fewColors = false;
        break;
    }
    case 3: { // 1-bit
        picture = QImage(width, height, QImage::Format_Mono);
        picture.setColorTable(
            {qRgb(in.next(), in.next(), in.next()), qRgb(in.next(), in.next(), in.next())});
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.setPixel(x, y, in.next() & 1);
        break;
    }
    }

    GifImage gif;
    gif.Assign(picture);
    QByteArray file;
    if (const auto error = gif.SaveToBuffer(file))
        fuzz::fail("a picture could not be written");
    const GifIndexedImage expected = IndexBitmap(picture);

    int w = 0, h = 0;
    std::vector<GifColor> palette;
    std::vector<std::uint8_t> indices;
    if (!readGif(file, w, h, palette, indices))
        fuzz::fail("the file is not a well-formed GIF");
    if (w != picture.width() || h != picture.height())
        fuzz::fail("wrong screen size");
    if (palette != expected.Palette)
        fuzz::fail("the colour table is not the writer's palette");
    if (indices != expected.Pixels)
        fuzz::fail("the pixel data does not decode to the palette indices");
    if (fewColors) {
        std::size_t i = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x, ++i) {
                const QRgb want = picture.pixel(x, y);
                const GifColor got = palette[indices[i]];
                if (got.Red != qRed(want) || got.Green != qGreen(want) || got.Blue != qBlue(want))
                    fuzz::fail("a colour changed although the picture has few colours");
            }
    }
    return 0;
}

LOBEVIEW_FUZZ_ENTRY(FuzzGifWriter)
