// SPDX-License-Identifier: MIT
// Reading NSMA data files into the four pattern cuts.
#include "adf/PatternReader.h"

#include "TestUtils.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct Read {
    LoadedPattern pattern;
    std::optional<QString> error;
};

// Reads a file given as text, the way the graph window does: first line, then ReadPattern.
Read readText(const QByteArray& text, QByteArrayView feed = {}) {
    QByteArray data = text;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    LineReader in(buffer, 16); // a tiny chunk exercises lines across buffer refills
    Read r;
    const QByteArray first = in.readLine().toByteArray();
    r.error = ReadPattern(in, first, r.pattern, feed);
    return r;
}

QString floatError(const char* text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(QLatin1String(text));
}

} // namespace

TEST(SplitKeywordLine, SplitsAtTheFirstCommaAndDropsTheColon) {
    auto kl = SplitKeywordLine("POLARI:,H/H");
    EXPECT_EQ(kl.keyword, "POLARI");
    EXPECT_EQ(kl.value, "H/H");
    kl = SplitKeywordLine("NUPOIN:,  72 \r");
    EXPECT_EQ(kl.keyword, "NUPOIN");
    EXPECT_EQ(kl.value, "72");
    EXPECT_EQ(SplitKeywordLine("POLARI,H/H").keyword, "POLAR");
    EXPECT_EQ(SplitKeywordLine("DESCR1:,Dish, 12 ft").value, "Dish, 12 ft");
    // No comma, or the comma first or second: no keyword.
    kl = SplitKeywordLine("  ENDFIL  ");
    EXPECT_TRUE(kl.keyword.isEmpty());
    EXPECT_EQ(kl.value, "ENDFIL");
    EXPECT_TRUE(SplitKeywordLine(",x").keyword.isEmpty());
    EXPECT_TRUE(SplitKeywordLine("A,x").keyword.isEmpty());
    EXPECT_EQ(SplitKeywordLine("AB,x").keyword, "A");
}

TEST(ParsePoint, ReadsAngleAndLevelWithDotDecimals) {
    auto p = ParsePoint(" -10.5 , -25.0 ,extra");
    ASSERT_TRUE(p.point);
    EXPECT_EQ(*p.point, PatternPoint(-10.5, -25.0));
    p = ParsePoint("1.5E1,-3,");
    ASSERT_TRUE(p.point);
    EXPECT_EQ(p.point->Angle, 15.0);
    p = ParsePoint("+5,-1e-1,x,y");
    ASSERT_TRUE(p.point);
    EXPECT_EQ(*p.point, PatternPoint(5, -0.1));
    // Real files end the line after the level.
    p = ParsePoint("-10.5,-25.0");
    ASSERT_TRUE(p.point);
    EXPECT_EQ(*p.point, PatternPoint(-10.5, -25.0));

    EXPECT_EQ(ParsePoint("-10.5 -25.0").error, floatError(""));
    EXPECT_EQ(ParsePoint("").error, floatError(""));
    EXPECT_EQ(ParsePoint("ten,-3,").error, floatError("ten"));
    EXPECT_EQ(ParsePoint("10,-3;5,").error, floatError("-3;5"));
    EXPECT_EQ(ParsePoint("10,,").error, floatError(""));
    // Numbers written ".5" and "5." as other tools write them.
    p = ParsePoint(".5,-3.,");
    ASSERT_TRUE(p.point);
    EXPECT_EQ(*p.point, PatternPoint(0.5, -3));
    p = ParsePoint("-.25e1 , 7. ");
    ASSERT_TRUE(p.point);
    EXPECT_EQ(*p.point, PatternPoint(-2.5, 7));
    for (const char* bad : {"inf,1,", "nan,1,", "0x10,1,", "1e400,1,", "1.2.3,1,", "e5,1,", ".,1,",
                            "-.,1,", "1,.e1,"})
        EXPECT_FALSE(ParsePoint(bad).point) << bad;
}

TEST(ReadPattern, CollectsCutsByPolarization) {
    const Read r = readText("REVNUM:,NSMA\nPOLARI:,H/H\nNUPOIN:,3\n-180,-70,\n0,0,\n180,-70,\n"
                            "POLARI:,V/H\nNUPOIN:,1\n5,-40,\nENDFIL:,EOF\n");
    ASSERT_FALSE(r.error);
    EXPECT_EQ(r.pattern.CutPoints[CutHH], (PatternPoints{{-180, -70}, {0, 0}, {180, -70}}));
    EXPECT_TRUE(r.pattern.CutPoints[CutVV].empty());
    EXPECT_TRUE(r.pattern.CutPoints[CutHV].empty());
    EXPECT_EQ(r.pattern.CutPoints[CutVH], (PatternPoints{{5, -40}}));
    EXPECT_EQ(r.pattern.PolarizationTexts[CutHH], "H/H");
    EXPECT_EQ(r.pattern.PolarizationTexts[CutVH], "V/H");
    EXPECT_EQ(r.pattern.PolarizationTexts[CutVV], "");

    // A second block of the same cut appends after the first.
    const Read twice =
        readText("POLARI:,V/V\nNUPOIN:,1\n1,-1,\nPOLARI:,V/V\nNUPOIN:,1\n2,-2,\nENDFIL:,EOF\n");
    EXPECT_EQ(twice.pattern.CutPoints[CutVV], (PatternPoints{{1, -1}, {2, -2}}));
}

