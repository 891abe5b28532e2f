// SPDX-License-Identifier: MIT
// Fuzz target: the pattern reader of the graph window, and the line reader under it.
//
// The first input byte picks how many bytes each read of the file returns (1 to 64), so lines and
// CR LF pairs split across reads are exercised, and the longest line allowed; the rest is the data
// file. Checks: the lines (and where a too long line stops them) are the same whatever the read
// size, and every point read comes from its own line.
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "adf/PatternReader.h"

#include <QtCore/QByteArray>
#include <vector>

namespace {

std::vector<QByteArray> allLines(QByteArrayView file, qsizetype piece, qsizetype maxLine,
                                 bool& ok) {
    LineReader in(fuzz::pieces(file, piece), piece, maxLine);
    std::vector<QByteArray> lines;
    while (!in.atEnd())
        lines.push_back(in.readLine().toByteArray());
    ok = in.ok();
    return lines;
}

} // namespace

int FuzzPatternReader(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const qsizetype piece = 1 + data[0] % 64;
    const qsizetype limits[] = {LineReader::MaxLineLength, 16, 100, 1000};
    const qsizetype maxLine = limits[data[0] / 64];
    const QByteArrayView file = fuzz::bytes(data + 1, size - 1);

    bool okSmall = false;
    bool okWhole = false;
    const std::vector<QByteArray> small = allLines(file, piece, maxLine, okSmall);
    const std::vector<QByteArray> whole = allLines(file, file.size() + 1, maxLine, okWhole);
    if (okSmall != okWhole || small != whole)
        fuzz::fail("lines differ with the read size");
    for (const QByteArray& line : whole)
        if (line.size() > maxLine)
            fuzz::fail("a line longer than the limit");
    std::size_t terminators = 0;
    for (char c : file)
        terminators += c == '\n' || c == '\r';
    if (whole.size() > terminators + 1)
        fuzz::fail("more lines than line ends");

    for (const char* feed : {"RIGHT", "LEFT", ""}) {
        LoadedPattern pattern;
        LineReader in(fuzz::pieces(file, piece), piece, maxLine);
        const QByteArray first = in.readLine().toByteArray();
        const auto error = ReadPattern(in, first, pattern, feed);
        std::size_t points = 0;
        for (const PatternPoints& cut : pattern.CutPoints)
            points += cut.size();
        if (okWhole && points > whole.size())
            fuzz::fail("more points than lines");
        if (!error && QByteArrayView(feed).isEmpty() && pattern.feedKind != FeedKind::None)
            fuzz::fail("a two-sided chart without a feed orientation");
    }

    // The single-line rules on the first line as well.
    if (!whole.empty()) {
        const KeywordLine kl = SplitKeywordLine(whole.front());
        if (kl.keyword.size() > whole.front().size())
            fuzz::fail("keyword longer than its line");
        (void)ParsePoint(whole.front());
    }
    return 0;
}

LOBEVIEW_FUZZ_ENTRY(FuzzPatternReader)
