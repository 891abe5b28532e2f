// SPDX-License-Identifier: MIT
#pragma once
// The index as a table: the fourteen display columns and the comma-text dump FileIndx.txt.
#include "catalogue/IndexRecord.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>

// "File Name", "Mod Num", ... "Rev.": the headings of the fourteen columns.
QStringList IndexColumnHeadings();
// The column widths set when the display is created.
QList<int> IndexColumnWidths();
// The fourteen cell texts of a record (stored texts decoded for display; band edges with 3
// decimals). Description 2 is not shown.
QStringList IndexRowCells(const IndexRecord& record);

// Cells joined by ","; a cell holding a blank, a control character, a double quote or a comma is
// put in double quotes, with quotes inside doubled.
QString CommaText(const QStringList& cells);
// The heading line of the dump: the comma text with every double quote and blank removed.
QString DumpHeadingLine(const QStringList& headings);
// The whole dump in UTF-8: heading line, then one comma-text line per row, each ended by CR LF.
QByteArray IndexDumpText(const QList<QStringList>& rowsIncludingHeading);
// Writes the dump whole or not at all. Returns "Cannot create file %s" on failure.
std::optional<QString> WriteIndexDump(const QString& path, const QList<QStringList>& rows);
