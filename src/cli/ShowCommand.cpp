// SPDX-License-Identifier: MIT
#include "adf/PatternReader.h"
#include "base/DisplayText.h"
#include "base/JsonText.h"
#include "base/NumberText.h"
#include "catalogue/IndexRefresh.h"
#include "cli/Commands.h"

#include <QtCore/QFileInfo>
#include <algorithm>

namespace {

const char* const CutNames[CutCount] = {"H/H", "V/V", "H/V", "V/H"};

// The index record the rebuild makes of the file; texts hold the file's bytes, one character per
// byte, without the blanks that pad them in the record ("  5.925-6.425" sorts by its blanks),
// and the record's numbers are JSON numbers (null when the header gave none).
QByteArray recordJson(const IndexRecord& r) {
    QByteArray out = "{";
    const struct {
        const char* key;
        IndexField field;
        bool number;
    } fields[] = {{"fileName", IndexField::FileName, false},
                  {"modelNumber", IndexField::ModelNumber, false},
                  {"series", IndexField::Series, false},
                  {"size", IndexField::Size, false},
                  {"polarization", IndexField::Polarization, false},
                  {"date", IndexField::Date, false},
                  {"rpeNumber", IndexField::RpeNumber, false},
                  {"frequencyRange", IndexField::FrequencyRange, false},
                  {"midFrequency", IndexField::MidFrequency, true},
                  {"gain", IndexField::Gain, true},
                  {"feedOrientation", IndexField::FeedOrientation, false},
                  {"description1", IndexField::Description1, false},
                  {"description2", IndexField::Description2, false}};
    for (const auto& f : fields) {
        if (out.size() > 1)
            out += ", ";
        out += '"' + QByteArray(f.key) + "\": ";
        const QByteArray text = numtext::trimmed(r.text(f.field)).toByteArray();
        if (f.number) {
            const auto value = numtext::parseFloat(text);
            if (value)
                json::appendNumber(out, *value);
            else
                out += "null";
        } else {
            json::appendString(out, QString::fromLatin1(text));
        }
        if (f.field == IndexField::RpeNumber) {
            out += ", \"lowFrequency\": ";
            json::appendNumber(out, r.lowFrequency());
            out += ", \"highFrequency\": ";
            json::appendNumber(out, r.highFrequency());
        }
    }
    return out + '}';
}

QByteArray patternJson(const LoadedPattern& p, const IndexRecord& record,
                       const std::optional<QString>& recordError) {
    QByteArray out;
    out.reserve(64 * 1024);
    out += "{\"feedKind\": ";
    json::appendString(out, feedKindName(p.feedKind));
    out += ", \"polarizationTexts\": [";
    for (int i = 0; i < CutCount; ++i) {
        if (i)
            out += ", ";
        json::appendString(out, QString::fromLatin1(p.PolarizationTexts[static_cast<size_t>(i)]));
    }
    out += "], \"cuts\": [";
    for (int i = 0; i < CutCount; ++i) {
        if (i)
            out += ", ";
        out += '[';
        bool first = true;
        for (const PatternPoint& pt : p.CutPoints[static_cast<size_t>(i)]) {
            if (!first)
                out += ", ";
            first = false;
            out += '[';
            json::appendNumber(out, pt.Angle);
            out += ", ";
            json::appendNumber(out, pt.Level);
            out += ']';
        }
        out += ']';
    }
    out += "], \"record\": ";
    if (recordError) {
        out += "null, \"recordError\": ";
        json::appendString(out, *recordError);
    } else {
        out += recordJson(record);
    }
    out += "}\n";
    return out;
}

QByteArray patternSummary(const QString& path, const LoadedPattern& p) {
    QByteArray out = QFileInfo(path).fileName().toUtf8() + ": feed " +
                     feedKindName(p.feedKind).toLatin1() + '\n';
    for (int i = 0; i < CutCount; ++i) {
        const PatternPoints& cut = p.CutPoints[static_cast<size_t>(i)];
        if (cut.empty())
            continue;
        const auto [minA, maxA] = std::minmax_element(
            cut.begin(), cut.end(), [](auto& a, auto& b) { return a.Angle < b.Angle; });
        const auto [minL, maxL] = std::minmax_element(
            cut.begin(), cut.end(), [](auto& a, auto& b) { return a.Level < b.Level; });
        out += QStringLiteral("  %1 %2 points, %3 to %4 deg, %5 to %6 dB (\"%7\")\n")
                   .arg(QString::fromLatin1(CutNames[i]))
                   .arg(cut.size())
                   .arg(minA->Angle)
                   .arg(maxA->Angle)
                   .arg(maxL->Level)
                   .arg(minL->Level)
                   .arg(DisplayText(p.PolarizationTexts[static_cast<size_t>(i)]))
                   .toUtf8();
    }
    return out;
}

} // namespace

int showCommand(const QStringList& args) {
    QStringList files;
    QByteArray feed;
    bool feedGiven = false;
    bool asJson = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QStringLiteral("--json")) {
            asJson = true;
        } else if (a == QStringLiteral("--feed")) {
            if (i + 1 >= args.size()) {
                printError(QStringLiteral("lobeview-cli show: --feed needs a value"));
                return 2;
            }
            feed = args[++i].toLatin1();
            feedGiven = true;
        } else if (a.startsWith(QStringLiteral("--"))) {
            printError(QStringLiteral("lobeview-cli show: unknown option %1").arg(a));
            return 2;
        } else {
            files << a;
        }
    }
    if (files.isEmpty() || (asJson && files.size() != 1)) {
        printError(QStringLiteral("usage: lobeview-cli show FILE.adf... [--feed TEXT] [--json] "
                                  "(--json takes one file)"));
        return 2;
    }
    int status = 0;
    for (const QString& file : files) {
        const auto fail = [&](const QString& message) {
            printError(fileError(file, message));
            status = 1;
        };
        // The record the index would hold for this file; its feed orientation unless one is given.
        IndexRecord header;
        const std::optional<QString> headerError = BuildRecordFromFile(file, header);
        if (headerError == QString::fromLatin1(NotNsmaFileReason)) {
            fail(*headerError);
            continue;
        }
        LoadedPattern pattern;
        const LoadResult r =
            LoadPatternFile(file, feedGiven ? feed : header.feedOrientation(), pattern);
        if (r.status != LoadStatus::Loaded) {
            fail(r.message);
            continue;
        }
        printOut(asJson ? patternJson(pattern, header, headerError)
                        : patternSummary(file, pattern));
    }
    return status;
}
