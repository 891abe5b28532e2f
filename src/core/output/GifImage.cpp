// SPDX-License-Identifier: MIT
#include "output/GifImage.h"

#include <QtCore/QIODevice>
#include <QtCore/QSaveFile>
#include <QtCore/QThread>
#include <QtCore/QThreadPool>
#include <algorithm>
#include <array>
#include <cstring>
#include <future>
#include <limits>
#include <memory>
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

// The threads that take the other half of a picture's colour count and LZW encoding: they live
// as long as the program, so each keeps its string lookup for the next picture. Their tasks never
// wait for anything, so a caller waiting for its half always gets it.
QThreadPool& halfWorkers() {
    static QThreadPool pool;
    static const bool set = [] {
        pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
        pool.setExpiryTimeout(-1);
        return true;
    }();
    Q_UNUSED(set);
    return pool;
}

// Below this many pixels a picture is counted and encoded in one go: a second thread would not
// pay.
constexpr std::size_t MinPixelsInTwo = 1u << 16;

// ---- Colour reduction --------------------------------------------------------------------------

constexpr std::size_t MaxHistogramEntries = 2049;
constexpr std::size_t WantedColors = 256;
constexpr GifColor FillColor{128, 128, 128};

// The colours of a bitmap under the current channel masks, numbered in the order they are first
// met. The lookup is an open-addressed table keyed by the masked colour; only the entries and
// their order matter, never where a colour sits in the table.
class ColorHistogram {
public:
    ColorHistogram() : slots_(SlotCount) {
        colors.reserve(MaxHistogramEntries);
        counts.reserve(MaxHistogramEntries);
    }

    void reset() {
        std::fill(slots_.begin(), slots_.end(), std::uint16_t(0));
        colors.clear();
        counts.clear();
    }

    // The colour's entry, added with count 0 if new; -1 when the histogram is full.
    int findOrAdd(std::uint32_t color) {
        for (std::uint32_t slot = hash(color);; slot = (slot + 1) & (SlotCount - 1)) {
            const std::uint16_t entry = slots_[slot];
            if (entry == 0) {
                if (colors.size() == MaxHistogramEntries)
                    return -1;
                colors.push_back(color);
                counts.push_back(0);
                slots_[slot] = std::uint16_t(colors.size());
                return int(colors.size()) - 1;
            }
            if (colors[entry - 1u] == color)
                return entry - 1;
        }
    }

    // The entry of a colour known to be counted.
    int find(std::uint32_t color) const {
        for (std::uint32_t slot = hash(color);; slot = (slot + 1) & (SlotCount - 1)) {
            const std::uint16_t entry = slots_[slot];
            if (entry == 0 || colors[entry - 1u] == color)
                return entry - 1;
        }
    }

    std::vector<std::uint32_t> colors; // masked colour of each entry
    std::vector<std::uint64_t> counts;

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

GifColor colorOf(std::uint32_t rgb) {
    return {std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)};
}

