// SPDX-License-Identifier: MIT
// The legend beside an open chart: usable while the graph window runs its real modal loop, closed
// with it, sized by its outer width, and showing the feed picture of the antenna on display. The
// chart's other windows the same way: its option dialogs and messages over it, and the
// compliance window beside it.
#include "graph/LegendWindow.h"

#include "AppWindows.h"
#include "TestUtils.h"
#include "base/Prompter.h"
#include "base/Resources.h"
#include "catalogue/IndexRefresh.h"
#include "dialogs/ExportDataDialog.h"
#include "dialogs/ExportOptionsDialog.h"
#include "dialogs/OutputFoldersDialog.h"
#include "dialogs/PenWidthDialog.h"
#include "dialogs/PrintOptionsDialog.h"
#include "dialogs/QtPrompter.h"
#include "graph/ComplianceWindow.h"
#include "graph/GraphSession.h"
#include "graph/GraphWindow.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtGui/QPainter>
#include <QtGui/QWindow>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolBar>
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
    GraphWindow& graph() { return *w->graph; }
    LegendWindow& legend() { return *w->legend; }
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
    GraphWindow& g = t.graph();
    LegendWindow& legend = t.legend();
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
        clickAsUser(testutils::child<QToolButton>(g, "tbLegend"));
        seen.opened = legend.isVisible();
        clickAsUser(legend.closeButton);
        seen.closedByButton = !legend.isVisible();

        clickAsUser(testutils::child<QToolButton>(g, "tbLegend"));
        seen.reopened = legend.isVisible();
        QTest::keyClick(legend.windowHandle(), Qt::Key_Escape);
        seen.closedByEsc = !legend.isVisible();

        clickAsUser(testutils::child<QToolButton>(g, "tbLegend"));
        seen.openWhenLeaving = legend.isVisible();
        clickAsUser(testutils::child<QToolButton>(g, "tbSelect")); // "Selection" ends the loop...
        if (g.isVisible())
            g.backToSelection(); // ... and so does this, should the click have been lost
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
    t.graph().runModal = [](GraphWindow&) {};
    LegendWindow& legend = t.legend();
    for (const auto& [feed, outer] :
         {std::pair{QByteArray("LEFT"), 540}, {QByteArray(""), 287}, {QByteArray("RIGHT"), 540}}) {
        t.graph().ShowAntenna(t.record(QStringLiteral("a.adf"), adf(feed)));
        t.graph().showLegend();
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
    t.graph().runModal = [](GraphWindow&) {};
    LegendWindow& legend = t.legend();
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
        ASSERT_EQ(t.graph().session().feed(), c.kind) << c.picture;
        legend.rebuild();
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

// ---- The other windows of the chart -----------------------------------------------------------

namespace {

// The title, menu and tool bars of the chart in global coordinates, from the frame's top to the
// tool bar's bottom edge.
QRect barsOf(const GraphWindow& g) {
    const auto* bar = g.findChild<QToolBar*>(QStringLiteral("toolBar"));
    const QRect bars(bar->mapToGlobal(QPoint(0, 0)), bar->size());
    return QRect(g.frameGeometry().topLeft(), QPoint(g.frameGeometry().right(), bars.bottom()));
}

} // namespace

TEST(ChartWindows, OptionDialogsAndMessagesBelongToTheChartInItsModalLoop) {
    Windows t;
    const IndexRecord r = t.record(QStringLiteral("two.adf"), adf("RIGHT"));
    GraphWindow& g = t.graph();
    // The dialogs opened from the chart are its own, wherever they are opened from.
    for (QWidget* d : QList<QWidget*>{t.w->printOptions, t.w->exportOptions, t.w->exportData,
                                      t.w->penWidth, t.w->fileLocations})
        EXPECT_EQ(d->parentWidget(), &g) << d->windowTitle().toStdString();

    // The selection window behind the chart, as when a model was clicked; its first showing
    // builds the index (the index display is not shown).
    t.w->select->runDialog = [](QDialog&) { return int(QDialog::Accepted); };
    t.w->select->show();
    QCoreApplication::processEvents();
    QtPrompter desktop(t.w->select.get());
    struct Opened {
        QString title;
        bool modal = false;     // the top modal window while it was open
        bool overChart = false; // the window system keeps it above the chart, not the lists
    };
    QList<Opened> opened;
    // Looks at the modal window once its own loop runs, then closes it with its Cancel (or OK).
    const auto answer = [&](QPushButton* close) {
        QTimer::singleShot(0, &g, [&, close] {
            QWidget* modal = QApplication::activeModalWidget();
            opened << Opened{modal ? modal->windowTitle() : QString(),
                             modal && modal == close->window(),
                             modal && modal->windowHandle() &&
                                 modal->windowHandle()->transientParent() == g.windowHandle()};
            clickAsUser(close);
        });
    };
    QWidget* boxOwner = nullptr;
    bool chartModalAfterwards = false;
    QTimer::singleShot(0, &g, [&] {
        answer(t.w->printOptions->cancelButton);
        clickAsUser(testutils::child<QToolButton>(g, "tbPrint"));
        answer(t.w->exportOptions->cancelButton);
        clickAsUser(testutils::child<QToolButton>(g, "tbExport"));
        answer(t.w->exportData->cancelButton);
        testutils::child<QAction>(g, "exportDataAction")->trigger();
        // A message box of the desktop comes over the chart, not over the lists.
        QTimer::singleShot(0, &g, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            boxOwner = box->parentWidget();
            box->accept();
        });
        desktop.message(QStringLiteral("Something to say"));
        chartModalAfterwards = QApplication::activeModalWidget() == &g;
        clickAsUser(testutils::child<QToolButton>(g, "tbSelect"));
        if (g.isVisible())
            g.backToSelection();
    });
    g.ShowAntenna(r);

    ASSERT_EQ(opened.size(), 3);
    const char* titles[] = {"Print Options", "Export Graph Options", "Export Data Options"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(opened[i].title, QString::fromLatin1(titles[i]));
        EXPECT_TRUE(opened[i].modal) << titles[i];
        EXPECT_TRUE(opened[i].overChart) << titles[i];
    }
    EXPECT_EQ(boxOwner, &g);
    EXPECT_TRUE(chartModalAfterwards);
    EXPECT_FALSE(g.isVisible());
    EXPECT_EQ(t.programEnds, 0);
    // Outside the chart the message boxes come over the selection window.
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        boxOwner = box ? box->parentWidget() : nullptr;
        if (box)
            box->accept();
    });
    desktop.message(QStringLiteral("Something else"));
    EXPECT_EQ(boxOwner, t.w->select.get());
    t.w->select->hide();
}

