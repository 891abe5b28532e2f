// SPDX-License-Identifier: MIT
// The text copy of a data file.
#include "output/TextExport.h"

#include "TestUtils.h"
#include "base/Prompter.h"

#include <gtest/gtest.h>

TEST(TextExport, LineEndsBecomeCrLf) {
    const struct {
        QByteArray in;
        QByteArray out;
    } cases[] = {
        {"A\nB\n", "A\r\nB\r\n"},
        {"A\r\nB\r\n", "A\r\nB\r\n"},
        {"A\rB\r", "A\r\nB\r\n"},
        {"A\nB", "A\r\nB\r\n"},                        // a last line without an end still counts
        {"A\n\nB\r\r\nC", "A\r\n\r\nB\r\n\r\nC\r\n"},  // empty lines are kept
        {"A\n\rB", "A\r\n\r\nB\r\n"},                  // LF CR is two ends
        {QByteArray("A\nB\0C\nD\n", 8), "A\r\nB\r\n"}, // reading stops at a NUL
        {QByteArray("A\n\0B", 4), "A\r\n"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextCopyBytes(c.in), c.out) << c.in.toStdString();
}

TEST(TextExport, CopiesTheFileAndReports) {
    testutils::Sandbox box;
    ASSERT_TRUE(box.write(QStringLiteral("data/zzx12-65.adf"), "REVNUM:,X\nMODNUM:,Y"));
    RecordingPrompter prompter;
    const QString target = box.path(QStringLiteral("out/12345.txt"));
    ASSERT_TRUE(box.write(QStringLiteral("out/12345.txt"), "old"));
    EXPECT_TRUE(ExportTextData(box.path(QStringLiteral("data/zzx12-65.adf")), target, prompter));
    EXPECT_EQ(testutils::readFile(target), QByteArray("REVNUM:,X\r\nMODNUM:,Y\r\n"));
    EXPECT_EQ(prompter.messages, QStringList{target + QStringLiteral(" successfully created.")});
    EXPECT_TRUE(prompter.errors.isEmpty());
}

TEST(TextExport, MissingSourceOrFolderLeavesEverythingAsItWas) {
    testutils::Sandbox box;
    ASSERT_TRUE(box.write(QStringLiteral("out/12345.txt"), "old"));
    ASSERT_TRUE(box.write(QStringLiteral("a.adf"), "A\n"));
    RecordingPrompter prompter;
    const QString missing = box.path(QStringLiteral("nothing.adf"));
    const QString target = box.path(QStringLiteral("out/12345.txt"));
    EXPECT_FALSE(ExportTextData(missing, target, prompter));
    EXPECT_EQ(testutils::readFile(target), QByteArray("old"));
    // A folder is not a data file.
    EXPECT_FALSE(ExportTextData(box.path(QStringLiteral("out")), target, prompter));
    const QString noFolder = box.path(QStringLiteral("none/12345.txt"));
    EXPECT_FALSE(ExportTextData(box.path(QStringLiteral("a.adf")), noFolder, prompter));
    EXPECT_EQ(prompter.errors,
              (QStringList{QStringLiteral("Cannot open file ") + missing,
                           QStringLiteral("Cannot open file ") + box.path(QStringLiteral("out")),
                           QStringLiteral("Cannot create file ") + noFolder}));
    EXPECT_TRUE(prompter.messages.isEmpty());
}
