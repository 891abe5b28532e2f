// SPDX-License-Identifier: MIT
// The graph window's session: the three file formats exclude each other, every change is
// announced once, and the seven kept choices go to and come from the settings unchanged.
#include "graph/GraphSession.h"

#include "TestUtils.h"

#include <QtTest/QSignalSpy>
#include <gtest/gtest.h>

namespace {

using C = GraphSession::Choice;

// The five output choices as "graph data jpg gif pdf", e.g. "10010".
QString flags(const GraphSession& s) {
    QString f;
    for (C c : {GraphSession::Graph, GraphSession::Data, GraphSession::MakeJpg,
                GraphSession::MakeGif, GraphSession::MakePdf})
        f += s.isOn(c) ? QLatin1Char('1') : QLatin1Char('0');
    return f;
}

} // namespace

TEST(GraphSession, AFormatTurnedOnTurnsTheOtherTwoOff) {
    const struct {
        C choice;
        bool on;
        const char* after; // from "10111" (settings holding all three)
        int changes;
    } cases[] = {
        {GraphSession::MakeJpg, true, "10100", 2},
        {GraphSession::MakeGif, true, "10010", 2},
        {GraphSession::MakePdf, true, "10001", 2},
        {GraphSession::MakeJpg, false, "10011", 1},
        {GraphSession::Data, true, "11111", 1},
        {GraphSession::Graph, false, "00111", 1},
        {GraphSession::Colour, true, "10111", 1},
        {GraphSession::MaskOnPages, true, "10111", 1},
        {GraphSession::PausePrinting, false, "10111", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.choice));
        GraphSession s;
        GraphSettings all;
        all.MakeJPG = all.MakeGIF = all.MakePDF = true;
        s.applyGraphSettings(all);
        ASSERT_EQ(flags(s), QStringLiteral("10111"));
        QSignalSpy spy(&s, &GraphSession::choiceChanged);
        s.set(c.choice, c.on);
        EXPECT_EQ(flags(s), QLatin1String(c.after));
        EXPECT_EQ(s.isOn(c.choice), c.on);
        EXPECT_EQ(spy.size(), c.changes);
        EXPECT_EQ(s.writesFiles(), flags(s).mid(2) != QStringLiteral("000"));
    }
}

TEST(GraphSession, OutputFlagsAndPenFactorAreSetAsGiven) {
    GraphSession s;
    EXPECT_EQ(flags(s), QStringLiteral("10000")); // graph, nothing else, before any settings
    EXPECT_EQ(s.penFactor(), 0);
    QSignalSpy choices(&s, &GraphSession::choiceChanged);
    s.setOutputFlags({false, true, true, false, true});
    EXPECT_EQ(flags(s), QStringLiteral("01101")); // as the caller gave them, not made exclusive
    EXPECT_EQ(choices.size(), 4);
    EXPECT_EQ(s.outputFlags().MakeJPG, true);
    QSignalSpy pen(&s, &GraphSession::penFactorChanged);
    s.setPenFactor(2);
    s.setPenFactor(2);
    EXPECT_EQ(s.penFactor(), 2);
    ASSERT_EQ(pen.size(), 1);
    EXPECT_EQ(pen[0][0].toInt(), 2);
}

TEST(GraphSession, TheSevenSettingsGoThroughTheStoreUnchanged) {
    testutils::Sandbox box;
    for (int bits = 0; bits < 128; ++bits) { // every combination of the seven
        GraphSettings g;
        bool* fields[] = {&g.PenColor,   &g.MakeGIF,   &g.MakeJPG,   &g.MakePDF,
                          &g.PrintGraph, &g.PrintData, &g.PrintPause};
        for (int i = 0; i < 7; ++i)
            *fields[i] = bits & (1 << i);
        GraphSession written;
        written.applyGraphSettings(g);
        SettingsStore store(box.path(QStringLiteral("s%1.conf").arg(bits)));
        ASSERT_TRUE(writeAllSettings(store, ShellSettings{}, written.graphSettings()));
        GraphSession read;
        read.applyGraphSettings(GraphSettings::read(store));
        EXPECT_EQ(read.graphSettings(), g) << bits;
        EXPECT_EQ(read.isOn(GraphSession::Colour), g.PenColor);
        EXPECT_EQ(read.isOn(GraphSession::PausePrinting), g.PrintPause);
    }
}
