// SPDX-License-Identifier: MIT
// The GIF writer is checked by reading its files back with two decoders of their own (Qt's reader
// and giflib) and comparing every pixel with what the palette rules predict, and its code stream
// against a plain, slow transcription of the encoding rules.
#include "output/GifImage.h"

#include "TestUtils.h"

#include <QtGui/QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <cstring>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sys/resource.h>

namespace {

using testutils::Sandbox;

template <class ColourAt> QImage paint(int width, int height, ColourAt colourAt) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = colourAt(y * width + x) | 0xFF000000u;
    }
    return image;
}

QByteArray encode(const QImage& image) {
    GifImage gif;
    gif.Assign(image);
    QByteArray out;
    const auto error = gif.SaveToBuffer(out);
    EXPECT_FALSE(error) << error->toStdString();
    return out;
}

struct GiflibPicture {
    std::vector<QRgb> palette;
    QImage indices; // Indexed8 with the palette
};

GiflibPicture decodeWithGiflib(const QByteArray& gif) {
    struct Source {
        const QByteArray* bytes;
        qsizetype pos;
    } source{&gif, 0};
    auto read = [](GifFileType* file, GifByteType* buffer, int wanted) {
        auto* s = static_cast<Source*>(file->UserData);
        const int n = int(std::min<qsizetype>(wanted, s->bytes->size() - s->pos));
        std::memcpy(buffer, s->bytes->constData() + s->pos, std::size_t(n));
        s->pos += n;
        return n;
    };
    int error = 0;
    GifFileType* file = DGifOpen(&source, read, &error);
    GiflibPicture picture;
    if (!file || DGifSlurp(file) != GIF_OK || file->ImageCount != 1 || !file->SColorMap) {
        ADD_FAILURE() << "giflib cannot read the file: "
                      << GifErrorString(file ? file->Error : error);
    } else {
        for (int i = 0; i < file->SColorMap->ColorCount; ++i) {
            const GifColorType& c = file->SColorMap->Colors[i];
            picture.palette.push_back(qRgb(c.Red, c.Green, c.Blue));
        }
        const SavedImage& frame = file->SavedImages[0];
        const int w = frame.ImageDesc.Width;
        picture.indices = QImage(w, frame.ImageDesc.Height, QImage::Format_Indexed8);
        picture.indices.setColorTable(QList<QRgb>(picture.palette.begin(), picture.palette.end()));
        for (int y = 0; y < frame.ImageDesc.Height; ++y)
            std::memcpy(picture.indices.scanLine(y), frame.RasterBits + qsizetype(y) * w,
                        std::size_t(w));
    }
    DGifCloseFile(file, &error);
    return picture;
}

void expectSamePixels(const QImage& decoded, const QImage& expected, const char* decoder) {
    const QImage a = decoded.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(a.size(), expected.size()) << decoder;
    const auto rowBytes = std::size_t(a.width()) * sizeof(QRgb);
    for (int y = 0; y < a.height(); ++y) {
        const auto* got = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* want = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        if (std::memcmp(got, want, rowBytes) == 0)
            continue;
        const int x = int(std::mismatch(got, got + a.width(), want).first - got);
        FAIL() << decoder << ": pixel " << x << ',' << y << " is " << std::hex << got[x]
               << ", expected " << want[x];
    }
}

// Decodes with both decoders and compares with the expected RGB32 picture.
GiflibPicture expectDecodesTo(const QByteArray& gif, const QImage& expected) {
    expectSamePixels(QImage::fromData(gif, "GIF"), expected, "Qt");
    GiflibPicture picture = decodeWithGiflib(gif);
    expectSamePixels(picture.indices, expected, "giflib");
    return picture;
}

