// SPDX-License-Identifier: MIT
#pragma once
// Writes a file the user asked for whole or not at all.
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <optional>

// Writes `bytes` to `path` through a temporary beside it that replaces the file only once it is
// complete; a failed write leaves an existing file as it was. Returns "Cannot create file %s"
// with the path on failure, or nothing.
std::optional<QString> saveWhole(const QString& path, const QByteArray& bytes);

// The platform's message for a file that cannot be written.
QString cannotCreateMessage(const QString& path);
// The platform's message for a file that cannot be read.
QString cannotOpenMessage(const QString& path);
