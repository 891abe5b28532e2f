// SPDX-License-Identifier: MIT
// lobeview-cli compare: the table as JSON and CSV, its FCC margins, and its exit codes.
#include "TestUtils.h"

#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <gtest/gtest.h>

namespace {

testutils::CliResult compareCli(QStringList args) {
    args.prepend(QStringLiteral("compare"));
    return testutils::runCli(args);
}

// One-sided, 0 to 90 degrees.
const char OneSided[] = "MODNUM:,AAA\nPATNUM:,111\nLOWFRQ:,5925\nHGHFRQ:,6425\n"
                        "POLARI:,H/H\nNUPOIN:,3\n0,0,\n10,-30,\n90,-50,\n"
                        "POLARI:,V/V\nNUPOIN:,3\n0,0,\n10,-20,\n90,-60,\nENDFIL:,EOF\n";
// Two-sided in another band; near the beam its left side is the higher one.
const char TwoSided[] = "MODNUM:,BBB\nPATNUM:,222\nFEDORN:,RIGHT\nLOWFRQ:,6425\nHGHFRQ:,7125\n"
                        "POLARI:,H/H\nNUPOIN:,5\n-180,-60,\n-10,-26,\n0,0,\n10,-32,\n180,-66,\n"
                        "POLARI:,V/V\nNUPOIN:,3\n-100,-50,\n0,0,\n100,-60,\nENDFIL:,EOF\n";

struct Files {
    testutils::Sandbox box;
    QString a, b;
    Files() {
        box.write(QStringLiteral("a.adf"), OneSided);
        box.write(QStringLiteral("b.adf"), TwoSided);
        a = box.path(QStringLiteral("a.adf"));
        b = box.path(QStringLiteral("b.adf"));
    }
};

} // namespace

TEST(CompareCommand, Json) {
    Files f;
    const auto r = compareCli({f.a, f.b, QStringLiteral("--angles"), QStringLiteral("10 5,95"),
                               QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject doc = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(doc[QStringLiteral("cut")].toString(), QStringLiteral("H/H"));
    EXPECT_EQ(doc[QStringLiteral("angles")].toArray(), (QJsonArray{5, 10, 95}));
    const QJsonArray antennas = doc[QStringLiteral("antennas")].toArray();
    ASSERT_EQ(antennas.size(), 2);
    struct Expected {
        const char* file;
        bool bandDiffers;
        QJsonValue levels[3];
        bool best[3];
    };
    const Expected expected[] = {
        {"a.adf", false, {-15, -30, QJsonValue::Null}, {true, true, false}},
        // 5 degrees: -16 on the right, -13 on the left; 95: -49 and -43.
        {"b.adf", true, {-13, -26, -43}, {false, false, true}},
    };
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const QJsonObject a = antennas[i].toObject();
        EXPECT_EQ(a[QStringLiteral("index")].toInt(), i + 1);
        EXPECT_EQ(a[QStringLiteral("file")].toString(), QLatin1String(expected[i].file));
        EXPECT_EQ(a[QStringLiteral("bandDiffers")].toBool(), expected[i].bandDiffers);
        const QJsonArray levels = a[QStringLiteral("levels")].toArray();
        ASSERT_EQ(levels.size(), 3);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(levels[k].toObject()[QStringLiteral("levelDb")], expected[i].levels[k]) << k;
            EXPECT_EQ(levels[k].toObject()[QStringLiteral("best")].toBool(), expected[i].best[k])
                << k;
        }
    }
}

TEST(CompareCommand, CsvOfTheWorstCoPolar) {
    Files f;
    const auto r = compareCli({f.a, f.b, QStringLiteral("--cut"), QStringLiteral("copolar"),
                               QStringLiteral("--angles"), QStringLiteral("5,10,95"),
                               QStringLiteral("--csv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_EQ(lines.size(), 4) << r.out.toStdString();
    EXPECT_EQ(lines[0].toStdString(), "index,model,rpe,file,band_ghz,band_differs,cut,deg_5,deg_10,"
                                      "deg_95,fcc_a,fcc_a_margin_db,fcc_b,fcc_b_margin_db");
    // The higher of H/H and V/V on either side; nothing beyond the one-sided range.
    EXPECT_TRUE(
        lines[1].startsWith("1,AAA,111,a.adf,5.925-6.425,no,worst co-polar,-10.00,-20.00,,"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("2,BBB,222,b.adf,6.425-7.125,yes,worst co-polar,-2.50,-5.00,"
                                    "-43.00,"))
        << lines[2].toStdString();
    EXPECT_TRUE(lines[3].isEmpty());
}

TEST(CompareCommand, FccMarginsOfTheSamples) {
    const auto r =
        compareCli({testutils::samplePath(QStringLiteral("ZZX10-60L.adf")),
                    testutils::samplePath(QStringLiteral("ZZX10-60U.adf")),
                    QStringLiteral("--angles"), QStringLiteral("5"), QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray antennas =
        QJsonDocument::fromJson(r.out).object()[QStringLiteral("antennas")].toArray();
    ASSERT_EQ(antennas.size(), 2);
    const double margins[2][2] = {{2.5, 6.5}, {3, 7}};
    for (int i = 0; i < 2; ++i) {
        const QJsonObject fcc = antennas[i].toObject()[QStringLiteral("fcc")].toObject();
        for (int c = 0; c < 2; ++c) {
            const QJsonObject cat = fcc[c ? QStringLiteral("B") : QStringLiteral("A")].toObject();
            SCOPED_TRACE(i * 10 + c);
            EXPECT_EQ(cat[QStringLiteral("result")].toString(), QStringLiteral("pass"));
            EXPECT_DOUBLE_EQ(cat[QStringLiteral("worstMarginDb")].toDouble(), margins[i][c]);
            EXPECT_EQ(cat[QStringLiteral("best")].toBool(), i == 1);
        }
    }
    // The text marks the same cells.
    const auto text = compareCli({testutils::samplePath(QStringLiteral("ZZX10-60L.adf")),
                                  testutils::samplePath(QStringLiteral("ZZX10-60U.adf"))});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains("pass 3.00*")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("6.425-7.125 (band differs)"));
}

TEST(CompareCommand, Refusals) {
    Files f;
    QStringList nine;
    for (int i = 0; i < 9; ++i)
        nine << f.a;
    struct Case {
        QStringList args;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {{f.a}, 2, "give at least 2 data files"},
        {nine, 2, "at most 8 data files"},
        {{f.a, f.b, QStringLiteral("--cut"), QStringLiteral("xx")}, 2, "--cut takes"},
        {{f.a, f.b, QStringLiteral("--cut")}, 2, "--cut takes"},
        {{f.a, f.b, QStringLiteral("--angles"), QStringLiteral("5,200")},
         2,
         "--angles: 200 is not between 0 and 180 degrees"},
        {{f.a, f.b, QStringLiteral("--json"), QStringLiteral("--csv")}, 2, "exclude each other"},
        {{f.a, f.b, QStringLiteral("-o"), f.box.path(QStringLiteral("out.txt"))},
         2,
         "-o writes .png, .svg or .pdf"},
        {{f.a, f.b, QStringLiteral("--bogus")}, 2, "unknown option --bogus"},
        {{f.a, f.box.path(QStringLiteral("missing.adf"))}, 1, "missing.adf: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const auto r = compareCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}
