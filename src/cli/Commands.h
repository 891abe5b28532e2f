// SPDX-License-Identifier: MIT
#pragma once
// The batch tool's commands. Each takes its own arguments (without the command name) and returns
// the process exit code; results go to standard output, errors to standard error.
#include "catalogue/AntennaFile.h"

#include <QtCore/QStringList>
#include <optional>

int showCommand(const QStringList& args);
int gifCommand(const QStringList& args);
int indexCommand(const QStringList& args);
int listCommand(const QStringList& args);
int screenCommand(const QStringList& args);
int exportCommand(const QStringList& args);
int checkCommand(const QStringList& args);
int findCommand(const QStringList& args);
int printCommand(const QStringList& args);
int levelCommand(const QStringList& args);
int compareCommand(const QStringList& args);
// export in the vector formats (vector-pdf, svg), and export --catalogue.
int vectorExportCommand(const QStringList& args);
int catalogueExportCommand(const QStringList& args);
bool isVectorFormatName(const QString& format);

// Reads one data file as the graph window shows it: the record the index rebuild would make of
// it, and its pattern. On failure (a header the index could not take too) prints why on standard
// error and returns nothing.
std::optional<AntennaFile> openAntennaFile(const QString& path);

// Prints a line on standard error.
void printError(const QString& text);
// An error line about a file: "NAME.adf: message", the message as it is when it names the file's
// path already ("Cannot create file /x/out.gif").
QString fileError(const QString& path, const QString& message);
// Writes bytes to standard output.
void printOut(const QByteArray& bytes);