const QRgb* rowOf(const QImage& image, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

// True when the eight pixels at `p` all equal the pixel repeated in both halves of `twice`.
bool eightEqual(const QRgb* p, std::uint64_t twice) {
    std::uint64_t a, b, c, d;
    std::memcpy(&a, p, 8);
    std::memcpy(&b, p + 2, 8);
    std::memcpy(&c, p + 4, 8);
    std::memcpy(&d, p + 6, 8);
    return ((a ^ twice) | (b ^ twice) | (c ^ twice) | (d ^ twice)) == 0;
}

std::uint64_t twice(QRgb pixel) {
    return std::uint64_t(pixel) * 0x100000001u;
}

// A run of equal pixels within a row.
struct ColorRun {
    std::uint32_t length;
    std::uint32_t entry;
};

// Counts the masked colours, bottom row first as the rows of a bottom-up bitmap lie in memory.
// Pixels are taken a run of equal values at a time. While the runs are long enough to be worth
// it, up to `maxRuns` of them are noted (rows bottom first) so that the index image can be
// written without reading the bitmap again; `runs` is left empty otherwise. False when there are
// too many colours.
// Only rows `bottom` down to `top` are counted when given.
bool countColors(const QImage& image, std::uint32_t mask, ColorHistogram& histogram,
                 std::vector<ColorRun>& runs, std::size_t maxRuns, int bottom = -1, int top = 0) {
    histogram.reset();
    runs.clear();
    bool noting = true;
    const int width = image.width();
    if (bottom < 0)
        bottom = image.height() - 1;
    QRgb last = rowOf(image, bottom)[0];
    int entry = histogram.findOrAdd(last & mask);
    for (int y = bottom; y >= top; --y) {
        const QRgb* row = rowOf(image, y);
        for (int x = 0; x < width;) {
            const QRgb pixel = row[x];
            const int start = x++;
            if (x < width && row[x] == pixel) {
                for (const std::uint64_t pair = twice(pixel);
                     x + 8 <= width && eightEqual(row + x, pair);)
                    x += 8;
                while (x < width && row[x] == pixel)
                    ++x;
            }
            if (pixel != last) {
                entry = histogram.findOrAdd(pixel & mask);
                if (entry < 0)
                    return false;
                last = pixel;
            }
            histogram.counts[std::size_t(entry)] += std::uint32_t(x - start);
            if (!noting)
                continue;
            if (runs.size() == maxRuns) {
                noting = false;
                runs.clear();
            } else {
                runs.push_back({std::uint32_t(x - start), std::uint32_t(entry)});
            }
        }
    }
    return true;
}

// The same count in two halves at once: the lower rows on a helper thread, the upper ones here,
// then the upper half's new colours added after the lower half's in the order they were met, as
// one count from the bottom row up finds them. The result is the same to the entry.
bool countColorsInTwo(const QImage& image, std::uint32_t mask, ColorHistogram& histogram,
                      std::vector<ColorRun>& runs, std::size_t maxRuns) {
    const int middle = image.height() / 2;
    if (std::size_t(image.width()) * std::size_t(image.height()) < MinPixelsInTwo || middle == 0)
        return countColors(image, mask, histogram, runs, maxRuns);
    thread_local ColorHistogram upper;
    thread_local std::vector<ColorRun> upperRuns;
    bool lowerFits = false;
    std::promise<void> done;
    std::future<void> lowerDone = done.get_future();
    halfWorkers().start([&] {
        lowerFits = countColors(image, mask, histogram, runs, maxRuns, image.height() - 1, middle);
        done.set_value();
    });
    const bool upperFits = countColors(image, mask, upper, upperRuns, maxRuns, middle - 1, 0);
    lowerDone.wait();
    if (!lowerFits || !upperFits)
        return false;
    std::vector<std::uint32_t> entryOf(upper.colors.size());
    for (std::size_t e = 0; e < upper.colors.size(); ++e) {
        const int merged = histogram.findOrAdd(upper.colors[e]);
        if (merged < 0)
            return false;
        histogram.counts[std::size_t(merged)] += upper.counts[e];
        entryOf[e] = std::uint32_t(merged);
    }
    // A count from the bottom up stops noting runs once it has noted `maxRuns`.
    const bool bothNoted = !runs.empty() && !upperRuns.empty();
    if (!bothNoted || runs.size() + upperRuns.size() > maxRuns) {
        runs.clear();
        return true;
    }
    for (const ColorRun& run : upperRuns)
        runs.push_back({run.length, entryOf[run.entry]});
    return true;
}

// The palette entry nearest to a colour; the lowest index wins among equal distances.
std::uint8_t nearestIndex(const std::vector<GifColor>& palette, GifColor c) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < int(palette.size()); ++i) {
        const GifColor& p = palette[std::size_t(i)];
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

GifIndexedImage fromIndexedBitmap(const QImage& bitmap, int bits) {
    GifIndexedImage out;
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

// Packs codes least significant bit first into one run of bytes, which finish() cuts into data
// sub-blocks of 255 bytes. Nothing is handed to the QByteArray while codes are being found, which
// keeps the encoding loop free of calls.
class CodePacker {
public:
    explicit CodePacker(std::size_t expectedBytes) : bytes_(expectedBytes + 64) {}

    void put(unsigned code, unsigned width) {
        if (used_ + 4 > bytes_.size()) [[unlikely]]
            bytes_.resize(bytes_.size() * 2);
        bits_ |= std::uint32_t(code) << pending_;
        pending_ += width;
        for (; pending_ >= 8; pending_ -= 8, bits_ >>= 8)
            bytes_[used_++] = std::uint8_t(bits_);
    }

    // Appends the codes another packer holds, from the bit where this one stands.
    void append(const CodePacker& other) {
        for (std::size_t i = 0; i < other.used_; ++i)
            put(other.bytes_[i], 8);
        if (other.pending_ > 0)
            put(other.bits_ & ((1u << other.pending_) - 1), other.pending_);
    }

    // Pads the last byte with zeros and appends the sub-blocks and the block terminator.
    void finish(QByteArray& out) {
        if (pending_ > 0)
            put(0, 8 - pending_);
        for (std::size_t at = 0; at < used_; at += 255) {
            const std::size_t length = std::min<std::size_t>(255, used_ - at);
            out.append(char(length));
            out.append(reinterpret_cast<const char*>(bytes_.data() + at), qsizetype(length));
        }
        out.append('\0');
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t used_ = 0;
    std::uint32_t bits_ = 0;
    unsigned pending_ = 0;
};

// Per-code tables of one encoding.
struct LzwTables {
    std::array<std::uint32_t, 1u << MaxCodeBits> pairOf;       // (pixel, prefix) of each code
    std::array<std::uint32_t, 1u << MaxCodeBits> walkLength{}; // see EncodeLzw
    std::array<std::uint16_t, 1u << MaxCodeBits> walkEnd;
    std::array<std::uint8_t, 1u << MaxCodeBits> walkPixel;
};

constexpr unsigned NoPixel = 0x100;

// True when the `length` pixels at `p` exist and all have the value `pixel`.
bool sameRun(const std::uint8_t* p, const std::uint8_t* end, unsigned pixel, std::uint32_t length) {
    if (std::size_t(end - p) < length)
        return false;
    const std::uint64_t eight = pixel * 0x0101010101010101u;
    std::uint32_t i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word != eight)
            return false;
    }
    for (; i < length; ++i)
        if (p[i] != pixel)
            return false;
    return true;
}

void putLittleEndian16(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

} // namespace

GifIndexedImage ReduceToPalette(const QImage& bitmap) {
    GifIndexedImage result;
    if (bitmap.isNull())
        return result;
    const QImage image = trueColorPixels(bitmap);
    result.Width = image.width();
    result.Height = image.height();
    result.BitsPerPixel = 8;

    // Drop low bits from one channel at a time until the colours fit the histogram.
    ColorHistogram histogram;
    std::uint8_t red = 0xFF, green = 0xFF, blue = 0xFF;
    std::vector<ColorRun> runs;
    const std::size_t maxRuns = std::size_t(result.Width) * std::size_t(result.Height) / 8;
    while (!countColorsInTwo(image, maskWord(red, green, blue), histogram, runs, maxRuns)) {
        if (red < green)
            green = std::uint8_t(green << 1);
        else if (red > blue)
            red = std::uint8_t(red << 1);
        else
            blue = std::uint8_t(blue << 1);
    }
    const std::uint32_t mask = maskWord(red, green, blue);

    // Most frequent first; a stable sort keeps the earliest-counted colour first among equals.
    const std::vector<std::uint64_t>& counts = histogram.counts;
    std::vector<std::uint32_t> order(counts.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&counts](std::uint32_t a, std::uint32_t b) { return counts[a] > counts[b]; });

    result.Palette.assign(WantedColors, FillColor);
    std::vector<std::uint8_t> indexOfEntry(counts.size());
    const std::size_t kept = std::min(order.size(), WantedColors);
    for (std::size_t i = 0; i < kept; ++i) {
        indexOfEntry[order[i]] = std::uint8_t(i);
        result.Palette[i] = colorOf(histogram.colors[order[i]]);
    }
    for (std::size_t i = kept; i < order.size(); ++i)
        indexOfEntry[order[i]] = nearestIndex(result.Palette, colorOf(histogram.colors[order[i]]));

    result.Pixels.resize(std::size_t(result.Width) * std::size_t(result.Height));
    std::uint8_t* const pixels = result.Pixels.data();
    if (!runs.empty()) {
        auto run = runs.cbegin();
        for (int y = result.Height - 1; y >= 0; --y) {
            std::uint8_t* const dst = pixels + std::size_t(y) * std::size_t(result.Width);
            for (int x = 0; x < result.Width; x += int(run->length), ++run)
                std::memset(dst + x, indexOfEntry[run->entry], run->length);
        }
        return result;
    }
    std::uint8_t* dst = pixels;
    QRgb last = rowOf(image, 0)[0];
    std::uint64_t lastTwice = twice(last);
    std::uint8_t lastIndex = indexOfEntry[std::size_t(histogram.find(last & mask))];
    std::uint64_t lastEight = lastIndex * 0x0101010101010101u;
    for (int y = 0; y < result.Height; ++y, dst += result.Width) {
        const QRgb* row = rowOf(image, y);
        for (int x = 0; x < result.Width;) {
            const QRgb pixel = row[x];
            if (pixel != last) {
                last = pixel;
                lastTwice = twice(pixel);
                lastIndex = indexOfEntry[std::size_t(histogram.find(pixel & mask))];
                lastEight = lastIndex * 0x0101010101010101u;
                dst[x++] = lastIndex;
                continue;
            }
            dst[x++] = lastIndex;
            for (; x + 8 <= result.Width && eightEqual(row + x, lastTwice); x += 8)
                std::memcpy(dst + x, &lastEight, 8);
        }
    }
    return result;
}

