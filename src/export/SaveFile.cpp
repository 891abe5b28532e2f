#include "SaveFile.h"

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
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return cannotCreateMessage(path);
    return std::nullopt;
}