// The codes of a stretch of pixels as the encoding rules read, with a map of strings: the clear
// code first when `leadingClear`, then at the end the end code when `last`, or else a clear code
// (at the width the decoder has grown to) for a stretch that follows. `resetAt` receives the
// count of pixels read when the table was first reset.
using Codes = std::vector<std::pair<int, int>>; // code, width
Codes plainCodes(const std::vector<std::uint8_t>& pixels, int bits, std::size_t* resetAt,
                 bool leadingClear = true, bool last = true) {
    const int minSize = bits == 1 ? 2 : bits, clear = 1 << minSize;
    std::map<std::pair<int, int>, int> table;
    int next = clear + 2, width = minSize + 1, prefix = -1;
    Codes codes;
    if (leadingClear)
        codes.emplace_back(clear, width);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const int p = pixels[i];
        if (prefix < 0) {
            prefix = p;
        } else if (auto it = table.find({prefix, p}); it != table.end()) {
            prefix = it->second;
        } else {
            codes.emplace_back(prefix, width);
            const int n = next++;
            table[{prefix, p}] = n;
            prefix = p;
            if (n >= 1 << width) {
                ++width;
            } else if (n >= 4094) {
                codes.insert(codes.end(), {{p, width}, {clear, width}});
                table.clear();
                next = clear + 2, width = minSize + 1, prefix = -1;
                if (resetAt && !*resetAt)
                    *resetAt = i + 1;
            }
        }
    }
    if (prefix >= 0) {
        codes.emplace_back(prefix, width);
        // The decoder's table grows with this code; the end code follows at its width.
        if (next == 1 << width && width < 12)
            ++width;
        codes.emplace_back(last ? clear + 1 : clear, width);
    } else if (last) {
        codes.emplace_back(clear + 1, width);
    }
    return codes;
}

// The codes packed as the writer stores them: the minimum code size, sub-blocks, terminator.
QByteArray packCodes(const Codes& codes, int bits) {
    const int minSize = bits == 1 ? 2 : bits;
    QByteArray data;
    std::uint32_t bitsHeld = 0, count = 0;
    for (auto [code, w] : codes)
        for (bitsHeld |= std::uint32_t(code) << count, count += w; count >= 8; count -= 8)
            data += char(bitsHeld), bitsHeld >>= 8;
    if (count)
        data += char(bitsHeld);
    QByteArray out(1, char(minSize));
    for (qsizetype i = 0; i < data.size(); i += 255)
        out += char(data.mid(i, 255).size()) + data.mid(i, 255);
    return out + '\0';
}

QByteArray plainLzw(const std::vector<std::uint8_t>& pixels, int bits, std::size_t* resetAt) {
    return packCodes(plainCodes(pixels, bits, resetAt), bits);
}

QByteArray fastLzw(const std::vector<std::uint8_t>& pixels, int bits) {
    QByteArray out;
    EncodeLzw(pixels.data(), pixels.size(), bits, out);
    return out;
}

} // namespace

TEST(GifWriter, WhiteSheetLayout) {
    const QImage white = paint(1200, 1500, [](int) { return 0xFFFFFFu; });
    const QByteArray gif = encode(white);
    ASSERT_GT(gif.size(), 13 + 768 + 11);
    EXPECT_TRUE(gif.startsWith("GIF87a"));
    EXPECT_TRUE(gif.endsWith(QByteArray("\x00\x3B", 2)));
    EXPECT_EQ(gif.mid(6, 7), QByteArray("\xB0\x04\xDC\x05\xF7\x00\x00", 7));
    EXPECT_EQ(gif.mid(13, 3), QByteArray("\xFF\xFF\xFF"));
    EXPECT_EQ(gif.mid(16, 765), QByteArray(765, char(128)));
    EXPECT_EQ(gif.mid(781, 11), QByteArray("\x2C\0\0\0\0\xB0\x04\xDC\x05\0\x08", 11));
    expectDecodesTo(gif, white);
}

