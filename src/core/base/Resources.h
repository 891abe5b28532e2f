// SPDX-License-Identifier: MIT
#pragma once
// The program's own pictures, built into it as Qt resources: the maker's logo and the four feed
// pictures as BMP files under ":/bitmaps", the logo for printed and exported pages as GIF files
// under ":/gif". A picture is named by its file name, with or without the extension, in any
// letter case: "FLASH", "flash" and "Flash.bmp" are the same picture.
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QImage>

// The bitmap of that name, decoded with its own palette (an indexed or one-bit image, as stored).
// A null image when there is no such bitmap.
QImage LoadResourceBitmap(const QString& name);

// The bytes of the GIF file of that name, as stored; empty when there is no such file.
QByteArray LoadResourceGif(const QString& name);

// The picture of the GIF file of that name, decoded on the first call and kept for the rest of
// the run (pages draw the logo many times), as 32-bit RGB unless it has transparency; a null
// image when there is no such file. Safe to call from several threads; the image is shared, so
// it must not be changed.
QImage LoadResourceGifPicture(const QString& name);

// The resource path of the file of that name in a resource folder (":/bitmaps", ":/gif"), found
// as above; empty when the folder holds no such file.
QString FindResourceFile(const QString& folder, const QString& name);