TEST(ChartWindows, ComplianceOpensBesideTheChartClearOfItsBarsAndClosesWithIt) {
    Windows t;
    t.box.write(
        QStringLiteral("prog/masks/fcc-101-115.csv"),
        testutils::readFile(testutils::samplePath(QStringLiteral("../masks/fcc-101-115.csv"))));
    GraphWindow& g = t.graph();
    QFile::copy(testutils::samplePath(QStringLiteral("QS8-59.adf")),
                t.box.path(QStringLiteral("prog/NSMAData/QS8-59.adf")));
    QFile::copy(testutils::samplePath(QStringLiteral("ZZX10-60L.adf")),
                t.box.path(QStringLiteral("prog/NSMAData/ZZX10-60L.adf")));
    const auto record = [&t](const char* name) {
        IndexRecord r;
        BuildRecordFromFile(t.box.path(QStringLiteral("prog/NSMAData/") + QLatin1String(name)), r);
        return r;
    };
    struct Seen {
        bool open = false;
        bool clearOfBars = false;
        bool beside = false; // its frame is not the chart's
        QString antenna;
        bool usable = false; // ticked by a click while the chart is modal
    };
    QList<Seen> seen;
    const auto openAndLeave = [&] {
        QTimer::singleShot(0, &g, [&] {
            testutils::child<QAction>(g, "complianceAction")->trigger();
            ComplianceWindow* form = g.complianceWindow();
            Seen s;
            s.open = form && form->isVisible();
            if (s.open) {
                s.clearOfBars = !form->frameGeometry().intersects(barsOf(g));
                s.beside = form->frameGeometry() != g.frameGeometry();
                s.antenna = form->summaryLabel()->text().section(QLatin1Char(':'), 0, 0);
                clickAsUser(form->showMaskBox);
                s.usable = form->showMaskBox->isChecked();
                clickAsUser(form->showMaskBox);
            }
            seen << s;
            clickAsUser(testutils::child<QToolButton>(g, "tbSelect"));
            if (g.isVisible())
                g.backToSelection();
        });
    };
    openAndLeave();
    g.ShowAntenna(record("QS8-59.adf"));
    ASSERT_NE(g.complianceWindow(), nullptr);
    // "Selection" closed it with the chart: the lists show without it.
    EXPECT_FALSE(g.complianceWindow()->isVisible());

    // The next antenna opens without it; opened again, it shows that antenna.
    bool hiddenAtFirst = false;
    QTimer::singleShot(0, &g, [&] { hiddenAtFirst = !g.complianceWindow()->isVisible(); });
    openAndLeave();
    g.ShowAntenna(record("ZZX10-60L.adf"));
    EXPECT_TRUE(hiddenAtFirst);
    EXPECT_FALSE(g.complianceWindow()->isVisible());

    ASSERT_EQ(seen.size(), 2);
    const char* antennas[] = {"QS8-59", "ZZX10-60"};
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(seen[i].open) << i;
        EXPECT_TRUE(seen[i].clearOfBars) << i;
        EXPECT_TRUE(seen[i].beside) << i;
        EXPECT_EQ(seen[i].antenna, QString::fromLatin1(antennas[i]));
        EXPECT_TRUE(seen[i].usable) << i;
    }
    EXPECT_EQ(t.programEnds, 0);
    EXPECT_TRUE(t.prompter.errors.isEmpty());
}

TEST(ChartWindows, ComplianceOpeningFirstCountsItsFrameBeforeItHasOne) {
    Windows t;
    // A window low on the screen: the only place that hides none of it is above it, flush with
    // its frame, which the compliance window's own frame must not reach into.
    QWidget other;
    other.setGeometry(0, 0, 300, 100);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    const QRect area = other.screen()->availableGeometry();
    other.move(area.left(), area.bottom() - 140);
    ComplianceWindow form(t.graph().session(), QString());
    ASSERT_EQ(form.windowHandle(), nullptr); // never shown: no frame yet
    form.PlaceBeside(other, QRect());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_FALSE(form.frameGeometry().intersects(other.frameGeometry()))
        << form.frameGeometry().bottom() << " " << other.frameGeometry().top();
    EXPECT_TRUE(area.contains(form.frameGeometry()));
}
