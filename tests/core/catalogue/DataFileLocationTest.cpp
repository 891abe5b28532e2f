// SPDX-License-Identifier: MIT
// Finding an index record's data file, also when several long names share their first 15
// characters.
#include "catalogue/DataFileLocation.h"

#include "TestUtils.h"
#include "adf/PatternReader.h"
#include "catalogue/IndexFile.h"
#include "catalogue/IndexRefresh.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <gtest/gtest.h>

namespace {

QByteArray header(const QByteArray& model, const QByteArray& descr1, int lowMHz = 10700) {
    return "MODNUM:," + model + "\nPATNUM:,7421A\nDESCR1:," + descr1 +
           "\nDESCR2:,High performance\nLOWFRQ:," + QByteArray::number(lowMHz) +
           "\nHGHFRQ:,11700\nPOLARI:,H/H\nNUPOIN:,1\n0,0,\n";
}

IndexRecord recordOf(const QString& path) {
    IndexRecord r;
    EXPECT_FALSE(BuildRecordFromFile(path, r)) << path.toStdString();
    return r;
}

QString nameOf(const DataFileLookup& found) {
    return found.path ? QFileInfo(*found.path).fileName() : QString();
}

} // namespace

TEST(DataFileLocation, TheRealCloudRfFilesEachOpenTheirOwnFile) {
    testutils::Sandbox box;
    const QString real = testutils::dataPath(QStringLiteral("real-adf"));
    const QStringList names = QDir(real).entryList({QStringLiteral("*.adf")});
    for (const QString& name : names)
        box.write(QStringLiteral("data/") + name,
                  testutils::readFile(real + QLatin1Char('/') + name));
    const QString index = box.path(QStringLiteral("FileIndx.dat"));
    ASSERT_EQ(RebuildIndex(box.path(QStringLiteral("data")), index).records, 4);

    IndexFile f;
    ASSERT_TRUE(f.open(index));
    IndexRecord r;
    QStringList opened;
    while (f.readNext(r)) {
        const DataFileLookup found = LocateDataFile(box.path(QStringLiteral("data")), r);
        ASSERT_TRUE(found.path) << found.notFoundMessage().toStdString();
        // The file found gives back the very record it was indexed as.
        EXPECT_EQ(recordOf(*found.path), r);
        opened << nameOf(found);
    }
    QStringList expected = names;
    expected.sort();
    opened.sort();
    EXPECT_EQ(opened, expected);
}

TEST(DataFileLocation, NamesCutTo15CharactersAreToldApartByTheirHeaders) {
    testutils::Sandbox box;
    const QString dir = box.path(QStringLiteral("data"));
    box.write(QStringLiteral("data/ZZ8-107.adf"), header("ZZ8-107", "short"));
    box.write(QStringLiteral("data/ZZX12-65-LONGER-A.adf"), header("ZZX12-65", "first"));
    box.write(QStringLiteral("data/ZZX12-65-LONGER-B.adf"), header("ZZX12-65", "second"));
    box.write(QStringLiteral("data/ZZX12-65-LONGER-C.adf"), header("ZZX12-65", "second", 10000));
    // Not a file the index could name: another extension, a folder.
    box.write(QStringLiteral("data/ZZX12-65-LONGER-A.txt"), header("ZZX12-65", "first"));
    QDir(dir).mkdir(QStringLiteral("ZZX12-65-LONGER-D.adf"));

    // A short name is the file of that name, or nothing.
    IndexRecord r = recordOf(dir + QStringLiteral("/ZZ8-107.adf"));
    EXPECT_EQ(nameOf(LocateDataFile(dir, r)), QStringLiteral("ZZ8-107.adf"));
    r.setText(IndexField::FileName, "ZZ8-108.adf");
    DataFileLookup found = LocateDataFile(dir, r);
    EXPECT_FALSE(found.path);
    EXPECT_EQ(found.notFoundMessage(), QStringLiteral("File was not found"));

    // Each of three files sharing "ZZX12-65-LONGER-" opens by its own facts, the band included.
    for (const char* name :
         {"ZZX12-65-LONGER-A.adf", "ZZX12-65-LONGER-B.adf", "ZZX12-65-LONGER-C.adf"}) {
        r = recordOf(dir + QLatin1Char('/') + QLatin1String(name));
        ASSERT_EQ(r.fileName(), "ZZX12-65-LONGER");
        EXPECT_EQ(nameOf(LocateDataFile(dir, r)), QLatin1String(name));
    }

    // A record none of them gives (the file changed since) names the candidates.
    r.setText(IndexField::Description1, "third");
    found = LocateDataFile(dir, r);
    EXPECT_FALSE(found.path);
    EXPECT_EQ(found.candidates, (QStringList{QStringLiteral("ZZX12-65-LONGER-A.adf"),
                                             QStringLiteral("ZZX12-65-LONGER-B.adf"),
                                             QStringLiteral("ZZX12-65-LONGER-C.adf")}));
    EXPECT_EQ(found.notFoundMessage(),
              QStringLiteral("File was not found\n\nThe index names \"ZZX12-65-LONGER\"; these "
                             "files begin with it:\nZZX12-65-LONGER-A.adf\nZZX12-65-LONGER-B.adf\n"
                             "ZZX12-65-LONGER-C.adf"));

    // Two files with the same facts cannot be told apart.
    box.write(QStringLiteral("data/ZZX12-65-LONGER-E.adf"), header("ZZX12-65", "first"));
    r = recordOf(dir + QStringLiteral("/ZZX12-65-LONGER-A.adf"));
    found = LocateDataFile(dir, r);
    EXPECT_FALSE(found.path);
    EXPECT_EQ(found.candidates.size(), 4);

    // One file of the name is that file, whatever its header says now; so is a name of exactly
    // 15 characters.
    QFile::remove(dir + QStringLiteral("/ZZX12-65-LONGER-B.adf"));
    QFile::remove(dir + QStringLiteral("/ZZX12-65-LONGER-C.adf"));
    QFile::remove(dir + QStringLiteral("/ZZX12-65-LONGER-E.adf"));
    r.setText(IndexField::Description1, "changed since");
    EXPECT_EQ(nameOf(LocateDataFile(dir, r)), QStringLiteral("ZZX12-65-LONGER-A.adf"));
    box.write(QStringLiteral("data/ZZ6-59-SHRT.adf"), header("ZZ6-59", "exact"));
    r = recordOf(dir + QStringLiteral("/ZZ6-59-SHRT.adf"));
    EXPECT_EQ(nameOf(LocateDataFile(dir, r)), QStringLiteral("ZZ6-59-SHRT.adf"));
    box.write(QStringLiteral("data/ZZ6-59-SHRT.adf.adf"), header("ZZ6-59", "longer"));
    EXPECT_EQ(nameOf(LocateDataFile(dir, r)), QStringLiteral("ZZ6-59-SHRT.adf"));
    r = recordOf(dir + QStringLiteral("/ZZ6-59-SHRT.adf.adf"));
    EXPECT_EQ(nameOf(LocateDataFile(dir, r)), QStringLiteral("ZZ6-59-SHRT.adf.adf"));
}
