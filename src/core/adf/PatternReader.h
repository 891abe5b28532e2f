// SPDX-License-Identifier: MIT
#pragma once
// Reader of NSMA antenna data files (.adf): the keyword line rule shared with the index refresh,
// the data line rule, and the pattern cuts.
#include "adf/LineReader.h"
#include "adf/Pattern.h"

#include <QtCore/QByteArrayView>
#include <QtCore/QString>
#include <optional>

struct KeywordLine {
    QByteArrayView keyword; // empty when the line has no comma, or the comma is 1st or 2nd
    QByteArrayView value;   // trimmed of characters of code 32 or less
};

// Splits 'POLARI:,H/H' into keyword "POLARI" (the text before the first comma less its last
// character) and value "H/H". A line without a comma gives an empty keyword and the whole line,
// trimmed, as value. The views point into `line`.
KeywordLine SplitKeywordLine(QByteArrayView line);

// Conversion messages shown to the user.
QString invalidFloatMessage(QByteArrayView text);
QString invalidIntegerMessage(QByteArrayView text);

struct PointOrError {
    std::optional<PatternPoint> point;
    QString error;
};

// Reads 'angle,level,' (anything after the second comma is ignored). A line whose level is not
// followed by a comma is read to its end; a line without any comma is a conversion error.
PointOrError ParsePoint(QByteArrayView line);

// Reads the cuts of an open data file whose first line has already been read. Appends points to
// pattern.CutPoints (the caller empties them), sets PolarizationTexts, and sets the feed kind from
// the record's feed orientation text. Returns the conversion message that aborted the read, if any.
std::optional<QString> ReadPattern(LineReader& in, QByteArrayView firstLine, LoadedPattern& pattern,
                                   QByteArrayView feedOrientation);

// The feed kind for a feed orientation text and the V/V cut's polarization text.
FeedKind feedKindFor(QByteArrayView feedOrientation, QByteArrayView vvText);

enum class LoadStatus { Loaded, FileNotFound, ConversionFailed };

struct LoadResult {
    LoadStatus status = LoadStatus::Loaded;
    QString message; // "File was not found" or the conversion message
};

// Opens `path`, reads its first line and its pattern, closes it. A file that cannot be opened (or
// is not a regular file) gives FileNotFound with "File was not found" and leaves the pattern as it
// was.
LoadResult LoadPatternFile(const QString& path, QByteArrayView feedOrientation,
                           LoadedPattern& pattern);

// The same from a data file already open at its start; `path` names it in a read failure
// ("Cannot read file <path>: line N is longer than 1 MB").
LoadResult ReadPatternFrom(QIODevice& file, const QString& path, QByteArrayView feedOrientation,
                           LoadedPattern& pattern);

inline constexpr char FileNotFoundMessage[] = "File was not found";
