// SPDX-License-Identifier: MIT
#pragma once
// Whether a PDF is complete: a file cut short (a full disk, a killed writer) begins like a PDF
// but lacks its end.
#include <QtCore/QByteArray>
#include <QtCore/QString>

// True when `bytes` begin with "%PDF-" and end (after at most some blank lines) with
// "startxref", the offset of a cross-reference table ("xref") or stream ("N G obj") that lies in
// the file, and "%%EOF".
bool IsCompletePdf(const QByteArray& bytes);
// The same for the file at `path`; false when it cannot be read.
bool IsCompletePdfFile(const QString& path);
