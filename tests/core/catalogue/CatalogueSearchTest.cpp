// SPDX-License-Identifier: MIT
#include "catalogue/CatalogueSearch.h"

#include "TestUtils.h"
#include "catalogue/IndexRefresh.h"

#include <QtCore/QDateTime>
#include <QtCore/QFile>
#include <gtest/gtest.h>

namespace {

IndexRecord record(const char* file, const char* model, const char* rpe, double low, double high,
                   const char* gain, const char* feed, const char* d1, const char* d2) {
    IndexRecord r;
    r.setText(IndexField::FileName, file);
    SetModelNumberFields(r, model);
    r.setText(IndexField::RpeNumber, rpe);
    r.setLowFrequency(low);
    r.setHighFrequency(high);
    r.setText(IndexField::Gain, gain);
    r.setText(IndexField::FeedOrientation, feed);
    r.setText(IndexField::Description1, d1);
    r.setText(IndexField::Description2, d2);
    return r;
}

// 0: 8 ft single, 5.925-6.425, 41.3 dBi, no feed; 1: 10 ft dual 6.425-7.125 44.0 RIGHT;
// 2: 8 ft dual 10.7-11.7 46.4 LEFT; 3: a size that is no number, gain text damaged.
std::vector<IndexRecord> crafted() {
    return {record("QS8-59.adf", "QS8-59", "5931A", 5.925, 6.425, "41.3", "", "8 ft Single Pol Std",
                   "Standard dish"),
            record("ZZX10-60U.adf", "ZZX10-60", "12051", 6.425, 7.125, "44.0", "RIGHT",
                   "10 ft Dual Pol HP", "High performance UHP shroud"),
            record("QUX8-107.adf", "QUX8-107", "14160", 10.7, 11.7, "46.4", "LEFT",
                   "8 ft Dual Pol UHP", ""),
            record("ODD.adf", "-ODD", "999", 5.9, 6.5, "n/a", "left", "Odd one", "")};
}

struct Case {
    const char* name;
    SearchQuery query;
    std::vector<int> expected;
};

SearchQuery words(const char* text) {
    SearchQuery q;
    q.words = SearchQuery::wordsOf(QString::fromLatin1(text));
    return q;
}

} // namespace

TEST(CatalogueSearch, EachFilterAloneAndCombined) {
    auto with = [](SearchQuery q, auto set) {
        set(q);
        return q;
    };
    const std::vector<Case> cases = {
        {"no filter", {}, {0, 1, 2, 3}},
        // Words: any case, each in some field, fields not joined.
        {"word in a description", words("uhp"), {1, 2}},
        {"words across model and description", words("zzx10 shroud"), {1}},
        {"every word must match", words("uhp single"), {}},
        {"rpe number", words("12051"), {1}},
        {"file name", words("odd.ADF"), {3}},
        {"no word across two fields", words("stdstandard"), {}},
        // Band edges are inside.
        {"low band edge", with(SearchQuery{}, [](auto& q) { q.coversGHz = 6.425; }), {0, 1, 3}},
        {"just above a band", with(SearchQuery{}, [](auto& q) { q.coversGHz = 7.1251; }), {}},
        {"high band edge", with(SearchQuery{}, [](auto& q) { q.coversGHz = 11.7; }), {2}},
        // Gain and size at the limit pass; a text that is no number never does.
        {"gain at the limit", with(SearchQuery{}, [](auto& q) { q.minGainDbi = 44.0; }), {1, 2}},
        {"gain above", with(SearchQuery{}, [](auto& q) { q.minGainDbi = 44.01; }), {2}},
        {"size at the limit", with(SearchQuery{}, [](auto& q) { q.maxSizeFeet = 8; }), {0, 2}},
        {"size below", with(SearchQuery{}, [](auto& q) { q.maxSizeFeet = 7.9; }), {}},
        {"single",
         with(SearchQuery{}, [](auto& q) { q.polarization = PolarizationChoice::Single; }),
         {0, 3}},
        {"dual",
         with(SearchQuery{}, [](auto& q) { q.polarization = PolarizationChoice::Dual; }),
         {1, 2}},
        {"no feed", with(SearchQuery{}, [](auto& q) { q.feed = FeedChoice::None; }), {0}},
        {"left feed, any case",
         with(SearchQuery{}, [](auto& q) { q.feed = FeedChoice::Left; }),
         {2, 3}},
        {"right feed", with(SearchQuery{}, [](auto& q) { q.feed = FeedChoice::Right; }), {1}},
        {"6 GHz, at most 10 ft, dual, UHP",
         with(words("UHP"),
              [](auto& q) {
                  q.coversGHz = 6.6;
                  q.maxSizeFeet = 10;
                  q.polarization = PolarizationChoice::Dual;
              }),
         {1}},
        {"6 GHz at most 8 ft",
         with(SearchQuery{},
              [](auto& q) {
                  q.coversGHz = 6.175;
                  q.maxSizeFeet = 8;
              }),
         {0}},
    };
    const std::vector<IndexRecord> records = crafted();
    for (const Case& c : cases)
        EXPECT_EQ(SearchRecords(c.query, records), c.expected) << c.name;
}