namespace {

unsigned minimumCodeSize(int bitsPerPixel) {
    return bitsPerPixel == 1 ? 2u : unsigned(bitsPerPixel);
}

// The codes of a stretch of pixels, from a fresh string table: the clear code first when
// `leadingClear`, and at the end the end code when `last`, or else a clear code, after which the
// codes of the next stretch follow from a fresh table of their own.
void encodeStretch(const std::uint8_t* pixels, std::size_t count, int bitsPerPixel,
                   CodePacker& packer, bool leadingClear, bool last) {
    const unsigned minCodeSize = minimumCodeSize(bitsPerPixel);
    const unsigned clearCode = 1u << minCodeSize;
    const unsigned endCode = clearCode + 1;
    const unsigned firstFree = clearCode + 2;
    const unsigned pixelMask = (1u << bitsPerPixel) - 1;

    unsigned width = minCodeSize + 1;
    unsigned limit = 1u << width;
    unsigned next = firstFree;
    if (leadingClear)
        packer.put(clearCode, width);

    // The strings in the table, found by pixel and prefix code in one direct lookup. A slot is
    // trusted only when its code has been given out since the last reset and names the same
    // pair, so the lookup never needs clearing: each thread keeps one, zeroed once, for good.
    thread_local std::vector<std::uint16_t> lookup(std::size_t(256) << MaxCodeBits);
    std::uint16_t* const codeOf = lookup.data();
    const auto tables = std::make_unique<LzwTables>();
    tables->pairOf.fill(~std::uint32_t(0));
    std::uint32_t* const pairOf = tables->pairOf.data();
    std::uint32_t* const walkLength = tables->walkLength.data();
    std::uint16_t* const walkEnd = tables->walkEnd.data();
    std::uint8_t* const walkPixelOf = tables->walkPixel.data();

    // Long runs of one value follow the same chain of strings again and again. A walk is the part
    // of a string that follows one pixel value from code `from`; the longest walk seen from each
    // code is kept and, when the pixels ahead allow it, taken in one jump. Strings are only
    // removed by a reset, so a kept walk stays valid until its starting code is given out again.
    const std::uint8_t* p = pixels;
    const std::uint8_t* const end = pixels + count;
    bool open = p != end;
    unsigned prefix = open ? (*p++ & pixelMask) : 0;
    unsigned from = prefix;
    unsigned walkPixel = NoPixel;
    std::uint32_t steps = 0;
    const auto keepWalk = [&] {
        if (steps > walkLength[from]) {
            walkLength[from] = steps;
            walkEnd[from] = std::uint16_t(prefix);
            walkPixelOf[from] = std::uint8_t(walkPixel);
        }
    };
    const auto startWalk = [&](unsigned pixel) {
        from = prefix;
        walkPixel = pixel;
        steps = walkLength[prefix];
        if (steps && walkPixelOf[prefix] == pixel && sameRun(p, end, pixel, steps)) {
            prefix = walkEnd[from];
            p += steps;
        } else {
            steps = 0;
        }
    };
    while (p != end) {
        const unsigned pixel = *p & pixelMask;
        if (pixel != walkPixel) {
            keepWalk();
            startWalk(pixel);
            continue;
        }
        ++p;
        const std::uint32_t pair = (pixel << MaxCodeBits) | prefix;
        const unsigned code = codeOf[pair];
        if (code < next && pairOf[code] == pair) [[likely]] {
            prefix = code;
            ++steps;
            continue;
        }
        keepWalk();
        packer.put(prefix, width);
        const unsigned added = next++;
        codeOf[pair] = std::uint16_t(added);
        pairOf[added] = pair;
        walkLength[added] = 0;
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
            std::fill_n(walkLength, firstFree, 0u);
            if (p == end) {
                open = false;
                break;
            }
            prefix = *p++ & pixelMask;
            walkPixel = NoPixel;
            steps = 0;
            from = prefix;
            continue;
        }
        startWalk(pixel);
    }
    if (open) {
        packer.put(prefix, width);
        // A decoder adds a string for this code too and widens as soon as the next free code
        // needs another bit, before it reads the end code; that code must come at its width.
        if (next == limit && width < MaxCodeBits)
            ++width;
        packer.put(last ? endCode : clearCode, width);
    } else if (last) {
        packer.put(endCode, width);
    } // else the table has just been reset, with its clear code
}

} // namespace

