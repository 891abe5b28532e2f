// SPDX-License-Identifier: MIT
#include "base/SaveFile.h"

#include <QtCore/QDir>
#include <QtCore/QSaveFile>

QString cannotCreateMessage(const QString& path) {
    return QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path));
}

QString cannotOpenMessage(const QString& path) {
    return QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path));
}

std::optional<QString> saveWhole(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty())
        return cannotCreateMessage(path);
    QSaveFile file(path);
    // The flush before the commit: commit() does not see a write error that waited in the
    // buffer (a full disk), and would put a short file in place of the old one.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit())
        return cannotCreateMessage(path);
    return std::nullopt;
}
