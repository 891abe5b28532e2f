// SPDX-License-Identifier: MIT
// AntennaFile: one data file read for the windows and the commands, with the texts of each way
// it can fail.
#include "catalogue/AntennaFile.h"

#include "TestUtils.h"
#include "catalogue/IndexRefresh.h"

#include <QtCore/QDir>
#include <gtest/gtest.h>

namespace {

const QByteArray Header = "REVNUM:,NSMA\r\nMODNUM:,ZZX12-65\r\nPATNUM:,4711\r\nFEDORN:,RIGHT\r\n"
                          "DTDATA:,20200102\r\nLOWFRQ:,10700\r\nHGHFRQ:,11700\r\n"
                          "MDGAIN:,48.6 dBi\r\nAZWIDT:,1.4\r\n";
const QByteArray Cuts = "POLARI:,H/H\r\nNUPOIN:,2\r\n-180,-70,\r\n180,-70,\r\nENDFIL:,EOF\r\n";

QByteArray withDate(const QByteArray& date) {
    QByteArray text = Header + Cuts;
    return text.replace("20200102", date);
}

} // namespace

TEST(AntennaFile, OpensAFileOrSaysWhyNot) {
    testutils::Sandbox box;
    box.write(QStringLiteral("good.adf"), Header + Cuts);
    box.write(QStringLiteral("notes.adf"), "just some notes\n");
    box.write(QStringLiteral("noise.adf"), QByteArray("\x01\x00\x7f junk\n", 9) + Header + Cuts);
    box.write(QStringLiteral("points.adf"),
              Header + "POLARI:,H/H\r\nNUPOIN:,2\r\n0,0,\r\nten,-3,\r\n");
    box.write(QStringLiteral("count.adf"),
              Header + "POLARI:,H/H\r\nNUPOIN:,two\r\nENDFIL:,EOF\r\n");
    QDir().mkpath(box.path(QStringLiteral("folder.adf")));
    const struct {
        const char* name;
        const char* error; // empty: opened
        bool notFound;
    } cases[] = {
        {"good.adf", "", false},
        {"gone.adf", "File was not found", true},
        {"folder.adf", "File was not found", true},
        {"notes.adf", "not an NSMA data file", false},
        {"noise.adf", "not an NSMA data file", false},
        {"points.adf", "'ten' is not a valid floating point value", false},
        {"count.adf", "'two' is not a valid integer value", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = box.path(QLatin1String(c.name));
        const AntennaFileOrError a = AntennaFile::open(path);
        EXPECT_EQ(a.error, QLatin1String(c.error));
        EXPECT_EQ(a.notFound, c.notFound);
        ASSERT_EQ(a.file.has_value(), a.error.isEmpty());
        if (!a.file)
            continue;
        // The record is the one the index rebuild makes; the numbers come from the same pass.
        IndexRecord indexed;
        ASSERT_FALSE(BuildRecordFromFile(path, indexed));
        EXPECT_EQ(a.file->record, indexed);
        EXPECT_EQ(a.file->path, path);
        EXPECT_EQ(a.file->header.midGain.value, 48.6);
        EXPECT_EQ(a.file->header.azimuthWidth.value, 1.4);
        EXPECT_EQ(a.file->header.midFrequency(), 11200.0);
        EXPECT_EQ(a.file->pattern.CutPoints[CutHH].size(), 2u);
        EXPECT_EQ(a.file->pattern.feedKind, FeedKind::Right);
        EXPECT_FALSE(a.file->recordError);
    }
}

TEST(AntennaFile, AHeaderTheIndexCannotTakeStillGivesItsNumbersAndPattern) {
    testutils::Sandbox box;
    box.write(QStringLiteral("date.adf"), withDate("20201302"));
    const AntennaFileOrError a = AntennaFile::open(box.path(QStringLiteral("date.adf")));
    ASSERT_TRUE(a.file) << a.error.toStdString();
    EXPECT_EQ(a.file->recordError, QStringLiteral("'20201302' is not a valid date"));
    // The lines after the bad date are still read for the numbers and the feed kind.
    EXPECT_EQ(a.file->header.highFrequency.value, 11700.0);
    EXPECT_EQ(a.file->pattern.feedKind, FeedKind::Right);
    // The index rebuild gives the same reason, and stops there.
    IndexRecord r;
    EXPECT_EQ(BuildRecordFromFile(box.path(QStringLiteral("date.adf")), r), a.file->recordError);
    EXPECT_EQ(r.highFrequency(), 0.0);
}

TEST(AntennaFile, OpenedFromTheIndexKeepsTheStoredRecord) {
    testutils::Sandbox box;
    box.write(QStringLiteral("data/ZZX12-65-LONGNAME.adf"), Header + Cuts);
    IndexRecord stored;
    ASSERT_FALSE(
        BuildRecordFromFile(box.path(QStringLiteral("data/ZZX12-65-LONGNAME.adf")), stored));
    stored.setText(IndexField::FileName, stored.fileName()); // cut to 15 as the index holds it
    stored.setText(IndexField::FeedOrientation, "LEFT");     // the record's word decides
    const AntennaFileOrError a = AntennaFile::open(stored, box.path(QStringLiteral("data")));
    ASSERT_TRUE(a.file) << a.error.toStdString();
    EXPECT_EQ(a.file->record, stored);
    EXPECT_EQ(a.file->path, box.path(QStringLiteral("data/ZZX12-65-LONGNAME.adf")));
    EXPECT_EQ(a.file->pattern.feedKind, FeedKind::Left);

    IndexRecord missing;
    missing.setText(IndexField::FileName, "gone.adf");
    const AntennaFileOrError gone = AntennaFile::open(missing, box.path(QStringLiteral("data")));
    EXPECT_TRUE(gone.notFound);
    EXPECT_EQ(gone.error, QStringLiteral("File was not found"));
}
