// SPDX-License-Identifier: MIT
#include "adf/PatternReader.h"

#include "base/DisplayText.h"
#include "base/NumberText.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

QString feedKindName(FeedKind kind) {
    switch (kind) {
    case FeedKind::None:
        return QStringLiteral("None");
    case FeedKind::Right:
        return QStringLiteral("Right");
    case FeedKind::Left:
        return QStringLiteral("Left");
    case FeedKind::UhpRight:
        return QStringLiteral("UhpRight");
    case FeedKind::UhpLeft:
        return QStringLiteral("UhpLeft");
    }
    return QStringLiteral("None");
}

void LoadedPattern::clear() {
    for (auto& cut : CutPoints)
        cut.clear();
    for (auto& text : PolarizationTexts)
        text.clear();
}

KeywordLine SplitKeywordLine(QByteArrayView line) {
    const qsizetype comma = line.indexOf(',');
    if (comma < 0)
        return {{}, numtext::trimmed(line)};
    const QByteArrayView value = numtext::trimmed(line.sliced(comma + 1));
    const QByteArrayView keyword = comma >= 2 ? line.first(comma - 1) : QByteArrayView();
    return {keyword, value};
}

QString invalidFloatMessage(QByteArrayView text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(DisplayText(text));
}

QString invalidIntegerMessage(QByteArrayView text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(DisplayText(text));
}

PointOrError ParsePoint(QByteArrayView line) {
    const qsizetype p1 = line.indexOf(',');
    if (p1 < 0)
        return {std::nullopt, invalidFloatMessage({})};
    const QByteArrayView angleText = line.first(p1);
    const QByteArrayView rest = line.sliced(p1 + 1);
    const qsizetype p2 = rest.indexOf(',');
    const QByteArrayView levelText = p2 < 0 ? rest : rest.first(p2);
    const auto angle = numtext::parseFloat(angleText);
    if (!angle)
        return {std::nullopt, invalidFloatMessage(angleText)};
    const auto level = numtext::parseFloat(levelText);
    if (!level)
        return {std::nullopt, invalidFloatMessage(levelText)};
    return {PatternPoint(*angle, *level), {}};
}

FeedKind feedKindFor(QByteArrayView feedOrientation, QByteArrayView vvText) {
    FeedKind kind = FeedKind::None;
    if (feedOrientation == "RIGHT")
        kind = FeedKind::Right;
    else if (feedOrientation == "LEFT")
        kind = FeedKind::Left;
    if (vvText.contains("UHP")) {
        if (kind == FeedKind::Right)
            kind = FeedKind::UhpRight;
        else if (kind == FeedKind::Left)
            kind = FeedKind::UhpLeft;
    }
    return kind;
}

// Keywords of a cut that some writers put between the point count and the data lines.
static bool isCutKeyword(QByteArrayView keyword) {
    return keyword == "FSTLST" || keyword == "XORIEN" || keyword == "YORIEN" || keyword == "ZORIEN";
}

static int cutIndexFor(QByteArrayView value, int current) {
    if (value == "H/H")
        return CutHH;
    if (value == "V/V")
        return CutVV;
    if (value == "H/V")
        return CutHV;
    if (value == "V/H")
        return CutVH;
    return current;
}

// A file that stops being readable part way must not pass for a shorter pattern.
static QString readFailure(const LineReader& in) {
    return QStringLiteral("Cannot read the data file: %1").arg(in.errorText());
}

std::optional<QString> ReadPattern(LineReader& in, QByteArrayView firstLine, LoadedPattern& pattern,
                                   QByteArrayView feedOrientation) {
    for (auto& text : pattern.PolarizationTexts)
        text.clear();
    int cut = CutHH;
    // The current line must outlive the reader's next call, so keep a copy of it.
    QByteArray current = firstLine.toByteArray();
    for (;;) {
        const KeywordLine kl = SplitKeywordLine(current);
        if (kl.keyword == "POLARI") {
            cut = cutIndexFor(kl.value, cut);
            pattern.PolarizationTexts[static_cast<size_t>(cut)] = kl.value.toByteArray();
        } else if (kl.keyword == "NUPOIN") {
            const auto count = numtext::parseInt(kl.value);
            if (!count)
                return invalidIntegerMessage(kl.value);
            PatternPoints& points = pattern.CutPoints[static_cast<size_t>(cut)];
            for (int n = 0; n < *count;) {
                const QByteArrayView line = in.readLine();
                if (!in.ok())
                    return readFailure(in);
                const char first = line.isEmpty() ? '\0' : line.front();
                const bool maybeKeyword =
                    first == 'F' || first == 'X' || first == 'Y' || first == 'Z';
                if (maybeKeyword && isCutKeyword(SplitKeywordLine(line).keyword))
                    continue; // not counted; past the end a line is empty and fails below
                PointOrError p = ParsePoint(line);
                if (!p.point)
                    return p.error;
                points.push_back(*p.point);
                ++n;
            }
        }
        current = in.readLine().toByteArray();
        if (!in.ok())
            return readFailure(in);
        if (in.atEnd())
            break;
    }
    pattern.feedKind = feedKindFor(feedOrientation, pattern.PolarizationTexts[CutVV]);
    return std::nullopt;
}

LoadResult ReadPatternFrom(QIODevice& file, const QString& path, QByteArrayView feedOrientation,
                           LoadedPattern& pattern) {
    LineReader in(file);
    const QByteArray first = in.readLine().toByteArray();
    std::optional<QString> error;
    if (in.ok())
        error = ReadPattern(in, first, pattern, feedOrientation);
    if (!in.ok())
        error = QStringLiteral("Cannot read file %1: %2").arg(path, in.errorText());
    if (error)
        return {LoadStatus::ConversionFailed, *error};
    return {};
}

LoadResult LoadPatternFile(const QString& path, QByteArrayView feedOrientation,
                           LoadedPattern& pattern) {
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return {LoadStatus::FileNotFound, QString::fromLatin1(FileNotFoundMessage)};
    return ReadPatternFrom(file, path, feedOrientation, pattern);
}
