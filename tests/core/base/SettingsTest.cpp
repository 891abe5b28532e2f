// SPDX-License-Identifier: MIT
// Settings that outlive a run, and where the program looks for its folders.
#include "base/Settings.h"

#include "TestUtils.h"
#include "base/NumberText.h"
#include "base/ProgramPaths.h"

#include <QtCore/QDir>
#include <gtest/gtest.h>

TEST(Settings, FirstStartGivesTheDefaults) {
    testutils::Sandbox box;
    SettingsStore store(box.path(QStringLiteral("Quelda.conf")));
    const ShellSettings s = ShellSettings::read(store, QStringLiteral("/opt/lobeview/"));
    EXPECT_FALSE(s.Associated);
    EXPECT_EQ(s.SourceDir, QStringLiteral("/opt/lobeview/NSMAdata"));
    EXPECT_EQ(s.JPGfiles, QStringLiteral("/opt/lobeview/JPG"));
    EXPECT_EQ(s.GIFfiles, QStringLiteral("/opt/lobeview/GIF"));
    EXPECT_EQ(s.PDFfiles, QStringLiteral("/opt/lobeview/PDF"));
    const GraphSettings g = GraphSettings::read(store);
    EXPECT_EQ(g, GraphSettings{});
    EXPECT_TRUE(g.PrintGraph);
    EXPECT_FALSE(g.PenColor || g.MakeGIF || g.MakeJPG || g.MakePDF || g.PrintData || g.PrintPause);
}

TEST(Settings, RoundTripStoresTextsAndOneZeroBooleans) {
    testutils::Sandbox box;
    const QString file = box.path(QStringLiteral("Quelda.conf"));
    ShellSettings shell = ShellSettings::defaults(QStringLiteral("/p/"));
    shell.Associated = true;
    shell.SourceDir = QStringLiteral("/data/Antennas, 2024 \u00e9t\u00e9");
    GraphSettings graph;
    graph.MakeGIF = true;
    graph.PrintGraph = false;
    graph.PrintPause = true;
    {
        SettingsStore store(file);
        ASSERT_TRUE(writeAllSettings(store, shell, graph));
    }
    const QByteArray text = testutils::readFile(file);
    EXPECT_TRUE(text.contains("[LOBEVW]"));
    EXPECT_TRUE(text.contains("Associated=1\n"));
    EXPECT_TRUE(text.contains("PrintGraph=0\n"));
    EXPECT_TRUE(text.contains("MakeGIF=1\n"));

    SettingsStore again(file);
    const ShellSettings s = ShellSettings::read(again, QStringLiteral("/p/"));
    EXPECT_TRUE(s.Associated);
    EXPECT_EQ(s.SourceDir, shell.SourceDir);
    EXPECT_EQ(GraphSettings::read(again), graph);

    // Writing the same values again changes nothing.
    ASSERT_TRUE(writeAllSettings(again, s, GraphSettings::read(again)));
    EXPECT_EQ(testutils::readFile(file), text);
}

TEST(Settings, BooleansAreIntegersOrTheirDefault) {
    testutils::Sandbox box;
    const QString file = box.path(QStringLiteral("Quelda.conf"));
    ASSERT_TRUE(box.write(QStringLiteral("Quelda.conf"),
                          "[LOBEVW]\nAssociated=2\nPrintGraph=yes\nPrintData=-1\nMakePDF=0\n"
                          "PenColor= 1\nMakeJPG=\n"));
    SettingsStore store(file);
    EXPECT_TRUE(store.readBool(QStringLiteral("Associated"), false));
    EXPECT_TRUE(store.readBool(QStringLiteral("PrintGraph"), true));   // not a number: default
    EXPECT_FALSE(store.readBool(QStringLiteral("PrintGraph"), false)); // ... whichever it is
    EXPECT_TRUE(store.readBool(QStringLiteral("PrintData"), false));
    EXPECT_FALSE(store.readBool(QStringLiteral("MakePDF"), true));
    EXPECT_TRUE(store.readBool(QStringLiteral("PenColor"), false));
    EXPECT_TRUE(store.readBool(QStringLiteral("MakeJPG"), true)); // empty text: default
}

TEST(Settings, CommonFilesDirectoryAlwaysGetsOneMoreSeparator) {
    testutils::Sandbox box;
    SettingsStore store(box.path(QStringLiteral("Quelda.conf")));
    EXPECT_EQ(paths::commonFilesDirectory(store.commonFilesPath(), QStringLiteral("/opt/lv/")),
              QStringLiteral("/opt/lv//"));
    ASSERT_TRUE(box.write(QStringLiteral("Quelda.conf"), "[Common%20Files]\nPath=/usr/bin\n"));
    SettingsStore withPath(box.path(QStringLiteral("Quelda.conf")));
    EXPECT_EQ(paths::commonFilesDirectory(withPath.commonFilesPath(), QStringLiteral("/opt/lv/")),
              QStringLiteral("/usr/bin/"));
}

TEST(ProgramPaths, DataDirectoryFindsAFolderThatDiffersOnlyInLetterCase) {
    testutils::Sandbox box;
    const QString prog = box.path() + QLatin1Char('/');
    QDir(box.path()).mkdir(QStringLiteral("NSMAData"));
    // The default spelling finds the shipped folder; the exact "NSMAData" names it directly.
    EXPECT_EQ(paths::dataDirectory(prog + QStringLiteral("NSMAdata"), prog),
              box.path(QStringLiteral("NSMAData")));
    EXPECT_EQ(paths::dataDirectory(QStringLiteral("NSMAData"), prog),
              prog + QStringLiteral("NSMAData"));
    // Existing folders are used as given; two candidates are ambiguous, so nothing changes.
    QDir(box.path()).mkdir(QStringLiteral("nsmadata"));
    EXPECT_EQ(paths::resolveDirectoryCase(prog + QStringLiteral("NsmaData")),
              prog + QStringLiteral("NsmaData"));
    EXPECT_EQ(paths::resolveDirectoryCase(prog + QStringLiteral("nsmadata")),
              prog + QStringLiteral("nsmadata"));
    EXPECT_EQ(paths::resolveDirectoryCase(QStringLiteral("/no/such/place")),
              QStringLiteral("/no/such/place"));
}
