// SPDX-License-Identifier: MIT
// Rebuilding the index from data file headers.
#include "catalogue/IndexRefresh.h"

#include "TestUtils.h"
#include "catalogue/IndexDump.h"
#include "catalogue/IndexFile.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray header(const QByteArray& model, const QByteArray& extra = {}) {
    return "REVNUM:,NSMA WG16.99.050\r\nANTMAN:,Quelda\r\nMODNUM:," + model +
           "\r\nPATNUM:,7421A\r\nDESCR1:,12 ft HP\r\nDESCR2:,High performance\r\n"
           "DTDATA:,20030405\r\nLOWFRQ:,10700\r\nHGHFRQ:,11700\r\nMDGAIN:,48.6\r\n" +
           extra + "POLARI:,H/H\r\nNUPOIN:,1\r\n0,0,\r\nENDFIL:,EOF\r\n";
}

QList<IndexRecord> readAll(const QString& path) {
    IndexFile f;
    QList<IndexRecord> out;
    if (!f.open(path))
        return out;
    IndexRecord r;
    while (f.readNext(r))
        out << r;
    return out;
}

IndexRecord recordOf(const QByteArray& text) {
    testutils::Sandbox box;
    box.write(QStringLiteral("a.adf"), text);
    IndexRecord r;
    const auto error = BuildRecordFromFile(box.path(QStringLiteral("a.adf")), r);
    EXPECT_FALSE(error) << error.value_or(QString()).toStdString();
    return r;
}

} // namespace

TEST(IndexRefresh, HeaderFieldsAreDerivedAsStored) {
    IndexRecord r = recordOf(header("zzx12-65", "FEDORN:,RIGHT\r\n"));
    EXPECT_EQ(r.fileName(), "a.adf");
    EXPECT_EQ(r.modelNumber(), "ZZX12-65");
    EXPECT_EQ(r.series(), "ZZX");
    EXPECT_EQ(r.size(), "12");
    EXPECT_EQ(r.polarization(), "Dual");
    EXPECT_EQ(r.date(), "05 April 2003");
    EXPECT_EQ(r.rpeNumber(), "7421A");
    EXPECT_EQ(r.lowFrequency(), 10.7); // exactly the double nearest 10.7
    EXPECT_EQ(r.highFrequency(), 11.7);
    EXPECT_EQ(r.frequencyRange(), "10.700-11.700");
    EXPECT_EQ(r.midFrequency(), "11.200");
    EXPECT_EQ(r.gain(), "48.6");
    EXPECT_EQ(r.feedOrientation(), "RIGHT");
    EXPECT_EQ(r.description1(), "12 ft HP");

    r = recordOf("MODNUM:,ZZ8-107\nLOWFRQ:,5925\nHGHFRQ:,6425\nMDGAIN:,38.46 dBi\n"
                 "DTDATA:,null\nNUPOIN:,1\nFEDORN:,LEFT\n");
    EXPECT_EQ(r.series(), "ZZ");
    EXPECT_EQ(r.size(), "8");
    EXPECT_EQ(r.polarization(), "Single");
    EXPECT_EQ(r.frequencyRange(), " 5.925-6.425");
    EXPECT_EQ(r.midFrequency(), "6.175");
    EXPECT_EQ(r.gain(), "38.5");
    EXPECT_EQ(r.date(), "null");
    EXPECT_EQ(r.feedOrientation(), ""); // after NUPOIN: not header any more

    r = recordOf("MODNUM:,PANEL\nMDGAIN:,41\nNUPOIN:,1\n");
    EXPECT_EQ(r.series(), "PANEL");
    EXPECT_EQ(r.size(), "");
    EXPECT_EQ(r.gain(), "41.0");
    r = recordOf("MODNUM:,ZZ-8\nNUPOIN:,1\n");
    EXPECT_EQ(r.series(), "ZZ");
    EXPECT_EQ(r.size(), "");
    EXPECT_EQ(FrequencyRangeLabel(0.4, 0.52), QByteArray(" 0.400-0.520"));
    // Numbers written ".5" or "5." as other tools write them.
    r = recordOf("LOWFRQ:,5925.\nHGHFRQ:,.6425e4\nMDGAIN:,.55 dBi\nNUPOIN:,1\n");
    EXPECT_EQ(r.frequencyRange(), " 5.925-6.425");
    EXPECT_EQ(r.gain(), "0.6");
    EXPECT_EQ(FrequencyRangeLabel(37, 39.5), QByteArray("37.000-39.500"));
}

