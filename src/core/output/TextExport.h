// SPDX-License-Identifier: MIT
#pragma once
// The text copy of "Export Data": the antenna's own data file, copied line by line.
#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QString>
#include <optional>

class Prompter;

// The copy's bytes: a CR LF pair, a lone CR or a lone LF ends a line, a last line without an end
// still counts, and reading stops at the first NUL. Every line is written followed by CR LF.
QByteArray TextCopyBytes(QByteArrayView source);

// Reads `source` (the data file the antenna was read from) and writes its copy to `target`, whole
// or not at all. Returns "Cannot open file %s" (the source) or "Cannot create file %s" (the
// target) on failure, or nothing.
std::optional<QString> WriteTextCopy(const QString& source, const QString& target);

// The copy as the data export runs it: on success the message "<target> successfully created.";
// on failure the error box with the message above. True when the file was written.
bool ExportTextData(const QString& source, const QString& target, Prompter& prompter);