TEST(GifWriter, PaletteHoldsColoursMostFrequentFirst) {
    // 256 colours, colour k used 256 - k times: every colour kept, in that order.
    std::vector<QRgb> sequence;
    for (int k = 0; k < 256; ++k)
        sequence.insert(sequence.end(), std::size_t(256 - k), qRgb(k, (k * 37) & 255, 255 - k));
    const QImage colours = paint(257, 128, [&](int i) { return sequence[std::size_t(i)]; });
    const GiflibPicture decoded = expectDecodesTo(encode(colours), colours);
    for (int k = 0; k < int(decoded.palette.size()); ++k)
        ASSERT_EQ(decoded.palette[std::size_t(k)], qRgb(k, (k * 37) & 255, 255 - k)) << k;

    // Equal counts: the bottom row is counted first, each row left to right.
    const QRgb a = qRgb(1, 2, 3), b = qRgb(4, 5, 6), c = qRgb(7, 8, 9);
    const QImage tie = paint(3, 2, [&](int i) { return std::array{a, a, c, b, b, c}[i]; });
    const GiflibPicture tied = expectDecodesTo(encode(tie), tie);
    EXPECT_EQ(std::vector(tied.palette.begin(), tied.palette.begin() + 4),
              (std::vector<QRgb>{b, c, a, qRgb(128, 128, 128)}));

    // A page large enough to be counted in two halves at once: the lower rows' colours come
    // first, a colour met in both halves counts once with both counts, and the upper rows' new
    // colours follow in the order they are met. Lower rows: 200 b then 200 c; upper rows: 100 c,
    // 150 a, 150 d; so c 45,000, b 30,000, a and d 22,500 each.
    const QRgb d = qRgb(10, 11, 12);
    const QImage halves = paint(400, 300, [&](int i) {
        const int x = i % 400;
        return i / 400 >= 150 ? (x < 200 ? b : c) : x < 100 ? c : x < 250 ? a : d;
    });
    const GiflibPicture counted = expectDecodesTo(encode(halves), halves);
    EXPECT_EQ(std::vector(counted.palette.begin(), counted.palette.begin() + 5),
              (std::vector<QRgb>{c, b, a, d, qRgb(128, 128, 128)}));

    const QImage dot = paint(1, 1, [](int) { return qRgb(10, 20, 30); });
    EXPECT_EQ(expectDecodesTo(encode(dot), dot).palette.front(), qRgb(10, 20, 30));
}

TEST(GifWriter, MapsColoursBeyond256ToTheNearestKept) {
    // 256 frequent colours far apart, and rarer ones each within a few steps of one of them.
    const auto major = [](int m) {
        return qRgb(17 + 32 * (m & 7), 15 + 32 * ((m >> 3) & 7), 33 + 64 * (m >> 6));
    };
    static const int Nudge[8][3] = {{1, 0, 0},  {0, 1, 0},  {0, 0, 1}, {-1, 0, 0},
                                    {0, -1, 0}, {0, 0, -1}, {2, 2, 2}, {-2, -2, -2}};
    for (const int rare : {1, 1793}) { // 257 and 2049 colours
        SCOPED_TRACE(rare);
        const auto source = [&](int i) {
            if (i >= rare)
                return major(i % 256);
            const QRgb m = major(i % 256);
            const int* d = Nudge[i / 256];
            return qRgb(qRed(m) + d[0], qGreen(m) + d[1], qBlue(m) + d[2]);
        };
        const QImage input = paint(64, 64, source);
        const QImage expected = paint(64, 64, [&](int i) { return major(i % 256); });
        std::vector<QRgb> palette = expectDecodesTo(encode(input), expected).palette;
        std::vector<QRgb> majors;
        for (int m = 0; m < 256; ++m)
            majors.push_back(major(m));
        std::sort(palette.begin(), palette.end());
        std::sort(majors.begin(), majors.end());
        EXPECT_EQ(palette, majors);
    }
}

TEST(GifWriter, AColourHalfwayBetweenTwoKeptOnesTakesTheLowerIndex) {
    // 256 kept colours 32 apart in red and green; one rare colour halfway between kept colours 0
    // and 1 in red, equally far (16 x 16) from both and farther from every other.
    const auto kept = [](int m) {
        return qRgb(17 + 32 * (m & 7), 15 + 32 * ((m >> 3) & 7), 33 + 64 * (m >> 6));
    };
    const QRgb halfway = qRgb(33, 15, 33);
    for (const int first : {0, 1}) {
        SCOPED_TRACE(first);
        // The colour `first` is the most frequent, so it gets palette index 0; the other of
        // the two comes next, and the tie between them must go to index 0.
        std::vector<QRgb> pixels;
        for (int m = 0; m < 256; ++m)
            pixels.insert(pixels.end(), m == first ? 4 : m == 1 - first ? 3 : 2, kept(m));
        pixels.push_back(halfway);
        ASSERT_EQ(pixels.size(), 516u);
        const QImage input = paint(43, 12, [&](int i) { return pixels[std::size_t(i)]; });
        const QImage expected = paint(43, 12, [&](int i) {
            return pixels[std::size_t(i)] == halfway ? kept(first) : pixels[std::size_t(i)];
        });
        const GiflibPicture decoded = expectDecodesTo(encode(input), expected);
        EXPECT_EQ(decoded.palette[0], kept(first));
        EXPECT_EQ(decoded.palette[1], kept(1 - first));
    }
}

