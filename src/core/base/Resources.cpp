// SPDX-License-Identifier: MIT
#include "base/Resources.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QHash>
#include <QtCore/QStringView>
#include <mutex>

QString FindResourceFile(const QString& folder, const QString& name) {
    if (name.isEmpty())
        return {};
    const QDir dir(folder);
    // Sorted so that a lookup never depends on the order in which the resources were compiled.
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const qsizetype dot = file.lastIndexOf(u'.');
        const QStringView stem = dot < 0 ? QStringView(file) : QStringView(file).left(dot);
        if (stem.compare(name, Qt::CaseInsensitive) == 0 ||
            QStringView(file).compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(file);
    }
    return {};
}

QImage LoadResourceBitmap(const QString& name) {
    const QString path = FindResourceFile(QStringLiteral(":/bitmaps"), name);
    if (path.isEmpty())
        return {};
    // Qt's own BMP reader keeps the stored palette: 4- and 8-bit files come back as
    // Format_Indexed8, 1-bit files as Format_Mono.
    QImage image;
    if (!image.load(path, "BMP"))
        return {};
    return image;
}

QByteArray LoadResourceGif(const QString& name) {
    const QString path = FindResourceFile(QStringLiteral(":/gif"), name);
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QImage LoadResourceGifPicture(const QString& name) {
    static std::mutex mutex;
    static QHash<QString, QImage> pictures;
    const QString key = name.toUpper();
    const std::lock_guard lock(mutex);
    const auto it = pictures.constFind(key);
    if (it != pictures.constEnd())
        return *it;
    // Kept as plain RGB: the logos have no transparency, and every surface draws that format
    // without converting it again for each page.
    QImage picture = QImage::fromData(LoadResourceGif(name), "GIF");
    if (!picture.isNull() && !picture.hasAlphaChannel())
        picture = picture.convertToFormat(QImage::Format_RGB32);
    pictures.insert(key, picture);
    return picture;
}
