// SPDX-License-Identifier: MIT
// Number texts in data files and the index: "." decimals whatever the locale.
#include "base/NumberText.h"

#include "base/DisplayText.h"

#include <QtCore/QLocale>
#include <gtest/gtest.h>

TEST(NumberText, ParsesStrictDecimalNumbers) {
    EXPECT_EQ(numtext::parseFloat(" 38.46 "), 38.46);
    EXPECT_EQ(numtext::parseFloat("-.5"), -0.5);
    EXPECT_EQ(numtext::parseFloat("5."), 5.0);
    EXPECT_EQ(numtext::parseFloat("1E3"), 1000.0);
    for (const char* bad :
         {"", " ", "-", ".", "38,46", "1e", "1e+", "infinity", "NaN", "0x1p3", "1 2"})
        EXPECT_FALSE(numtext::parseFloat(bad)) << bad;
    EXPECT_EQ(numtext::parseInt(" 72 "), 72);
    EXPECT_EQ(numtext::parseInt("-4"), -4);
    EXPECT_EQ(numtext::parseInt("2147483647"), 2147483647);
    EXPECT_EQ(numtext::parseInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "2147483648", "7.0", "1e3", "0x10", "99999999999999999999"})
        EXPECT_FALSE(numtext::parseInt(bad)) << bad;
}

TEST(NumberText, FormatsFixedDecimalsLikeTheWrittenValue) {
    EXPECT_EQ(numtext::formatFixed(38.46, 1), "38.5");
    EXPECT_EQ(numtext::formatFixed(41, 1), "41.0");
    EXPECT_EQ(numtext::formatFixed(38.25, 1), "38.3");
    EXPECT_EQ(numtext::formatFixed(10.7, 3), "10.700");
    EXPECT_EQ(numtext::formatFixed(5.925, 3), "5.925");
    EXPECT_EQ(numtext::formatFixed((5.925 + 6.425) / 2, 3), "6.175");
    EXPECT_EQ(numtext::formatFixed(9.9996, 3), "10.000");
    EXPECT_EQ(numtext::formatFixed(-0.04, 1), "0.0");
    EXPECT_EQ(numtext::formatFixed(-2.55, 1), "-2.6");
    // The user's locale never changes the separator.
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(numtext::formatFixed(1.5, 1), "1.5");
    EXPECT_EQ(numtext::parseFloat("1.5"), 1.5);
    QLocale::setDefault(QLocale::c());
}

TEST(DisplayText, DecodesUtf8OnlyWhenValidAndNotAscii) {
    // A UTF-8 hyphen and degree sign come out as themselves.
    EXPECT_EQ(DisplayText("2\xE2\x80\x90"
                          "4 \xC2\xB0"),
              QStringLiteral("2\u2010"
                             "4 \u00B0"));
    // Latin-1 bytes that are not valid UTF-8 stay Latin-1, a lone lead byte at the end too.
    EXPECT_EQ(DisplayText("45\xB0"), QStringLiteral("45\u00B0"));
    EXPECT_EQ(DisplayText("caf\xE9 \xC2"), QStringLiteral("caf\u00E9 \u00C2"));
    // Overlong forms are not valid UTF-8.
    EXPECT_EQ(DisplayText("\xC0\xAF"), QStringLiteral("\u00C0\u00AF"));
    EXPECT_EQ(DisplayText("ZZX12-65"), QStringLiteral("ZZX12-65"));
    EXPECT_EQ(DisplayText(""), QString());
}
