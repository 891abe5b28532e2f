// SPDX-License-Identifier: MIT
#pragma once
// The JPG export's encoder (libjpeg-turbo through the IJG interface): a page is handed over as
// 24-bit RGB rows and compressed as a baseline JFIF file in YCbCr at the given quality, with the
// library's defaults otherwise, so the bytes match those of `cjpeg -quality 90` on the same pixels.
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QImage>
#include <optional>

inline constexpr int JpegExportQuality = 90;

// Encodes `image` into `out`. Returns the library's error text, or nothing on success.
std::optional<QString> EncodeJpeg(const QImage& image, QByteArray& out,
                                  int quality = JpegExportQuality);

// Writes the whole file or nothing (an existing file is only replaced by a complete one). Returns
// "Cannot create file %s" with the path when the file cannot be written.
std::optional<QString> WriteJpegFile(const QImage& image, const QString& path,
                                     int quality = JpegExportQuality);
