// SPDX-License-Identifier: MIT
// lobeview-cli level: levels at angles and as a table, in text and JSON, and its exit codes.
#include "TestUtils.h"

#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <gtest/gtest.h>

namespace {

testutils::CliResult level(QStringList args) {
    args.prepend(QStringLiteral("level"));
    return testutils::runCli(args);
}

// One-sided, H/H with a vertical step at 10 degrees, V/V shorter than H/H.
const char StepFile[] = "MODNUM:,ZZ2-240\nLOWFRQ:,24250\nHGHFRQ:,25250\nPOLARI:,H/H\nNUPOIN:,5\n"
                        "0,0,\n5,-30,\n10,-24,\n10,-45,\n180,-70,\nPOLARI:,V/V\nNUPOIN:,3\n"
                        "0,0,\n4,-20,\n90,-50,\nENDFIL:,EOF\n";

} // namespace

TEST(LevelCommand, LevelsAtAngles) {
    testutils::Sandbox box;
    box.write(QStringLiteral("step.adf"), StepFile);
    const QString file = box.path(QStringLiteral("step.adf"));
    auto r = level({file, QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("100"),
                    QStringLiteral("-1")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), std::string("angle\tH/H\tV/V\n"
                                               "2\t-12.00\t-10.00\n"
                                               "10\t-24.00/-45.00\t-22.09\n"
                                               "100\t-58.24\toutside\n"
                                               "-1\toutside\toutside\n"));

    r = level({file, QStringLiteral("10"), QStringLiteral("--cut"), QStringLiteral("HH")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.toStdString(), std::string("angle\tH/H\n10\t-24.00/-45.00\n"));

    // The sample's V/V on the left side of a two-sided antenna, between -10 (-38.5) and -9 (-37.5).
    r = level({testutils::samplePath(QStringLiteral("ZZX10-60L.adf")), QStringLiteral("-9.5"),
               QStringLiteral("--cut"), QStringLiteral("vv")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.toStdString(), std::string("angle\tV/V\n-9.5\t-38.00\n"))
        << r.out.toStdString();
}

TEST(LevelCommand, Table) {
    testutils::Sandbox box;
    box.write(QStringLiteral("step.adf"), StepFile);
    const QString file = box.path(QStringLiteral("step.adf"));
    auto r = level({file, QStringLiteral("--table"), QStringLiteral("45")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), std::string("angle\tH/H\tV/V\n"
                                               "0\t0.00\t0.00\n"
                                               "45\t-50.15\t-34.30\n"
                                               "90\t-56.76\t-50.00\n"
                                               "135\t-63.38\toutside\n"
                                               "180\t-70.00\toutside\n"))
        << r.out.toStdString();
    // A tenth of a degree lands on the points: 10 is the step's row.
    r = level({file, QStringLiteral("--table"), QStringLiteral("0.1"), QStringLiteral("--cut"),
               QStringLiteral("hh")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.count('\n'), 1 + 1801);
    EXPECT_TRUE(r.out.contains("\n10\t-24.00/-45.00\n"));
    EXPECT_TRUE(r.out.contains("\n0.3\t-1.80\n"));
    // 7 x 0.1 is not 0.7 in binary; the row is still the point's.
    box.write(QStringLiteral("short.adf"),
              "MODNUM:,S\nPOLARI:,H/H\nNUPOIN:,3\n0,0,\n0.7,-10,\n0.7,-20,\n");
    r = level(
        {box.path(QStringLiteral("short.adf")), QStringLiteral("--table"), QStringLiteral("0.1")});
    EXPECT_TRUE(r.out.endsWith("\n0.6\t-8.57\n0.7\t-10.00/-20.00\n")) << r.out.toStdString();
}

TEST(LevelCommand, Json) {
    testutils::Sandbox box;
    box.write(QStringLiteral("step.adf"), StepFile);
    const auto r = level({box.path(QStringLiteral("step.adf")), QStringLiteral("10"),
                          QStringLiteral("100"), QStringLiteral("--json")});
    EXPECT_EQ(r.exitCode, 0);
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(o[QStringLiteral("file")].toString(), QStringLiteral("step.adf"));
    EXPECT_FALSE(o[QStringLiteral("twoSided")].toBool());
    const QJsonArray cuts = o[QStringLiteral("cuts")].toArray();
    ASSERT_EQ(cuts.size(), 2);
    const QJsonObject hh = cuts[0].toObject();
    EXPECT_EQ(hh[QStringLiteral("cut")].toString(), QStringLiteral("H/H"));
    EXPECT_EQ(hh[QStringLiteral("from")].toDouble(), 0);
    EXPECT_EQ(hh[QStringLiteral("to")].toDouble(), 180);
    const QJsonObject step = hh[QStringLiteral("levels")].toArray()[0].toObject();
    EXPECT_EQ(step[QStringLiteral("angle")].toDouble(), 10);
    EXPECT_FALSE(step[QStringLiteral("outside")].toBool());
    EXPECT_EQ(step[QStringLiteral("levels")].toArray(), (QJsonArray{-24, -45}));
    const QJsonObject vv = cuts[1].toObject();
    EXPECT_EQ(vv[QStringLiteral("to")].toDouble(), 90);
    const QJsonObject off = vv[QStringLiteral("levels")].toArray()[1].toObject();
    EXPECT_TRUE(off[QStringLiteral("outside")].toBool());
    EXPECT_TRUE(off[QStringLiteral("levels")].toArray().isEmpty());
}

TEST(LevelCommand, ExitCodes) {
    testutils::Sandbox box;
    box.write(QStringLiteral("step.adf"), StepFile);
    const QString file = box.path(QStringLiteral("step.adf"));
    struct Case {
        QStringList args;
        int exitCode;
        const char* err;
    };
    const Case cases[] = {
        {{file}, 2, "lobeview-cli level: no angle\n"},
        {{}, 2, "lobeview-cli level: no data file\n"},
        {{file, QStringLiteral("ten")}, 2, "lobeview-cli level: 'ten' is not an angle\n"},
        {{file, QStringLiteral("5"), QStringLiteral("--cut"), QStringLiteral("xx")},
         2,
         "lobeview-cli level: --cut takes hh, vv, hv or vh\n"},
        {{file, QStringLiteral("--table"), QStringLiteral("0")},
         2,
         "lobeview-cli level: --table takes a step in degrees above 0\n"},
        {{file, QStringLiteral("--table"), QStringLiteral("1"), QStringLiteral("5")},
         2,
         "lobeview-cli level: give angles or --table, not both\n"},
        {{file, QStringLiteral("5"), QStringLiteral("--frobnicate")},
         2,
         "lobeview-cli level: unknown option --frobnicate\n"},
        {{file, QStringLiteral("5"), QStringLiteral("--cut"), QStringLiteral("hv")},
         1,
         "step.adf: the file has no H/V cut\n"},
        {{box.path(QStringLiteral("none.adf")), QStringLiteral("5")},
         1,
         "none.adf: File was not found\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const auto r = level(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.startsWith(c.err)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}
