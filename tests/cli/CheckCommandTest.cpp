// SPDX-License-Identifier: MIT
// lobeview-cli check: exit codes, text and JSON results, and the catalogue report on the sample
// catalogue, whose expected results were worked out by hand for QS8-59 and ZZX10-60L.
#include "TestUtils.h"
#include "compliance/Compliance.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <gtest/gtest.h>
#include <map>

namespace {

QString sample(const char* name) {
    return testutils::samplePath(QString::fromLatin1(name));
}

testutils::CliResult check(QStringList args) {
    args.prepend(QStringLiteral("check"));
    return testutils::runCli(args);
}

} // namespace

TEST(CheckCommand, ExitCodes) {
    auto r = check({sample("QU12-59.adf")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(
        "QU12-59.adf: 5925-6425 MHz band, mid 6175 MHz, two-sided; Category A: pass\n"))
        << r.out.toStdString();

    r = check({sample("QS8-59.adf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains("  A: fail, decided by suppression; worst margin -2.50 dB at 5 deg "
                               "(V/V)\n    gain/beamwidth: pass (gain 41.0 >= 38.0 dBi)\n"))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("  B: pass via B1\n"));
    EXPECT_EQ(
        check({sample("QS8-59.adf"), QStringLiteral("--category"), QStringLiteral("b")}).exitCode,
        0);
    EXPECT_EQ(check({sample("QU12-59.adf"), sample("QS8-59.adf")}).exitCode, 1);

    // Without a standard the file does not pass.
    r = check({sample("QS6-71.adf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "QS6-71.adf: no FCC 101.115 standard for this band (mid 7437.5 MHz)\n");

    // Errors: a file that cannot be read, bad arguments, a mask table that cannot be used.
    r = check({sample("QU12-59.adf"), QStringLiteral("/no/such.adf")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "such.adf: File was not found\n");
    EXPECT_EQ(check({}).exitCode, 2);
    EXPECT_EQ(check({sample("QU12-59.adf"), QStringLiteral("--frobnicate")}).exitCode, 2);
    EXPECT_EQ(check({sample("QU12-59.adf"), QStringLiteral("--category"), QStringLiteral("A B")})
                  .exitCode,
              2);
    testutils::Sandbox box;
    box.write(QStringLiteral("bad.csv"),
              "band_low_mhz,band_high_mhz,category,max_beamwidth_deg,min_gain_dbi,s_5_180\n"
              "5925,6425,A,2.2,38,25\n"
              "5925,6425,B,2.2,38,2O\n");
    r = check(
        {sample("QU12-59.adf"), QStringLiteral("--masks"), box.path(QStringLiteral("bad.csv"))});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "The mask table cannot be used: bad.csv, line 3: s_5_180 '2O' is not a number "
                     "of 0 or more\n");
    EXPECT_TRUE(r.out.isEmpty());

    // Another table of the same shape: one bin, 20 dB from 5 degrees on, which QS8-59 meets.
    box.write(QStringLiteral("mine.csv"),
              "band_low_mhz,band_high_mhz,category,max_beamwidth_deg,min_gain_dbi,s_5_180\n"
              "5925,6425,A,2.2,38,20\n");
    r = check(
        {sample("QS8-59.adf"), QStringLiteral("--masks"), box.path(QStringLiteral("mine.csv"))});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
}

TEST(CheckCommand, JsonResult) {
    const auto r = check({sample("QS8-59.adf"), sample("ZZ4-144.adf"), QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 1);
    QJsonParseError error;
    const QJsonArray files = QJsonDocument::fromJson(r.out, &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    ASSERT_EQ(files.size(), 2);

    const QJsonObject qs = files[0].toObject();
    EXPECT_EQ(qs[QStringLiteral("status")].toString(), QStringLiteral("checked"));
    EXPECT_EQ(qs[QStringLiteral("result")].toString(), QStringLiteral("fail"));
    EXPECT_EQ(qs[QStringLiteral("midFrequencyMHz")].toDouble(), 6175.0);
    EXPECT_EQ(qs[QStringLiteral("band")].toArray(), (QJsonArray{5925, 6425}));
    const QJsonArray categories = qs[QStringLiteral("categories")].toArray();
    ASSERT_EQ(categories.size(), 3);
    const QJsonObject a = categories[0].toObject();
    EXPECT_EQ(a[QStringLiteral("category")].toString(), QStringLiteral("A"));
    EXPECT_EQ(a[QStringLiteral("decidedBy")].toString(), QStringLiteral("suppression"));
    const QJsonObject gb = a[QStringLiteral("gainBeamwidth")].toObject();
    EXPECT_EQ(gb[QStringLiteral("lowestGainDbi")].toDouble(), 41.0);
    EXPECT_EQ(gb[QStringLiteral("largestBeamwidthDeg")].toDouble(), 1.4);
    const QJsonObject sup = a[QStringLiteral("suppression")].toObject();
    EXPECT_EQ(sup[QStringLiteral("worstMarginDb")].toDouble(), -2.5);
    EXPECT_EQ(sup[QStringLiteral("worstAngleDeg")].toDouble(), 5.0);
    EXPECT_EQ(sup[QStringLiteral("worstCut")].toString(), QStringLiteral("V/V"));
    EXPECT_EQ(sup[QStringLiteral("cuts")].toArray().size(), 4);
    const QJsonObject b = qs[QStringLiteral("groups")].toArray()[1].toObject();
    EXPECT_EQ(b[QStringLiteral("category")].toString(), QStringLiteral("B"));
    EXPECT_EQ(b[QStringLiteral("via")].toString(), QStringLiteral("B1"));

    const QJsonObject zz = files[1].toObject();
    EXPECT_EQ(zz[QStringLiteral("status")].toString(), QStringLiteral("no standard"));
    EXPECT_EQ(zz[QStringLiteral("message")].toString(),
              QStringLiteral("no FCC 101.115 standard for this band"));
    EXPECT_TRUE(zz[QStringLiteral("band")].isNull());
}

TEST(CheckCommand, SampleCatalogueReport) {
    testutils::Sandbox box;
    const QString report = box.path(QStringLiteral("report.csv"));
    const auto r = check(
        {QStringLiteral("--catalogue"), testutils::samplePath(), QStringLiteral("-o"), report});
    EXPECT_EQ(r.exitCode, 1); // some files fail or have no standard
    EXPECT_EQ(r.out, "17 files checked against FCC 101.115 Category A: 8 pass, 3 fail, 6 without "
                     "a standard or enough data, 0 skipped; report in " +
                         report.toUtf8() + "\n");

    // Category A and B per antenna. Worked out by hand: QS8-59 (its first side lobes, 23 and
    // 22.5 dB down at 5 degrees, miss A's 25 dB; B1's 21 dB holds everywhere) and ZZX10-60L (2.5
    // dB to spare at 5 degrees on H/H, its worst point; gain 42.7 >= 38 dBi).
    const std::map<QString, std::pair<QString, QString>> expected = {
        {QStringLiteral("QS1-212.adf"), {QStringLiteral("fail"), QStringLiteral("pass")}},
        {QStringLiteral("QS8-59.adf"), {QStringLiteral("fail"), QStringLiteral("pass")}},
        {QStringLiteral("QSX3-212.adf"), {QStringLiteral("pass"), QStringLiteral("pass")}},
        {QStringLiteral("QU10-64.adf"), {QStringLiteral("pass"), QStringLiteral("pass")}},
        {QStringLiteral("QU12-59.adf"), {QStringLiteral("pass"), QStringLiteral("pass")}},
        {QStringLiteral("QUX8-107.adf"), {QStringLiteral("pass"), QStringLiteral("pass")}},
        {QStringLiteral("ZZ2-177.adf"), {QStringLiteral("fail"), QStringLiteral("pass")}},
        {QStringLiteral("ZZ8-107.adf"), {QStringLiteral("pass"), QStringLiteral("pass")}},
        {QStringLiteral("ZZX10-60L.adf"), {QStringLiteral("pass"), QStringLiteral("pass")}},
        {QStringLiteral("ZZX10-60U.adf"), {QStringLiteral("pass"), QStringLiteral("pass")}},
        {QStringLiteral("ZZX6-127.adf"), {QStringLiteral("pass"), QStringLiteral("pass")}},
    };
    const QStringList noStandard = {QStringLiteral("QS2-370.adf"), QStringLiteral("QS6-71.adf"),
                                    QStringLiteral("ZZ10-71.adf"), QStringLiteral("ZZ4-144.adf"),
                                    QStringLiteral("ZZ6-77A.adf"), QStringLiteral("ZZ6-77B.adf")};

    const QList<QByteArray> lines = testutils::readFile(report).trimmed().split('\n');
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0], "file,model,band_mhz,mid_mhz,category,result,decided_by,gain_beamwidth,"
                        "suppression,worst_margin_db,worst_angle_deg,worst_cut,worst_bin_deg,"
                        "cross_polar_information,note");
    std::map<QString, std::map<QString, QString>> got;
    std::map<QString, QStringList> rows;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        // The gain text is quoted when it holds a comma; the columns used here come before it.
        const QList<QByteArray> cells = lines[i].split(',');
        ASSERT_GE(cells.size(), 12) << lines[i].toStdString();
        const QString file = QString::fromUtf8(cells[0]);
        got[file][QString::fromUtf8(cells[4])] = QString::fromUtf8(cells[5]);
        rows[file] << QString::fromUtf8(lines[i]);
    }
    EXPECT_EQ(got.size(), 17u);
    for (const auto& [file, verdicts] : expected) {
        EXPECT_EQ(got[file][QStringLiteral("A")], verdicts.first) << file.toStdString();
        EXPECT_EQ(got[file][QStringLiteral("B")], verdicts.second) << file.toStdString();
    }
    for (const QString& file : noStandard)
        EXPECT_EQ(got[file][QString()], QStringLiteral("no FCC 101.115 standard for this band"))
            << file.toStdString();
    // The two worked by hand, row for row.
    EXPECT_TRUE(rows[QStringLiteral("QS8-59.adf")].contains(
        QStringLiteral("QS8-59.adf,QS8-59,5925-6425,6175,A,fail,suppression,pass (gain 41.0 >= "
                       "38.0 dBi),fail,-2.50,5,V/V,5-10,\"H/V pass, 5.80 dB at 5 deg; V/H "
                       "pass, 5.80 dB at 5 deg\",")));
    EXPECT_TRUE(rows[QStringLiteral("QS8-59.adf")].contains(
        QStringLiteral("QS8-59.adf,QS8-59,5925-6425,6175,B2,fail,suppression,pass (gain 41.0 >= "
                       "32.0 dBi),fail,-4.80,100,V/V,100-140,\"H/V pass, 2.50 dB at 100 deg; "
                       "V/H pass, 2.00 dB at 100 deg\",")));
    EXPECT_TRUE(rows[QStringLiteral("ZZX10-60L.adf")].contains(
        QStringLiteral("ZZX10-60L.adf,ZZX10-60,5925-6425,6175,A,pass,gain and suppression,pass "
                       "(gain 42.7 >= 38.0 dBi),pass,2.50,5,H/H,5-10,\"H/V pass, 10.13 dB at 5 "
                       "deg; V/H pass, 10.38 dB at 5 deg\",")));
}

TEST(CheckCommand, CatalogueSkipsBadFilesLikeTheRebuild) {
    testutils::Sandbox box;
    QDir().mkpath(box.path(QStringLiteral("cat")));
    QFile::copy(sample("QU12-59.adf"), box.path(QStringLiteral("cat/QU12-59.adf")));
    box.write(QStringLiteral("cat/bad.adf"),
              "MODNUM:,BAD\nLOWFRQ:,5925\nHGHFRQ:,6425\nPOLARI:,H/H\nNUPOIN:,2\n0,0,\nx,-3,\n");
    box.write(QStringLiteral("cat/notes.txt"), "not a data file");
    box.write(QStringLiteral("cat/notes.adf"), "Dear reader,\nthese are notes.\n");
    const QString report = box.path(QStringLiteral("out/report.csv"));
    QDir().mkpath(box.path(QStringLiteral("out")));
    auto r = check({QStringLiteral("--catalogue"), box.path(QStringLiteral("cat")),
                    QStringLiteral("-o"), report});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("1 files checked against FCC 101.115 Category A: 1 pass, 0 fail, "
                                 "0 without a standard or enough data, 2 skipped;"));
    EXPECT_TRUE(r.out.endsWith("\nskipped bad.adf: 'x' is not a valid floating point value\n"
                               "skipped notes.adf: not an NSMA data file\n"))
        << r.out.toStdString();
    EXPECT_EQ(testutils::readFile(report).count('\n'), 1 + 4); // heading, A, B1, B2, B

    // A report that cannot be written is an error.
    const QString nowhere = box.path(QStringLiteral("missing/report.csv"));
    r = check({QStringLiteral("--catalogue"), box.path(QStringLiteral("cat")), QStringLiteral("-o"),
               nowhere});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Cannot create file " + nowhere.toUtf8() + "\n");

    r = check({QStringLiteral("--catalogue"), box.path(QStringLiteral("out")), QStringLiteral("-o"),
               box.path(QStringLiteral("r.csv"))});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "No NSMA data files were found in this directory\n");
    EXPECT_EQ(check({QStringLiteral("--catalogue"), box.path(QStringLiteral("cat"))}).exitCode, 2);
}

TEST(CheckCommand, ReportsShowNotesInformationCutsAndBinEnds) {
    // 24 GHz: H/H steps down at 10 degrees from 1 dB over Category A's 25 dB on 5-10; H/V lies
    // 50 dB down beyond 100 degrees, short of A's 55 and 60 dB.
    testutils::Sandbox box;
    box.write(QStringLiteral("cat/ZZ2-240.adf"),
              "MODNUM:,ZZ2-240\nLOWFRQ:,24250\nHGHFRQ:,25250\nMDGAIN:,40.0\nAZWIDT:,1.0\n"
              "ELWIDT:,1.0\nPOLARI:,H/H\nNUPOIN:,5\n0,0,\n5,-30,\n10,-24,\n10,-45,\n180,-70,\n"
              "POLARI:,H/V\nNUPOIN:,4\n0,-30,\n5,-45,\n100,-50,\n180,-50,\nENDFIL:,EOF\n");
    const QString file = box.path(QStringLiteral("cat/ZZ2-240.adf"));
    const QByteArray note = DemsNote;
    auto r = check({file});
    EXPECT_TRUE(r.out.startsWith(
        "ZZ2-240.adf: 24250-25250 MHz band, mid 24750 MHz, one-sided; Category A: fail\n  note: " +
        note +
        "\n  A: fail, decided by suppression; worst margin -1.00 dB at 10 deg, end of 5-10 (H/H)\n"
        "    gain/beamwidth: pass (gain 40.0 >= 38.0 dBi)\n"
        "    suppression H/H: fail, worst margin -1.00 dB at 10 deg, end of 5-10\n"
        "    suppression H/V (for information): fail, worst margin -10.00 dB at 140 deg\n"))
        << r.out.toStdString();

    r = check({file, QStringLiteral("--json")});
    const QJsonObject json = QJsonDocument::fromJson(r.out).array()[0].toObject();
    EXPECT_EQ(json[QStringLiteral("note")].toString(), QString::fromLatin1(note));
    const QJsonObject sup =
        json[QStringLiteral("categories")][0][QStringLiteral("suppression")].toObject();
    EXPECT_TRUE(sup[QStringLiteral("worstAtBinEnd")].toBool());
    EXPECT_TRUE(sup[QStringLiteral("cuts")][1][QStringLiteral("information")].toBool());

    const QString report = box.path(QStringLiteral("r.csv"));
    check({QStringLiteral("--catalogue"), box.path(QStringLiteral("cat")), QStringLiteral("-o"),
           report});
    EXPECT_TRUE(testutils::readFile(report).contains(
        "ZZ2-240.adf,ZZ2-240,24250-25250,24750,A,fail,suppression,pass (gain 40.0 >= 38.0 dBi),"
        "fail,-1.00,10,H/H,end of 5-10,\"H/V fail, -10.00 dB at 140 deg\",\"" +
        note + "\"\n"));
}
