// SPDX-License-Identifier: MIT
// The built-in pictures: the logo and feed bitmaps, the logo GIFs, and the letter-case blind
// lookup.
#include "base/Resources.h"

#include <QtCore/QBuffer>
#include <QtCore/QSet>
#include <QtGui/QImageReader>
#include <algorithm>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

constexpr QRgb Black = 0xff000000;
constexpr QRgb White = 0xffffffff;

const char* const FeedNames[] = {"RIGHTFEED", "LEFTFEED", "UHP-RIGHT", "UHP-LEFT"};

// The spellings a caller may use for one stored name.
QStringList spellings(const QString& name) {
    QString alternating = name;
    for (qsizetype i = 0; i < alternating.size(); ++i)
        alternating[i] = i % 2 ? alternating[i].toLower() : alternating[i].toUpper();
    return {name, name.toLower(), name.toUpper(), alternating};
}

QSet<QRgb> distinctColours(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(line[x]);
    }
    return colours;
}

// Ink: every pixel that is not close to white.
bool isInk(QRgb c) {
    return qGray(c) < 160;
}

struct InkStats {
    int count = 0;
    double meanX = 0;
};

// Ink of the rows [top, bottom), leaving out the title above and the captions below the views.
InkStats inkStats(const QImage& image, int top, int bottom) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    InkStats s;
    double sumX = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (isInk(rgb.pixel(x, y))) {
                ++s.count;
                sumX += x;
            }
    s.meanX = s.count ? sumX / s.count : 0;
    return s;
}

QImage feed(const char* name) {
    return LoadResourceBitmap(QString::fromLatin1(name));
}

QImage decodeGif(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "gif");
    return reader.read();
}

} // namespace

TEST(Resources, LogoBitmapIsSixteenColoursWithItsPalette) {
    for (const QString& name : spellings(QStringLiteral("Flash"))) {
        const QImage logo = LoadResourceBitmap(name);
        ASSERT_FALSE(logo.isNull()) << name.toStdString();
        EXPECT_EQ(logo.size(), QSize(205, 62)) << name.toStdString();
        // The palette comes through: an indexed image, not one converted to true colour.
        EXPECT_EQ(logo.format(), QImage::Format_Indexed8) << name.toStdString();
        EXPECT_LE(logo.colorCount(), 16);
    }
    const QImage logo = LoadResourceBitmap(QStringLiteral("FLASH"));
    const QSet<QRgb> colours = distinctColours(logo);
    EXPECT_LE(colours.size(), 16);
    // Smooth edges need more than a handful of shades.
    EXPECT_GE(colours.size(), 8);
    // White ground: all four corners.
    EXPECT_EQ(logo.pixel(0, 0), White);
    EXPECT_EQ(logo.pixel(204, 0), White);
    EXPECT_EQ(logo.pixel(0, 61), White);
    EXPECT_EQ(logo.pixel(204, 61), White);
    // The name is drawn in a dark blue, and it is the main colour of the ink.
    int darkBlue = 0;
    int ink = 0;
    const QImage rgb = logo.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            if (!isInk(c))
                continue;
            ++ink;
            if (qBlue(c) > qRed(c) + 40 && qBlue(c) < 140)
                ++darkBlue;
        }
    EXPECT_GT(ink, 1000);
    EXPECT_GT(darkBlue * 2, ink);
}

TEST(Resources, FeedPicturesAreBlackOnWhiteAtTheirSize) {
    for (const char* stored : FeedNames) {
        for (const QString& name : spellings(QString::fromLatin1(stored))) {
            const QImage picture = LoadResourceBitmap(name);
            ASSERT_FALSE(picture.isNull()) << name.toStdString();
            EXPECT_EQ(picture.size(), QSize(190, 130)) << name.toStdString();
            EXPECT_EQ(picture.depth(), 1) << name.toStdString();
        }
        const QImage picture = feed(stored);
        ASSERT_EQ(picture.colorCount(), 2) << stored;
        const QSet<QRgb> table(picture.colorTable().cbegin(), picture.colorTable().cend());
        EXPECT_EQ(table, (QSet<QRgb>{Black, White})) << stored;
        // Both colours are used, and only they are.
        EXPECT_EQ(distinctColours(picture), (QSet<QRgb>{Black, White})) << stored;
        // Line art: a white ground, a modest share of black.
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(rgb.pixel(0, 0), White) << stored;
        EXPECT_EQ(rgb.pixel(189, 129), White) << stored;
        const InkStats all = inkStats(picture, 0, 130);
        EXPECT_GT(all.count, 190 * 130 / 50) << stored;
        EXPECT_LT(all.count, 190 * 130 / 5) << stored;
    }
}

