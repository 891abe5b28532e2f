// SPDX-License-Identifier: MIT
// lobeview-cli check: the compliance check of data files against a mask table, one file at a time
// or a whole catalogue into a CSV report.
#include "base/ProgramPaths.h"
#include "catalogue/AntennaFile.h"
#include "cli/Commands.h"
#include "compliance/ComplianceReports.h"

#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>

namespace {

const char CheckUsage[] =
    "usage: lobeview-cli check FILE.adf... [--category A|B] [--json] [--masks TABLE.csv]\n"
    "       lobeview-cli check --catalogue DIR -o REPORT.csv [--category A|B] [--masks TABLE.csv]";

struct Options {
    QStringList files;
    QString catalogue;
    QString output;
    QString category = QStringLiteral("A");
    QString masks;
    bool json = false;
};

int usageError(const QString& why = {}) {
    if (!why.isEmpty())
        printError(QStringLiteral("lobeview-cli check: ") + why);
    printError(QString::fromLatin1(CheckUsage));
    return 2;
}

int checkCatalogue(const Options& o, const MaskTable& table) {
    const CatalogueCheck check = CheckCatalogue(o.catalogue, table, o.category, o.output);
    if (!check.error.isEmpty()) {
        printError(check.error);
        return 2;
    }
    printOut(CatalogueCheckSummary(check, table.title, o.category, o.output));
    return check.fail + check.other > 0 ? 1 : 0;
}

} // namespace

int checkCommand(const QStringList& args) {
    Options o;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString& into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        if (a == QStringLiteral("--json")) {
            o.json = true;
        } else if (a == QStringLiteral("--category")) {
            if (!value(o.category))
                return usageError(QStringLiteral("--category needs a value"));
        } else if (a == QStringLiteral("--catalogue")) {
            if (!value(o.catalogue))
                return usageError(QStringLiteral("--catalogue needs a folder"));
        } else if (a == QStringLiteral("-o")) {
            if (!value(o.output))
                return usageError(QStringLiteral("-o needs a file name"));
        } else if (a == QStringLiteral("--masks")) {
            if (!value(o.masks))
                return usageError(QStringLiteral("--masks needs a file name"));
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return usageError(QStringLiteral("unknown option %1").arg(a));
        } else {
            o.files << a;
        }
    }
    static const QRegularExpression categoryRule(QStringLiteral("^[A-Za-z]+[0-9]*$"));
    if (!categoryRule.match(o.category).hasMatch())
        return usageError(QStringLiteral("'%1' is not a category").arg(o.category));
    o.category = o.category.toUpper();
    if (o.catalogue.isEmpty()) {
        if (o.files.isEmpty() || !o.output.isEmpty())
            return usageError();
    } else if (!o.files.isEmpty() || o.output.isEmpty() || o.json) {
        return usageError();
    }

    const QString maskPath = o.masks.isEmpty()
                                 ? paths::resourceDirectory(paths::programDirectory()) +
                                       QString::fromLatin1(DefaultMaskFile)
                                 : o.masks;
    const MaskTableOrError masks = ReadMaskTable(maskPath);
    if (!masks.table) {
        printError(QStringLiteral("The mask table cannot be used: ") + masks.error);
        return 2;
    }
    if (!o.catalogue.isEmpty())
        return checkCatalogue(o, *masks.table);

    bool anyError = false, allPass = true;
    QByteArray jsonOut = "[";
    bool firstJson = true;
    for (const QString& file : o.files) {
        const QString name = QFileInfo(file).fileName();
        const AntennaFileOrError a = AntennaFile::open(file);
        if (!a.file) {
            printError(fileError(file, a.error));
            anyError = true;
            continue;
        }
        const ComplianceReport r = CheckCompliance(*masks.table, a.file->header, a.file->pattern);
        allPass = allPass && r.verdictFor(o.category) == Verdict::Pass;
        if (o.json) {
            if (!firstJson)
                jsonOut += ",\n ";
            firstJson = false;
            jsonOut += ComplianceReportJson(file, r, o.category);
        } else {
            printOut(ComplianceReportText(name, r, o.category));
        }
    }
    if (o.json)
        printOut(jsonOut + "]\n");
    return anyError ? 2 : allPass ? 0 : 1;
}
