// SPDX-License-Identifier: MIT
#pragma once
// The program's own GIF writer. A picture is written as one frame of an 87a file: a true-colour
// bitmap is first reduced to 256 colours with a colour histogram (ReduceToPalette), then the
// palette indices are LZW-compressed (EncodeLzw). The output only depends on the pixels, so the
// same page always gives the same bytes.
#include <QtCore/QByteArray>
#include <QtCore/QSize>
#include <QtCore/QString>
#include <QtGui/QImage>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class QIODevice;

struct GifColor {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    friend bool operator==(const GifColor&, const GifColor&) = default;
};

// A picture as palette indices: one byte a pixel, rows top first, no row padding.
struct GifIndexedImage {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 8; // the depth the indices came from: 1, 4 or 8
    std::vector<GifColor> Palette;
    std::vector<std::uint8_t> Pixels;
};

// Reduces a true-colour bitmap to an 8-bit image with a 256-entry palette. Colours are counted
// bottom row first; the 256 most frequent become the palette (earliest counted first among equal
// counts), the others take the nearest palette colour. When more than 2049 colours are found, low
// bits are dropped from the colour channels (blue, red, green, blue, ...) until they fit. Unused
// palette entries are grey (128,128,128).
GifIndexedImage ReduceToPalette(const QImage& bitmap);

// Appends the LZW minimum code size byte, the compressed data as sub-blocks and the block
// terminator. `pixels` are indices of `bitsPerPixel` bits (1, 4 or 8), one byte each. Each thread
// that encodes keeps a 2 MiB string lookup for the next picture.
void EncodeLzw(const std::uint8_t* pixels, std::size_t count, int bitsPerPixel, QByteArray& out);

// The same, for a picture that is only an intermediate (the htmldoc PDF's page): the second half
// of a picture of 65,536 pixels or more is encoded on another thread, from a fresh string table
// after a clear code. The pixels decoded are the same; the bytes differ from EncodeLzw's but,
// as these, depend on the pixels alone.
// `split` puts the seam elsewhere than the middle (and encodes a picture of any size in two).
void EncodeLzwInTwo(const std::uint8_t* pixels, std::size_t count, int bitsPerPixel,
                    QByteArray& out, std::size_t split = 0);

enum class GifVersion { None, GIF87a, GIF89a };

// One picture of the file. Frames sit at 0,0 without transparency, delay, disposal, interlacing
// or local colour table, so no graphic control extension is written.
class GifFrame {
public:
    explicit GifFrame(const QImage& bitmap) : Bitmap(bitmap) {}
    QImage Bitmap;
};

class GifImage {
public:
    // Empties the image and adds one frame holding a copy of `bitmap`.
    void Assign(const QImage& bitmap);
    void Clear();

    // Encodes the frames; the first frame's table becomes the global table and its size the
    // logical screen size. Each returns the error text, or nothing on success.
    std::optional<QString> SaveToBuffer(QByteArray& out);
    std::optional<QString> SaveToStream(QIODevice& stream);
    // Writes the whole file or nothing: an existing file is only replaced by a complete one.
    std::optional<QString> SaveToFile(const QString& path);

    std::vector<GifFrame> Frames;
    GifVersion Version = GifVersion::None;
    QSize ScreenSize;
    std::vector<GifColor> GlobalColorTable;
    // The file is an intermediate another program reads: encoded in two halves at once.
    bool EncodeInTwo = false;
};

// Writes a complete one-frame file from indices: the screen is the image's size and its palette
// the global colour table. The palette size must be a power of 2 from 2 to 256.
// `inTwo`: the data encoded with EncodeLzwInTwo.
std::optional<QString> WriteGif(const GifIndexedImage& image, GifVersion version, QByteArray& out,
                                bool inTwo = false);

// The bitmap as indices: 1- and 8-bit bitmaps with a colour table unchanged (table padded with
// black to 2 or 256 entries), anything else through ReduceToPalette.
GifIndexedImage IndexBitmap(const QImage& bitmap);
