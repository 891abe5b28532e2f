// SPDX-License-Identifier: MIT
#include "catalogue/IndexDump.h"
#include "catalogue/IndexFile.h"
#include "catalogue/IndexRefresh.h"
#include "cli/Commands.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

int indexCommand(const QStringList& args) {
    QString dataDir;
    QString output = QStringLiteral("FileIndx.dat");
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("-o") && i + 1 < args.size()) {
            output = args[++i];
        } else if (dataDir.isEmpty() && !args[i].startsWith(QLatin1Char('-'))) {
            dataDir = args[i];
        } else {
            printError(QStringLiteral("usage: lobeview-cli index DATA_DIR [-o INDEX_FILE]"));
            return 2;
        }
    }
    if (dataDir.isEmpty()) {
        printError(QStringLiteral("usage: lobeview-cli index DATA_DIR [-o INDEX_FILE]"));
        return 2;
    }
    const RebuildReport report = RebuildIndex(dataDir, output);
    switch (report.outcome) {
    case RebuildReport::Outcome::CannotCreate:
    case RebuildReport::Outcome::CannotRead:
        printError(report.error);
        return 1;
    case RebuildReport::Outcome::NoDataFiles:
        printError(report.message());
        return 1;
    case RebuildReport::Outcome::Cancelled:
        return 1;
    case RebuildReport::Outcome::Rebuilt:
        break;
    }
    printOut(QStringLiteral("%1 records written to %2\n")
                 .arg(report.records)
                 .arg(QFileInfo(output).absoluteFilePath())
                 .toUtf8());
    for (const QString& s : report.skipped)
        printOut(QStringLiteral("skipped %1\n").arg(s).toUtf8());
    for (const QString& s : report.longNames)
        printOut(QStringLiteral("name cut to 15 characters: %1\n").arg(s).toUtf8());
    for (const QStringList& names : report.sharedNames)
        printOut(QStringLiteral("names cut to the same 15 characters: %1\n")
                     .arg(names.join(QStringLiteral(", ")))
                     .toUtf8());
    for (const QString& s : report.lookAlikes)
        printOut(QStringLiteral("cannot be told apart from a file of the same 15 characters: %1\n")
                     .arg(s)
                     .toUtf8());
    // Written, but not every data file is in it.
    return report.skipped.isEmpty() ? 0 : 3;
}

int listCommand(const QStringList& args) {
    if (args.size() != 1) {
        printError(QStringLiteral("usage: lobeview-cli list INDEX_FILE"));
        return 2;
    }
    IndexFile index;
    if (!index.open(args[0])) {
        printError(QStringLiteral("Cannot open file %1").arg(args[0]));
        return 1;
    }
    if (!index.holdsRecords()) {
        printError(QStringLiteral("%1: not an index file").arg(args[0]));
        return 1;
    }
    QByteArray out = DumpHeadingLine(IndexColumnHeadings()).toUtf8() + '\n';
    IndexRecord record;
    while (index.readNext(record))
        out += CommaText(IndexRowCells(record)).toUtf8() + '\n';
    printOut(out);
    return 0;
}