TEST(GifWriter, DropsLowBitsBlueThenRedWhenColoursOverflow) {
    const auto paletteOf = [](const QImage& image) {
        return decodeWithGiflib(encode(image)).palette;
    };
    const auto any = [](const std::vector<QRgb>& p, auto test) {
        return std::any_of(p.begin(), p.end(), test);
    };
    // 2050 colours that fit once blue loses its lowest bit; white is the most frequent.
    const std::vector<QRgb> blueOnly = paletteOf(paint(64, 64, [](int i) {
        return i < 2048 ? qRgb(i & 255, i >> 8, 0) : i == 2048 ? qRgb(255, 255, 254) : 0xFFFFFFu;
    }));
    EXPECT_EQ(blueOnly.front(), qRgb(255, 255, 254));
    EXPECT_FALSE(any(blueOnly, [](QRgb c) { return qBlue(c) & 1; }));
    EXPECT_TRUE(any(blueOnly, [](QRgb c) { return qRed(c) & 1; }));

    // 2051 colours that still overflow without blue's low bit, and fit once red loses it too.
    const std::vector<QRgb> blueAndRed = paletteOf(paint(64, 64, [](int i) {
        if (i < 2048)
            return qRgb(2 * (i & 127) + (i >> 10), 2 * ((i >> 7) & 7) + 1, 0);
        return i == 2048 ? qRgb(0, 0, 1) : i == 2049 ? qRgb(0, 0, 3) : 0xFFFFFFu;
    }));
    EXPECT_EQ(blueAndRed.front(), qRgb(254, 255, 254));
    EXPECT_FALSE(any(blueAndRed, [](QRgb c) { return (qRed(c) | qBlue(c)) & 1; }));
    EXPECT_TRUE(any(blueAndRed, [](QRgb c) { return qGreen(c) & 1; }));
}

TEST(GifWriter, IndexedBitmapsKeepTheirPalette) {
    QImage indexed(5, 3, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(9, 9, 9), qRgb(200, 0, 0), qRgb(0, 0, 200)});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            indexed.setPixel(x, y, uint((x + y) % 3));
    const GiflibPicture decoded =
        expectDecodesTo(encode(indexed), indexed.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(decoded.palette.size(), 256u);
    EXPECT_EQ(decoded.palette[1], qRgb(200, 0, 0)); // unchanged order, though index 0 is rarest
    EXPECT_EQ(decoded.palette[255], qRgb(0, 0, 0));

    QImage mono(37, 9, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 80)});
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 37; ++x)
            mono.setPixel(x, y, uint((x * y) % 5 == 1));
    const QByteArray gif = encode(mono);
    EXPECT_EQ(gif.at(10), char(0x80));       // two-entry global table
    EXPECT_EQ(gif.at(13 + 6 + 10), char(2)); // LZW minimum code size
    expectDecodesTo(gif, mono.convertToFormat(QImage::Format_RGB32));
}

// Index streams of the LZW tests, each long enough to reset the string table, in whole rows of
// 1000: noise, two values, short runs of 16 values, and a chart.
struct LzwInputs {
    std::vector<std::uint8_t> noise = std::vector<std::uint8_t>(120000);
    std::vector<std::uint8_t> pairs = std::vector<std::uint8_t>(60000);
    std::vector<std::uint8_t> runs;
    std::vector<std::uint8_t> chart = std::vector<std::uint8_t>(1000 * 300);
    LzwInputs() {
        std::mt19937 random(7);
        for (auto& p : noise)
            p = std::uint8_t(random());
        for (auto& p : pairs)
            p = std::uint8_t(random() & 1);
        for (int i = 0; i < 20000; ++i)
            runs.insert(runs.end(), random() % 8 + 1, std::uint8_t(random() & 15));
        runs.resize(runs.size() / 1000 * 1000);
        // Long runs broken by a grid, a trace and a little noise, repeating row after row.
        for (int i = 0; i < int(chart.size()); ++i) {
            const int x = i % 1000, y = i / 1000;
            chart[std::size_t(i)] = x % 50 == 0 || y % 40 == 0                              ? 1
                                    : std::abs(y - 150 - int(120 * std::sin(x / 90.0))) < 2 ? 2
                                    : random() % 500 == 0 ? std::uint8_t(random())
                                                          : 255;
        }
    }
};