TEST(Resources, RightAndLeftFeedsAreDrawnOnTheirOwnSides) {
    // Between the title and the captions the right pictures differ from the left ones only by the
    // feed run and the red indicator, so their ink sits further right.
    const std::pair<const char*, const char*> pairs[] = {{"RIGHTFEED", "LEFTFEED"},
                                                         {"UHP-RIGHT", "UHP-LEFT"}};
    for (const auto& [right, left] : pairs) {
        const QImage r = feed(right);
        const QImage l = feed(left);
        ASSERT_FALSE(r.isNull());
        ASSERT_FALSE(l.isNull());
        EXPECT_NE(r.convertToFormat(QImage::Format_RGB32), l.convertToFormat(QImage::Format_RGB32))
            << right;
        const InkStats rs = inkStats(r, 14, 115);
        const InkStats ls = inkStats(l, 14, 115);
        EXPECT_GT(rs.meanX, ls.meanX + 1.0) << right << ' ' << rs.meanX << ' ' << ls.meanX;
        // The same drawing, mirrored: about as much ink on either side.
        EXPECT_NEAR(rs.count, ls.count, rs.count / 20) << right;
        // And not symmetric in itself.
        EXPECT_NE(r.mirrored(true, false).convertToFormat(QImage::Format_RGB32),
                  r.convertToFormat(QImage::Format_RGB32))
            << right;
    }
}

TEST(Resources, HighPerformanceFeedsDifferFromThePlainOnes) {
    const std::pair<const char*, const char*> pairs[] = {{"UHP-RIGHT", "RIGHTFEED"},
                                                         {"UHP-LEFT", "LEFTFEED"}};
    for (const auto& [uhp, plain] : pairs) {
        const QImage u = feed(uhp);
        const QImage p = feed(plain);
        ASSERT_FALSE(u.isNull());
        ASSERT_FALSE(p.isNull());
        EXPECT_NE(u.convertToFormat(QImage::Format_RGB32), p.convertToFormat(QImage::Format_RGB32))
            << uhp;
        // The shroud and radome are extra ink in the drawing itself, not only in the title.
        EXPECT_GT(inkStats(u, 14, 115).count, inkStats(p, 14, 115).count + 30) << uhp;
    }
}

// The page logos are 1200 x 400 GIF files with a 256-colour global table, written by the program's
// own encoder (an 87a file without extensions).
void expectPageLogoFile(const QByteArray& bytes, const char* name) {
    ASSERT_GE(bytes.size(), 13 + 768) << name;
    EXPECT_TRUE(bytes.startsWith("GIF87a")) << name;
    EXPECT_EQ(uchar(bytes[6]) | uchar(bytes[7]) << 8, 1200) << name;
    EXPECT_EQ(uchar(bytes[8]) | uchar(bytes[9]) << 8, 400) << name;
    EXPECT_EQ(uchar(bytes[10]), 0xF7) << name;
    EXPECT_EQ(bytes[13 + 768], ',') << name; // the image follows the table directly
    EXPECT_TRUE(bytes.endsWith(QByteArray("\x00\x3B", 2))) << name;
}

TEST(Resources, MonochromeLogoGifIsBlackOnWhite) {
    for (const QString& name : spellings(QStringLiteral("GIFFlASH"))) {
        const QByteArray bytes = LoadResourceGif(name);
        ASSERT_FALSE(bytes.isEmpty()) << name.toStdString();
        expectPageLogoFile(bytes, "GIFFlASH");
        const QImage image = decodeGif(bytes);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), QSize(1200, 400));
        EXPECT_EQ(distinctColours(image), (QSet<QRgb>{Black, White}));
    }
}

