// SPDX-License-Identifier: MIT
#include "output/JpegWriter.h"

#include "base/SaveFile.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back to the
// encoder with the message kept.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void noOutput(j_common_ptr) {}

// Everything between setjmp and a possible longjmp lives in plain C objects, so no destructor is
// skipped.
// Rows of 32-bit pages are turned into 24-bit RGB one at a time through `row`; 24-bit pages are
// handed over as they are.
bool compress(const QImage& page, unsigned char* row, int quality, unsigned char** buffer,
              unsigned long* size, char* message) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = errorExit;
    err.pub.output_message = noOutput;
    err.message[0] = '\0';
    if (setjmp(err.jump)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = static_cast<JDIMENSION>(page.width());
    cinfo.image_height = static_cast<JDIMENSION>(page.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo); // JFIF, YCbCr, baseline Huffman tables
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const bool packed = page.format() == QImage::Format_RGB888;
    const int width = page.width();
    while (cinfo.next_scanline < cinfo.image_height) {
        const uchar* line = page.constScanLine(static_cast<int>(cinfo.next_scanline));
        JSAMPROW rows[1] = {const_cast<JSAMPROW>(line)};
        if (!packed) {
            const auto* pixels = reinterpret_cast<const QRgb*>(line);
            for (int x = 0; x < width; ++x) {
                row[3 * x] = static_cast<unsigned char>(qRed(pixels[x]));
                row[3 * x + 1] = static_cast<unsigned char>(qGreen(pixels[x]));
                row[3 * x + 2] = static_cast<unsigned char>(qBlue(pixels[x]));
            }
            rows[0] = row;
        }
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

std::optional<QString> EncodeJpeg(const QImage& image, QByteArray& out, int quality) {
    out.clear();
    if (image.isNull())
        return QStringLiteral("The picture is empty");
    // The library is handed 24-bit RGB rows, whatever the page's own format. Opaque 32-bit pages
    // (what the page routines draw on) are converted a row at a time.
    QImage page = image;
    if (page.format() != QImage::Format_RGB888 && page.format() != QImage::Format_RGB32)
        page = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_RGB888
                                                             : QImage::Format_RGB32);
    std::vector<unsigned char> row(static_cast<std::size_t>(page.width()) * 3);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = compress(page, row.data(), quality, &buffer, &size, message);
    if (ok)
        out = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    if (!ok)
        return QString::fromLocal8Bit(message);
    return std::nullopt;
}

std::optional<QString> WriteJpegFile(const QImage& image, const QString& path, int quality) {
    QByteArray bytes;
    if (const auto error = EncodeJpeg(image, bytes, quality))
        return error;
    return saveWhole(path, bytes);
}