TEST(GifLzw, MatchesThePlainTranscriptionOfTheRules) {
    const auto [noise, pairs, runs, chart] = LzwInputs();
    for (const auto& [pixels, bits] : {std::pair{noise, 8}, {pairs, 1}, {runs, 4}, {chart, 8}}) {
        SCOPED_TRACE(bits);
        std::size_t resetAt = 0;
        const QByteArray plain = plainLzw(pixels, bits, &resetAt);
        ASSERT_GT(resetAt, 0u);
        EXPECT_EQ(fastLzw(pixels, bits), plain);
        for (std::size_t cut : {resetAt - 1, resetAt, resetAt + 1}) {
            const std::vector<std::uint8_t> head(pixels.begin(), pixels.begin() + long(cut));
            EXPECT_EQ(fastLzw(head, bits), plainLzw(head, bits, nullptr)) << cut;
        }
    }
    EXPECT_EQ(fastLzw({}, 8), plainLzw({}, 8, nullptr));
}

TEST(GifLzw, InTwoHalvesDecodesToTheSamePixelsWhereverTheSeamFalls) {
    const auto [noise, pairs, runs, chart] = LzwInputs();
    const std::vector<std::uint8_t> shortNoise(noise.begin(), noise.begin() + 2000);
    for (const auto& [pixels, bits] :
         {std::pair{noise, 8}, {pairs, 1}, {runs, 4}, {shortNoise, 8}}) {
        // The seam at the ends and in the middle (as the writer puts it); where the first half's
        // table has just been reset, one pixel before and one after; and on a short picture
        // every seam of its first 600 pixels: some fall where the first half's last code widens
        // the decoder's codes, so that the clear code must come at the wider width.
        std::size_t resetAt = 0;
        plainLzw(pixels, bits, &resetAt);
        std::vector<std::size_t> splits{1, pixels.size() / 2, pixels.size() - 1};
        if (resetAt > 0)
            splits.insert(splits.end(), {resetAt - 1, resetAt, resetAt + 1});
        else
            for (std::size_t split = 2; split < 600; ++split)
                splits.push_back(split);
        GifIndexedImage image;
        image.Width = 1000;
        image.Height = int(pixels.size() / 1000);
        image.BitsPerPixel = bits;
        image.Palette.resize(std::size_t(1) << bits);
        image.Pixels = pixels;
        QByteArray whole;
        ASSERT_FALSE(WriteGif(image, GifVersion::GIF87a, whole));
        const qsizetype dataAt = 13 + 3 * qsizetype(image.Palette.size()) + 10;
        for (std::size_t split : splits) {
            SCOPED_TRACE(testing::Message() << bits << " bits, split at " << split);
            QByteArray lzw;
            EncodeLzwInTwo(pixels.data(), pixels.size(), bits, lzw, split);
            const std::vector<std::uint8_t> head(pixels.begin(), pixels.begin() + long(split));
            const std::vector<std::uint8_t> tail(pixels.begin() + long(split), pixels.end());
            Codes codes = plainCodes(head, bits, nullptr, true, false);
            const Codes tailCodes = plainCodes(tail, bits, nullptr, false, true);
            codes.insert(codes.end(), tailCodes.begin(), tailCodes.end());
            ASSERT_EQ(lzw, packCodes(codes, bits));
            const GiflibPicture decoded = decodeWithGiflib(whole.left(dataAt) + lzw + ';');
            ASSERT_EQ(decoded.indices.size(), QSize(image.Width, image.Height));
            for (int y = 0; y < image.Height; ++y)
                ASSERT_EQ(std::memcmp(decoded.indices.constScanLine(y), &pixels[y * 1000u], 1000),
                          0)
                    << "row " << y;
        }
    }
}

TEST(GifWriter, LargePageWithLongRunsAndTableResets) {
    // A 7.6 million pixel run of one colour takes codes up to 12 bits and through the table
    // reset; the noise below needs thousands of resets.
    QImage page(4000, 4000, QImage::Format_RGB32);
    page.fill(Qt::white);
    std::minstd_rand random(3);
    for (int y = 1900; y < 3000; ++y) {
        auto* row = reinterpret_cast<QRgb*>(page.scanLine(y));
        for (int x = 0; x < 4000; ++x)
            row[x] = qRgb(int(random() % 255), 7, 99);
    }
    expectDecodesTo(encode(page), page);
}

