// SPDX-License-Identifier: MIT
// lobeview-cli compare: the levels of two to eight antennas on one cut at the table's angles with
// their worst FCC 101.115 margins, as text, JSON or CSV, and the comparison's page when asked.
#include "base/ProgramPaths.h"
#include "cli/Commands.h"
#include "compare/ComparisonText.h"
#include "compliance/MaskTable.h"
#include "output/PageWriter.h"

#include <QtCore/QFileInfo>

namespace {

const char CompareUsage[] =
    "usage: lobeview-cli compare A.adf B.adf... [--cut hh|vv|hv|vh|copolar] [--angles 5,10,...]\n"
    "       [--json|--csv] [-o OUT.png|OUT.svg|OUT.pdf]";

int usageError(const QString& why) {
    printError(QStringLiteral("lobeview-cli compare: ") + why);
    printError(QString::fromLatin1(CompareUsage));
    return 2;
}

// The page's format by the output's extension.
std::optional<OutputFormat> pageFormat(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("png"))
        return OutputFormat::Png;
    if (suffix == QStringLiteral("svg"))
        return OutputFormat::Svg;
    if (suffix == QStringLiteral("pdf"))
        return OutputFormat::VectorPdf;
    return std::nullopt;
}

} // namespace

int compareCommand(const QStringList& args) {
    QStringList files;
    QString out;
    compare::CompareCut cut = compare::CompareCut::HH;
    std::vector<double> angles = compare::defaultTableAngles();
    enum class Format { Text, Json, Csv } format = Format::Text;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QStringLiteral("--json") || a == QStringLiteral("--csv")) {
            if (format != Format::Text)
                return usageError(QStringLiteral("--json and --csv exclude each other"));
            format = a == QStringLiteral("--json") ? Format::Json : Format::Csv;
        } else if (a == QStringLiteral("--cut")) {
            const auto chosen =
                hasValue ? compare::compareCutFromName(args[i + 1].toLower()) : std::nullopt;
            if (!chosen)
                return usageError(QStringLiteral("--cut takes hh, vv, hv, vh or copolar"));
            cut = *chosen;
            ++i;
        } else if (a == QStringLiteral("--angles")) {
            if (!hasValue)
                return usageError(QStringLiteral("--angles needs a list of angles"));
            QString why;
            const auto list = compare::parseAngleList(args[++i], &why);
            if (!list)
                return usageError(QStringLiteral("--angles: ") + why);
            angles = *list;
        } else if (a == QStringLiteral("-o")) {
            if (!hasValue)
                return usageError(QStringLiteral("-o needs a file name"));
            out = args[++i];
            if (!pageFormat(out))
                return usageError(QStringLiteral("-o writes .png, .svg or .pdf"));
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return usageError(QStringLiteral("unknown option %1").arg(a));
        } else {
            files << a;
        }
    }
    if (files.size() < 2)
        return usageError(QStringLiteral("give at least 2 data files"));
    if (files.size() > compare::MaxAntennas)
        return usageError(QStringLiteral("at most %1 data files").arg(compare::MaxAntennas));

    const QString maskPath =
        paths::resourceDirectory(paths::programDirectory()) + QString::fromLatin1(DefaultMaskFile);
    MaskTableOrError masks = ReadMaskTable(maskPath);
    if (!masks.table) {
        printError(QStringLiteral("The mask table cannot be used: ") + masks.error);
        return 2;
    }

    compare::Comparison comparison;
    comparison.cut = cut;
    comparison.tableAngles = angles;
    bool failed = false;
    for (const QString& file : files) {
        std::optional<AntennaFile> antenna = openAntennaFile(file);
        if (!antenna)
            failed = true;
        else
            comparison.add(std::move(*antenna));
    }
    if (failed)
        return 1;
    // An antenna without the cut stays in the table, "outside" at every angle; say why.
    for (const compare::ComparedAntenna& a : comparison.antennas())
        if (compare::comparisonTrace(a.file.pattern, cut, false).empty())
            printError(fileError(
                a.file.path,
                QStringLiteral("the file has no %1 cut").arg(compare::compareCutName(cut))));

    const compare::ComparisonTable table = comparison.table(&*masks.table);
    switch (format) {
    case Format::Json:
        printOut(compare::comparisonJson(comparison, table));
        break;
    case Format::Csv:
        printOut(compare::comparisonCsv(comparison, table));
        break;
    case Format::Text:
        printOut(compare::comparisonText(comparison, table));
        break;
    }
    if (!out.isEmpty()) {
        const std::optional<QString> error =
            PageWriter::writeComparison(comparison, &*masks.table, *pageFormat(out), out, true);
        if (error) {
            printError(fileError(out, *error));
            return 1;
        }
    }
    return 0;
}