TEST(Resources, ColourLogoGifIsTheLogoDrawnLarge) {
    const QByteArray bytes = LoadResourceGif(QStringLiteral("gifcolorflash"));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(LoadResourceGif(QStringLiteral("GIFCOLORFlASH")), bytes);
    EXPECT_EQ(LoadResourceGif(QStringLiteral("GifColorFlash.GIF")), bytes);
    expectPageLogoFile(bytes, "GIFCOLORFlASH");
    const QImage image = decodeGif(bytes).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(1200, 400));
    // The legend logo's colours: white ground, smooth edges, the name in dark blue.
    const QSet<QRgb> colours = distinctColours(image);
    EXPECT_GE(colours.size(), 8);
    EXPECT_LE(colours.size(), 16);
    for (const QPoint corner : {QPoint(0, 0), QPoint(1199, 0), QPoint(0, 399), QPoint(1199, 399)})
        EXPECT_EQ(image.pixel(corner), White);

    // The same design as the legend's logo, drawn six times as large and 14 pixels down: the dish
    // and the waves (the left quarter) match colour for colour, away from the edges.
    const QImage logo =
        LoadResourceBitmap(QStringLiteral("FLASH")).convertToFormat(QImage::Format_RGB32);
    auto kind = [](QRgb c) {
        if (qGray(c) > 235)
            return 0; // white
        if (qRed(c) > qBlue(c) + 60)
            return 1;                  // orange
        return qGray(c) < 120 ? 2 : 3; // dark blue or an edge shade
    };
    int compared = 0, same = 0;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < 55; ++x) {
            const int small = kind(logo.pixel(x, y));
            if (small == 3)
                continue;
            ++compared;
            same += kind(image.pixel(6 * x + 3, 6 * y + 17)) == small;
        }
    EXPECT_GT(compared, 2000);
    EXPECT_GT(same, compared * 9 / 10) << same << " of " << compared;
}

TEST(Resources, MonochromeLogoFollowsTheColourOne) {
    const QImage colour = decodeGif(LoadResourceGif(QStringLiteral("GIFCOLORFlASH")))
                              .convertToFormat(QImage::Format_RGB32);
    const QImage mono = decodeGif(LoadResourceGif(QStringLiteral("GIFFlASH")))
                            .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(colour.size(), mono.size());
    // Black where the colour logo is solid, white where it is white; only the edge shades may go
    // either way.
    int ink = 0;
    int blackOnWhite = 0;
    int whiteOnSolid = 0;
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x) {
            const int grey = qGray(colour.pixel(x, y));
            const bool black = mono.pixel(x, y) == Black;
            ink += black;
            blackOnWhite += black && grey > 235;
            whiteOnSolid += !black && grey < 100;
        }
    EXPECT_GT(ink, 1000);
    EXPECT_LT(blackOnWhite, ink / 50);
    EXPECT_LT(whiteOnSolid, ink / 50);
}

TEST(Resources, PageLogoStrokesSurviveAnEightfoldShrink) {
    // Every part of the black logo (each connected piece of ink: the dish, the feed, each wave,
    // each letter) holds a disc 12 pixels across, so a nearest-neighbour copy at an eighth of
    // the size still picks up ink from every stroke.
    const QImage mono = decodeGif(LoadResourceGif(QStringLiteral("GIFFlASH")))
                            .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(mono.size(), QSize(1200, 400));
    const int w = mono.width(), h = mono.height();
    std::vector<char> ink(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ink[static_cast<size_t>(y * w + x)] = mono.pixel(x, y) == Black;
    auto at = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && ink[static_cast<size_t>(y * w + x)];
    };
    // A disc of diameter 12: the pixel centres within 6 of the point (x + 0.5, y + 0.5).
    std::vector<QPoint> disc;
    for (int dy = -6; dy <= 6; ++dy)
        for (int dx = -6; dx <= 6; ++dx)
            if ((dx + 0.5) * (dx + 0.5) + (dy + 0.5) * (dy + 0.5) <= 36)
                disc.push_back({dx, dy});
    std::vector<int> piece(ink.size(), -1);
    int pieces = 0;
    std::vector<int> thinPieces;
    for (int start = 0; start < w * h; ++start) {
        if (!ink[static_cast<size_t>(start)] || piece[static_cast<size_t>(start)] >= 0)
            continue;
        bool holdsDisc = false;
        std::vector<int> stack{start};
        piece[static_cast<size_t>(start)] = pieces;
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            const int x = p % w, y = p / w;
            if (!holdsDisc)
                holdsDisc = std::all_of(disc.begin(), disc.end(),
                                        [&](QPoint d) { return at(x + d.x(), y + d.y()); });
            for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                if (at(x + d.x(), y + d.y()) &&
                    piece[static_cast<size_t>((y + d.y()) * w + x + d.x())] < 0) {
                    piece[static_cast<size_t>((y + d.y()) * w + x + d.x())] = pieces;
                    stack.push_back((y + d.y()) * w + x + d.x());
                }
        }
        if (!holdsDisc)
            thinPieces.push_back(start);
        ++pieces;
    }
    // Dish with strut and feed, three waves, six letters of the name, the bar and the tag line's
    // seventeen letters.
    EXPECT_GE(pieces, 25);
    for (const int p : thinPieces)
        ADD_FAILURE() << "thin stroke near " << p % w << ',' << p / w;

    // An eighth of the size, nearest neighbour: the name, the bar and the tag line are all there.
    const QImage small = mono.scaled(150, 50, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_GT(inkStats(small, 0, 50).count, 150 * 50 / 8);
    for (const auto& [top, bottom] : {std::pair{10, 29}, std::pair{32, 35}, std::pair{36, 44}})
        EXPECT_GT(inkStats(small, top, bottom).count, 40) << top;
}

