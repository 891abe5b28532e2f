// What every command prints: output lines, error lines naming their file, and loading a data file
// with its errors printed.
#include "adf/PatternReader.h"
#include "catalogue/IndexRefresh.h"
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

bool loadAntennaFile(const QString& path, IndexRecord& record, LoadedPattern& pattern) {
    const std::optional<QString> headerError = BuildRecordFromFile(path, record);
    const LoadResult loaded = LoadPatternFile(path, record.feedOrientation(), pattern);
    if (loaded.status != LoadStatus::Loaded) {
        printError(fileError(path, loaded.message));
        return false;
    }
    if (headerError) {
        printError(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), *headerError));
        return false;
    }
    return true;
}
