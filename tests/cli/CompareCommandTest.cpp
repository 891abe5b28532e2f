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
    EXPECT_EQ(doc[QStringLiteral("antennas")].toArray().size(), 2);
    // Best levels flagged, null beyond the one-sided range; the two-sided antenna gives its
    // higher side (5 degrees: -16 on the right, -13 on the left; 95: -49 and -43).
    EXPECT_TRUE(r.out.contains(R"("bandDiffers": false,
   "levels": [{"angle": 5, "levelDb": -15, "best": true}, {"angle": 10, "levelDb": -30, "best": true}, {"angle": 95, "levelDb": null, "best": false}])"))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(R"("bandDiffers": true,
   "levels": [{"angle": 5, "levelDb": -13, "best": false}, {"angle": 10, "levelDb": -26, "best": false}, {"angle": 95, "levelDb": -43, "best": true}])"));
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
    EXPECT_TRUE(r.err.isEmpty());

    // A cut an antenna lacks: its row is outside throughout, and a note says why.
    const auto hv = compareCli({f.a, f.b, QStringLiteral("--cut"), QStringLiteral("hv")});
    EXPECT_EQ(hv.exitCode, 0);
    EXPECT_EQ(hv.err, "a.adf: the file has no H/V cut\nb.adf: the file has no H/V cut\n");
}

TEST(CompareCommand, FccMarginsOfTheSamples) {
    const auto r =
        compareCli({testutils::samplePath(QStringLiteral("ZZX10-60L.adf")),
                    testutils::samplePath(QStringLiteral("ZZX10-60U.adf")),
                    testutils::samplePath(QStringLiteral("ZZ6-77A.adf")),
                    QStringLiteral("--angles"), QStringLiteral("5"), QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray antennas =
        QJsonDocument::fromJson(r.out).object()[QStringLiteral("antennas")].toArray();
    ASSERT_EQ(antennas.size(), 3);
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
    // The FCC table has no row for an 8 GHz band: nothing to meet, rather than too little data.
    const QJsonObject none =
        antennas[2].toObject()[QStringLiteral("fcc")].toObject()[QStringLiteral("A")].toObject();
    EXPECT_EQ(none[QStringLiteral("result")].toString(), QStringLiteral("no standard"));
    EXPECT_TRUE(none[QStringLiteral("worstMarginDb")].isNull());
    // The text marks the same cells.
    const auto text = compareCli({testutils::samplePath(QStringLiteral("ZZX10-60L.adf")),
                                  testutils::samplePath(QStringLiteral("ZZX10-60U.adf")),
                                  testutils::samplePath(QStringLiteral("ZZ6-77A.adf"))});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains("pass 3.00*")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("6.425-7.125 (band differs)"));
    EXPECT_TRUE(text.out.contains("no standard   no standard\n"));
}

TEST(CompareCommand, WritesThePage) {
    Files f;
    const std::pair<const char*, QByteArray> formats[] = {
        {"page.png", "\x89PNG"}, {"page.svg", "<?xml"}, {"page.pdf", "%PDF"}};
    for (const auto& [name, magic] : formats) {
        SCOPED_TRACE(name);
        const QString out = f.box.path(QLatin1String(name));
        const auto r = compareCli({f.a, f.b, QStringLiteral("--csv"), QStringLiteral("-o"), out});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith("index,model,")); // the table still goes to standard output
        EXPECT_TRUE(testutils::readFile(out).startsWith(magic));
    }
    const auto r =
        compareCli({f.a, f.b, QStringLiteral("-o"), f.box.path(QStringLiteral("no/page.png"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("page.png")) << r.err.toStdString();
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
