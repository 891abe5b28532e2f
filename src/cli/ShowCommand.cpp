#include "cli/Commands.h"
#include "cli/JsonText.h"
#include "graph/PatternReader.h"
#include "index/IndexRefresh.h"

#include <QtCore/QFileInfo>
#include <algorithm>

namespace {

const char* const CutNames[CutCount] = {"H/H", "V/V", "H/V", "V/H"};

QByteArray patternJson(const LoadedPattern& p) {
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
        for (const TDataType& pt : p.CutPoints[static_cast<size_t>(i)]) {
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
    out += "]}\n";
    return out;
}

QByteArray patternSummary(const QString& path, const LoadedPattern& p) {
    QByteArray out = QFileInfo(path).fileName().toUtf8() + ": feed " +
                     feedKindName(p.feedKind).toLatin1() + '\n';
    for (int i = 0; i < CutCount; ++i) {
        const TRList& cut = p.CutPoints[static_cast<size_t>(i)];
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
                   .arg(QString::fromLatin1(p.PolarizationTexts[static_cast<size_t>(i)]))
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
        LoadedPattern pattern;
        QByteArray fileFeed = feed;
        if (!feedGiven) {
            // The feed orientation the index would hold for this file.
            IndexRecord header;
            BuildRecordFromFile(file, header);
            fileFeed = header.feedOrientation();
        }
        const LoadResult r = LoadPatternFile(file, fileFeed, pattern);
        if (r.status != LoadStatus::Loaded) {
            printError(files.size() > 1
                           ? QFileInfo(file).fileName() + QStringLiteral(": ") + r.message
                           : r.message);
            status = 1;
            continue;
        }
        printOut(asJson ? patternJson(pattern) : patternSummary(file, pattern));
    }
    return status;
}
