// SPDX-License-Identifier: MIT
#pragma once
// The compliance check's reports: a readable text and JSON for one antenna, CSV rows for a
// catalogue, and the check of a whole catalogue into a CSV report.
#include "catalogue/AntennaHeader.h"
#include "compliance/Compliance.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>

// The readable report of one antenna, `name` its file's name, for the chosen category.
QByteArray ComplianceReportText(const QString& name, const ComplianceReport& report,
                                const QString& category);
// The report of one antenna as a JSON object.
QByteArray ComplianceReportJson(const QString& file, const ComplianceReport& report,
                                const QString& category);
// One CSV line of cells, each quoted when it holds a comma, quote or line break.
QByteArray CsvLine(const QStringList& cells);
// The CSV report's heading line, and the rows of one antenna (one per category).
QByteArray ComplianceCsvHeading();
QByteArray ComplianceCsvRows(const QString& file, const AntennaHeader& header,
                             const ComplianceReport& report);

struct CatalogueCheck {
    // Why no report was written (then nothing else is set): the folder is missing, holds no data
    // file, or the report cannot be written.
    QString error;
    int pass = 0;
    int fail = 0;
    int other = 0;       // without a standard or enough data
    QStringList skipped; // "NAME.adf: reason", files that are not data files or cannot be read
};

// Checks every data file of `folder` against `table` into a CSV report written whole at
// `reportPath`, counting the verdicts of `category`.
CatalogueCheck CheckCatalogue(const QString& folder, const MaskTable& table,
                              const QString& category, const QString& reportPath);

// "N files checked against TABLE Category C: P pass, F fail, O without a standard or enough data,
// S skipped; report in PATH", then a "skipped NAME: reason" line for each skipped file.
QByteArray CatalogueCheckSummary(const CatalogueCheck& check, const QString& tableTitle,
                                 const QString& category, const QString& reportPath);
