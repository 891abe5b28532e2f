// SPDX-License-Identifier: MIT
// The batch tool on the sample catalogue and on files written by other tools.
#include "TestUtils.h"
#include "adf/PatternReader.h"
#include "catalogue/IndexRefresh.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QProcess>
#include <QtCore/QProcessEnvironment>
#include <QtGui/QImage>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

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
    ASSERT_GE(files.size(), 17);
    for (const QString& file : files) {
        const auto r = testutils::runCli({QStringLiteral("show"), file, QStringLiteral("--json")});
        if (file.contains(QStringLiteral("bruce-lee"))) {
            // Its minus signs are U+2010: reported with the conversion message, nothing printed.
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_EQ(r.err, QFileInfo(file).fileName().toUtf8() +
                                 ": '\xe2\x80\x90"
                                 "179' is not a valid floating point value\n");
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
        // The index record the rebuild makes of the file, field by field.
        const QJsonObject record = json[QStringLiteral("record")].toObject();
        const auto text = [&](const char* key) {
            return record[QLatin1String(key)].toString().toLatin1();
        };
        // The record's numbers as JSON numbers, null where the header gave none.
        const auto number = [&](const char* key, const QByteArray& stored) {
            const QJsonValue v = record[QLatin1String(key)];
            if (stored.trimmed().isEmpty())
                EXPECT_TRUE(v.isNull()) << key << ' ' << file.toStdString();
            else
                EXPECT_TRUE(v.isDouble() && v.toDouble() == stored.trimmed().toDouble())
                    << key << ' ' << file.toStdString();
        };
        EXPECT_EQ(record.size(), 15);
        EXPECT_EQ(text("fileName"), header.fileName());
        EXPECT_EQ(text("modelNumber"), header.modelNumber());
        EXPECT_EQ(text("series"), header.series());
        EXPECT_EQ(text("size"), header.size());
        EXPECT_EQ(text("polarization"), header.polarization());
        EXPECT_EQ(text("date"), header.date());
        EXPECT_EQ(text("rpeNumber"), header.rpeNumber());
        EXPECT_EQ(record[QStringLiteral("lowFrequency")].toDouble(), header.lowFrequency());
        EXPECT_EQ(record[QStringLiteral("highFrequency")].toDouble(), header.highFrequency());
        // Without the blanks that pad it in the index, where it sorts by them.
        EXPECT_EQ(text("frequencyRange"), header.frequencyRange().trimmed());
        number("midFrequency", header.midFrequency());
        number("gain", header.gain());
        EXPECT_EQ(text("feedOrientation"), header.feedOrientation());
        EXPECT_EQ(text("description1"), header.description1());
        EXPECT_EQ(text("description2"), header.description2());
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
    EXPECT_EQ(r.err, "such.adf: File was not found\n");
}

TEST(Cli, ShowWithoutARecordAndFilesThatAreNotData) {
    testutils::Sandbox box;
    // A header the index would refuse still shows its pattern, and says why there is no record.
    box.write(QStringLiteral("baddate.adf"), "DTDATA:,20031305\nPOLARI:,H/H\nNUPOIN:,1\n0,0,\n");
    auto r = testutils::runCli({QStringLiteral("show"), box.path(QStringLiteral("baddate.adf")),
                                QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(
        r.out.endsWith("\"record\": null, \"recordError\": \"'20031305' is not a valid date\"}\n"));

    // Text or noise that is no data file at all.
    box.write(QStringLiteral("notes.adf"), "Dear reader,\nthese are notes.\n");
    box.write(QStringLiteral("x.adf"), QByteArray("\x00\x01\xff\x7f", 4).repeated(100));
    for (const QString& name : {QStringLiteral("notes.adf"), QStringLiteral("x.adf")}) {
        r = testutils::runCli({QStringLiteral("show"), box.path(name)});
        EXPECT_EQ(r.exitCode, 1) << name.toStdString();
        EXPECT_EQ(r.err, name.toUtf8() + ": not an NSMA data file\n");
        EXPECT_TRUE(r.out.isEmpty());
        r = testutils::runCli({QStringLiteral("screen"), box.path(name), QStringLiteral("-o"),
                               box.path(QStringLiteral("x.png"))});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.endsWith(": not an NSMA data file\n")) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(box.path(QStringLiteral("x.png"))));
    }

    // The summary shows texts as written: UTF-8 here.
    box.write(QStringLiteral("utf8.adf"),
              "MODNUM:,A1\nPOLARI:,V/V \xe2\x80\x90 UHP\nNUPOIN:,1\n0,0,\n");
    r = testutils::runCli({QStringLiteral("show"), box.path(QStringLiteral("utf8.adf"))});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("(\"V/V \xe2\x80\x90 UHP\")")) << r.out.toStdString();
}

