#include "export/GifWriter.h"

#include <QtCore/QIODevice>
#include <QtCore/QSaveFile>
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <numeric>

namespace {

QString noDataError() {
    return QStringLiteral("No GIF Data to write");
}
QString encodingError() {
    return QStringLiteral("GIF image encoding error");
}
QString colorCountError() {
    return QStringLiteral("Wrong number of colors; must be a power of 2");
}

// ---- Colour reduction --------------------------------------------------------------------------

constexpr std::size_t MaxHistogramEntries = 2049;
constexpr std::size_t WantedColors = 256;
constexpr TGIFColor FillColor{128, 128, 128};

// The colours of a bitmap under the current channel masks, numbered in the order they are first
// met. The lookup is an open-addressed table keyed by the masked colour; only the entries and
// their order matter, never where a colour sits in the table.
class ColorHistogram {
public:
    ColorHistogram() : slots_(SlotCount) {
        colors_.reserve(MaxHistogramEntries);
        counts_.reserve(MaxHistogramEntries);
    }

    void reset() {
        std::fill(slots_.begin(), slots_.end(), std::uint16_t(0));
        colors_.clear();
        counts_.clear();
    }

    // The colour's entry, added with count 0 if new; -1 when the histogram is full.
    int findOrAdd(std::uint32_t color) {
        for (std::uint32_t slot = hash(color);; slot = (slot + 1) & (SlotCount - 1)) {
            const std::uint16_t entry = slots_[slot];
            if (entry == 0) {
                if (colors_.size() == MaxHistogramEntries)
                    return -1;
                colors_.push_back(color);
                counts_.push_back(0);
                slots_[slot] = std::uint16_t(colors_.size());
                return int(colors_.size()) - 1;
            }
            if (colors_[entry - 1u] == color)
                return entry - 1;
        }
    }

    // The entry of a colour known to be counted.
    int find(std::uint32_t color) const {
        for (std::uint32_t slot = hash(color);; slot = (slot + 1) & (SlotCount - 1)) {
            const std::uint16_t entry = slots_[slot];
            if (entry == 0 || colors_[entry - 1u] == color)
                return entry - 1;
        }
    }

    std::vector<std::uint32_t> colors_;
    std::vector<std::uint64_t> counts_;

private:
    static constexpr std::uint32_t SlotBits = 13;
    static constexpr std::uint32_t SlotCount = 1u << SlotBits; // keeps the table at most 1/4 full
    static std::uint32_t hash(std::uint32_t color) {
        return (color * 0x9E3779B1u) >> (32 - SlotBits);
    }
    std::vector<std::uint16_t> slots_;
};

std::uint32_t maskWord(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | blue;
}

TGIFColor colorOf(std::uint32_t rgb) {
    return {std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)};
}

const QRgb* rowOf(const QImage& image, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

// Counts the masked colours, bottom row first as the rows of a bottom-up bitmap lie in memory.
// Runs of one pixel value are counted without a lookup. False when there are too many colours.
bool countColors(const QImage& image, std::uint32_t mask, ColorHistogram& histogram) {
    histogram.reset();
    const int width = image.width();
    QRgb last = rowOf(image, image.height() - 1)[0];
    int entry = histogram.findOrAdd(last & mask);
    std::uint64_t run = 0;
    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb* row = rowOf(image, y);
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = row[x];
            if (pixel == last) {
                ++run;
                continue;
            }
            histogram.counts_[std::size_t(entry)] += run;
            entry = histogram.findOrAdd(pixel & mask);
            if (entry < 0)
                return false;
            last = pixel;
            run = 1;
        }
    }
    histogram.counts_[std::size_t(entry)] += run;
    return true;
}

// The palette entry nearest to a colour; the lowest index wins among equal distances.
std::uint8_t nearestIndex(const std::vector<TGIFColor>& palette, TGIFColor c) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < int(palette.size()); ++i) {
        const TGIFColor& p = palette[std::size_t(i)];
        const int dr = int(p.Red) - c.Red;
        const int dg = int(p.Green) - c.Green;
        const int db = int(p.Blue) - c.Blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return std::uint8_t(best);
}