TEST(ReadPattern, KeywordRulesAndTheLastLine) {
    // Lower-case value: unrecognised, so the current cut keeps its index and takes the text.
    Read r = readText("POLARI:,V/V\nPOLARI:,h/h\nNUPOIN:,1\n1,-1,\nEND\n");
    EXPECT_EQ(r.pattern.CutPoints[CutVV], (PatternPoints{{1, -1}}));
    EXPECT_EQ(r.pattern.PolarizationTexts[CutVV], "h/h");
    EXPECT_EQ(r.pattern.PolarizationTexts[CutHH], "");

    // The last line of the file is never examined, with or without a final line break.
    for (const char* text : {"POLARI:,V/V\nNUPOIN:,1\n", "POLARI:,V/V\nNUPOIN:,1"}) {
        r = readText(text);
        EXPECT_FALSE(r.error) << text;
        EXPECT_TRUE(r.pattern.CutPoints[CutVV].empty()) << text;
    }
    r = readText("X\nPOLARI:,H/V");
    EXPECT_EQ(r.pattern.PolarizationTexts[CutHV], "");

    // Zero and negative counts read no line; the next line is a keyword line again.
    r = readText("NUPOIN:,0\nPOLARI:,H/V\nNUPOIN:,-4\nPOLARI:,V/H\nEND\n");
    ASSERT_FALSE(r.error);
    EXPECT_EQ(r.pattern.PolarizationTexts[CutHV], "H/V");
    EXPECT_EQ(r.pattern.PolarizationTexts[CutVH], "V/H");

    // Empty file and header-only file: four empty cuts.
    for (const char* text : {"", "REVNUM:,NSMA\nMODNUM:,ZZ8-107\nENDFIL:,EOF\n"}) {
        r = readText(text);
        EXPECT_FALSE(r.error);
        for (const auto& cut : r.pattern.CutPoints)
            EXPECT_TRUE(cut.empty());
    }
}

TEST(ReadPattern, CutKeywordsInsideAPointBlockAreSkipped) {
    const Read r = readText("POLARI:,V/V\nNUPOIN:,2\nFSTLST:,-179,180\nXORIEN:,0,0,0\n"
                            "-179,8.31\nYORIEN:,1\nZORIEN:,2\n180,8.2\nENDFIL:,EOF\n");
    ASSERT_FALSE(r.error);
    EXPECT_EQ(r.pattern.CutPoints[CutVV], (PatternPoints{{-179, 8.31}, {180, 8.2}}));
}

TEST(ReadPattern, ConversionFailuresAbortWithTheirMessage) {
    Read r = readText("POLARI:,H/H\nNUPOIN:,abc\n1,1,\nEND\n");
    EXPECT_EQ(r.error, QStringLiteral("'abc' is not a valid integer value"));

    // More points announced than lines left: the line past the end is empty.
    r = readText("POLARI:,H/H\nNUPOIN:,5\n1,-1,\n2,-2,\n");
    EXPECT_EQ(r.error, floatError(""));
    EXPECT_EQ(r.pattern.CutPoints[CutHH].size(), 2u); // kept until the next load empties them

    // A huge count fails at the end of the file instead of running on.
    r = readText("POLARI:,H/H\nNUPOIN:,2147483647\n1,-1,\n");
    EXPECT_EQ(r.error, floatError(""));
    r = readText("POLARI:,H/H\nNUPOIN:,2147483648\n1,-1,\n");
    EXPECT_EQ(r.error, QStringLiteral("'2147483648' is not a valid integer value"));

    // A failed read leaves the feed kind as it was.
    LoadedPattern p;
    p.feedKind = FeedKind::Left;
    QByteArray data("POLARI:,H/H\nNUPOIN:,1\nbad\nEND\n");
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    LineReader in(buffer);
    const QByteArray first = in.readLine().toByteArray();
    EXPECT_EQ(ReadPattern(in, first, p, "RIGHT"), floatError(""));
    EXPECT_EQ(p.feedKind, FeedKind::Left);
}

