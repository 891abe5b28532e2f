// SPDX-License-Identifier: MIT
#include "output/PngEncoding.h"

#include <QtGui/QImage>
#include <gtest/gtest.h>

namespace {

// An image of `colours` distinct greys-and-blues, each in a run of its own.
QImage imageOf(int colours) {
    QImage image(colours, 3, QImage::Format_RGB32);
    for (int x = 0; x < colours; ++x)
        for (int y = 0; y < 3; ++y)
            image.setPixel(x, y, qRgb(x % 256, x / 256, 200));
    return image;
}

} // namespace

TEST(PngEncoding, PaletteOnlyUpToItsLimitAndInOrder) {
    struct Case {
        int colours;
        bool palette;
    };
    for (const Case c :
         {Case{1, true}, Case{2, true}, Case{256, true}, Case{257, false}, Case{536, false}}) {
        const auto palette = png::ExactPalette(imageOf(c.colours));
        ASSERT_EQ(palette.has_value(), c.palette) << c.colours;
        if (!palette)
            continue;
        EXPECT_EQ(palette->size(), c.colours);
        EXPECT_TRUE(std::is_sorted(palette->begin(), palette->end()));
    }
}

TEST(PngEncoding, PagesComeBackPixelForPixel) {
    // Both ways of writing, a palette and true colours, and a colour met again after others.
    QImage revisited = imageOf(3);
    revisited.setPixel(2, 2, revisited.pixel(0, 0));
    for (const QImage& image : {imageOf(2), imageOf(256), imageOf(300), revisited}) {
        QImage back;
        ASSERT_TRUE(back.loadFromData(png::EncodePage(image), "PNG"));
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image) << image.width();
    }
}
