// SPDX-License-Identifier: MIT
// lobeview-cli find: the antennas of a catalogue that answer a question, from the folder's index
// when it is current, else from the files' headers, and through the compliance check when a
// category is asked.
#include "base/ProgramPaths.h"
#include "cli/Commands.h"
#include "compliance/FindResults.h"

#include <QtCore/QDir>

namespace {

const char FindUsage[] =
    "usage: lobeview-cli find DIR [--text WORDS] [--covers FREQ] [--min-gain DBI] [--max-size FT]\n"
    "       [--pol single|dual] [--feed none|left|right] [--category A|B [--margin DB]]\n"
    "       [--masks TABLE.csv] [--json|--csv]";

int usageError(const QString& why) {
    printError(QStringLiteral("lobeview-cli find: ") + why);
    printError(QString::fromLatin1(FindUsage));
    return 2;
}

std::optional<double> number(const QString& text) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

} // namespace

int findCommand(const QStringList& args) {
    QString dir, masks;
    SearchQuery query;
    std::optional<FccFilter> fcc;
    std::optional<double> margin;
    enum class Format { Text, Json, Csv } format = Format::Text;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const QString value = hasValue ? args[i + 1] : QString();
        auto needsValue = [&] { return usageError(QStringLiteral("%1 needs a value").arg(a)); };
        if (a == QStringLiteral("--json") || a == QStringLiteral("--csv")) {
            if (format != Format::Text)
                return usageError(QStringLiteral("--json and --csv exclude each other"));
            format = a == QStringLiteral("--json") ? Format::Json : Format::Csv;
            continue;
        }
        if (!a.startsWith(QLatin1Char('-')) || a.size() == 1) {
            if (!dir.isEmpty())
                return usageError(QStringLiteral("one folder only"));
            dir = a;
            continue;
        }
        if (!hasValue)
            return needsValue();
        ++i;
        if (a == QStringLiteral("--text")) {
            query.words = SearchQuery::wordsOf(value);
        } else if (a == QStringLiteral("--covers")) {
            query.coversGHz = ParseFrequencyGHz(value);
            if (!query.coversGHz)
                return usageError(QStringLiteral("'%1' is not a frequency").arg(value));
        } else if (a == QStringLiteral("--min-gain")) {
            if (!(query.minGainDbi = number(value)))
                return usageError(QStringLiteral("'%1' is not a gain").arg(value));
        } else if (a == QStringLiteral("--max-size")) {
            if (!(query.maxSizeFeet = number(value)))
                return usageError(QStringLiteral("'%1' is not a size").arg(value));
        } else if (a == QStringLiteral("--pol")) {
            const std::optional<PolarizationChoice> p = ParsePolarizationChoice(value);
            if (!p)
                return usageError(QStringLiteral("--pol is single or dual"));
            query.polarization = *p;
        } else if (a == QStringLiteral("--feed")) {
            const std::optional<FeedChoice> f = ParseFeedChoice(value);
            if (!f)
                return usageError(QStringLiteral("--feed is none, left or right"));
            query.feed = *f;
        } else if (a == QStringLiteral("--category")) {
            const QString c = value.toUpper();
            if (c != QStringLiteral("A") && c != QStringLiteral("B"))
                return usageError(QStringLiteral("--category is A or B"));
            fcc = FccFilter{c[0], {}};
        } else if (a == QStringLiteral("--margin")) {
            if (!(margin = number(value)))
                return usageError(QStringLiteral("'%1' is not a margin").arg(value));
        } else if (a == QStringLiteral("--masks")) {
            masks = value;
        } else {
            return usageError(QStringLiteral("unknown option %1").arg(a));
        }
    }
    if (dir.isEmpty())
        return usageError(QStringLiteral("no folder given"));
    if (margin) {
        if (!fcc)
            return usageError(QStringLiteral("--margin needs --category"));
        fcc->minMarginDb = margin;
    }

    std::optional<MaskTable> table;
    if (fcc) {
        const QString maskPath = masks.isEmpty()
                                     ? paths::resourceDirectory(paths::programDirectory()) +
                                           QString::fromLatin1(DefaultMaskFile)
                                     : masks;
        MaskTableOrError read = ReadMaskTable(maskPath);
        if (!read.table) {
            printError(QStringLiteral("The mask table cannot be used: ") + read.error);
            return 2;
        }
        table = std::move(read.table);
    }

    const CatalogueRecords records =
        LoadCatalogueRecords(dir, QDir(dir).filePath(QStringLiteral("FileIndx.dat")));
    if (!records.error.isEmpty()) {
        printError(records.error);
        return 2;
    }
    for (const QString& s : records.skipped)
        printError(QStringLiteral("skipped %1").arg(s));
    FccCache cache;
    const FindOutcome outcome =
        FindAntennas(records, dir, query, fcc, table ? &*table : nullptr, cache);
    for (const QString& s : outcome.skipped)
        printError(QStringLiteral("skipped %1").arg(s));
    switch (format) {
    case Format::Json:
        printOut(FoundAntennasJson(outcome.found));
        break;
    case Format::Csv:
        printOut(FoundAntennasCsv(outcome.found));
        break;
    case Format::Text:
        if (!outcome.found.empty())
            printOut(FoundAntennasText(outcome.found));
        printOut(QStringLiteral("%1 of %2 antennas found\n")
                     .arg(outcome.found.size())
                     .arg(records.records.size())
                     .toUtf8());
        break;
    }
    return outcome.found.empty() ? 1 : 0;
}
