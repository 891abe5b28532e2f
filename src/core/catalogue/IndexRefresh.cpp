// SPDX-License-Identifier: MIT
#include "catalogue/IndexRefresh.h"

#include "adf/PatternReader.h"
#include "base/DisplayText.h"
#include "base/NumberText.h"
#include "catalogue/DataFileLocation.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const MonthNames[12] = {"January",   "February", "March",    "April",
                                    "May",       "June",     "July",     "August",
                                    "September", "October",  "November", "December"};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<double> megahertzToGigahertz(QByteArrayView value) {
    const auto mhz = numtext::parseFloat(value);
    if (!mhz)
        return std::nullopt;
    // Division keeps 10700 MHz at the double nearest 10.7, so a record passes the range test of
    // its own label.
    return *mhz / 1000.0;
}

// A six-letter keyword as one number, so that a header line is told apart with one switch
// rather than a string comparison for each keyword the index takes.
constexpr std::uint64_t keywordCode(const char* k) {
    std::uint64_t code = 0;
    for (int i = 0; i < 6; ++i)
        code = code << 8 | static_cast<unsigned char>(k[i]);
    return code;
}

std::uint64_t keywordCode(QByteArrayView k) {
    return keywordCode(k.data());
}

} // namespace

void SetModelNumberFields(IndexRecord& record, QByteArrayView value) {
    QByteArray model = value.toByteArray();
    for (char& c : model)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    record.setText(IndexField::ModelNumber, model);
    qsizetype split = 0;
    while (split < model.size() && !isDigit(model[split]) && model[split] != '-')
        ++split;
    record.setText(IndexField::Series, QByteArrayView(model).first(split));
    qsizetype end = split;
    while (end < model.size() && (isDigit(model[end]) || model[end] == '.'))
        ++end;
    record.setText(IndexField::Size, QByteArrayView(model).sliced(split, end - split));
    record.setText(IndexField::Polarization, model.contains('X') ? "Dual" : "Single");
}

QByteArray FrequencyRangeLabel(double lowGHz, double highGHz) {
    QByteArray low = numtext::formatFixed(lowGHz, 3);
    while (low.indexOf('.') + 1 < 3)
        low.prepend(' ');
    return low + '-' + numtext::formatFixed(highGHz, 3);
}

std::optional<QByteArray> FormatDataDate(QByteArrayView value) {
    if (value.contains("null"))
        return value.toByteArray();
    const auto month = value.size() >= 6 ? numtext::parseInt(value.sliced(4, 2)) : std::nullopt;
    if (!month || *month < 1 || *month > 12)
        return std::nullopt;
    const QByteArrayView year = value.first(4);
    const QByteArrayView day = value.size() >= 8 ? value.sliced(6, 2) : value.sliced(6);
    return day.toByteArray() + ' ' + MonthNames[*month - 1] + ' ' + year.toByteArray();
}

