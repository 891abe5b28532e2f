// The built-in pictures: the logo and feed bitmaps, the logo GIFs, and the letter-case blind
// lookup.
#include "common/Resources.h"

#include <QtCore/QBuffer>
#include <QtCore/QSet>
#include <QtGui/QImageReader>
#include <gtest/gtest.h>

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

TEST(Resources, MonochromeLogoGifIsTwoColours) {
    for (const QString& name : spellings(QStringLiteral("GIFFlASH"))) {
        const QByteArray bytes = LoadResourceGif(name);
        ASSERT_FALSE(bytes.isEmpty()) << name.toStdString();
        EXPECT_TRUE(bytes.startsWith("GIF8")) << name.toStdString();
        const QImage image = decodeGif(bytes);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), QSize(205, 62));
        EXPECT_EQ(distinctColours(image), (QSet<QRgb>{Black, White}));
    }
}

TEST(Resources, ColourLogoGifIsTheLogoBitmap) {
    const QByteArray bytes = LoadResourceGif(QStringLiteral("gifcolorflash"));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(bytes.startsWith("GIF8"));
    EXPECT_EQ(LoadResourceGif(QStringLiteral("GIFCOLORFlASH")), bytes);
    EXPECT_EQ(LoadResourceGif(QStringLiteral("GifColorFlash.GIF")), bytes);
    const QImage image = decodeGif(bytes);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(205, 62));
    // Same drawing, same palette: pixel for pixel the bitmap logo.
    const QImage logo = LoadResourceBitmap(QStringLiteral("FLASH"));
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
              logo.convertToFormat(QImage::Format_RGB32));
}

TEST(Resources, MonochromeLogoFollowsTheColourOne) {
    const QImage colour =
        LoadResourceBitmap(QStringLiteral("FLASH")).convertToFormat(QImage::Format_RGB32);
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