TEST(CatalogueSearch, FrequenciesFeedsAndPolarizationsAsTyped) {
    const struct {
        const char* text;
        std::optional<double> ghz;
    } frequencies[] = {{"6", 6.0},
                       {"6 GHz", 6.0},
                       {"6175 MHz", 6.175},
                       {"6175", 6.175},
                       {"6.175ghz", 6.175},
                       {"99.5", 99.5},
                       {"100", 0.1},
                       {"0", std::nullopt},
                       {"six", std::nullopt},
                       {"6 kHz", std::nullopt},
                       {"", std::nullopt}};
    for (const auto& f : frequencies) {
        const std::optional<double> got = ParseFrequencyGHz(QString::fromLatin1(f.text));
        ASSERT_EQ(got.has_value(), f.ghz.has_value()) << f.text;
        if (got) {
            EXPECT_DOUBLE_EQ(*got, *f.ghz) << f.text;
        }
    }
    EXPECT_EQ(ParseFeedChoice(QStringLiteral("Left")), FeedChoice::Left);
    EXPECT_EQ(ParseFeedChoice(QStringLiteral("none")), FeedChoice::None);
    EXPECT_EQ(ParseFeedChoice(QStringLiteral("up")), std::nullopt);
    EXPECT_EQ(ParsePolarizationChoice(QStringLiteral("DUAL")), PolarizationChoice::Dual);
    EXPECT_EQ(ParsePolarizationChoice(QStringLiteral("both")), std::nullopt);
}

TEST(CatalogueSearch, UsesTheIndexOnlyWhileItIsCurrent) {
    testutils::Sandbox box;
    for (const char* name : {"QS8-59.adf", "QU12-59.adf"})
        ASSERT_TRUE(QFile::copy(testutils::samplePath(QString::fromLatin1(name)),
                                box.path(QString::fromLatin1(name))));
    ASSERT_TRUE(box.write(QStringLiteral("BAD.adf"), "nothing here\n"));
    const QString dir = box.path(), index = box.path(QStringLiteral("FileIndx.dat"));

    // Without an index the records come from the files, the unreadable one reported.
    CatalogueRecords built = LoadCatalogueRecords(dir, index);
    EXPECT_FALSE(built.fromIndex);
    ASSERT_EQ(built.records.size(), 2u);
    EXPECT_EQ(built.paths.size(), 2);
    EXPECT_EQ(built.skipped,
              QStringList{QStringLiteral("BAD.adf: ") + QString::fromLatin1(NotNsmaFileReason)});

    // An index that leaves a file out does not stand for the folder.
    ASSERT_EQ(RebuildIndex(dir, index).records, 2);
    EXPECT_FALSE(IndexIsCurrent(index, dir));
    ASSERT_TRUE(QFile::remove(box.path(QStringLiteral("BAD.adf"))));
    ASSERT_EQ(RebuildIndex(dir, index).records, 2);
    const CatalogueRecords fromIndex = LoadCatalogueRecords(dir, index);
    EXPECT_TRUE(fromIndex.fromIndex);
    EXPECT_EQ(fromIndex.records, built.records);

    // A data file newer than the index makes it stale.
    auto touch = [&](const char* name, int seconds) {
        QFile f(box.path(QString::fromLatin1(name)));
        return f.open(QIODevice::ReadWrite) &&
               f.setFileTime(QDateTime::currentDateTime().addSecs(seconds),
                             QFileDevice::FileModificationTime);
    };
    ASSERT_TRUE(touch("QS8-59.adf", 60));
    EXPECT_FALSE(IndexIsCurrent(index, dir));
    EXPECT_FALSE(LoadCatalogueRecords(dir, index).fromIndex);
    ASSERT_TRUE(touch("QS8-59.adf", -60));
    EXPECT_TRUE(IndexIsCurrent(index, dir));

    // So does a file added with an old time.
    ASSERT_TRUE(QFile::copy(testutils::samplePath(QStringLiteral("ZZ8-107.adf")),
                            box.path(QStringLiteral("ZZ8-107.adf"))));
    ASSERT_TRUE(touch("ZZ8-107.adf", -60));
    EXPECT_FALSE(IndexIsCurrent(index, dir));

    EXPECT_FALSE(LoadCatalogueRecords(box.path(QStringLiteral("none")), index).error.isEmpty());
}
