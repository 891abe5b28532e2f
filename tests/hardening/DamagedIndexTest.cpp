// SPDX-License-Identifier: MIT
// A damaged index file as the selection window meets it at start, and a rebuild into a program
// folder that cannot be written. A file that is not an index is rebuilt from the data folder
// like a missing one; one that cannot be replaced stays as it was, and the message says why.
#include "AppWindows.h"
#include "HardeningSupport.h"
#include "TestUtils.h"
#include "base/Prompter.h"
#include "catalogue/IndexFile.h"
#include "catalogue/IndexRefresh.h"
#include "selection/RebuildWindow.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

namespace {

QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

const QStringList FreshModels{QStringLiteral("QS1-212"), QStringLiteral("QSX3-212"),
                              QStringLiteral("ZZX10-60")};

// The program folder with three files of the sample catalogue, and the windows started on it.
struct Program {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    QStringList dialogsRun;
    std::unique_ptr<AppWindows> w;

    Program() { QDir().mkpath(prog()); }
    QString prog() const { return box.path(QStringLiteral("prog")); }
    QString index() const { return prog() + QStringLiteral("/FileIndx.dat"); }
    void addCatalogue() const {
        QDir().mkpath(prog() + QStringLiteral("/NSMAData"));
        for (const char* name : {"QS1-212.adf", "QSX3-212.adf", "ZZX10-60L.adf"})
            QFile::copy(testutils::samplePath(QLatin1String(name)),
                        prog() + QStringLiteral("/NSMAData/") + QLatin1String(name));
    }
    // A good index of the three files.
    QByteArray goodIndex() const {
        const QString path = box.path(QStringLiteral("good.dat"));
        RebuildIndex(prog() + QStringLiteral("/NSMAData"), path);
        return testutils::readFile(path);
    }
    void start() {
        w = std::make_unique<AppWindows>(AppEnvironment::inFolder(box.path(), prompter));
        w->select->runDialog = [this](QDialog& d) {
            dialogsRun << d.windowTitle();
            if (&d == w->refresh) { // File > Refresh: "&Proceed"
                w->refresh->Proceed->click();
                return d.result();
            }
            d.accept();
            return int(QDialog::Accepted);
        };
        w->select->firstShow();
    }
    SelectionWindow& s() { return *w->select; }
    bool indexHoldsRecords() const {
        IndexFile f;
        return f.open(index()) && f.holdsRecords();
    }
};

} // namespace

TEST(DamagedIndex, LengthBytesAboveCapacityAndPartialRecordsAreRebuilt) {
    for (const char* damage : {"length", "partial"}) {
        SCOPED_TRACE(damage);
        Program p;
        p.addCatalogue();
        QByteArray bytes = p.goodIndex();
        ASSERT_EQ(bytes.size(), 3 * IndexRecord::RecordSize);
        if (QByteArrayView(damage) == "length")
            bytes[IndexRecord::RecordSize + 16] = char(200); // model number of record 2: 200 of 16
        else
            bytes += QByteArray(100, 'x'); // a record cut short
        ASSERT_TRUE(testutils::writeFile(p.index(), bytes));

        p.start();
        EXPECT_EQ(p.dialogsRun, QStringList{QStringLiteral("File Index Display")});
        EXPECT_TRUE(p.indexHoldsRecords());
        EXPECT_EQ(items(p.s().modelList), FreshModels);
        EXPECT_TRUE(p.prompter.errors.isEmpty()) << p.prompter.errors.join(u'\n').toStdString();
    }
}

TEST(DamagedIndex, ZeroLengthFileIsAnEmptyIndex) {
    Program p;
    p.addCatalogue();
    ASSERT_TRUE(testutils::writeFile(p.index(), {}));
    p.start();
    // A valid index without records: nothing to rebuild, nothing to list.
    EXPECT_TRUE(p.dialogsRun.isEmpty());
    EXPECT_EQ(items(p.s().rangeList), QStringList{QStringLiteral("   ALL   ")});
    EXPECT_TRUE(items(p.s().modelList).isEmpty());
    EXPECT_TRUE(p.prompter.messages.isEmpty());
    EXPECT_EQ(QFileInfo(p.index()).size(), 0);
}

TEST(DamagedIndex, DirectoryNamedFileIndxDat) {
    Program p;
    p.addCatalogue();
    ASSERT_TRUE(QDir().mkpath(p.index()));
    ASSERT_TRUE(testutils::writeFile(p.index() + QStringLiteral("/keep.txt"), "mine"));
    p.start();
    // Nothing can be written in its place: the user is told what failed and how to recover.
    EXPECT_EQ(p.prompter.messages,
              (QStringList{QStringLiteral("Cannot create file %1").arg(p.index()),
                           QStringLiteral("To recover you must select a valid file location")}));
    EXPECT_TRUE(QFileInfo(p.index()).isDir());
    EXPECT_EQ(testutils::readFile(p.index() + QStringLiteral("/keep.txt")), "mine");
    EXPECT_EQ(items(p.s().rangeList), QStringList{QStringLiteral("   ALL   ")});
    // The lists' clicks find nothing and say so, as with an empty index.
    p.s().rangeList->setCurrentRow(0);
    p.s().rangeChosen();
    EXPECT_TRUE(items(p.s().modelList).isEmpty());
}

TEST(DamagedIndex, RebuildIntoReadOnlyProgramFolderKeepsTheOldIndex) {
    Program p;
    // As root the folder is a small disk of its own, remounted read-only; else its mode is 555.
    std::unique_ptr<hardening::SmallDisk> disk;
    if (hardening::runningAsRoot()) {
        disk = std::make_unique<hardening::SmallDisk>(p.prog(), 1024);
        if (!disk->unavailableReason().isEmpty())
            GTEST_SKIP() << "no read-only folder: " << disk->unavailableReason().toStdString();
    }
    p.addCatalogue();
    p.start();
    ASSERT_EQ(items(p.s().modelList), FreshModels);
    const QByteArray before = testutils::readFile(p.index());
    ASSERT_EQ(before.size(), 3 * IndexRecord::RecordSize);

    if (disk)
        ASSERT_TRUE(disk->makeReadOnly());
    else
        ASSERT_TRUE(QFile::setPermissions(p.prog(), QFile::ReadOwner | QFile::ExeOwner));
    p.dialogsRun.clear();
    p.prompter.messages.clear();
    p.s().refreshIndex();

    EXPECT_EQ(p.prompter.messages,
              QStringList{QStringLiteral("Cannot create file %1").arg(p.index())});
    EXPECT_EQ(testutils::readFile(p.index()), before);
    EXPECT_EQ(items(p.s().modelList), FreshModels); // the old index is still the one in use
    EXPECT_EQ(hardening::filesIn(p.prog()),
              (QStringList{QStringLiteral("FileIndx.dat"), QStringLiteral("FileIndx.txt")}));
    if (!disk)
        QFile::setPermissions(p.prog(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
