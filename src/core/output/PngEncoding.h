// SPDX-License-Identifier: MIT
#pragma once
// PNG encoding of the exported pages. A page is drawn in a few hundred colours at most, mostly in
// 256 or fewer: such a page is written with a palette (one byte a pixel instead of three), which
// deflate gets through several times faster and in fewer bytes; a page of more colours keeps its
// true colours. Both are compressed with a fast deflate level. The pixels are the page's own
// either way.
#include <QtCore/QByteArray>
#include <QtGui/QImage>
#include <optional>

namespace png {

// The image's colours in ascending order, when there are at most `limit`; nothing when there are
// more. Alpha is ignored (the pages are opaque).
std::optional<QList<QRgb>> ExactPalette(const QImage& image, int limit = 256);

// The PNG file of the image; empty when the encoder failed.
QByteArray EncodePage(const QImage& image);

// The encoding the program used before: true colours at Qt's default level. Kept for the
// benchmark that compares the two.
QByteArray EncodeDefault(const QImage& image);

} // namespace png