std::optional<QString> ReadHeaderLines(LineReader& in, IndexRecord& record,
                                       AntennaHeader* numbers) {
    bool keywordSeen = false;
    // With the header numbers asked for, a conversion error is kept and the numbers read on.
    std::optional<QString> conversionError;
    const auto fail = [&](QString message) {
        conversionError = std::move(message);
        keywordSeen = true;
        return numbers == nullptr;
    };
    while (!in.atEnd()) {
        const QByteArrayView line = in.readLine();
        // Text files hold no NUL byte; binary noise almost always does, and is not read further.
        if (!keywordSeen && line.contains('\0'))
            return QString::fromLatin1(NotNsmaFileReason);
        const KeywordLine kl = SplitKeywordLine(line);
        const QByteArrayView k = kl.keyword;
        if (k.size() != 6)
            continue; // every keyword the index uses has six letters
        const std::uint64_t code = keywordCode(k);
        if (code == keywordCode("NUPOIN"))
            break;
        if (numbers)
            numbers->take(k, kl.value);
        if (conversionError)
            continue; // the record is given up; only the numbers are still read
        bool known = true;
        switch (code) {
        case keywordCode("MODNUM"):
            SetModelNumberFields(record, kl.value);
            break;
        case keywordCode("FEDORN"):
            record.setText(IndexField::FeedOrientation, kl.value);
            break;
        case keywordCode("DESCR1"):
            record.setText(IndexField::Description1, kl.value);
            break;
        case keywordCode("DESCR2"):
            record.setText(IndexField::Description2, kl.value);
            break;
        case keywordCode("DTDATA"): {
            const auto date = FormatDataDate(kl.value);
            if (!date) {
                if (fail(QStringLiteral("'%1' is not a valid date").arg(DisplayText(kl.value))))
                    return conversionError;
                continue;
            }
            record.setText(IndexField::Date, *date);
            break;
        }
        case keywordCode("PATNUM"):
            record.setText(IndexField::RpeNumber, kl.value);
            break;
        case keywordCode("LOWFRQ"): {
            const auto ghz = megahertzToGigahertz(kl.value);
            if (!ghz) {
                if (fail(invalidFloatMessage(kl.value)))
                    return conversionError;
                continue;
            }
            record.setLowFrequency(*ghz);
            break;
        }
        case keywordCode("HGHFRQ"): {
            const auto ghz = megahertzToGigahertz(kl.value);
            if (!ghz) {
                if (fail(invalidFloatMessage(kl.value)))
                    return conversionError;
                continue;
            }
            record.setHighFrequency(*ghz);
            const double low = record.lowFrequency();
            record.setText(IndexField::FrequencyRange, FrequencyRangeLabel(low, *ghz));
            record.setText(IndexField::MidFrequency, numtext::formatFixed((low + *ghz) / 2, 3));
            break;
        }
        case keywordCode("MDGAIN"): {
            const qsizetype blank = kl.value.indexOf(' ');
            const QByteArrayView number = blank < 0 ? kl.value : kl.value.first(blank);
            const auto gain = numtext::parseFloat(number);
            if (!gain) {
                if (fail(invalidFloatMessage(number)))
                    return conversionError;
                continue;
            }
            record.setText(IndexField::Gain, numtext::formatFixed(*gain, 1));
            break;
        }
        default:
            known = false;
        }
        keywordSeen = keywordSeen || known;
    }
    if (conversionError)
        return conversionError;
    if (in.lineTooLong())
        return QStringLiteral("%1 (%2)").arg(QLatin1String(NotNsmaFileReason), in.errorText());
    if (!in.ok())
        return QStringLiteral("the file could not be read");
    if (!keywordSeen)
        return QString::fromLatin1(NotNsmaFileReason);
    return std::nullopt;
}