// The bitmap as 32-bit pixels whose low three bytes are red, green, blue. Alpha is ignored.
QImage trueColorPixels(const QImage& bitmap) {
    switch (bitmap.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return bitmap;
    default:
        return bitmap.convertToFormat(QImage::Format_RGB32);
    }
}

TGIFIndexedImage fromIndexedBitmap(const QImage& bitmap, int bits) {
    TGIFIndexedImage out;
    out.Width = bitmap.width();
    out.Height = bitmap.height();
    out.BitsPerPixel = bits;
    out.Palette.resize(std::size_t(1) << bits);
    const QList<QRgb> table = bitmap.colorTable();
    for (qsizetype i = 0; i < table.size() && std::size_t(i) < out.Palette.size(); ++i)
        out.Palette[std::size_t(i)] = colorOf(table[i]);
    out.Pixels.resize(std::size_t(out.Width) * std::size_t(out.Height));
    std::uint8_t* dst = out.Pixels.data();
    const bool msbFirst = bitmap.format() == QImage::Format_Mono;
    for (int y = 0; y < out.Height; ++y, dst += out.Width) {
        const uchar* src = bitmap.constScanLine(y);
        if (bits == 8) {
            std::memcpy(dst, src, std::size_t(out.Width));
            continue;
        }
        for (int x = 0; x < out.Width; ++x) {
            const int shift = msbFirst ? 7 - (x & 7) : (x & 7);
            dst[x] = std::uint8_t((src[x >> 3] >> shift) & 1);
        }
    }
    return out;
}

// ---- LZW ---------------------------------------------------------------------------------------

constexpr unsigned MaxCodeBits = 12;
constexpr unsigned LastCodeBeforeReset = 4094;

// Packs codes least significant bit first and hands them out in data sub-blocks of 255 bytes.
class CodePacker {
public:
    explicit CodePacker(QByteArray& out) : out_(out) {}

    void put(unsigned code, unsigned width) {
        bits_ |= std::uint32_t(code) << pending_;
        pending_ += width;
        while (pending_ >= 8) {
            block_[++used_] = std::uint8_t(bits_);
            bits_ >>= 8;
            pending_ -= 8;
            if (used_ == 255)
                flushBlock();
        }
    }

    // Pads the last byte with zeros, writes the last short block and the block terminator.
    void finish() {
        if (pending_ > 0)
            put(0, 8 - pending_);
        if (used_ > 0)
            flushBlock();
        out_.append('\0');
    }

private:
    void flushBlock() {
        block_[0] = std::uint8_t(used_);
        out_.append(reinterpret_cast<const char*>(block_.data()), qsizetype(used_) + 1);
        used_ = 0;
    }

    QByteArray& out_;
    std::uint32_t bits_ = 0;
    unsigned pending_ = 0;
    unsigned used_ = 0;
    std::array<std::uint8_t, 256> block_{};
};

void putLittleEndian16(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

} // namespace

