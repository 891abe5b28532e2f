// SPDX-License-Identifier: MIT
#include "catalogue/AntennaFile.h"

#include "adf/PatternReader.h"
#include "catalogue/DataFileLocation.h"
#include "catalogue/IndexRefresh.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace {

AntennaFileOrError notFound(const QString& message) {
    return {std::nullopt, message, true};
}

AntennaFileOrError failed(const QString& message) {
    return {std::nullopt, message, false};
}

// Reads the header once (record and numbers), then the whole file again for the cuts: memory
// stays bounded by the reader's buffer however large the file. `indexRecord`, when given, is
// kept as the record and gives the feed orientation.
AntennaFileOrError read(const QString& path, const IndexRecord* indexRecord) {
    QFile device(path);
    if (!QFileInfo(path).isFile() || !device.open(QIODevice::ReadOnly))
        return notFound(QString::fromLatin1(FileNotFoundMessage));
    AntennaFile file;
    file.path = path;
    file.record.setText(IndexField::FileName, QFile::encodeName(QFileInfo(path).fileName()));
    {
        LineReader in(device, 64 * 1024);
        file.recordError = ReadHeaderLines(in, file.record, &file.header);
    }
    // A file the index rebuild would leave out as no data file is none here either.
    if (file.recordError && file.recordError->startsWith(QLatin1String(NotNsmaFileReason)))
        return failed(*file.recordError);
    if (indexRecord) {
        file.record = *indexRecord;
        file.recordError.reset();
    }
    if (!device.seek(0))
        return failed(QStringLiteral("Cannot read file %1").arg(path));
    // The header's own orientation even when a conversion error gave up the record before it.
    const QByteArray feed =
        indexRecord ? indexRecord->feedOrientation() : file.header.feedOrientation;
    const LoadResult loaded = ReadPatternFrom(device, path, feed, file.pattern);
    if (loaded.status != LoadStatus::Loaded)
        return failed(loaded.message);
    return {std::move(file), {}, false};
}

} // namespace

AntennaFileOrError AntennaFile::open(const QString& path) {
    return read(path, nullptr);
}

AntennaFileOrError AntennaFile::open(const IndexRecord& record, const QString& dataDir) {
    const DataFileLookup lookup = LocateDataFile(dataDir, record);
    if (!lookup.path)
        return notFound(lookup.notFoundMessage());
    return read(*lookup.path, &record);
}
