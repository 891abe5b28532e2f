// SPDX-License-Identifier: MIT
// Bad data files as the index rebuild, the graph window's reader and the batch tool meet them.
// Each gets a clear message; the rebuild leaves the file out and indexes the good ones beside it;
// the reader refuses it or shows what it holds; nothing is read whole.
#include "HardeningSupport.h"
#include "TestUtils.h"
#include "adf/LineReader.h"
#include "adf/PatternReader.h"
#include "catalogue/IndexFile.h"
#include "catalogue/IndexRefresh.h"

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtGui/QImage>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {

// Two good files of the sample catalogue, and a bad one beside them.
struct Catalogue {
    testutils::Sandbox box;

    Catalogue() {
        QDir().mkpath(dir());
        QDir().mkpath(out());
        for (const char* name : {"QS1-212.adf", "ZZX10-60L.adf"})
            QFile::copy(testutils::samplePath(QLatin1String(name)),
                        dir() + QLatin1Char('/') + QLatin1String(name));
        // An ordinary user must reach the files, and write the index, when a test drops rights.
        QFile::setPermissions(box.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(out(), QFileDevice::Permissions(0x7777));
    }
    QString dir() const { return box.path(QStringLiteral("cat")); }
    QString out() const { return box.path(QStringLiteral("out")); }
    QString file(const QString& name) const { return dir() + QLatin1Char('/') + name; }
    QString index() const { return out() + QStringLiteral("/FileIndx.dat"); }
    void write(const QString& name, const QByteArray& bytes) const {
        ASSERT_TRUE(testutils::writeFile(file(name), bytes));
    }
    RebuildReport rebuild() const { return RebuildIndex(dir(), index()); }

    // The model numbers of the new index, in index order.
    QList<QByteArray> indexedModels() const {
        IndexFile f;
        QList<QByteArray> models;
        if (!f.open(index()))
            return models;
        IndexRecord r;
        while (f.readNext(r))
            models << r.modelNumber();
        return models;
    }
};

// The rebuild left out exactly `name` with `reason`, said so, and indexed every other file.
void expectLeftOut(const Catalogue& c, const RebuildReport& report, const QString& name,
                   const QString& reason, const QList<QByteArray>& alsoIndexed = {}) {
    EXPECT_EQ(report.outcome, RebuildReport::Outcome::Rebuilt);
    EXPECT_EQ(report.skipped, QStringList{name + QStringLiteral(": ") + reason});
    EXPECT_TRUE(report.message().contains(name + QStringLiteral(": ") + reason))
        << report.message().toStdString();
    QList<QByteArray> expected{"QS1-212"};
    expected << alsoIndexed << "ZZX10-60";
    std::sort(expected.begin(), expected.end());
    QList<QByteArray> got = c.indexedModels();
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, expected);
}

std::size_t pointCount(const LoadedPattern& p) {
    std::size_t n = 0;
    for (const PatternPoints& cut : p.CutPoints)
        n += cut.size();
    return n;
}

const QByteArray Header = "REVNUM:,NSMA WG16.99.050\r\nMODNUM:,QB4-99\r\nPATNUM:,7\r\n"
                          "DTDATA:,20030405\r\nLOWFRQ:,5925\r\nHGHFRQ:,6425\r\nMDGAIN:,30.5\r\n";

} // namespace

TEST(BadDataFile, MissingFile) {
    Catalogue c;
    // Listed by the folder but gone when opened: a link whose target was removed.
    ASSERT_TRUE(
        QFile::link(c.file(QStringLiteral("removed.adf")), c.file(QStringLiteral("gone.adf"))));
    expectLeftOut(c, c.rebuild(), QStringLiteral("gone.adf"),
                  QStringLiteral("cannot be opened (No such file or directory)"));

    LoadedPattern pattern;
    pattern.CutPoints[CutHH].emplace_back(1, -2);
    const LoadResult r = LoadPatternFile(c.file(QStringLiteral("gone.adf")), "", pattern);
    EXPECT_EQ(r.status, LoadStatus::FileNotFound);
    EXPECT_EQ(r.message, QStringLiteral("File was not found"));
    EXPECT_EQ(pattern.CutPoints[CutHH].size(), 1u); // nothing read, nothing changed

    const auto cli =
        testutils::runCli({QStringLiteral("show"), c.file(QStringLiteral("gone.adf"))});
    EXPECT_NE(cli.exitCode, 0);
    EXPECT_TRUE(cli.err.contains("File was not found")) << cli.err.constData();
}