TEST(IndexRefresh, BadFilesAreSkippedAndReportedWhileGoodOnesAreIndexed) {
    testutils::Sandbox box;
    box.write(QStringLiteral("data/a-good.adf"), header("ZZ8-107"));
    box.write(QStringLiteral("data/badfreq.adf"), "MODNUM:,ZZ1\nLOWFRQ:,ten\nNUPOIN:,1\n");
    box.write(QStringLiteral("data/badgain.ADF"), "MODNUM:,ZZ2\nMDGAIN:,\nNUPOIN:,1\n");
    box.write(QStringLiteral("data/baddate.adf"), "MODNUM:,ZZ3\nDTDATA:,20031305\nNUPOIN:,1\n");
    box.write(QStringLiteral("data/z-nokeys.adf"), "MODNUM:,ZZ4\n");
    box.write(QStringLiteral("data/.hidden.adf"), header("HIDDEN"));
    box.write(QStringLiteral("data/notes.txt"), header("NOTES"));
    box.write(QStringLiteral("data/ZZX12-65-LONGNAME.adf"), header("ZZX12-65"));
    QDir(box.path(QStringLiteral("data"))).mkdir(QStringLiteral("folder.adf"));
    // A pipe must not hang the rebuild waiting for a writer.
    ASSERT_EQ(
        ::mkfifo(QFile::encodeName(box.path(QStringLiteral("data/pipe.adf"))).constData(), 0600),
        0);
    // Links are followed: to a data file it is indexed, to a pipe it is no regular file.
    ASSERT_TRUE(
        QFile::link(QStringLiteral("a-good.adf"), box.path(QStringLiteral("data/link.adf"))));
    ASSERT_TRUE(
        QFile::link(QStringLiteral("pipe.adf"), box.path(QStringLiteral("data/pipe-link.adf"))));

    const QString index = box.path(QStringLiteral("FileIndx.dat"));
    const RebuildReport report = RebuildIndex(box.path(QStringLiteral("data")), index);
    EXPECT_EQ(report.outcome, RebuildReport::Outcome::Rebuilt);
    EXPECT_EQ(report.records, 4);
    EXPECT_EQ(report.skipped,
              (QStringList{QStringLiteral("baddate.adf: '20031305' is not a valid date"),
                           QStringLiteral("badfreq.adf: 'ten' is not a valid floating point value"),
                           QStringLiteral("badgain.ADF: '' is not a valid floating point value"),
                           QStringLiteral("folder.adf: not a regular file"),
                           QStringLiteral("pipe-link.adf: not a regular file"),
                           QStringLiteral("pipe.adf: not a regular file")}));
    EXPECT_EQ(report.longNames, QStringList{QStringLiteral("ZZX12-65-LONGNAME.adf")});
    EXPECT_TRUE(report.message().contains(QStringLiteral("badfreq.adf: 'ten'")));

    const QList<IndexRecord> records = readAll(index);
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0].fileName(), "a-good.adf");
    EXPECT_EQ(records[1].fileName(), "link.adf");
    EXPECT_EQ(records[1].modelNumber(), records[0].modelNumber());
    EXPECT_EQ(records[2].fileName(), "z-nokeys.adf");
    // A blank buffer per file: no value carried over from the file before.
    EXPECT_EQ(records[2].date(), "");
    EXPECT_EQ(records[2].lowFrequency(), 0.0);
    EXPECT_EQ(records[3].fileName(), "ZZX12-65-LONGNA");
    EXPECT_EQ(QFileInfo(index).size(), 4 * 380);
}

