// The legend beside an open chart: usable while the graph window runs its real modal loop, closed
// with it, sized by its outer width, and showing the feed picture of the antenna on display.
#include "TestUtils.h"
#include "app/AppWindows.h"
#include "app/MainUnit.h"
#include "common/Prompter.h"
#include "common/Resources.h"
#include "graph/GraphUnit.h"
#include "index/IndexRefresh.h"
#include "print/LegendU.h"

#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtGui/QPainter>
#include <QtGui/QWindow>
#include <QtTest/QTest>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>
#include <gtest/gtest.h>

namespace {

// A data file with an H/H and a V/V cut; `uhp` marks the V/V cut as that of a UHP feed.
QByteArray adf(const QByteArray& feed, bool uhp = false) {
    return "REVNUM:,NSMA\nMODNUM:,ZZX12-65\nPATNUM:,4711\nFEDORN:," + feed +
           "\nDESCR1:,12 ft HP\nDESCR2:,A long description\nDTDATA:,20200102\n"
           "LOWFRQ:,10700\nHGHFRQ:,11700\nMDGAIN:,48.6\nPOLARI:,H/H\nNUPOIN:,2\n-180,-70,\n"
           "180,-70,\nPOLARI:,V/V\n" +
           QByteArray(uhp ? "POLARI:,V/V UHP\n" : "") +
           "NUPOIN:,2\n-180,-60,\n180,-60,\nENDFIL:,EOF\n";
}

// The graph and legend windows as the program creates them, with the real modal loop unless a
// test replaces it.
struct Windows {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    std::unique_ptr<AppWindows> w;
    int programEnds = 0;

    Windows() {
        QDir().mkpath(box.path(QStringLiteral("prog/NSMAData")));
        w = std::make_unique<AppWindows>(AppEnvironment::inFolder(box.path(), prompter));
        w->graph->endProgram = [this] { ++programEnds; };
    }
    TGraphForm& graph() { return *w->graph; }
    TLegend& legend() { return *w->legend; }
    IndexRecord record(const QString& name, const QByteArray& text) {
        box.write(QStringLiteral("prog/NSMAData/") + name, text);
        IndexRecord r;
        BuildRecordFromFile(box.path(QStringLiteral("prog/NSMAData/") + name), r);
        return r;
    }
};

// A click delivered the way the window system delivers it: to the top-level window, where a
// window blocked by a modal one never receives it.
void clickAsUser(QWidget* button) {
    QWidget* top = button->window();
    ASSERT_NE(top->windowHandle(), nullptr);
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {},
                      button->mapTo(top, button->rect().center()));
}

} // namespace

TEST(LegendWindow, UsableWhileTheChartRunsItsModalLoopAndClosedWithIt) {
    Windows t;
    const IndexRecord r = t.record(QStringLiteral("two.adf"), adf("RIGHT"));
    TGraphForm& g = t.graph();
    TLegend& legend = t.legend();
    struct Seen {
        bool modal = false;
        bool opened = false;
        bool closedByButton = false;
        bool reopened = false;
        bool closedByEsc = false;
        bool openWhenLeaving = false;
    } seen;
    // Runs inside ShowAntenna's own modal loop, once the graph window is on screen.
    QTimer::singleShot(0, &g, [&] {
        seen.modal = g.isVisible() && QApplication::activeModalWidget() == &g;
        clickAsUser(g.tbLegend);
        seen.opened = legend.isVisible();
        clickAsUser(legend.CancelBtn);
        seen.closedByButton = !legend.isVisible();

        clickAsUser(g.tbLegend);
        seen.reopened = legend.isVisible();
        QTest::keyClick(legend.windowHandle(), Qt::Key_Escape);
        seen.closedByEsc = !legend.isVisible();

        clickAsUser(g.tbLegend);
        seen.openWhenLeaving = legend.isVisible();
        clickAsUser(g.tbSelect); // "Selection" ends the loop...
        if (g.isVisible())
            g.Select1Click(); // ... and so does this, should the click have been lost
    });
    g.ShowAntenna(r);

    EXPECT_TRUE(seen.modal);
    EXPECT_TRUE(seen.opened);
    EXPECT_TRUE(seen.closedByButton);
    EXPECT_TRUE(seen.reopened);
    EXPECT_TRUE(seen.closedByEsc);
    EXPECT_TRUE(seen.openWhenLeaving);
    EXPECT_FALSE(g.isVisible());
    EXPECT_FALSE(legend.isVisible()); // closed with the graph window
    EXPECT_EQ(t.programEnds, 0);
    EXPECT_TRUE(t.prompter.messages.isEmpty());
    EXPECT_TRUE(t.prompter.errors.isEmpty());
}

