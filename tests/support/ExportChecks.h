// SPDX-License-Identifier: MIT
#pragma once
// Checks shared by the export tests: what a GIF of a page decodes to, what pdfinfo says of a PDF,
// the files in a folder, and a stand-in converter.
#include "TestUtils.h"
#include "output/GifImage.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtGui/QImage>

namespace exportchecks {

// The page as the GIF writer's palette gives it back: every pixel replaced by its palette colour.
inline QImage paletteMapped(const QImage& page) {
    const GifIndexedImage indexed = ReduceToPalette(page);
    QImage out(indexed.Width, indexed.Height, QImage::Format_RGB32);
    for (int y = 0; y < indexed.Height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < indexed.Width; ++x) {
            const GifColor c =
                indexed.Palette[indexed.Pixels[std::size_t(y) * std::size_t(indexed.Width) +
                                               std::size_t(x)]];
            row[x] = qRgb(c.Red, c.Green, c.Blue);
        }
    }
    return out;
}

// The first position where two pictures differ, or an empty text when they are equal.
inline std::string firstDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size())
        return "sizes differ";
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            if ((x.pixel(col, row) & 0xFFFFFF) != (y.pixel(col, row) & 0xFFFFFF))
                return "pixel " + std::to_string(col) + "," + std::to_string(row);
    return {};
}

// The mean absolute difference of the colour channels of two pictures of one size.
inline double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

inline QString tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

inline bool haveRealConverter() {
    return !tool("htmldoc").isEmpty() && !tool("pdfinfo").isEmpty();
}

inline QString pdfinfo(const QString& pdf) {
    QProcess p;
    p.start(tool("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// "595 x 792" from pdfinfo's "Page size:" line, and its page count.
inline QString pageBox(const QString& info) {
    const auto m =
        QRegularExpression(QStringLiteral("Page size:\\s+(\\d+ x \\d+) pts")).match(info);
    return m.hasMatch() ? m.captured(1) : QString();
}
inline int pageCount(const QString& info) {
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

inline QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A stand-in converter "htmldoc" in `commonDir`: writes its arguments to "log" beside it, then
// runs `body` ($out is the path after -f).
inline void fakeConverter(const QString& commonDir, const QByteArray& body) {
    QDir().mkpath(commonDir);
    const QString path = commonDir + QStringLiteral("/htmldoc");
    testutils::writeFile(path, "#!/bin/sh\n"
                               "log=\"$(dirname \"$0\")/log\"\n"
                               "out=; prev=\n"
                               "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$log\"; "
                               "[ \"$prev\" = -f ] && out=$a; prev=$a; done\n" +
                                   body + "\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace exportchecks