TGIFIndexedImage ReduceToPalette(const QImage& bitmap) {
    TGIFIndexedImage result;
    if (bitmap.isNull())
        return result;
    const QImage image = trueColorPixels(bitmap);
    result.Width = image.width();
    result.Height = image.height();
    result.BitsPerPixel = 8;

    // Drop low bits from one channel at a time until the colours fit the histogram.
    ColorHistogram histogram;
    std::uint8_t red = 0xFF, green = 0xFF, blue = 0xFF;
    while (!countColors(image, maskWord(red, green, blue), histogram)) {
        if (red < green)
            green = std::uint8_t(green << 1);
        else if (red > blue)
            red = std::uint8_t(red << 1);
        else
            blue = std::uint8_t(blue << 1);
    }
    const std::uint32_t mask = maskWord(red, green, blue);

    // Most frequent first; a stable sort keeps the earliest-counted colour first among equals.
    const std::vector<std::uint64_t>& counts = histogram.counts_;
    std::vector<std::uint32_t> order(counts.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&counts](std::uint32_t a, std::uint32_t b) { return counts[a] > counts[b]; });

    result.Palette.assign(WantedColors, FillColor);
    std::vector<std::uint8_t> indexOfEntry(counts.size());
    const std::size_t kept = std::min(order.size(), WantedColors);
    for (std::size_t i = 0; i < kept; ++i) {
        indexOfEntry[order[i]] = std::uint8_t(i);
        result.Palette[i] = colorOf(histogram.colors_[order[i]]);
    }
    for (std::size_t i = kept; i < order.size(); ++i)
        indexOfEntry[order[i]] = nearestIndex(result.Palette, colorOf(histogram.colors_[order[i]]));

    result.Pixels.resize(std::size_t(result.Width) * std::size_t(result.Height));
    std::uint8_t* dst = result.Pixels.data();
    QRgb last = rowOf(image, 0)[0];
    std::uint8_t lastIndex = indexOfEntry[std::size_t(histogram.find(last & mask))];
    for (int y = 0; y < result.Height; ++y) {
        const QRgb* row = rowOf(image, y);
        for (int x = 0; x < result.Width; ++x) {
            const QRgb pixel = row[x];
            if (pixel != last) {
                last = pixel;
                lastIndex = indexOfEntry[std::size_t(histogram.find(pixel & mask))];
            }
            *dst++ = lastIndex;
        }
    }
    return result;
}

void EncodeLzw(const std::uint8_t* pixels, std::size_t count, int bitsPerPixel, QByteArray& out) {
    const unsigned minCodeSize = bitsPerPixel == 1 ? 2u : unsigned(bitsPerPixel);
    const unsigned clearCode = 1u << minCodeSize;
    const unsigned endCode = clearCode + 1;
    const unsigned firstFree = clearCode + 2;
    const unsigned pixelMask = (1u << bitsPerPixel) - 1;
    out.append(char(minCodeSize));

    CodePacker packer(out);
    unsigned width = minCodeSize + 1;
    unsigned limit = 1u << width;
    unsigned next = firstFree;
    packer.put(clearCode, width);

    // The strings in the table, found by pixel and prefix code in one direct lookup. A slot is
    // trusted only when its code has been given out since the last reset and still names the
    // same pair, so the 2 MiB lookup never needs clearing.
    std::vector<std::uint16_t> codeOf(std::size_t(pixelMask + 1) << MaxCodeBits);
    std::array<std::uint32_t, 1u << MaxCodeBits> pairOf;
    pairOf.fill(~std::uint32_t(0));

    bool open = count > 0;
    unsigned prefix = open ? (pixels[0] & pixelMask) : 0;
    for (std::size_t i = 1; i < count; ++i) {
        const unsigned pixel = pixels[i] & pixelMask;
        const std::uint32_t pair = (pixel << MaxCodeBits) | prefix;
        const unsigned code = codeOf[pair];
        if (code < next && pairOf[code] == pair) {
            prefix = code;
            continue;
        }
        packer.put(prefix, width);
        const unsigned added = next++;
        codeOf[pair] = std::uint16_t(added);
        pairOf[added] = pair;
        prefix = pixel;
        if (added >= limit) {
            ++width;
            limit <<= 1;
        } else if (added >= LastCodeBeforeReset) {
            // The table is full: close the string with its single pixel and start afresh.
            packer.put(pixel, width);
            packer.put(clearCode, width);
            next = firstFree;
            width = minCodeSize + 1;
            limit = 1u << width;
            if (++i == count) {
                open = false;
                break;
            }
            prefix = pixels[i] & pixelMask;
        }
    }
    if (open)
        packer.put(prefix, width);
    packer.put(endCode, width);
    packer.finish();
}