TEST(IndexRefresh, FilesThatAreNotNsmaDataAreSkipped) {
    testutils::Sandbox box;
    QByteArray noise;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 5000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        noise += char(seed >> 24);
    }
    QByteArray highNoise = noise; // binary without a NUL byte, with line ends
    for (char& c : highNoise)
        c = (c & 0x3F) == 0 ? '\n' : char(c | 0x80);
    box.write(QStringLiteral("data/a.adf"), header("ZZ8-107"));
    box.write(QStringLiteral("data/x.adf"), noise);
    box.write(QStringLiteral("data/y.adf"), highNoise);
    box.write(QStringLiteral("data/empty.adf"), {});
    box.write(QStringLiteral("data/notes.adf"), "Dear reader,\nthese are notes, not data.\n");
    // Keyword lines, but none the index is made from, and the pattern starting at once.
    box.write(QStringLiteral("data/nohead.adf"), "REVNUM:,x\nPOLARI:,H/H\nNUPOIN:,1\n0,0,\n");
    // A NUL byte after the header has begun is just a byte of the header.
    box.write(QStringLiteral("data/z-late-nul.adf"),
              QByteArray("MODNUM:,ZZ9\nDESCR1:,a\0b\nNUPOIN:,1\n0,0,\n", 39));

    const QString index = box.path(QStringLiteral("FileIndx.dat"));
    const RebuildReport report = RebuildIndex(box.path(QStringLiteral("data")), index);
    EXPECT_EQ(report.outcome, RebuildReport::Outcome::Rebuilt);
    EXPECT_EQ(report.skipped, (QStringList{QStringLiteral("empty.adf: not an NSMA data file"),
                                           QStringLiteral("nohead.adf: not an NSMA data file"),
                                           QStringLiteral("notes.adf: not an NSMA data file"),
                                           QStringLiteral("x.adf: not an NSMA data file"),
                                           QStringLiteral("y.adf: not an NSMA data file")}));
    const QList<IndexRecord> records = readAll(index);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].modelNumber(), "ZZ8-107");
    EXPECT_EQ(records[1].description1(), QByteArray("a\0b", 3));
}

TEST(IndexRefresh, NamesSharingTheirFirst15CharactersAreReportedTogether) {
    testutils::Sandbox box;
    const QString cloud = testutils::dataPath(QStringLiteral("real-adf"));
    for (const QString& name : QDir(cloud).entryList({QStringLiteral("Cloud-RF*.adf")}))
        box.write(QStringLiteral("data/") + name,
                  testutils::readFile(cloud + QLatin1Char('/') + name));
    box.write(QStringLiteral("data/ZZX12-65-LONGNAME.adf"), header("ZZX12-65"));
    box.write(QStringLiteral("data/ZZX12-65-LONGNAME-B.adf"), header("ZZX12-65"));
    box.write(QStringLiteral("data/ZZ8-107-SINGLE-LONG.adf"), header("ZZ8-107"));
    // Shares its name with an unreadable file only: an ordinary long name.
    box.write(QStringLiteral("data/ZZ8-108-ALMOST-1.adf"), header("ZZ8-108"));
    box.write(QStringLiteral("data/ZZ8-108-ALMOST-2.adf"), "LOWFRQ:,low\n");

    const RebuildReport r =
        RebuildIndex(box.path(QStringLiteral("data")), box.path(QStringLiteral("FileIndx.dat")));
    EXPECT_EQ(r.records, 7);
    EXPECT_EQ(r.longNames, (QStringList{QStringLiteral("ZZ8-107-SINGLE-LONG.adf"),
                                        QStringLiteral("ZZ8-108-ALMOST-1.adf")}));
    ASSERT_EQ(r.sharedNames.size(), 2);
    EXPECT_EQ(r.sharedNames[0],
              (QStringList{
                  QStringLiteral("Cloud-RF__msi2adf__TQJ-8010-9011DT0_0791_CO_P45_00T.msi.adf"),
                  QStringLiteral("Cloud-RF__msi2adf__TQJ-8010-9011DT0_0862_CO_P45_00T.msi.adf"),
                  QStringLiteral("Cloud-RF__msi2adf__TQJ-8010-9011DT0_826.5_CO_P45_00T.msi.adf")}));
    EXPECT_EQ(r.sharedNames[1], (QStringList{QStringLiteral("ZZX12-65-LONGNAME-B.adf"),
                                             QStringLiteral("ZZX12-65-LONGNAME.adf")}));
    // The Cloud-RF files differ in their headers; the two ZZX12-65 copies do not.
    EXPECT_EQ(r.lookAlikes, r.sharedNames[1]);
    const QString text = r.message();
    EXPECT_TRUE(
        text.contains(QStringLiteral("share their first 15 characters; each is told apart")));
    EXPECT_TRUE(text.contains(QStringLiteral("0862_CO_P45_00T.msi.adf\nCloud-RF__msi2adf__TQJ")));
    EXPECT_TRUE(text.contains(QStringLiteral("cannot be opened from the index; rename them:\n"
                                             "ZZX12-65-LONGNAME-B.adf\nZZX12-65-LONGNAME.adf")));
}