TEST(Cli, IndexListAndScreen) {
    testutils::Sandbox box;
    const QString index = box.path(QStringLiteral("FileIndx.dat"));
    auto r = testutils::runCli(
        {QStringLiteral("index"), testutils::samplePath(), QStringLiteral("-o"), index});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("17 records written to "));
    EXPECT_EQ(QFileInfo(index).size(), 17 * 380);
    r = testutils::runCli({QStringLiteral("list"), index});
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 18);
    EXPECT_EQ(
        lines[0],
        "FileName,ModNum,Ser,Sz,Polar,Date,RPE#,LowFreq,HighFreq,FreqRange,MidF,Gain,Feed,Rev.");

    // Files from other tools: indexed, long names reported as cut, the three that share their
    // first 15 characters together.
    r = testutils::runCli({QStringLiteral("index"), testutils::dataPath(QStringLiteral("real-adf")),
                           QStringLiteral("-o"), index});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("4 records written to "));
    EXPECT_TRUE(
        r.out.endsWith("\nname cut to 15 characters: bruce-lee-of-php__Antenna-Prop__example.adf\n"
                       "names cut to the same 15 characters: "
                       "Cloud-RF__msi2adf__TQJ-8010-9011DT0_0791_CO_P45_00T.msi.adf, "
                       "Cloud-RF__msi2adf__TQJ-8010-9011DT0_0862_CO_P45_00T.msi.adf, "
                       "Cloud-RF__msi2adf__TQJ-8010-9011DT0_826.5_CO_P45_00T.msi.adf\n"))
        << r.out.toStdString();
    r = testutils::runCli({QStringLiteral("list"), index});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains(
        "\nCloud-RF__msi2a,TQJ-8010-9011DT0,TQJ,,Single,\"19 April 2023\",,0.727,0.927,\" "
        "0.727-0.927\",0.827,10.0,,826.5MHz\n"))
        << r.out.toStdString();
    // Texts as written: the model number's U+2010 is UTF-8 in the file and in the listing.
    EXPECT_TRUE(r.out.contains("\nbruce-lee-of-ph,OA20\xe2\x80\x90"
                               "67\xe2\x80\x90"
                               "DIN,OA,20,"))
        << r.out.toStdString();

    // Some files skipped: the index is written, and the exit status says so.
    box.write(QStringLiteral("mixed/good.adf"),
              testutils::readFile(testutils::samplePath(QStringLiteral("ZZ8-107.adf"))));
    box.write(QStringLiteral("mixed/x.adf"), QByteArray("\x00\x01\xff", 3).repeated(50));
    r = testutils::runCli(
        {QStringLiteral("index"), box.path(QStringLiteral("mixed")), QStringLiteral("-o"), index});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.endsWith("\nskipped x.adf: not an NSMA data file\n")) << r.out.toStdString();
    EXPECT_EQ(QFileInfo(index).size(), 380);
    r = testutils::runCli({QStringLiteral("--help")});
    EXPECT_TRUE(r.out.contains("  3  index: the index was written, but some files were skipped"));

    // Anything that is not an index is refused, never listed.
    for (const QByteArray& bytes :
         {testutils::readFile(testutils::samplePath(QStringLiteral("ZZ8-107.adf"))),
          QByteArray(380, 'M'), QByteArray(381, '\0'), QByteArray(760, '\x05')}) {
        box.write(QStringLiteral("not-index.dat"), bytes);
        r = testutils::runCli({QStringLiteral("list"), box.path(QStringLiteral("not-index.dat"))});
        EXPECT_EQ(r.exitCode, 1) << bytes.size();
        EXPECT_TRUE(r.err.endsWith("not-index.dat: not an index file\n")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    box.write(QStringLiteral("empty.dat"), {});
    r = testutils::runCli({QStringLiteral("list"), box.path(QStringLiteral("empty.dat"))});
    EXPECT_EQ(r.exitCode, 0);

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
    EXPECT_TRUE(testutils::readFile(png).startsWith("\x89PNG"));
}

TEST(Cli, ScreenWritesTheFormatItsNameSaysAndKeepsStderrClean) {
    testutils::Sandbox box;
    const QString adf = testutils::samplePath(QStringLiteral("ZZ8-107.adf"));
    // No runtime folder, and one open to others: Qt would warn about either.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    QDir().mkpath(box.path(QStringLiteral("open-runtime")));
    QFile::setPermissions(box.path(QStringLiteral("open-runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadOther | QFileDevice::ExeOther);
    QProcessEnvironment open = env;
    open.insert(QStringLiteral("XDG_RUNTIME_DIR"), box.path(QStringLiteral("open-runtime")));

    const QString gif = box.path(QStringLiteral("chart.GIF"));
    auto r = testutils::runCli({QStringLiteral("screen"), adf, QStringLiteral("-o"), gif}, {}, env);
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(testutils::readFile(gif).startsWith("GIF87a"));
    EXPECT_EQ(QImage(gif).size(), QSize(960, 400));
    const QString png = box.path(QStringLiteral("chart.png"));
    r = testutils::runCli({QStringLiteral("screen"), adf, QStringLiteral("-o"), png}, {}, open);
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(testutils::readFile(png).startsWith("\x89PNG\r\n"));

    // Other names are refused before anything is drawn or written.
    for (const char* name : {"chart.jpg", "chart.jpeg", "chart", "chart.png.txt"}) {
        const QString out = box.path(QLatin1String(name));
        r = testutils::runCli({QStringLiteral("screen"), adf, QStringLiteral("-o"), out}, {}, env);
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_TRUE(r.err.contains("the chart is written as .png or .gif")) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out)) << name;
    }
}

TEST(Cli, ErrorLinesNameTheFile) {
    testutils::Sandbox box;
    box.write(QStringLiteral("notes.adf"), "Dear reader,\nthese are notes.\n");
    const std::pair<QString, QByteArray> files[] = {
        {box.path(QStringLiteral("gone.adf")), "gone.adf: File was not found\n"},
        {box.path(QStringLiteral("notes.adf")), "notes.adf: not an NSMA data file\n"},
    };
    for (const char* command :
         {"show FILE", "screen FILE -o OUT.png", "export FILE --page chart -o OUT.png",
          "export FILE --page data --format svg -o OUT.svg", "print FILE", "check FILE"}) {
        for (const auto& [file, error] : files) {
            QStringList args = QString::fromLatin1(command).split(u' ');
            for (QString& arg : args)
                arg = arg == QStringLiteral("FILE") ? file
                      : arg.startsWith(QStringLiteral("OUT."))
                          ? box.path(QStringLiteral("out")) + arg.mid(3)
                          : arg;
            const auto r = testutils::runCli(args);
            EXPECT_EQ(r.exitCode, args[0] == QStringLiteral("check") ? 2 : 1) << command;
            EXPECT_EQ(r.err, error) << command;
        }
    }
    EXPECT_EQ(QDir(box.path()).entryList(QDir::Files).size(), 1); // notes.adf alone
}

namespace {

// Runs the batch tool in a folder with arguments given as bytes: the shell's printf makes each
// one, so bytes that are not UTF-8 reach the program as they are.
testutils::CliResult runCliBytes(const QList<QByteArray>& args, const QString& dir) {
    QString script = QStringLiteral("exec \"$0\"");
    for (const QByteArray& arg : args) {
        script += QStringLiteral(" \"$(printf '");
        for (const char c : arg)
            script += QStringLiteral("\\%1").arg(uint(uchar(c)), 3, 8, QLatin1Char('0'));
        script += QStringLiteral("')\"");
    }
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, testutils::cliPath()});
    p.waitForFinished(600000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

// The names in a folder as the file system holds them.
std::set<std::string> namesIn(const QString& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.toStdString()))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(Cli, FileNamesAreUsedByteForByte) {
    testutils::Sandbox box;
    const std::string dir = box.path().toStdString() + '/';
    const QByteArray adf = QFile::encodeName(testutils::samplePath(QStringLiteral("ZZ8-107.adf")));
    std::filesystem::copy_file(adf.toStdString(), dir + "\xc3\xa9t\xc3\xa9.adf");
    std::filesystem::copy_file(adf.toStdString(), dir + "\xe9t\xe9.adf");
    // UTF-8 names are written and read under their own bytes.
    auto r = runCliBytes({"screen", "\xc3\xa9t\xc3\xa9.adf", "-o", "caf\xc3\xa9.png"}, box.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Latin-1 names are not valid UTF-8: refused, their bytes shown, nothing read or written.
    r = runCliBytes({"screen", adf, "-o", "caf\xe9.png"}, box.path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "lobeview-cli screen: the file name \"caf\\xE9.png\" given to -o is not valid "
                     "in the file system's encoding (UTF-8) and cannot be used as given\n");
    r = runCliBytes({"check", "\xe9t\xe9.adf"}, box.path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "lobeview-cli check: the file name \"\\xE9t\\xE9.adf\" is not valid in the "
                     "file system's encoding (UTF-8) and cannot be used as given\n");
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(namesIn(box.path()),
              (std::set<std::string>{"\xc3\xa9t\xc3\xa9.adf", "\xe9t\xe9.adf", "caf\xc3\xa9.png"}));
}