namespace {

// Reads the header of one data file into a blanked record. The file is opened without blocking
// and checked to be a regular file first, so a pipe or a device in the folder cannot hang the
// rebuild; plain system calls keep the per-file cost near that of any reader.
// `path` is taken from the folder `folderFd` is open on (AT_FDCWD: as it stands), which spares the
// walk along the folder's own path for every file. `listedRegular`: the folder's listing said
// the entry is a regular file (or a link to one), which saves a system call per file; a file
// swapped for something else since cannot hang the read, as it is opened without blocking.
std::optional<QString> readHeaderFile(int folderFd, const char* path, IndexRecord& record,
                                      bool listedRegular = false) {
    const int fd = ::openat(folderFd, path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return QStringLiteral("cannot be opened (%1)")
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st {};
    if (!listedRegular && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return QStringLiteral("not a regular file");
    }
    LineReader in(
        [fd](char* data, qint64 size) -> qint64 {
            for (;;) {
                const ssize_t got = ::read(fd, data, static_cast<size_t>(size));
                if (got >= 0 || errno != EINTR)
                    return got;
            }
        },
        4096);
    auto result = ReadHeaderLines(in, record);
    ::close(fd);
    return result;
}

} // namespace

std::optional<QString> BuildRecordFromFile(const QString& path, IndexRecord& record) {
    record.clear();
    record.setText(IndexField::FileName, QFile::encodeName(QFileInfo(path).fileName()));
    return readHeaderFile(AT_FDCWD, QFile::encodeName(path).constData(), record);
}

QString RebuildReport::message() const {
    switch (outcome) {
    case Outcome::NoDataFiles:
        return QString::fromLatin1(NoDataFilesMessage);
    case Outcome::CannotCreate:
    case Outcome::CannotRead:
        return error;
    case Outcome::Cancelled:
        return QStringLiteral("The index was not changed.");
    case Outcome::Rebuilt:
        break;
    }
    QStringList parts;
    if (!skipped.isEmpty())
        parts << QStringLiteral("These files could not be indexed:\n") +
                     skipped.join(QLatin1Char('\n'));
    if (!longNames.isEmpty())
        parts << QStringLiteral("These file names are longer than 15 characters and are indexed "
                                "under their first 15:\n") +
                     longNames.join(QLatin1Char('\n'));
    if (!sharedNames.isEmpty()) {
        QStringList groups;
        for (const QStringList& names : sharedNames)
            groups << names.join(QLatin1Char('\n'));
        parts << QStringLiteral("These files share their first 15 characters; each is told "
                                "apart by the model number, RPE number, frequencies and "
                                "descriptions in its header:\n") +
                     groups.join(QStringLiteral("\n\n"));
    }
    if (!lookAlikes.isEmpty())
        parts << QStringLiteral("These files share their first 15 characters and the same header "
                                "facts, so they cannot be opened from the index; rename them:\n") +
                     lookAlikes.join(QLatin1Char('\n'));
    return parts.join(QStringLiteral("\n\n"));
}

namespace {

// The "*.adf" entries of a folder as the file system stores their names (bytes), in name order;
// hidden entries are skipped but noted, since a folder whose data files are all hidden still has
// data files. `error` is set when the folder cannot be listed.
struct DataFileListing {
    std::vector<std::string> names;
    std::vector<bool> regular; // per name: the listing itself gave it as a regular file
    bool hiddenDataFiles = false;
    std::error_code error;
};

DataFileListing listDataFiles(const QString& sourceDir) {
    DataFileListing listing;
    std::error_code& ec = listing.error;
    std::vector<std::pair<std::string, bool>> entries;
    for (std::filesystem::directory_iterator it(QFile::encodeName(sourceDir).toStdString(), ec),
         end;
         !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().native();
        if (name.size() < 4 || qstrnicmp(name.data() + name.size() - 4, ".adf", 4) != 0)
            continue;
        if (name[0] == '.') {
            listing.hiddenDataFiles = true;
            continue;
        }
        // The entry's type as the listing gives it: no system call, but for a link, which is
        // followed.
        std::error_code typeError;
        const bool regular = it->is_regular_file(typeError) && !typeError;
        entries.emplace_back(std::move(name), regular);
    }
    std::sort(entries.begin(), entries.end(), [](const auto& x, const auto& y) {
        const std::string& a = x.first;
        const std::string& b = y.first;
        const int c = qstrnicmp(a.data(), qsizetype(a.size()), b.data(), qsizetype(b.size()));
        return c != 0 ? c < 0 : a < b;
    });
    listing.names.reserve(entries.size());
    listing.regular.reserve(entries.size());
    for (auto& [name, regular] : entries) {
        listing.names.push_back(std::move(name));
        listing.regular.push_back(regular);
    }
    return listing;
}

} // namespace

QList<QByteArray> DataFileNames(const QString& sourceDir) {
    const DataFileListing listing = listDataFiles(sourceDir);
    QList<QByteArray> out;
    out.reserve(qsizetype(listing.names.size()));
    for (const std::string& name : listing.names)
        out << QByteArray::fromStdString(name);
    return out;
}

RebuildReport RebuildIndex(const QString& sourceDir, const QString& indexPath,
                           const RebuildProgress& progress, bool keepIndexWithoutDataFiles) {
    RebuildReport report;

    DataFileListing listing = listDataFiles(sourceDir);
    if (listing.error) {
        // Missing, not a folder, or not readable: never "no data files", and the old index stays.
        report.outcome = RebuildReport::Outcome::CannotRead;
        report.error = QStringLiteral("Cannot read folder %1: %2")
                           .arg(sourceDir, QString::fromLocal8Bit(listing.error.message()));
        return report;
    }
    const std::vector<std::string> names = std::move(listing.names);
    const std::vector<bool> listedRegular = std::move(listing.regular);
    const bool hiddenDataFiles = listing.hiddenDataFiles;
    if (names.empty() && !hiddenDataFiles && keepIndexWithoutDataFiles) {
        report.outcome = RebuildReport::Outcome::NoDataFiles;
        return report;
    }

    QSaveFile out(indexPath);
    if (!out.open(QIODevice::WriteOnly)) {
        report.outcome = RebuildReport::Outcome::CannotCreate;
        report.error = QStringLiteral("Cannot create file %1").arg(indexPath);
        return report;
    }

    // Names that share their stored (cut) name with another keep their records, to find the ones
    // that cannot be told apart.
    const auto nameCapacity = size_t(IndexRecord::layout(IndexField::FileName).capacity);
    std::map<std::string, std::vector<int>> byStoredName;
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i].size() >= nameCapacity)
            byStoredName[names[i].substr(0, nameCapacity)].push_back(int(i));
    std::vector<bool> indexed(names.size(), false);
    std::map<int, IndexRecord> sharedRecords;
    auto mayShare = [&](const std::string& name) {
        return name.size() >= nameCapacity &&
               byStoredName.at(name.substr(0, nameCapacity)).size() > 1;
    };

    QByteArray dir = QFile::encodeName(sourceDir);
    if (!dir.endsWith('/'))
        dir += '/';
    // The folder stays open for the run, and each file is opened from it.
    struct FolderFd {
        int fd;
        ~FolderFd() {
            if (fd >= 0)
                ::close(fd);
        }
    } folder{::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    IndexRecord buffer;
    const auto total = static_cast<int>(names.size());
    for (int i = 0; i < total; ++i) {
        const QByteArray name = QByteArray::fromStdString(names[size_t(i)]);
        if (progress && !progress(i, total, QFile::decodeName(name))) {
            out.cancelWriting();
            report.outcome = RebuildReport::Outcome::Cancelled;
            return report;
        }
        buffer.clear();
        buffer.setText(IndexField::FileName, name);
        const QByteArray path = folder.fd >= 0 ? name : dir + name;
        if (const auto reason =
                readHeaderFile(folder.fd >= 0 ? folder.fd : AT_FDCWD, path.constData(), buffer,
                               listedRegular[size_t(i)])) {
            report.skipped << QFile::decodeName(name) + QStringLiteral(": ") + *reason;
            continue;
        }
        indexed[size_t(i)] = true;
        if (mayShare(names[size_t(i)]))
            sharedRecords.emplace(i, buffer);
        const auto& b = buffer.bytes();
        if (out.write(reinterpret_cast<const char*>(b.data()), IndexRecord::RecordSize) !=
            IndexRecord::RecordSize)
            break; // the disk is full: no use reading on
        ++report.records;
    }
    if (progress)
        progress(total, total, {});
    // The flush first: commit() does not see a write error still waiting in the buffer, and would
    // put a short index in place of the old one.
    if (!out.flush() || !out.commit()) {
        report.outcome = RebuildReport::Outcome::CannotCreate;
        report.error = QStringLiteral("Cannot create file %1").arg(indexPath);
        report.records = 0;
        return report;
    }
    if (names.empty() && !hiddenDataFiles)
        report.outcome = RebuildReport::Outcome::NoDataFiles;
    // Long names in name order; those that share their stored name with another indexed file
    // are listed together, each group in name order.
    auto nameAt = [&](int i) {
        return QFile::decodeName(QByteArray::fromStdString(names[size_t(i)]));
    };
    std::vector<std::vector<int>> groups;
    for (int i = 0; i < total; ++i) {
        if (!indexed[size_t(i)] || names[size_t(i)].size() < nameCapacity)
            continue;
        std::vector<int> group;
        for (int j : byStoredName.at(names[size_t(i)].substr(0, nameCapacity)))
            if (indexed[size_t(j)])
                group.push_back(j);
        if (group.size() > 1 && group.front() == i)
            groups.push_back(std::move(group));
        else if (group.size() < 2 && names[size_t(i)].size() > nameCapacity)
            report.longNames << nameAt(i);
    }
    for (const std::vector<int>& group : groups) {
        QStringList list;
        for (int i : group) {
            list << nameAt(i);
            if (std::any_of(group.begin(), group.end(), [&](int j) {
                    return j != i && SameIndexEntry(sharedRecords.at(i), sharedRecords.at(j));
                }))
                report.lookAlikes << list.last();
        }
        report.sharedNames << list;
    }
    return report;
}
