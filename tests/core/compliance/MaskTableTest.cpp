// SPDX-License-Identifier: MIT
// The mask table: the shipped FCC 101.115 table as the check sees it, tables of other shapes a user
// may add, and malformed files, which are refused with the line that is wrong.
#include "compliance/MaskTable.h"

#include "TestUtils.h"

#include <gtest/gtest.h>

namespace {

const QByteArray Heading = "band_low_mhz,band_high_mhz,category,max_beamwidth_deg,min_gain_dbi,"
                           "s_5_10,s_10_15,s_15_20,s_20_30,s_30_100,s_100_140,s_140_180\n";

QString parseError(const QByteArray& text) {
    const MaskTableOrError r = ParseMaskTable(text, QStringLiteral("masks.csv"));
    EXPECT_FALSE(r.table.has_value()) << text.toStdString();
    return r.error;
}

} // namespace

TEST(MaskTable, ShippedTableAsTheCheckSeesIt) {
    const MaskTableOrError r = ReadMaskTable(QStringLiteral(LOBEVIEW_MASK_TABLE));
    ASSERT_TRUE(r.table) << r.error.toStdString();
    const MaskTable& t = *r.table;
    EXPECT_EQ(t.title, QStringLiteral("FCC 101.115"));
    EXPECT_EQ(t.noStandardText(), QStringLiteral("no FCC 101.115 standard for this band"));
    EXPECT_EQ(t.rows.size(), 36u);
    ASSERT_EQ(t.bins.size(), 7u);
    const double edges[] = {5, 10, 15, 20, 30, 100, 140, 180};
    for (size_t b = 0; b < 7; ++b) {
        EXPECT_EQ(t.bins[b].low, edges[b]);
        EXPECT_EQ(t.bins[b].high, edges[b + 1]);
    }

    // 6 GHz: A, B1 and B2, with every figure of the rule.
    const auto six = t.rowsFor(6175);
    ASSERT_EQ(six.size(), 3u);
    EXPECT_EQ(six[0]->category, QStringLiteral("A"));
    EXPECT_EQ(six[1]->category, QStringLiteral("B1"));
    EXPECT_EQ(six[2]->category, QStringLiteral("B2"));
    EXPECT_EQ(six[2]->group(), QStringLiteral("B"));
    EXPECT_EQ(six[0]->maxBeamwidth, 2.2);
    EXPECT_EQ(six[0]->minGain, 38.0);
    EXPECT_EQ(six[2]->suppression,
              (std::vector<std::optional<double>>{15, 20, 23, 28, 29, 60, 60}));

    // 932.5-935 MHz Category A: beamwidth only, and no value for 5 to 10 degrees.
    const auto uhf = t.rowsFor(933);
    ASSERT_EQ(uhf.size(), 2u);
    EXPECT_FALSE(uhf[0]->minGain);
    EXPECT_FALSE(uhf[0]->suppression[0]);
    EXPECT_EQ(uhf[0]->suppression[1], 6.0);

    // Band edges belong to the band; 7.125-8.5 GHz and 14 GHz have no row.
    EXPECT_EQ(t.rowsFor(5925).size(), 3u);
    EXPECT_EQ(t.rowsFor(6425).size(), 3u);
    EXPECT_TRUE(t.rowsFor(7437.5).empty());
    EXPECT_TRUE(t.rowsFor(7500).empty());
    EXPECT_TRUE(t.rowsFor(14875).empty());
}

TEST(MaskTable, OtherShapesAUserMayAdd) {
    // Another administration's table: its own bins, columns in another order, quoted cells, a
    // byte order mark, CR LF line ends, blank and comment lines.
    const QByteArray text = "\xEF\xBB\xBF"
                            "# an administration of our own\r\n"
                            "category,band_low_mhz,band_high_mhz,s_0_15,s_15_90,s_90_180,"
                            "min_gain_dbi,max_beamwidth_deg\r\n"
                            "\r\n"
                            "\"K1\",3800,4200,10,20,\"30\",,3\r\n"
                            "K2 , 3800 ,4200,12,,35,30,\r\n";
    const MaskTableOrError r = ParseMaskTable(text, QStringLiteral("abc-12-34.csv"));
    ASSERT_TRUE(r.table) << r.error.toStdString();
    EXPECT_EQ(r.table->title, QStringLiteral("ABC 12.34"));
    EXPECT_EQ(MaskTableTitle(QStringLiteral("/x/my masks.csv")), QStringLiteral("my masks"));
    ASSERT_EQ(r.table->bins.size(), 3u);
    EXPECT_EQ(r.table->bins[0].low, 0);
    EXPECT_EQ(r.table->bins[1].low, 15);
    EXPECT_EQ(r.table->bins[2].high, 180);
    ASSERT_EQ(r.table->rows.size(), 2u);
    const MaskRow& k1 = r.table->rows[0];
    EXPECT_EQ(k1.category, QStringLiteral("K1"));
    EXPECT_EQ(k1.group(), QStringLiteral("K"));
    EXPECT_EQ(k1.line, 4);
    EXPECT_EQ(k1.maxBeamwidth, 3.0);
    EXPECT_FALSE(k1.minGain);
    EXPECT_EQ(k1.suppression, (std::vector<std::optional<double>>{10, 20, 30}));
    const MaskRow& k2 = r.table->rows[1];
    EXPECT_EQ(k2.category, QStringLiteral("K2"));
    EXPECT_EQ(k2.minGain, 30.0);
    EXPECT_EQ(k2.suppression, (std::vector<std::optional<double>>{12, std::nullopt, 35}));
}