TEST(IndexRefresh, EmptyOrMissingFoldersAndUnwritableIndexes) {
    testutils::Sandbox box;
    const QString index = box.path(QStringLiteral("FileIndx.dat"));
    box.write(QStringLiteral("FileIndx.dat"), QByteArray(380, 'x'));
    QDir().mkpath(box.path(QStringLiteral("empty")));
    RebuildReport r = RebuildIndex(box.path(QStringLiteral("empty")), index);
    EXPECT_EQ(r.outcome, RebuildReport::Outcome::NoDataFiles);
    EXPECT_EQ(r.message(), QStringLiteral("No NSMA data files were found in this directory"));
    EXPECT_EQ(QFileInfo(index).size(), 0);

    // The index cannot be created: nothing is lost, and the message names the file.
    box.write(QStringLiteral("data/a.adf"), header("ZZ8-107"));
    box.write(QStringLiteral("blocker"), "a file where a folder should be");
    const QString blocked = box.path(QStringLiteral("blocker/FileIndx.dat"));
    r = RebuildIndex(box.path(QStringLiteral("data")), blocked);
    EXPECT_EQ(r.outcome, RebuildReport::Outcome::CannotCreate);
    EXPECT_EQ(r.message(), QStringLiteral("Cannot create file %1").arg(blocked));

    // The old index survives a write that cannot be completed (here: a folder in its place).
    box.write(QStringLiteral("taken/FileIndx.dat/keep"), "old");
    r = RebuildIndex(box.path(QStringLiteral("data")),
                     box.path(QStringLiteral("taken/FileIndx.dat")));
    EXPECT_EQ(r.outcome, RebuildReport::Outcome::CannotCreate);
    EXPECT_EQ(testutils::readFile(box.path(QStringLiteral("taken/FileIndx.dat/keep"))), "old");
}

TEST(IndexRefresh, CancellingKeepsTheOldIndex) {
    testutils::Sandbox box;
    for (int i = 0; i < 5; ++i)
        box.write(QStringLiteral("data/f%1.adf").arg(i), header("ZZ8-107"));
    const QString index = box.path(QStringLiteral("FileIndx.dat"));
    box.write(QStringLiteral("FileIndx.dat"), QByteArray(760, 'o'));
    QList<int> seen;
    const RebuildReport r = RebuildIndex(box.path(QStringLiteral("data")), index,
                                         [&](int done, int total, const QString&) {
                                             EXPECT_EQ(total, 5);
                                             seen << done;
                                             return done < 3;
                                         });
    EXPECT_EQ(r.outcome, RebuildReport::Outcome::Cancelled);
    EXPECT_EQ(seen, (QList<int>{0, 1, 2, 3}));
    EXPECT_EQ(testutils::readFile(index), QByteArray(760, 'o'));
}

TEST(IndexDump, CommaTextQuotingAndTheHeadingRule) {
    EXPECT_EQ(
        CommaText({QStringLiteral("a"), QStringLiteral("05 April 2003"), QStringLiteral("x,y"),
                   QStringLiteral("say \"hi\""), QString(), QStringLiteral("tab\there")}),
        QStringLiteral("a,\"05 April 2003\",\"x,y\",\"say \"\"hi\"\"\",,\"tab\there\""));
    EXPECT_EQ(DumpHeadingLine(IndexColumnHeadings()),
              QStringLiteral("FileName,ModNum,Ser,Sz,Polar,Date,RPE#,LowFreq,HighFreq,FreqRange,"
                             "MidF,Gain,Feed,Rev."));
    IndexRecord r;
    r.setText(IndexField::FileName, "ZZ8-107.adf");
    r.setText(IndexField::Date, "05 April 2003");
    r.setLowFrequency(5.925);
    r.setHighFrequency(6.425);
    r.setText(IndexField::FrequencyRange, " 5.925-6.425");
    const QStringList cells = IndexRowCells(r);
    ASSERT_EQ(cells.size(), 14);
    EXPECT_EQ(cells[7], QStringLiteral("5.925"));
    const QByteArray dump = IndexDumpText({IndexColumnHeadings(), cells});
    EXPECT_TRUE(dump.startsWith("FileName,ModNum,"));
    EXPECT_TRUE(
        dump.contains("\r\nZZ8-107.adf,,,,,\"05 April 2003\",,5.925,6.425,\" 5.925-6.425\","));
    EXPECT_TRUE(dump.endsWith("\r\n"));
}