TEST(BadDataFile, UnreadableFile) {
    Catalogue c;
    c.write(QStringLiteral("locked.adf"), Header + "NUPOIN:,0\r\n");
    ASSERT_TRUE(QFile::setPermissions(c.file(QStringLiteral("locked.adf")), {}));
    hardening::UnprivilegedFiles asUser;
    if (!asUser.unavailableReason().isEmpty())
        GTEST_SKIP() << asUser.unavailableReason().toStdString();
    QFile probe(c.file(QStringLiteral("locked.adf")));
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "a file of mode 000 can still be read here";

    expectLeftOut(c, c.rebuild(), QStringLiteral("locked.adf"),
                  QStringLiteral("cannot be opened (Permission denied)"));
    LoadedPattern pattern;
    const LoadResult r = LoadPatternFile(c.file(QStringLiteral("locked.adf")), "", pattern);
    EXPECT_EQ(r.status, LoadStatus::FileNotFound);
    EXPECT_EQ(r.message, QStringLiteral("File was not found"));
}

TEST(BadDataFile, EmptyFileAndBinaryNoise) {
    Catalogue c;
    c.write(QStringLiteral("empty.adf"), {});
    QByteArray noise(64 * 1024, '\0');
    std::mt19937 random(14);
    for (char& b : noise)
        b = static_cast<char>(random() & 0xFF);
    c.write(QStringLiteral("noise.adf"), noise);

    const RebuildReport report = c.rebuild();
    EXPECT_EQ(report.skipped, (QStringList{QStringLiteral("empty.adf: not an NSMA data file"),
                                           QStringLiteral("noise.adf: not an NSMA data file")}));
    EXPECT_EQ(report.records, 2);

    // The reader shows what they hold: nothing; the chart is drawn without traces.
    for (const char* name : {"empty.adf", "noise.adf"}) {
        LoadedPattern pattern;
        const LoadResult r = LoadPatternFile(c.file(QLatin1String(name)), "", pattern);
        EXPECT_EQ(r.status, LoadStatus::Loaded) << name;
        EXPECT_EQ(pointCount(pattern), 0u) << name;
    }
    // The batch tool writes the index of the good files, names the others and says so by its
    // exit status.
    const auto index = testutils::runCli({QStringLiteral("index"), c.dir(), QStringLiteral("-o"),
                                          c.out() + QStringLiteral("/cli.dat")});
    EXPECT_EQ(index.exitCode, 3);
    EXPECT_TRUE(index.out.contains("2 records written"));
    EXPECT_TRUE(index.out.contains("skipped empty.adf: not an NSMA data file\n"));
    EXPECT_TRUE(index.out.contains("skipped noise.adf: not an NSMA data file\n"));

    // Opened on its own (the command line), the noise is refused with the reason.
    const auto cli = testutils::runCli(
        {QStringLiteral("export"), c.file(QStringLiteral("noise.adf")), QStringLiteral("--page"),
         QStringLiteral("chart"), QStringLiteral("-o"), c.out() + QStringLiteral("/n.png")});
    EXPECT_EQ(cli.exitCode, 1);
    EXPECT_EQ(cli.err, "noise.adf: not an NSMA data file\n");
    EXPECT_FALSE(QFile::exists(c.out() + QStringLiteral("/n.png")));
}

