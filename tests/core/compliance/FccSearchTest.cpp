// SPDX-License-Identifier: MIT
#include "compliance/FccSearch.h"

#include "TestUtils.h"
#include "catalogue/AntennaFile.h"
#include "catalogue/CatalogueSearch.h"
#include "catalogue/IndexRefresh.h"

#include <QtCore/QFile>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const MaskTable& fcc() {
    static const MaskTable table = *ReadMaskTable(QStringLiteral(LOBEVIEW_MASK_TABLE)).table;
    return table;
}

FccResult resultOf(const char* sample) {
    FccCache cache;
    return CheckFilesFcc({testutils::samplePath(QString::fromLatin1(sample))}, fcc(), cache, {}, 1)
        .results.at(0);
}

} // namespace

TEST(FccSearch, VerdictsAndWorstMarginsOfBothCategories) {
    const struct {
        const char* file;
        Verdict a;
        double marginA;
        Verdict b;
        double marginB; // B: the part that passes
    } cases[] = {
        {"ZZX10-60L.adf", Verdict::Pass, 2.5, Verdict::Pass, 6.5},
        {"QS8-59.adf", Verdict::Fail, -2.5, Verdict::Pass, 1.5},
        {"QU12-59.adf", Verdict::Pass, 6.0, Verdict::Pass, 10.0},
        {"QS1-212.adf", Verdict::Fail, -5.0, Verdict::Pass, 2.0},   // B through B2, B1 failing
        {"QUX8-107.adf", Verdict::Pass, 11.0, Verdict::Pass, 19.0}, // B a row of its own
        {"ZZ10-71.adf", Verdict::NotEnoughData, NAN, Verdict::NotEnoughData, NAN},
    };
    for (const auto& c : cases) {
        const FccResult r = resultOf(c.file);
        EXPECT_TRUE(r.error.isEmpty()) << c.file;
        EXPECT_EQ(r.a.verdict, c.a) << c.file;
        EXPECT_EQ(r.b.verdict, c.b) << c.file;
        for (const auto& [got, want] :
             {std::pair{r.a.worstMargin, c.marginA}, std::pair{r.b.worstMargin, c.marginB}}) {
            if (std::isnan(want))
                EXPECT_TRUE(std::isnan(got)) << c.file;
            else
                EXPECT_NEAR(got, want, 1e-6) << c.file;
        }
    }
}

TEST(FccSearch, FilterByCategoryAndMarginAtTheLimit) {
    FccResult passA;
    passA.a = {Verdict::Pass, 3.0};
    passA.b = {Verdict::Fail, -1.0};
    FccResult noMargin;
    noMargin.a = {Verdict::Pass, NAN};
    FccResult unread = passA;
    unread.error = QStringLiteral("File was not found");
    const struct {
        const char* name;
        const FccResult& result;
        FccFilter filter;
        bool passes;
    } cases[] = {
        {"A passes", passA, {QLatin1Char('A'), {}}, true},
        {"B fails", passA, {QLatin1Char('B'), {}}, false},
        {"margin at the limit", passA, {QLatin1Char('A'), 3.0}, true},
        {"margin short of it", passA, {QLatin1Char('A'), 3.001}, false},
        {"no margin to show", noMargin, {QLatin1Char('A'), 0.0}, false},
        {"no margin asked", noMargin, {QLatin1Char('A'), {}}, true},
        {"file not read", unread, {QLatin1Char('A'), {}}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.filter.passes(c.result), c.passes) << c.name;
}

TEST(FccSearch, SecondRunReadsNoFileUntilOneChanges) {
    testutils::Sandbox box;
    QStringList files;
    for (const char* name : {"ZZX10-60L.adf", "QS8-59.adf", "QU12-59.adf"}) {
        files << box.path(QString::fromLatin1(name));
        ASSERT_TRUE(QFile::copy(testutils::samplePath(QString::fromLatin1(name)), files.back()));
    }
    files << QString(); // a record whose file is not there
    FccCache cache;
    const FccRun first = CheckFilesFcc(files, fcc(), cache);
    EXPECT_EQ(first.fileReads, 3);
    EXPECT_EQ(cache.size(), 3);
    EXPECT_EQ(first.results[3].error, QStringLiteral("File was not found"));

    const FccRun second = CheckFilesFcc(files, fcc(), cache);
    EXPECT_EQ(second.fileReads, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(second.results[size_t(i)].a.verdict, first.results[size_t(i)].a.verdict);
        EXPECT_EQ(second.results[size_t(i)].b.worstMargin, first.results[size_t(i)].b.worstMargin);
    }

    // QS8-59 replaced by a copy of QU12-59: a new size and time, so it is read again and its
    // new verdict shows.
    ASSERT_TRUE(QFile::remove(files[1]));
    ASSERT_TRUE(QFile::copy(files[2], files[1]));
    const FccRun third = CheckFilesFcc(files, fcc(), cache);
    EXPECT_EQ(third.fileReads, 1);
    EXPECT_EQ(third.results[1].a.verdict, Verdict::Pass);

    // Stopped at the first file: the run says so and the rest is left.
    FccCache empty;
    const FccRun stopped = CheckFilesFcc(
        files, fcc(), empty, [](int, int) { return false; }, 1);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.fileReads, 1);
}

TEST(FccSearch, DataFilesOfIndexRecordsWithLongNames) {
    testutils::Sandbox box;
    const QString sample = testutils::samplePath(QStringLiteral("ZZX10-60L.adf"));
    // One long name alone under its 15 characters, two sharing theirs (told apart by header).
    ASSERT_TRUE(QFile::copy(sample, box.path(QStringLiteral("ZZX10-60L-ALONE-1.adf"))));
    ASSERT_TRUE(QFile::copy(sample, box.path(QStringLiteral("ZZX10-60L-SHARED-1.adf"))));
    ASSERT_TRUE(QFile::copy(testutils::samplePath(QStringLiteral("QS8-59.adf")),
                            box.path(QStringLiteral("ZZX10-60L-SHARED-2.adf"))));
    ASSERT_TRUE(QFile::copy(sample, box.path(QStringLiteral("SHORT.adf"))));
    ASSERT_EQ(RebuildIndex(box.path(), box.path(QStringLiteral("index.dat"))).records, 4);
    IndexFile index;
    ASSERT_TRUE(index.open(box.path(QStringLiteral("index.dat"))));
    const std::vector<IndexRecord> records = ReadAllRecords(index);
    QStringList errors;
    const QStringList files = DataFilesOfRecords(records, {0, 1, 2, 3}, {}, box.path(), &errors);
    EXPECT_EQ(files, (QStringList{box.path(QStringLiteral("SHORT.adf")),
                                  box.path(QStringLiteral("ZZX10-60L-ALONE-1.adf")),
                                  box.path(QStringLiteral("ZZX10-60L-SHARED-1.adf")),
                                  box.path(QStringLiteral("ZZX10-60L-SHARED-2.adf"))}));
    EXPECT_EQ(errors, QStringList(4, QString()));
}