TEST(ReadPattern, FeedKindFromOrientationAndTheVVText) {
    const QByteArray uhp = "POLARI:,V/V\nPOLARI:,V/V UHP\nNUPOIN:,1\n0,0,\nEND\n";
    const QByteArray plain = "POLARI:,V/V\nNUPOIN:,1\n0,0,\nEND\n";
    EXPECT_EQ(readText(plain, "RIGHT").pattern.feedKind, FeedKind::Right);
    EXPECT_EQ(readText(plain, "LEFT").pattern.feedKind, FeedKind::Left);
    EXPECT_EQ(readText(uhp, "RIGHT").pattern.feedKind, FeedKind::UhpRight);
    EXPECT_EQ(readText(uhp, "LEFT").pattern.feedKind, FeedKind::UhpLeft);
    EXPECT_EQ(readText(uhp, "").pattern.feedKind, FeedKind::None);
    EXPECT_EQ(readText(plain, "right").pattern.feedKind, FeedKind::None);
    EXPECT_EQ(readText(plain, "RIGHT ").pattern.feedKind, FeedKind::None);
    EXPECT_EQ(readText(uhp, "LEFT").pattern.PolarizationTexts[CutVV], "V/V UHP");
}

TEST(ReadPattern, LineEndingsAndHostileInput) {
    const QByteArray lf = "POLARI:,H/H\nNUPOIN:,2\n0,0,\n10,-20,\nEND\n";
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    QByteArray cr = lf;
    cr.replace("\n", "\r");
    const PatternPoints expected{{0, 0}, {10, -20}};
    EXPECT_EQ(readText(lf).pattern.CutPoints[CutHH], expected);
    EXPECT_EQ(readText(crlf).pattern.CutPoints[CutHH], expected);
    EXPECT_EQ(readText(cr).pattern.CutPoints[CutHH], expected);

    // A line of a million characters and binary noise: read or rejected, never a crash.
    const QByteArray longLine =
        "POLARI:,H/H\nNUPOIN:,1\n1,-5," + QByteArray(1000000, 'x') + "\nEND\n";
    EXPECT_EQ(readText(longLine).pattern.CutPoints[CutHH], (PatternPoints{{1, -5}}));
    const QByteArray longNumber =
        "POLARI:,H/H\nNUPOIN:,1\n1," + QByteArray(1000000, '5') + ",\nEND\n";
    EXPECT_TRUE(readText(longNumber).error); // beyond the range of a double
    QByteArray noise;
    for (int i = 0; i < 100000; ++i)
        noise += static_cast<char>((i * 7919) % 256);
    readText(noise);
    readText("NUPOIN:,3\n" + noise);
}

TEST(LoadPatternFile, MissingFilesAndRealFilesFromOtherTools) {
    LoadedPattern p;
    p.CutPoints[CutHH].emplace_back(1, 1);
    LoadResult r = LoadPatternFile(testutils::dataPath(QStringLiteral("nope.adf")), "", p);
    EXPECT_EQ(r.status, LoadStatus::FileNotFound);
    EXPECT_EQ(r.message, QStringLiteral("File was not found"));
    EXPECT_EQ(p.CutPoints[CutHH].size(), 1u);
    r = LoadPatternFile(testutils::dataPath(QStringLiteral("real-adf")), "", p);
    EXPECT_EQ(r.status, LoadStatus::FileNotFound);
    // A pipe is not a data file, and opening it must not wait for a writer.
    testutils::Sandbox box;
    ASSERT_EQ(::mkfifo(QFile::encodeName(box.path(QStringLiteral("pipe.adf"))).constData(), 0600),
              0);
    r = LoadPatternFile(box.path(QStringLiteral("pipe.adf")), "", p);
    EXPECT_EQ(r.status, LoadStatus::FileNotFound);

    // TIA-804 files: CR LF, an FSTLST line per cut, no trailing comma, both cuts V/V.
    p = {};
    r = LoadPatternFile(
        testutils::dataPath(
            QStringLiteral("real-adf/Cloud-RF__msi2adf__TQJ-8010-9011DT0_0791_CO_P45_00T.msi.adf")),
        "", p);
    ASSERT_EQ(r.status, LoadStatus::Loaded) << r.message.toStdString();
    EXPECT_EQ(p.CutPoints[CutVV].size(), 720u);
    EXPECT_EQ(p.CutPoints[CutVV].front(), PatternPoint(-179, 8.31));
    EXPECT_EQ(p.feedKind, FeedKind::None);

    // U+2010 instead of a minus sign: not a number, reported with the text as written (UTF-8).
    p = {};
    r = LoadPatternFile(
        testutils::dataPath(QStringLiteral("real-adf/bruce-lee-of-php__Antenna-Prop__example.adf")),
        "", p);
    EXPECT_EQ(r.status, LoadStatus::ConversionFailed);
    EXPECT_EQ(r.message, QStringLiteral("'\u2010179' is not a valid floating point value"));
    // Bytes that are not UTF-8 are shown as Latin-1.
    EXPECT_EQ(ParsePoint("1,\xb0"
                         "5,")
                  .error,
              QStringLiteral("'\u00b0"
                             "5' is not a valid floating point value"));
}