void EncodeLzw(const std::uint8_t* pixels, std::size_t count, int bitsPerPixel, QByteArray& out) {
    out.append(char(minimumCodeSize(bitsPerPixel)));
    CodePacker packer(count / 8);
    encodeStretch(pixels, count, bitsPerPixel, packer, true, true);
    packer.finish(out);
}

void EncodeLzwInTwo(const std::uint8_t* pixels, std::size_t count, int bitsPerPixel,
                    QByteArray& out, std::size_t split) {
    const std::size_t half = split > 0 ? split : count / 2;
    if (half == 0 || half >= count || (split == 0 && count < MinPixelsInTwo)) {
        EncodeLzw(pixels, count, bitsPerPixel, out);
        return;
    }
    // Always in two, whatever the machine, so that the bytes depend on the pixels alone; a
    // second half waits for a helper when all are busy with other pictures.
    CodePacker second((count - half) / 8);
    std::promise<void> done;
    std::future<void> secondDone = done.get_future();
    halfWorkers().start([&] {
        encodeStretch(pixels + half, count - half, bitsPerPixel, second, false, true);
        done.set_value();
    });
    out.append(char(minimumCodeSize(bitsPerPixel)));
    CodePacker first(count / 8);
    encodeStretch(pixels, half, bitsPerPixel, first, true, false);
    secondDone.wait();
    first.append(second);
    first.finish(out);
}

