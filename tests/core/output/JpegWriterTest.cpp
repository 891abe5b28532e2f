// SPDX-License-Identifier: MIT
// JPG export: files decoded with libjpeg, compared with cjpeg's on the same pixels.
#include "output/JpegWriter.h"

#include "TestUtils.h"

#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtGui/QPainter>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>

namespace {

QImage pageLike(int w, int h) {
    QImage page(w, h, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    p.setPen(QPen(QColor(192, 192, 192), 1));
    for (int x = 100; x < w - 100; x += 50)
        p.drawLine(x, 100, x, h - 100);
    p.setPen(QPen(QColor(0, 191, 0), 3));
    p.drawLine(100, h - 100, w - 100, 120);
    p.setPen(QPen(QColor(191, 0, 0), 3));
    p.drawEllipse(QPoint(w / 2, h / 2), w / 4, h / 5);
    p.fillRect(10, 10, 40, 40, QColor(0, 0, 191));
    return page;
}

struct Decoded {
    bool ok = false;
    int width = 0, height = 0, components = 0;
    bool jfif = false, progressive = false, ycbcr = false;
    std::array<std::array<unsigned, 64>, 2> tables{};
};

struct JumpError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

Decoded decode(const QByteArray& bytes) {
    Decoded d;
    jpeg_decompress_struct cinfo;
    JumpError err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = [](j_common_ptr c) {
        std::longjmp(reinterpret_cast<JumpError*>(c->err)->jump, 1);
    };
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return Decoded{};
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    d.width = int(cinfo.image_width);
    d.height = int(cinfo.image_height);
    d.components = cinfo.num_components;
    d.jfif = cinfo.saw_JFIF_marker;
    d.progressive = cinfo.progressive_mode;
    d.ycbcr = cinfo.jpeg_color_space == JCS_YCbCr;
    for (int t = 0; t < 2; ++t)
        for (int i = 0; i < 64; ++i)
            d.tables[size_t(t)][size_t(i)] =
                cinfo.quant_tbl_ptrs[t] ? cinfo.quant_tbl_ptrs[t]->quantval[i] : 0;
    jpeg_destroy_decompress(&cinfo);
    d.ok = true;
    return d;
}

// The quality whose tables libjpeg would make are the file's, or 0.
int estimatedQuality(const Decoded& d) {
    for (int q = 1; q <= 100; ++q) {
        jpeg_compress_struct c;
        jpeg_error_mgr e;
        c.err = jpeg_std_error(&e);
        jpeg_create_compress(&c);
        c.in_color_space = JCS_RGB;
        c.input_components = 3;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, q, TRUE);
        bool same = true;
        for (int t = 0; t < 2 && same; ++t)
            for (int i = 0; i < 64 && same; ++i)
                same = c.quant_tbl_ptrs[t]->quantval[i] == d.tables[size_t(t)][size_t(i)];
        jpeg_destroy_compress(&c);
        if (same)
            return q;
    }
    return 0;
}

// Start of frame marker of a baseline file (SOF0) present, no other frame type.
bool baselineFrame(const QByteArray& bytes) {
    return bytes.contains(QByteArray("\xff\xc0", 2)) &&
           !bytes.contains(QByteArray("\xff\xc2", 2)) && !bytes.contains(QByteArray("\xff\xc1", 2));
}

} // namespace

TEST(JpegWriter, PagesAreBaselineJfifAtQuality90) {
    testutils::Sandbox box;
    for (const QSize size : {QSize(1200, 1500), QSize(2200, 1700)}) {
        const QString path = box.path(QStringLiteral("JPG/12345.jpg"));
        ASSERT_TRUE(box.write(QStringLiteral("JPG/12345.jpg"), "an older picture"));
        ASSERT_FALSE(WriteJpegFile(pageLike(size.width(), size.height()), path));
        const QByteArray bytes = testutils::readFile(path);
        const Decoded d = decode(bytes);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(QSize(d.width, d.height), size);
        EXPECT_EQ(d.components, 3);
        EXPECT_TRUE(d.jfif);
        EXPECT_TRUE(d.ycbcr);
        EXPECT_FALSE(d.progressive);
        EXPECT_TRUE(baselineFrame(bytes));
        EXPECT_EQ(estimatedQuality(d), 90);
    }
}

TEST(JpegWriter, SameBytesAsCjpegOnTheSamePixels) {
    const QString cjpeg = QStandardPaths::findExecutable(QStringLiteral("cjpeg"));
    if (cjpeg.isEmpty())
        GTEST_SKIP() << "cjpeg (libjpeg-turbo-progs) is not installed";
    testutils::Sandbox box;
    const QImage page = pageLike(640, 480);
    const QString ppm = box.path(QStringLiteral("page.ppm"));
    ASSERT_TRUE(page.save(ppm, "PPM"));
    QProcess p;
    p.start(cjpeg, {QStringLiteral("-quality"), QStringLiteral("90"), ppm});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QByteArray theirs = p.readAllStandardOutput();
    ASSERT_FALSE(theirs.isEmpty());
    QByteArray ours;
    ASSERT_FALSE(EncodeJpeg(page, ours));
    EXPECT_TRUE(ours == theirs);
    // Other input formats give the same pixels to the library.
    QByteArray fromRgb888;
    ASSERT_FALSE(EncodeJpeg(page.convertToFormat(QImage::Format_RGB888), fromRgb888));
    EXPECT_TRUE(fromRgb888 == theirs);
    QByteArray fromIndexed;
    ASSERT_FALSE(EncodeJpeg(page.convertToFormat(QImage::Format_ARGB32), fromIndexed));
    EXPECT_TRUE(fromIndexed == theirs);
}

TEST(JpegWriter, CannotCreateFileLeavesNothing) {
    testutils::Sandbox box;
    const QString path = box.path(QStringLiteral("missing/12345.jpg"));
    EXPECT_EQ(WriteJpegFile(pageLike(100, 80), path),
              std::optional<QString>(QStringLiteral("Cannot create file ") + path));
    EXPECT_FALSE(QFileInfo::exists(path));
    // A failed encoding never touches an existing file.
    ASSERT_TRUE(box.write(QStringLiteral("old.jpg"), "old"));
    EXPECT_TRUE(WriteJpegFile(QImage(), box.path(QStringLiteral("old.jpg"))).has_value());
    EXPECT_EQ(testutils::readFile(box.path(QStringLiteral("old.jpg"))), QByteArray("old"));
}