TEST(BadDataFile, SparseGigabyteIsNotReadWhole) {
    Catalogue c;
    QFile huge(c.file(QStringLiteral("huge.adf")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64(1) << 30)); // a hole: no block is written
    huge.close();
    // The same size behind a good header: the index takes it, the reader refuses the rest.
    QFile tail(c.file(QStringLiteral("tail.adf")));
    ASSERT_TRUE(tail.open(QIODevice::WriteOnly));
    tail.write(Header + "POLARI:,H/H\r\nNUPOIN:,2\r\n");
    ASSERT_TRUE(tail.resize(qint64(1) << 30));
    tail.close();

    QElapsedTimer clock;
    clock.start();
    const qint64 before = hardening::bytesReadSoFar();
    const RebuildReport report = c.rebuild();
    EXPECT_EQ(report.skipped, QStringList{QStringLiteral(
                                  "huge.adf: not an NSMA data file (line 1 is longer than 1 MB)")});
    EXPECT_EQ(report.records, 3);

    for (const char* name : {"huge.adf", "tail.adf"}) {
        LoadedPattern pattern;
        const LoadResult r = LoadPatternFile(c.file(QLatin1String(name)), "", pattern);
        EXPECT_EQ(r.status, LoadStatus::ConversionFailed);
        const int line = QByteArrayView(name) == "huge.adf" ? 1 : 10;
        EXPECT_EQ(r.message, QStringLiteral("Cannot read file %1: line %2 is longer than 1 MB")
                                 .arg(c.file(QLatin1String(name)))
                                 .arg(line));
    }
    const qint64 read = hardening::bytesReadSoFar() - before;
    // Each reader stops after about 1 MB of the line; the 2 GB of holes are never read.
    EXPECT_LT(read, qint64(16) << 20);
    // Only a safety net against reading everything; the bound is far above the real time.
    EXPECT_LT(clock.elapsed(), 30000) << "read " << read << " bytes";
}

TEST(BadDataFile, TenMegabyteLineWithoutLineEnd) {
    Catalogue c;
    c.write(QStringLiteral("oneline.adf"), QByteArray(10 << 20, 'A'));
    // A good header with a 10 MB data line: indexed, but the pattern cannot be shown.
    c.write(QStringLiteral("longpoint.adf"),
            Header + "POLARI:,H/H\r\nNUPOIN:,2\r\n0,0,\r\n" + QByteArray(10 << 20, '5'));
    const RebuildReport report = c.rebuild();
    EXPECT_EQ(report.skipped,
              QStringList{QStringLiteral(
                  "oneline.adf: not an NSMA data file (line 1 is longer than 1 MB)")});
    EXPECT_EQ(report.records, 3);

    LoadedPattern pattern;
    LoadResult r = LoadPatternFile(c.file(QStringLiteral("longpoint.adf")), "", pattern);
    EXPECT_EQ(r.status, LoadStatus::ConversionFailed);
    EXPECT_EQ(r.message, QStringLiteral("Cannot read file %1: line 11 is longer than 1 MB")
                             .arg(c.file(QStringLiteral("longpoint.adf"))));
    r = LoadPatternFile(c.file(QStringLiteral("oneline.adf")), "", pattern);
    EXPECT_EQ(r.message, QStringLiteral("Cannot read file %1: line 1 is longer than 1 MB")
                             .arg(c.file(QStringLiteral("oneline.adf"))));

    const auto cli =
        testutils::runCli({QStringLiteral("show"), c.file(QStringLiteral("longpoint.adf"))});
    EXPECT_EQ(cli.exitCode, 1);
    EXPECT_TRUE(cli.err.contains("line 11 is longer than 1 MB")) << cli.err.constData();
}

