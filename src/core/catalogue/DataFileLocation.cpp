// SPDX-License-Identifier: MIT
#include "catalogue/DataFileLocation.h"

#include "adf/PatternReader.h"
#include "base/DisplayText.h"
#include "catalogue/IndexRefresh.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

QString DataFileLookup::notFoundMessage() const {
    QString text = QString::fromLatin1(FileNotFoundMessage);
    if (!candidates.isEmpty())
        text += QStringLiteral("\n\nThe index names \"%1\"; these files begin with it:\n")
                    .arg(storedName) +
                candidates.join(QLatin1Char('\n'));
    return text;
}

DataFileLookup LocateDataFile(const QString& dataDir, const IndexRecord& record) {
    DataFileLookup found;
    const QByteArray stored = record.fileName();
    found.storedName = DisplayText(stored);
    const int capacity = IndexRecord::layout(IndexField::FileName).capacity;
    const QDir dir(dataDir);
    if (stored.size() < capacity) {
        const QString direct = dir.filePath(QFile::decodeName(stored));
        if (!stored.isEmpty() && QFileInfo(direct).isFile())
            found.path = direct;
        return found;
    }

    // Every file the rebuild would have indexed under this name, in the rebuild's order.
    std::vector<std::string> names;
    std::error_code ec;
    const std::string prefix = stored.toStdString();
    for (std::filesystem::directory_iterator it(QFile::encodeName(dataDir).toStdString(), ec), end;
         !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().native();
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const bool adf =
            name.size() >= 4 && qstrnicmp(name.data() + name.size() - 4, ".adf", 4) == 0;
        if (name.size() == prefix.size() || adf)
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int c = qstrnicmp(a.data(), qsizetype(a.size()), b.data(), qsizetype(b.size()));
        return c != 0 ? c < 0 : a < b;
    });
    QStringList paths;
    for (const std::string& name : names) {
        const QString path = dir.filePath(QFile::decodeName(QByteArray::fromStdString(name)));
        if (QFileInfo(path).isFile())
            paths << path;
    }
    if (paths.size() == 1) {
        found.path = paths.first();
        return found;
    }
    QStringList matching;
    for (const QString& path : paths) {
        IndexRecord header;
        if (!BuildRecordFromFile(path, header) && SameIndexEntry(header, record))
            matching << path;
    }
    if (matching.size() == 1) {
        found.path = matching.first();
        return found;
    }
    for (const QString& path : paths)
        found.candidates << QFileInfo(path).fileName();
    return found;
}
