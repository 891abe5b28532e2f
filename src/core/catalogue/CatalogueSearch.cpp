// SPDX-License-Identifier: MIT
#include "catalogue/CatalogueSearch.h"

#include "catalogue/IndexRefresh.h"

#include <QtCore/QDateTime>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <algorithm>

namespace {

void lowerAscii(QByteArray& text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
}

std::optional<double> numberOf(const QByteArray& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

// The searched texts of a record, lower-cased, one separator byte between them so that no word
// is found across two fields.
QByteArray searchedText(const IndexRecord& r) {
    QByteArray text;
    text.reserve(300);
    for (const IndexField f :
         {IndexField::ModelNumber, IndexField::RpeNumber, IndexField::Description1,
          IndexField::Description2, IndexField::FileName}) {
        text += r.text(f);
        text += '\x01';
    }
    lowerAscii(text);
    return text;
}

bool feedMatches(FeedChoice choice, const IndexRecord& r) {
    const QByteArray feed = r.feedOrientation().trimmed().toUpper();
    switch (choice) {
    case FeedChoice::Any:
        return true;
    case FeedChoice::None:
        return feed != "LEFT" && feed != "RIGHT";
    case FeedChoice::Left:
        return feed == "LEFT";
    case FeedChoice::Right:
        return feed == "RIGHT";
    }
    return true;
}

bool polarizationMatches(PolarizationChoice choice, const IndexRecord& r) {
    switch (choice) {
    case PolarizationChoice::Any:
        return true;
    case PolarizationChoice::Single:
        return r.textEquals(IndexField::Polarization, "Single");
    case PolarizationChoice::Dual:
        return r.textEquals(IndexField::Polarization, "Dual");
    }
    return true;
}

} // namespace

QList<QByteArray> SearchQuery::wordsOf(const QString& text) {
    QList<QByteArray> words;
    for (const QString& w :
         text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        QByteArray bytes = w.toLatin1();
        lowerAscii(bytes);
        words << bytes;
    }
    return words;
}

bool SearchQuery::isEmpty() const {
    return words.isEmpty() && !coversGHz && !minGainDbi && !maxSizeFeet &&
           polarization == PolarizationChoice::Any && feed == FeedChoice::Any;
}

std::optional<double> RecordGain(const IndexRecord& record) {
    return numberOf(record.gain());
}

std::optional<double> RecordSizeFeet(const IndexRecord& record) {
    return numberOf(record.size());
}

bool MatchesQuery(const SearchQuery& q, const IndexRecord& r) {
    if (q.coversGHz && !(r.lowFrequency() <= *q.coversGHz && *q.coversGHz <= r.highFrequency()))
        return false;
    if (q.minGainDbi) {
        const std::optional<double> gain = RecordGain(r);
        if (!gain || *gain < *q.minGainDbi)
            return false;
    }
    if (q.maxSizeFeet) {
        const std::optional<double> size = RecordSizeFeet(r);
        if (!size || *size > *q.maxSizeFeet)
            return false;
    }
    if (!polarizationMatches(q.polarization, r) || !feedMatches(q.feed, r))
        return false;
    if (q.words.isEmpty())
        return true;
    const QByteArray text = searchedText(r);
    for (const QByteArray& w : q.words)
        if (!text.contains(w))
            return false;
    return true;
}

std::vector<int> SearchRecords(const SearchQuery& query, const std::vector<IndexRecord>& records) {
    std::vector<int> found;
    for (size_t i = 0; i < records.size(); ++i)
        if (MatchesQuery(query, records[i]))
            found.push_back(int(i));
    return found;
}

std::optional<double> ParseFrequencyGHz(const QString& text) {
    static const QRegularExpression rule(
        QStringLiteral("^\\s*([0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)\\s*(ghz|mhz)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = rule.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const double value = m.captured(1).toDouble();
    if (!(value > 0))
        return std::nullopt;
    const QString unit = m.captured(2).toLower();
    const bool megahertz = unit == QStringLiteral("mhz") || (unit.isEmpty() && value >= 100);
    return megahertz ? value / 1000 : value;
}

std::optional<FeedChoice> ParseFeedChoice(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QStringLiteral("none"))
        return FeedChoice::None;
    if (t == QStringLiteral("left"))
        return FeedChoice::Left;
    if (t == QStringLiteral("right"))
        return FeedChoice::Right;
    return std::nullopt;
}

std::optional<PolarizationChoice> ParsePolarizationChoice(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QStringLiteral("single"))
        return PolarizationChoice::Single;
    if (t == QStringLiteral("dual"))
        return PolarizationChoice::Dual;
    return std::nullopt;
}

std::vector<IndexRecord> ReadAllRecords(IndexFile& index) {
    std::vector<IndexRecord> records;
    records.reserve(size_t(index.recordCount()));
    index.rewind();
    IndexRecord r;
    while (index.readNext(r))
        records.push_back(r);
    return records;
}

bool IndexIsCurrent(const QString& indexPath, const QString& dataDir) {
    const QFileInfo info(indexPath);
    if (!info.isFile())
        return false;
    // The folder's own time says nothing here: writing the index beside the files changes it.
    const QDateTime written = info.lastModified();
    QByteArray dir = QFile::encodeName(dataDir);
    if (!dir.endsWith('/'))
        dir += '/';
    QList<QByteArray> listed;
    for (const QByteArray& name : DataFileNames(dataDir)) {
        if (QFileInfo(QFile::decodeName(dir + name)).lastModified() > written)
            return false;
        listed << name.left(IndexRecord::layout(IndexField::FileName).capacity);
    }
    IndexFile index;
    if (!index.open(indexPath) || !index.holdsRecords())
        return false;
    // One record for each data file, under its stored name: a file added, removed or renamed,
    // or one the rebuild left out, makes the index stand for another listing.
    QList<QByteArray> stored;
    IndexRecord r;
    while (index.readNext(r))
        stored << r.fileName();
    std::sort(listed.begin(), listed.end());
    std::sort(stored.begin(), stored.end());
    return listed == stored;
}

CatalogueRecords LoadCatalogueRecords(const QString& dataDir, const QString& indexPath) {
    CatalogueRecords out;
    if (!QFileInfo(dataDir).isDir()) {
        out.error = QStringLiteral("%1: no such folder").arg(dataDir);
        return out;
    }
    const QList<QByteArray> names = DataFileNames(dataDir);
    if (names.isEmpty()) {
        out.error = QString::fromLatin1(NoDataFilesMessage);
        return out;
    }
    if (IndexIsCurrent(indexPath, dataDir)) {
        IndexFile index;
        if (index.open(indexPath)) {
            out.records = ReadAllRecords(index);
            out.fromIndex = true;
            return out;
        }
    }
    QByteArray dir = QFile::encodeName(dataDir);
    if (!dir.endsWith('/'))
        dir += '/';
    out.records.reserve(size_t(names.size()));
    for (const QByteArray& name : names) {
        const QString path = QFile::decodeName(dir + name);
        IndexRecord record;
        if (const std::optional<QString> reason = BuildRecordFromFile(path, record)) {
            out.skipped << QFile::decodeName(name) + QStringLiteral(": ") + *reason;
            continue;
        }
        out.records.push_back(record);
        out.paths << path;
    }
    return out;
}