TEST(Resources, LookupIgnoresCaseAndExtensionOnly) {
    EXPECT_EQ(FindResourceFile(QStringLiteral(":/bitmaps"), QStringLiteral("uhp-left")),
              QStringLiteral(":/bitmaps/UHP-LEFT.bmp"));
    EXPECT_EQ(FindResourceFile(QStringLiteral(":/bitmaps"), QStringLiteral("Uhp-Left.Bmp")),
              QStringLiteral(":/bitmaps/UHP-LEFT.bmp"));
    EXPECT_EQ(FindResourceFile(QStringLiteral(":/gif"), QStringLiteral("gifflash")),
              QStringLiteral(":/gif/GIFFlASH.gif"));
    EXPECT_FALSE(LoadResourceBitmap(QStringLiteral("flash.bmp")).isNull());

    // Unknown, partial and empty names find nothing.
    for (const char* bad : {"", "NOSUCH", "FLAS", "FLASHX", "UHP", "RIGHT", "FLASH.gif", "FLASH.",
                            "bitmaps/FLASH", ":/bitmaps/FLASH.bmp", "MAINICON-48x48"}) {
        EXPECT_TRUE(LoadResourceBitmap(QString::fromLatin1(bad)).isNull()) << bad;
        EXPECT_TRUE(LoadResourceGif(QString::fromLatin1(bad)).isEmpty()) << bad;
    }
    // Each kind is looked up in its own folder only.
    EXPECT_TRUE(LoadResourceBitmap(QStringLiteral("GIFFlASH")).isNull());
    EXPECT_TRUE(LoadResourceGif(QStringLiteral("FLASH")).isEmpty());
    EXPECT_TRUE(LoadResourceGif(QStringLiteral("RIGHTFEED")).isEmpty());
    EXPECT_TRUE(
        FindResourceFile(QStringLiteral(":/nosuchfolder"), QStringLiteral("FLASH")).isEmpty());
}

TEST(Resources, ProgramIconsAreStillBuiltIn) {
    for (const char* path : {":/icons/MAINICON-48x48.png", ":/icons/MAINICON-256x256.png",
                             ":/icons/RPEICON-48x48.png", ":/icons/RPEICON-256x256.png"})
        EXPECT_FALSE(QImage(QString::fromLatin1(path)).isNull()) << path;
}

TEST(Resources, LogoPictureIsDecodedOnceAndSharedByEveryThread) {
    for (const char* name : {"GIFFlASH", "GIFCOLORFlASH"}) {
        const QImage decoded = QImage::fromData(LoadResourceGif(QString::fromLatin1(name)), "GIF")
                                   .convertToFormat(QImage::Format_ARGB32);
        // Pages draw it from threads of their own: every thread gets the one decoded picture.
        std::vector<QImage> got(4);
        std::vector<std::thread> threads;
        for (std::size_t i = 0; i < got.size(); ++i)
            threads.emplace_back([&got, i, name] {
                got[i] = LoadResourceGifPicture(QString::fromLatin1(name).toLower());
            });
        for (std::thread& t : threads)
            t.join();
        for (const QImage& image : got) {
            EXPECT_EQ(image.cacheKey(), got[0].cacheKey()) << name;
            EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32), decoded) << name;
        }
        EXPECT_EQ(LoadResourceGifPicture(QString::fromLatin1(name)).cacheKey(), got[0].cacheKey());
    }
    EXPECT_TRUE(LoadResourceGifPicture(QStringLiteral("NOSUCHLOGO")).isNull());
}