TEST(BadDataFile, PointCountsAtTheEdgesOfAnInteger) {
    Catalogue c;
    const QByteArray points = "-10,-20,\r\n0,0,\r\n10,-20,\r\n";
    c.write(QStringLiteral("max.adf"), Header + "POLARI:,H/H\r\nNUPOIN:,2147483647\r\n" + points);
    c.write(QStringLiteral("minus.adf"),
            Header + "POLARI:,H/H\r\nNUPOIN:,-1\r\n" + points +
                "POLARI:,V/V\r\nNUPOIN:,1\r\n5,-3,\r\nENDFIL:,EOF\r\n");
    c.write(QStringLiteral("over.adf"), Header + "POLARI:,H/H\r\nNUPOIN:,2147483648\r\n" + points);
    // The header ends at "NUPOIN" whatever its value: all three are indexed.
    const RebuildReport report = c.rebuild();
    EXPECT_TRUE(report.skipped.isEmpty()) << report.message().toStdString();
    EXPECT_EQ(report.records, 5);

    // The largest count runs into the end of the file at once and fails there.
    LoadedPattern pattern;
    LoadResult r = LoadPatternFile(c.file(QStringLiteral("max.adf")), "", pattern);
    EXPECT_EQ(r.status, LoadStatus::ConversionFailed);
    EXPECT_EQ(r.message, QStringLiteral("'' is not a valid floating point value"));
    EXPECT_EQ(pattern.CutPoints[CutHH].size(), 3u);

    // A negative count reads no line: the points are not keyword lines, the next cut is read.
    pattern = {};
    r = LoadPatternFile(c.file(QStringLiteral("minus.adf")), "", pattern);
    EXPECT_EQ(r.status, LoadStatus::Loaded);
    EXPECT_TRUE(pattern.CutPoints[CutHH].empty());
    EXPECT_EQ(pattern.CutPoints[CutVV], (PatternPoints{PatternPoint(5, -3)}));

    pattern = {};
    r = LoadPatternFile(c.file(QStringLiteral("over.adf")), "", pattern);
    EXPECT_EQ(r.message, QStringLiteral("'2147483648' is not a valid integer value"));
    EXPECT_EQ(pointCount(pattern), 0u);
}

TEST(BadDataFile, FourHundredDigitNumbers) {
    Catalogue c;
    const QByteArray huge = "9" + QByteArray(399, '7');     // about 1e399: beyond any double
    const QByteArray precise = "0." + QByteArray(398, '3'); // 400 digits of a plain 1/3
    QByteArray lowFreq = Header;
    lowFreq.replace("LOWFRQ:,5925", "LOWFRQ:," + huge);
    c.write(QStringLiteral("bigfreq.adf"), lowFreq);
    QByteArray gain = Header;
    gain.replace("MDGAIN:,30.5", "MDGAIN:," + huge + " dBi");
    c.write(QStringLiteral("biggain.adf"), gain);
    c.write(QStringLiteral("bigpoint.adf"),
            Header + "POLARI:,H/H\r\nNUPOIN:,2\r\n0,0,\r\n" + huge + ",-20,\r\nENDFIL:,EOF\r\n");
    c.write(QStringLiteral("precise.adf"), Header + "POLARI:,H/H\r\nNUPOIN:,2\r\n0,0,\r\n10," +
                                               "-" + precise + ",\r\nENDFIL:,EOF\r\n");

    const RebuildReport report = c.rebuild();
    const QString invalid =
        QStringLiteral("'%1' is not a valid floating point value").arg(QString::fromLatin1(huge));
    EXPECT_EQ(report.skipped, (QStringList{QStringLiteral("bigfreq.adf: ") + invalid,
                                           QStringLiteral("biggain.adf: ") + invalid}));
    EXPECT_EQ(report.records, 4);

    LoadedPattern pattern;
    LoadResult r = LoadPatternFile(c.file(QStringLiteral("bigpoint.adf")), "", pattern);
    EXPECT_EQ(r.status, LoadStatus::ConversionFailed);
    EXPECT_EQ(r.message, invalid);
    // Many digits of an ordinary value are read to the nearest double.
    pattern = {};
    r = LoadPatternFile(c.file(QStringLiteral("precise.adf")), "", pattern);
    ASSERT_EQ(r.status, LoadStatus::Loaded);
    ASSERT_EQ(pattern.CutPoints[CutHH].size(), 2u);
    EXPECT_DOUBLE_EQ(pattern.CutPoints[CutHH][1].Level, -1.0 / 3);
}