TEST(LegendWindow, WidthsAreThoseOfTheWholeWindowFrameIncluded) {
    Windows t;
    t.graph().runModal = [](TGraphForm&) {};
    TLegend& legend = t.legend();
    for (const auto& [feed, outer] :
         {std::pair{QByteArray("LEFT"), 540}, {QByteArray(""), 287}, {QByteArray("RIGHT"), 540}}) {
        t.graph().ShowAntenna(t.record(QStringLiteral("a.adf"), adf(feed)));
        t.graph().Legend1Click();
        ASSERT_TRUE(legend.isVisible());
        const QMargins frame = legend.windowHandle()->frameMargins();
        // The test platform frames its windows, so client and outer widths differ.
        ASSERT_GT(frame.left() + frame.right(), 0);
        EXPECT_EQ(legend.frameGeometry().width(), outer) << feed.constData();
        EXPECT_EQ(legend.width(), outer - frame.left() - frame.right());
        EXPECT_EQ(legend.height(), 395);
        legend.close();
    }
}

TEST(LegendWindow, EachFeedKindShowsItsOwnPictureAndTexts) {
    Windows t;
    t.graph().runModal = [](TGraphForm&) {};
    TLegend& legend = t.legend();
    const struct {
        QByteArray feed;
        bool uhp;
        FeedKind kind;
        const char* picture;
    } cases[] = {
        {"RIGHT", false, FeedKind::Right, "RIGHTFEED"},
        {"LEFT", false, FeedKind::Left, "LEFTFEED"},
        {"RIGHT", true, FeedKind::UhpRight, "UHP-RIGHT"},
        {"LEFT", true, FeedKind::UhpLeft, "UHP-LEFT"},
    };
    QList<QImage> drawn;
    QList<QImage> texts;
    for (const auto& c : cases) {
        t.graph().ShowAntenna(t.record(QStringLiteral("a.adf"), adf(c.feed, c.uhp)));
        ASSERT_EQ(t.graph().Pattern.feedKind, c.kind) << c.picture;
        legend.FormActivate();
        const QImage picture = legend.picture();

        // The feed picture, as the resource holds it, in the rectangle (260, 15) - (450, 145).
        QImage expected(190, 130, QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            QPainter p(&expected);
            p.drawImage(QRect(0, 0, 190, 130), LoadResourceBitmap(QString::fromLatin1(c.picture)));
        }
        EXPECT_EQ(picture.copy(260, 15, 190, 130), expected) << c.picture;
        drawn << picture.copy(260, 15, 190, 130);
        // The orientation texts below the picture, from the heading to the last line.
        texts << picture.copy(240, 170, 256, 90);
    }
    // Four different pictures, none drawn for two kinds.
    for (int i = 0; i < drawn.size(); ++i)
        for (int j = i + 1; j < drawn.size(); ++j)
            EXPECT_NE(drawn[i], drawn[j]) << i << " " << j;
    // The texts name the side only: the same for a feed and its UHP variant, not for the other
    // side.
    EXPECT_EQ(texts[0], texts[2]);
    EXPECT_EQ(texts[1], texts[3]);
    EXPECT_NE(texts[0], texts[1]);
}
