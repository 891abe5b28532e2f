#include "catalogue/AntennaHeader.h"

#include "adf/PatternReader.h"
#include "base/NumberText.h"
#include "catalogue/IndexRefresh.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace {

HeaderNumber headerNumber(QByteArrayView value) {
    HeaderNumber n;
    const qsizetype blank = value.indexOf(' ');
    const QByteArrayView number = blank < 0 ? value : value.first(blank);
    n.text = value.toByteArray();
    n.value = numtext::parseFloat(number);
    return n;
}

} // namespace

std::optional<double> AntennaHeader::midFrequency() const {
    if (!lowFrequency.value || !highFrequency.value)
        return std::nullopt;
    return (*lowFrequency.value + *highFrequency.value) / 2;
}

void ReadAntennaHeader(LineReader& in, AntennaHeader& h) {
    while (!in.atEnd()) {
        const KeywordLine kl = SplitKeywordLine(in.readLine());
        const QByteArrayView k = kl.keyword;
        if (k.size() != 6)
            continue;
        if (k == "NUPOIN")
            break;
        if (k == "LOWFRQ")
            h.lowFrequency = headerNumber(kl.value);
        else if (k == "HGHFRQ")
            h.highFrequency = headerNumber(kl.value);
        else if (k == "LWGAIN")
            h.lowGain = headerNumber(kl.value);
        else if (k == "MDGAIN")
            h.midGain = headerNumber(kl.value);
        else if (k == "HGGAIN")
            h.highGain = headerNumber(kl.value);
        else if (k == "AZWIDT")
            h.azimuthWidth = headerNumber(kl.value);
        else if (k == "ELWIDT")
            h.elevationWidth = headerNumber(kl.value);
        else if (k == "FEDORN")
            h.feedOrientation = kl.value.toByteArray();
        else if (k == "MODNUM")
            h.model = kl.value.toByteArray();
    }
}

std::optional<AntennaHeader> ReadAntennaHeaderFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    AntennaHeader header;
    LineReader in(file, 16 * 1024);
    ReadAntennaHeader(in, header);
    if (!in.ok())
        return std::nullopt;
    return header;
}

AntennaDataOrError ReadAntennaFile(const QString& path) {
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return {std::nullopt, QString::fromLatin1(FileNotFoundMessage)};
    AntennaData data;
    // A file the index rebuild would leave out as no data file is none here either.
    {
        LineReader in(file, 64 * 1024);
        IndexRecord record;
        const std::optional<QString> error = ReadHeaderLines(in, record);
        if (error && error->startsWith(QLatin1String(NotNsmaFileReason)))
            return {std::nullopt, *error};
        if (!file.seek(0))
            return {std::nullopt, QStringLiteral("Cannot read file %1").arg(path)};
    }
    // The header first, then the whole file again for the cuts: memory stays bounded by the
    // reader's buffer however large the file, and a usual file is one read each time.
    {
        LineReader in(file, 64 * 1024);
        ReadAntennaHeader(in, data.header);
        if (!in.ok())
            return {std::nullopt, QStringLiteral("Cannot read file %1").arg(path)};
    }
    if (!file.seek(0))
        return {std::nullopt, QStringLiteral("Cannot read file %1").arg(path)};
    LineReader in(file, 64 * 1024);
    const QByteArray first = in.readLine().toByteArray();
    if (auto error = ReadPattern(in, first, data.pattern, data.header.feedOrientation))
        return {std::nullopt, *error};
    if (!in.ok())
        return {std::nullopt, QStringLiteral("Cannot read file %1").arg(path)};
    return {std::move(data), {}};
}