std::optional<QString> WriteGif(const GifIndexedImage& image, GifVersion version, QByteArray& out,
                                bool inTwo) {
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
    out.append(version == GifVersion::GIF89a ? "GIF89a" : "GIF87a", 6);
    // Logical screen descriptor with the global colour table.
    putLittleEndian16(out, image.Width);
    putLittleEndian16(out, image.Height);
    out.append(char(0x80 | ((tableBits - 1) << 4) | (tableBits - 1)));
    out.append('\0'); // background colour index
    out.append('\0'); // pixel aspect ratio
    for (const GifColor& c : image.Palette) {
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
    if (inTwo)
        EncodeLzwInTwo(image.Pixels.data(), image.Pixels.size(), bits, out);
    else
        EncodeLzw(image.Pixels.data(), image.Pixels.size(), bits, out);
    out.append(char(0x3B));
    return std::nullopt;
}

GifIndexedImage IndexBitmap(const QImage& bitmap) {
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

void GifImage::Clear() {
    Frames.clear();
    Version = GifVersion::None;
    ScreenSize = QSize();
    GlobalColorTable.clear();
}

void GifImage::Assign(const QImage& bitmap) {
    Clear();
    // QImage copies share pixels until one side changes, so the frame's bitmap stays as it was.
    Frames.emplace_back(bitmap);
    Version = GifVersion::GIF87a;
}

std::optional<QString> GifImage::SaveToBuffer(QByteArray& out) {
    out.clear();
    // The program only ever holds one frame; it is the one written.
    if (Frames.empty() || Frames.front().Bitmap.isNull())
        return noDataError();
    GifIndexedImage indexed = IndexBitmap(Frames.front().Bitmap);
    ScreenSize = QSize(indexed.Width, indexed.Height);
    GlobalColorTable = indexed.Palette;
    return WriteGif(indexed, Version, out, EncodeInTwo);
}

std::optional<QString> GifImage::SaveToStream(QIODevice& stream) {
    QByteArray bytes;
    if (auto error = SaveToBuffer(bytes))
        return error;
    if (stream.write(bytes) != bytes.size())
        return QStringLiteral("Cannot write the GIF data: %1").arg(stream.errorString());
    return std::nullopt;
}

std::optional<QString> GifImage::SaveToFile(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot create file %1").arg(path);
    QByteArray bytes;
    if (auto error = SaveToBuffer(bytes)) {
        file.cancelWriting();
        return error;
    }
    // The flush first: commit() alone does not see a write error still waiting in the buffer.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return QStringLiteral("Cannot create file %1").arg(path);
    return std::nullopt;
}
