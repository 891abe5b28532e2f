// The batch tool on the sample catalogue and on files written by other tools.
#include "TestUtils.h"
#include "graph/PatternReader.h"
#include "index/IndexRefresh.h"

#include <QtCore/QDir>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtGui/QImage>
#include <gtest/gtest.h>

namespace {

QStringList adfFiles(const QString& dir) {
    QStringList out;
    for (const QString& name : QDir(dir).entryList({QStringLiteral("*.adf")}, QDir::Files))
        out << dir + QLatin1Char('/') + name;
    return out;
}

} // namespace

TEST(Cli, ShowJsonMatchesTheReaderForEverySampleAndForeignFile) {
    const QStringList files = adfFiles(testutils::samplePath()) +
                              adfFiles(testutils::dataPath(QStringLiteral("real-adf")));
    ASSERT_GE(files.size(), 16);
    for (const QString& file : files) {
        const auto r = testutils::runCli({QStringLiteral("show"), file, QStringLiteral("--json")});
        if (file.contains(QStringLiteral("bruce-lee"))) {
            // Its minus signs are U+2010: reported with the conversion message, nothing printed.
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_TRUE(r.err.startsWith("'\xc3\xa2\xc2\x80\xc2\x90"
                                         "179' is not a valid floating point value"))
                << r.err.toStdString();
            EXPECT_TRUE(r.out.isEmpty());
            continue;
        }
        ASSERT_EQ(r.exitCode, 0) << file.toStdString() << r.err.toStdString();
        QJsonParseError error;
        const QJsonObject json = QJsonDocument::fromJson(r.out, &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << file.toStdString();

        LoadedPattern expected;
        IndexRecord header;
        ASSERT_FALSE(BuildRecordFromFile(file, header)) << file.toStdString();
        ASSERT_EQ(LoadPatternFile(file, header.feedOrientation(), expected).status,
                  LoadStatus::Loaded);
        EXPECT_EQ(json[QStringLiteral("feedKind")].toString(), feedKindName(expected.feedKind));
        const QJsonArray texts = json[QStringLiteral("polarizationTexts")].toArray();
        const QJsonArray cuts = json[QStringLiteral("cuts")].toArray();
        ASSERT_EQ(texts.size(), 4);
        ASSERT_EQ(cuts.size(), 4);
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(texts[c].toString(),
                      QString::fromLatin1(expected.PolarizationTexts[size_t(c)]));
            const QJsonArray points = cuts[c].toArray();
            ASSERT_EQ(points.size(), qsizetype(expected.CutPoints[size_t(c)].size()));
            for (qsizetype i = 0; i < points.size(); ++i) {
                // Round-trip precision: the very same doubles.
                EXPECT_EQ(points[i].toArray()[0].toDouble(),
                          expected.CutPoints[size_t(c)][size_t(i)].Angle);
                EXPECT_EQ(points[i].toArray()[1].toDouble(),
                          expected.CutPoints[size_t(c)][size_t(i)].Level);
            }
        }
    }
    // --feed overrides the header; a missing file is an error.
    auto r = testutils::runCli(
        {QStringLiteral("show"), testutils::samplePath(QStringLiteral("ZZ8-107.adf")),
         QStringLiteral("--json"), QStringLiteral("--feed"), QStringLiteral("LEFT")});
    EXPECT_TRUE(r.out.startsWith("{\"feedKind\": \"Left\""));
    r = testutils::runCli(
        {QStringLiteral("show"), QStringLiteral("/no/such.adf"), QStringLiteral("--json")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), "File was not found");
}

TEST(Cli, IndexListAndScreen) {
    testutils::Sandbox box;
    const QString index = box.path(QStringLiteral("FileIndx.dat"));
    auto r = testutils::runCli(
        {QStringLiteral("index"), testutils::samplePath(), QStringLiteral("-o"), index});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("16 records written to "));
    EXPECT_EQ(QFileInfo(index).size(), 16 * 380);
    r = testutils::runCli({QStringLiteral("list"), index});
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(
        lines[0],
        "FileName,ModNum,Ser,Sz,Polar,Date,RPE#,LowFreq,HighFreq,FreqRange,MidF,Gain,Feed,Rev.");

    // Files from other tools: indexed, long names reported as cut.
    r = testutils::runCli({QStringLiteral("index"), testutils::dataPath(QStringLiteral("real-adf")),
                           QStringLiteral("-o"), index});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("4 records written to "));
    EXPECT_EQ(r.out.count("name cut to 15 characters"), 4);

    QDir().mkpath(box.path(QStringLiteral("empty")));
    r = testutils::runCli(
        {QStringLiteral("index"), box.path(QStringLiteral("empty")), QStringLiteral("-o"), index});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), "No NSMA data files were found in this directory");

    const QString png = box.path(QStringLiteral("chart.png"));
    r = testutils::runCli({QStringLiteral("screen"),
                           testutils::samplePath(QStringLiteral("ZZ8-107.adf")),
                           QStringLiteral("-o"), png});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage chart(png);
    EXPECT_EQ(chart.size(), QSize(960, 400));
    EXPECT_EQ(chart.pixelColor(480, 1), QColor(0, 191, 0)); // V/V at 0 dB, boresight
}