TEST(BadDataFile, ExtremeButValidValuesAreDrawn) {
    // Values a double holds but no chart can show: every picture is still made, the traces cut
    // at the page's edges.
    Catalogue c;
    c.write(QStringLiteral("extreme.adf"),
            Header + "FEDORN:,RIGHT\r\nPOLARI:,H/H\r\nNUPOIN:,5\r\n-1e308,-1e308,\r\n"
                     "0,0,\r\n1e-320,5e300,\r\n179.999999999999,-1e-300,\r\n1e308,1e308,\r\n"
                     "POLARI:,V/V\r\nNUPOIN:,1\r\n0,-0,\r\nENDFIL:,EOF\r\n");
    const QString file = c.file(QStringLiteral("extreme.adf"));
    for (const QStringList& args :
         {QStringList{QStringLiteral("screen"), file, QStringLiteral("-o"),
                      c.out() + QStringLiteral("/screen.png")},
          QStringList{QStringLiteral("export"), file, QStringLiteral("--page"),
                      QStringLiteral("chart"), QStringLiteral("-o"),
                      c.out() + QStringLiteral("/chart.png")},
          QStringList{QStringLiteral("export"), file, QStringLiteral("--page"),
                      QStringLiteral("data"), QStringLiteral("-o"),
                      c.out() + QStringLiteral("/data.png")}}) {
        const auto cli = testutils::runCli(args);
        EXPECT_EQ(cli.exitCode, 0) << args.join(u' ').toStdString() << ": " << cli.err.constData();
        QImage picture(args.last());
        EXPECT_FALSE(picture.isNull()) << args.last().toStdString();
    }
}

TEST(BadDataFile, LineLimitIsExactWhateverTheReadSize) {
    // Lines of exactly the limit are read, one byte more stops the reading at that line; a CR LF
    // pair split across two reads does not count against the line.
    const QByteArray text = QByteArray(8, 'a') + "\r\n" + QByteArray(8, 'b') + "\r" +
                            QByteArray(9, 'c') + "\nnever read\n";
    for (qsizetype piece : {1, 2, 3, 7, 8, 9, 10, 64}) {
        SCOPED_TRACE(piece);
        qsizetype at = 0;
        LineReader in(
            [&](char* out, qint64 size) -> qint64 {
                const qsizetype n = std::min<qsizetype>({piece, qsizetype(size), text.size() - at});
                std::memcpy(out, text.constData() + at, size_t(n));
                at += n;
                return n;
            },
            piece, 8);
        EXPECT_EQ(in.readLine(), QByteArrayView("aaaaaaaa"));
        EXPECT_EQ(in.readLine(), QByteArrayView("bbbbbbbb"));
        EXPECT_TRUE(in.ok());
        EXPECT_TRUE(in.readLine().isEmpty());
        EXPECT_FALSE(in.ok());
        EXPECT_TRUE(in.lineTooLong());
        EXPECT_EQ(in.errorText(), QStringLiteral("line 3 is longer than 8 bytes"));
        EXPECT_TRUE(in.atEnd());
        EXPECT_TRUE(in.readLine().isEmpty());
        EXPECT_LE(at, 8 + 2 + 8 + 1 + 9 + piece); // nothing read past the long line's first read
    }
}

TEST(BadDataFile, PatternReaderStopsAtALineTooLong) {
    // After a cut's points as well as inside them: the pattern read so far is not taken for the
    // whole pattern.
    for (const QByteArray& text :
         {QByteArray("POLARI:,H/H\nNUPOIN:,1\n1,-2,\n") + QByteArray(40, 'x') + "\nPOLARI:,V/V\n",
          QByteArray("POLARI:,H/H\nNUPOIN:,2\n1,-2,\n") + QByteArray(40, '3') + ",-4,\n"}) {
        qsizetype at = 0;
        LineReader in(
            [&](char* out, qint64 size) -> qint64 {
                const qsizetype n = std::min<qsizetype>(qsizetype(size), text.size() - at);
                std::memcpy(out, text.constData() + at, size_t(n));
                at += n;
                return n;
            },
            16, 32);
        LoadedPattern pattern;
        const QByteArray first = in.readLine().toByteArray();
        EXPECT_EQ(ReadPattern(in, first, pattern, "RIGHT"),
                  QStringLiteral("Cannot read the data file: line 4 is longer than 32 bytes"));
        EXPECT_EQ(pattern.CutPoints[CutHH], (PatternPoints{PatternPoint(1, -2)}));
    }
}