std::optional<QString> WriteGif(const TGIFIndexedImage& image, TGIFVersion version,
                                QByteArray& out) {
    out.clear();
    if (image.Width <= 0 || image.Height <= 0)
        return noDataError();
    const int bits = image.BitsPerPixel;
    if ((bits != 1 && bits != 4 && bits != 8) || image.Width > 0xFFFF || image.Height > 0xFFFF ||
        image.Pixels.size() != std::size_t(image.Width) * std::size_t(image.Height))
        return encodingError();
    const std::size_t colors = image.Palette.size();
    if (colors < 2 || colors > 256 || (colors & (colors - 1)) != 0)
        return colorCountError();
    int tableBits = 1;
    while ((std::size_t(1) << tableBits) < colors)
        ++tableBits;

    out.reserve(qsizetype(13 + 3 * colors + 12 + image.Pixels.size() / 16 + 1024));
    out.append(version == TGIFVersion::GIF89a ? "GIF89a" : "GIF87a", 6);
    // Logical screen descriptor with the global colour table.
    putLittleEndian16(out, image.Width);
    putLittleEndian16(out, image.Height);
    out.append(char(0x80 | ((tableBits - 1) << 4) | (tableBits - 1)));
    out.append('\0'); // background colour index
    out.append('\0'); // pixel aspect ratio
    for (const TGIFColor& c : image.Palette) {
        out.append(char(c.Red));
        out.append(char(c.Green));
        out.append(char(c.Blue));
    }
    // Image descriptor at 0,0, no local table, not interlaced.
    out.append(char(0x2C));
    putLittleEndian16(out, 0);
    putLittleEndian16(out, 0);
    putLittleEndian16(out, image.Width);
    putLittleEndian16(out, image.Height);
    out.append('\0');
    EncodeLzw(image.Pixels.data(), image.Pixels.size(), bits, out);
    out.append(char(0x3B));
    return std::nullopt;
}

TGIFIndexedImage IndexBitmap(const QImage& bitmap) {
    if (bitmap.colorCount() > 0) {
        switch (bitmap.format()) {
        case QImage::Format_Indexed8:
            return fromIndexedBitmap(bitmap, 8);
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB:
            return fromIndexedBitmap(bitmap, 1);
        default:
            break;
        }
    }
    return ReduceToPalette(bitmap);
}

void TGIFImage::Clear() {
    Frames.clear();
    Version = TGIFVersion::None;
    ScreenSize = QSize();
    GlobalColorTable.clear();
}

void TGIFImage::Assign(const QImage& bitmap) {
    Clear();
    // QImage copies share pixels until one side changes, so the frame's bitmap stays as it was.
    Frames.emplace_back(bitmap);
    Version = TGIFVersion::GIF87a;
}

std::optional<QString> TGIFImage::SaveToBuffer(QByteArray& out) {
    out.clear();
    // The program only ever holds one frame; it is the one written.
    if (Frames.empty() || Frames.front().Bitmap.isNull())
        return noDataError();
    TGIFIndexedImage indexed = IndexBitmap(Frames.front().Bitmap);
    ScreenSize = QSize(indexed.Width, indexed.Height);
    GlobalColorTable = indexed.Palette;
    return WriteGif(indexed, Version, out);
}

std::optional<QString> TGIFImage::SaveToStream(QIODevice& stream) {
    QByteArray bytes;
    if (auto error = SaveToBuffer(bytes))
        return error;
    if (stream.write(bytes) != bytes.size())
        return QStringLiteral("Cannot write the GIF data: %1").arg(stream.errorString());
    return std::nullopt;
}

std::optional<QString> TGIFImage::SaveToFile(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot create file %1").arg(path);
    QByteArray bytes;
    if (auto error = SaveToBuffer(bytes)) {
        file.cancelWriting();
        return error;
    }
    if (file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("Cannot create file %1").arg(path);
    return std::nullopt;
}