TEST(MaskTable, MalformedTablesAreRefusedNamingTheLine) {
    const QByteArray a6 = "5925,6425,A,2.2,38,25,29,33,36,42,55,55\n";
    struct Case {
        QByteArray text;
        const char* error;
    };
    const Case cases[] = {
        {Heading + a6 + "6525,6875,A,2.2,38,25,x29,33,36,42,55,55\n",
         "masks.csv, line 3: s_10_15 'x29' is not a number of 0 or more"},
        {Heading + a6 + "6525,6875,A,2.2,3,8,25,29,33,36,42,55,55\n",
         "masks.csv, line 3: 13 fields where the heading has 12"},
        {Heading + "6525,6875,A,2.2,38,25,29,-33,36,42,55,55\n",
         "masks.csv, line 2: s_15_20 '-33' is not a number of 0 or more"},
        {Heading + "6525,6875,A,2,38,25,29,33,36,42,55,55,\n",
         "masks.csv, line 2: 13 fields where the heading has 12"},
        {Heading + ",6875,A,2.2,38,25,29,33,36,42,55,55\n",
         "masks.csv, line 2: band_low_mhz is empty"},
        {Heading + "6875,6525,A,2.2,38,25,29,33,36,42,55,55\n",
         "masks.csv, line 2: the band's low edge 6875 MHz is not below its high edge 6525 MHz"},
        {Heading + "6525,6875,,2.2,38,25,29,33,36,42,55,55\n",
         "masks.csv, line 2: the category is empty"},
        {Heading + "6525,6875,Cat A,2.2,38,25,29,33,36,42,55,55\n",
         "masks.csv, line 2: category 'Cat A' is not letters with an optional number"},
        {Heading + a6 + "\n# fine\n" + a6,
         "masks.csv, line 5: category A of band 5925-6425 MHz is given twice (line 2)"},
        {Heading + a6 + "5900,6000,A,2.2,38,25,29,33,36,42,55,55\n",
         "masks.csv, line 3: band 5900-6000 MHz overlaps band 5925-6425 MHz of line 2"},
        {Heading + a6 + "5925,6425,B,2.2,38,25,29,33,36,42,55,55\n" +
             "5925,6425,B1,2.2,38,25,29,33,36,42,55,55\n",
         "masks.csv, line 4: category B of band 5925-6425 MHz is given both whole and split "
         "(line 3)"},
        {Heading + "5925,6425,A,,,,,,,,,\n", "masks.csv, line 2: the row gives no requirement"},
        {Heading + "5925,6425,A,0,,25,,,,,,\n",
         "masks.csv, line 2: the maximum beamwidth must be above 0"},
        {Heading + "5925,6425,\"A,2.2,38,25,29,33,36,42,55,55\n",
         "masks.csv, line 2: a quoted field is not closed"},
        {"band_low_mhz,band_high_mhz,category,max_beamwidth_deg,min_gain_db,s_5_10\n" + a6,
         "masks.csv, line 1: unknown column 'min_gain_db'"},
        {"band_low_mhz,band_high_mhz,category,max_beamwidth_deg,s_5_10\n",
         "masks.csv, line 1: column min_gain_dbi is missing"},
        {"band_low_mhz,band_high_mhz,category,category,max_beamwidth_deg,min_gain_dbi,s_5_10\n",
         "masks.csv, line 1: column category appears twice"},
        {"band_low_mhz,band_high_mhz,category,max_beamwidth_deg,min_gain_dbi\n",
         "masks.csv, line 1: no suppression columns (s_LOW_HIGH)"},
        {"band_low_mhz,band_high_mhz,category,max_beamwidth_deg,min_gain_dbi,s_5_10,s_15_20\n",
         "masks.csv, line 1: columns s_5_10 and s_15_20 do not meet"},
        {"band_low_mhz,band_high_mhz,category,max_beamwidth_deg,min_gain_dbi,s_140_190\n",
         "masks.csv, line 1: column s_140_190 is not an angle range within 0 to 180 degrees"},
        {Heading, "masks.csv: the table holds no rows"},
        {"\n\n", "masks.csv: the file is empty"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseError(c.text), QString::fromLatin1(c.error)) << c.text.toStdString();

    testutils::Sandbox box;
    EXPECT_EQ(ReadMaskTable(box.path(QStringLiteral("none.csv"))).error,
              QStringLiteral("Cannot open file ") + box.path(QStringLiteral("none.csv")));
    box.write(QStringLiteral("bad.csv"), Heading + "5925,6425,A,2.2,38,25,29,33,36,42,55,5 5\n");
    const MaskTableOrError bad = ReadMaskTable(box.path(QStringLiteral("bad.csv")));
    EXPECT_FALSE(bad.table);
    EXPECT_EQ(bad.error,
              QStringLiteral("bad.csv, line 2: s_140_180 '5 5' is not a number of 0 or more"));
}
