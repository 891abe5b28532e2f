// SPDX-License-Identifier: MIT
// What every command prints: output lines, error lines naming their file, and loading a data file
// with its errors printed.
#include "cli/Commands.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <cstdio>

void printError(const QString& text) {
    // What went to standard output so far comes first when both go to one file or pipe.
    std::fflush(stdout);
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

QString fileError(const QString& path, const QString& message) {
    if (message.contains(path) || message.contains(QDir::toNativeSeparators(path)))
        return message;
    return QFileInfo(path).fileName() + QStringLiteral(": ") + message;
}

void printOut(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

std::optional<AntennaFile> openAntennaFile(const QString& path) {
    AntennaFileOrError opened = AntennaFile::open(path);
    if (!opened.file) {
        printError(fileError(path, opened.error));
        return std::nullopt;
    }
    if (opened.file->recordError) {
        printError(
            QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), *opened.file->recordError));
        return std::nullopt;
    }
    return std::move(opened.file);
}