TEST(GifWriter, ReportsErrors) {
    GifImage gif;
    QByteArray out;
    EXPECT_EQ(gif.SaveToBuffer(out), QStringLiteral("No GIF Data to write"));
    gif.Assign(QImage());
    EXPECT_EQ(gif.SaveToBuffer(out), QStringLiteral("No GIF Data to write"));

    GifIndexedImage image{4, 4, 8, std::vector<GifColor>(16), std::vector<std::uint8_t>(16)};
    ASSERT_EQ(WriteGif(image, GifVersion::GIF89a, out), std::nullopt);
    EXPECT_TRUE(out.startsWith("GIF89a"));
    EXPECT_EQ(out.at(10), char(0xB3));
    for (const std::size_t colours : {1, 3, 255, 512}) {
        image.Palette.resize(colours);
        EXPECT_EQ(WriteGif(image, GifVersion::GIF87a, out),
                  QStringLiteral("Wrong number of colors; must be a power of 2"));
    }
    image.BitsPerPixel = 2;
    EXPECT_EQ(WriteGif(image, GifVersion::GIF87a, out), QStringLiteral("GIF image encoding error"));
}

TEST(GifWriter, SaveToFileWritesTheWholeFileOrNothing) {
    const Sandbox box;
    GifImage gif;
    const QString missing = box.path(QStringLiteral("no/such/folder/page.gif"));
    gif.Assign(paint(8, 8, [](int i) { return QRgb(i * 999); }));
    EXPECT_EQ(gif.SaveToFile(missing), QStringLiteral("Cannot create file ") + missing);

    const QString existing = box.path(QStringLiteral("page.gif"));
    ASSERT_TRUE(box.write(QStringLiteral("page.gif"), "old"));
    GifImage empty;
    EXPECT_EQ(empty.SaveToFile(existing), QStringLiteral("No GIF Data to write"));

    // A file size limit makes the write itself fail, even for root.
    gif.Assign(paint(300, 300, [](int i) { return QRgb(i * 7919); }));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{4096, old.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const auto error = gif.SaveToFile(existing);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(error, QStringLiteral("Cannot create file ") + existing);
    EXPECT_EQ(testutils::readFile(existing), QByteArray("old"));

    ASSERT_EQ(gif.SaveToFile(existing), std::nullopt);
    QByteArray inMemory;
    gif.SaveToBuffer(inMemory);
    EXPECT_EQ(testutils::readFile(existing), inMemory);
}

TEST(GifCli, WritesImagesAndReportsErrors) {
    const Sandbox box;
    const QImage chart = paint(40, 30, [](int i) { return i % 7 ? 0xFFFFFFu : qRgb(0, 191, 0); });
    ASSERT_TRUE(chart.save(box.path(QStringLiteral("chart.png"))));
    const QString out = box.path(QStringLiteral("chart.gif"));
    const auto ok = testutils::runCli(
        {QStringLiteral("gif"), box.path(QStringLiteral("chart.png")), QStringLiteral("-o"), out});
    EXPECT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    expectDecodesTo(testutils::readFile(out), chart);

    const auto unreadable = testutils::runCli(
        {QStringLiteral("gif"), box.path(QStringLiteral("none.png")), QStringLiteral("-o"), out});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_TRUE(unreadable.err.startsWith("Cannot read image")) << unreadable.err.toStdString();

    const QString blocked = box.path(QStringLiteral("chart.png/x.gif"));
    const auto uncreatable =
        testutils::runCli({QStringLiteral("gif"), box.path(QStringLiteral("chart.png")),
                           QStringLiteral("-o"), blocked});
    EXPECT_EQ(uncreatable.exitCode, 1);
    EXPECT_EQ(uncreatable.err,
              (QStringLiteral("Cannot create file ") + blocked + u'\n').toLocal8Bit());
}

TEST(GifLzw, EndCodeTakesTheWidthTheDecoderHasGrownTo) {
    // 21 pixels of 1 bit whose last string is the one after which a decoder's next free code
    // reaches 16: it reads the end code with 5 bits, so the writer puts it with 5 (found by the
    // GIF writer's fuzzer; a decoder that checks the end code ran past the data).
    const std::vector<std::uint8_t> pixels{1, 0, 1, 0, 0, 0, 0, 1, 1, 1, 1,
                                           0, 1, 0, 0, 0, 0, 1, 1, 1, 1};
    EXPECT_EQ(fastLzw(pixels, 1), QByteArray::fromHex("02070c0c196ba85c0000"));
    EXPECT_EQ(plainLzw(pixels, 1, nullptr), fastLzw(pixels, 1));
}
