// SPDX-License-Identifier: MIT
// The selection window driven as a user would: lists, filters, the chooser, the command line,
// File > Location and File > Refresh, and the index display's dump.
#include "selection/SelectionWindow.h"

#include "AppContext.h"
#include "AppWindows.h"
#include "TestUtils.h"
#include "base/DisplayText.h"
#include "base/Prompter.h"
#include "catalogue/CatalogueLists.h"
#include "graph/GraphSession.h"
#include "graph/GraphWindow.h"
#include "selection/DataFolderDialog.h"
#include "selection/IndexTableWindow.h"
#include "selection/ModelChooserDialog.h"
#include "selection/RebuildWindow.h"

#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>
#include <gtest/gtest.h>

namespace {

QByteArray adf(const QByteArray& model, int lowMHz, int highMHz,
               const QByteArray& date = "20030405", const QByteArray& feed = {}) {
    return "REVNUM:,NSMA WG16.99.050\nMODNUM:," + model + "\nPATNUM:,100\nFEDORN:," + feed +
           "\nDESCR1:,Test\nDTDATA:," + date + "\nLOWFRQ:," + QByteArray::number(lowMHz) +
           "\nHGHFRQ:," + QByteArray::number(highMHz) +
           "\nMDGAIN:,40.0\nPOLARI:,H/H\nNUPOIN:,2\n0,0,\n180,-70,\nENDFIL:,EOF\n";
}

QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void clickRow(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->setCurrentItem(found.first());
    Q_EMIT list->itemClicked(found.first());
}

struct Selection {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    QStringList dialogsRun;
    std::function<int(QDialog&)> answer;     // how the next dialogs are answered
    QList<QPair<QByteArray, QString>> shown; // (model number, data file) per ShowAntenna
    std::unique_ptr<AppWindows> w;

    Selection() {
        QDir().mkpath(box.path(QStringLiteral("prog/NSMAData")));
        data(QStringLiteral("zz8-107a.adf"), adf("ZZ8-107", 5925, 6425));
        data(QStringLiteral("zz8-107b.adf"), adf("ZZ8-107", 6425, 7125));
        data(QStringLiteral("zzx12-65.adf"), adf("zzx12-65", 10700, 11700, "20040101", "RIGHT"));
        data(QStringLiteral("wide10.adf"), adf("QB10-W", 10000, 12000));
        data(QStringLiteral("zzx10-65.adf"), adf("ZZX10-65", 10700, 11700));
    }
    void data(const QString& name, const QByteArray& bytes) {
        box.write(QStringLiteral("prog/NSMAData/") + name, bytes);
    }
    void start(QStringList args = {}) {
        AppEnvironment env = AppEnvironment::inFolder(box.path(), prompter);
        env.arguments = std::move(args);
        w = std::make_unique<AppWindows>(env);
        w->select->runDialog = [this](QDialog& d) {
            dialogsRun << d.windowTitle();
            if (answer)
                return answer(d);
            d.accept();
            return int(QDialog::Accepted);
        };
        w->select->showAntenna = [this](const IndexRecord& r, const QString& path) {
            shown << qMakePair(r.modelNumber(), path);
        };
        w->select->firstShow();
    }
    SelectionWindow& s() { return *w->select; }
};

} // namespace

TEST(Selection, MissingIndexIsRebuiltAndTheListsAreFilled) {
    Selection t;
    t.start();
    EXPECT_EQ(t.dialogsRun, QStringList{QStringLiteral("File Index Display")});
    EXPECT_TRUE(QFileInfo::exists(t.box.path(QStringLiteral("prog/FileIndx.txt"))));
    EXPECT_EQ(items(t.s().rangeList),
              (QStringList{QStringLiteral("   ALL   "), QStringLiteral(" 5.925-6.425"),
                           QStringLiteral(" 6.425-7.125"), QStringLiteral("10.000-12.000"),
                           QStringLiteral("10.700-11.700")}));
    EXPECT_EQ(items(t.s().typeList),
              (QStringList{QStringLiteral("QB"), QStringLiteral("ZZ"), QStringLiteral("ZZX")}));
    EXPECT_EQ(items(t.s().modelList),
              (QStringList{QStringLiteral("QB10-W"), QStringLiteral("ZZ8-107"),
                           QStringLiteral("ZZX10-65"), QStringLiteral("ZZX12-65")}));
    EXPECT_EQ(t.s().rangeList->currentRow(), -1);
}

TEST(Selection, RangeAndTypeNarrowTheLists) {
    Selection t;
    t.start();
    // A range lists the records whose band covers it, the wider band included.
    clickRow(t.s().rangeList, QStringLiteral("10.700-11.700"));
    EXPECT_EQ(items(t.s().typeList), (QStringList{QStringLiteral("QB"), QStringLiteral("ZZX")}));
    EXPECT_EQ(items(t.s().modelList),
              (QStringList{QStringLiteral("QB10-W"), QStringLiteral("ZZX10-65"),
                           QStringLiteral("ZZX12-65")}));
    clickRow(t.s().typeList, QStringLiteral("ZZX"));
    EXPECT_EQ(items(t.s().modelList),
              (QStringList{QStringLiteral("ZZX10-65"), QStringLiteral("ZZX12-65")}));

    clickRow(t.s().rangeList, QStringLiteral(" 5.925-6.425"));
    EXPECT_EQ(items(t.s().modelList), QStringList{QStringLiteral("ZZ8-107")});
    clickRow(t.s().typeList, QStringLiteral("ZZ"));
    EXPECT_EQ(items(t.s().modelList), QStringList{QStringLiteral("ZZ8-107")});

    clickRow(t.s().rangeList, QStringLiteral("   ALL   "));
    EXPECT_EQ(items(t.s().modelList).size(), 4);
    clickRow(t.s().typeList, QStringLiteral("ZZ"));
    EXPECT_EQ(items(t.s().modelList), QStringList{QStringLiteral("ZZ8-107")});
}

TEST(Selection, AModelWithTwoRecordsGoesThroughTheChooser) {
    Selection t;
    t.start();
    ModelChooserDialog* chooser = t.w->chooser;
    QStringList lines;
    t.answer = [&](QDialog& d) {
        if (&d != chooser)
            return int(QDialog::Accepted);
        lines = items(chooser->matchList);
        EXPECT_EQ(chooser->matchList->currentRow(), 1);
        chooser->matchList->setCurrentRow(2);
        chooser->confirmMatch();
        return chooser->result();
    };
    clickRow(t.s().rangeList,
             QStringLiteral(" 5.925-6.425")); // both bands are offered all the same
    clickRow(t.s().modelList, QStringLiteral("ZZ8-107"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("RPE File   Frequency Range  Orientation"));
    EXPECT_EQ(lines[1], QStringLiteral("zz8-107a.adf   5.925-6.425 GHz       FEED"));
    ASSERT_EQ(t.shown.size(), 1);
    EXPECT_EQ(t.shown[0].first, "ZZ8-107");

    // The heading clicked: a hint, and OK then shows the first match.
    t.answer = [&](QDialog& d) {
        chooser->matchList->setCurrentRow(0);
        chooser->matchChosen();
        chooser->confirmMatch();
        return d.result();
    };
    clickRow(t.s().modelList, QStringLiteral("ZZ8-107"));
    EXPECT_EQ(t.prompter.messages.last(), QStringLiteral("Please select an antenna"));
    EXPECT_FALSE(chooser->confirmedMatch());
    ASSERT_EQ(t.shown.size(), 2);

    // One match goes straight to the graph window.
    t.dialogsRun.clear();
    clickRow(t.s().rangeList, QStringLiteral("   ALL   "));
    clickRow(t.s().modelList, QStringLiteral("ZZX12-65"));
    EXPECT_TRUE(t.dialogsRun.isEmpty());
    EXPECT_EQ(t.shown.last().first, "ZZX12-65");
}

TEST(Selection, CommandLineArguments) {
    {
        Selection t;
        t.start({QStringLiteral("zzx12-65-xyz")});
        ASSERT_EQ(t.shown.size(), 1);
        EXPECT_EQ(t.shown[0].first, "ZZX12-65");
    }
    {
        Selection t;
        t.start({QStringLiteral("zz8")}); // searches for "-ZZ8"
        EXPECT_TRUE(t.shown.isEmpty());
        EXPECT_EQ(t.prompter.messages,
                  QStringList{QStringLiteral("Sorry, that model number was not found")});
    }
    {
        // A file outside the data directory is shown from its own path with its own header.
        Selection t;
        t.box.write(QStringLiteral("elsewhere/Other Antenna.ADF"), adf("zz6-59", 5925, 6425));
        t.start({t.box.path(QStringLiteral("elsewhere/Other Antenna.ADF"))});
        ASSERT_EQ(t.shown.size(), 1);
        EXPECT_EQ(t.shown[0].first, "ZZ6-59");
        EXPECT_EQ(t.shown[0].second, t.box.path(QStringLiteral("elsewhere/Other Antenna.ADF")));
    }
    {
        // A name that is not there: looked up in the index, first with its case, then without.
        Selection t;
        t.start({QStringLiteral("/nowhere/ZZX12-65.ADF")});
        ASSERT_EQ(t.shown.size(), 1);
        EXPECT_EQ(t.shown[0].first, "ZZX12-65");
        EXPECT_TRUE(t.shown[0].second.isEmpty());
    }
    {
        Selection t;
        t.start({QStringLiteral("ZZ8-107.5")});
        EXPECT_TRUE(t.shown.isEmpty());
        EXPECT_EQ(t.prompter.messages,
                  QStringList{QStringLiteral("The specified file could not be found")});
    }
}

TEST(Selection, ATypeInTwoBandsListsOnlyTheModelsOfTheSelectedRange) {
    Selection t;
    // Type ZZX in 5.925-6.425 as well as in 10.700-11.700.
    t.data(QStringLiteral("zzx6-65.adf"), adf("ZZX6-65", 5925, 6425));
    t.start();
    clickRow(t.s().rangeList, QStringLiteral(" 5.925-6.425"));
    clickRow(t.s().typeList, QStringLiteral("ZZX"));
    EXPECT_EQ(items(t.s().modelList), QStringList{QStringLiteral("ZZX6-65")});
    clickRow(t.s().rangeList, QStringLiteral("10.700-11.700"));
    clickRow(t.s().typeList, QStringLiteral("ZZX"));
    EXPECT_EQ(items(t.s().modelList),
              (QStringList{QStringLiteral("ZZX10-65"), QStringLiteral("ZZX12-65")}));
    clickRow(t.s().rangeList, QStringLiteral("   ALL   "));
    clickRow(t.s().typeList, QStringLiteral("ZZX"));
    EXPECT_EQ(items(t.s().modelList),
              (QStringList{QStringLiteral("ZZX10-65"), QStringLiteral("ZZX12-65"),
                           QStringLiteral("ZZX6-65")}));
}

TEST(Selection, ModelArgumentsAreRebuiltFromTheirFirstTwoParts) {
    EXPECT_EQ(ModelNumberArgument(QStringLiteral("zz8")), "-ZZ8");
    EXPECT_EQ(ModelNumberArgument(QStringLiteral("zz8-107")), "ZZ8-107");
    EXPECT_EQ(ModelNumberArgument(QStringLiteral("zz8-107-xyz")), "ZZ8-107");
    EXPECT_EQ(ModelNumberArgument(QStringLiteral("zzx12-65-a-b")), "ZZX12-65");
    EXPECT_EQ(ModelNumberArgument(QStringLiteral("-zz8")), "-ZZ8");
    EXPECT_EQ(ModelNumberArgument(QStringLiteral("-zz8-1")), "-ZZ8");
    EXPECT_EQ(ModelNumberArgument(QStringLiteral("zz8-")), "ZZ8-");
    EXPECT_EQ(ModelNumberArgument(QStringLiteral("q\u00e9")), "-Q\xc3\xa9"); // a to z only

    // "zz8" finds the model "-ZZ8", never "ZZ8".
    Selection t;
    t.data(QStringLiteral("dash.adf"), adf("-zz8", 5925, 6425));
    t.data(QStringLiteral("plain.adf"), adf("ZZ8", 5925, 6425));
    t.start({QStringLiteral("zz8")});
    ASSERT_EQ(t.shown.size(), 1);
    EXPECT_EQ(t.shown[0].first, "-ZZ8");
}

TEST(Selection, TextsWrittenAsUtf8ShowAsWritten) {
    Selection t;
    // Model and description with U+2010 in UTF-8; a Latin-1 degree sign in another file.
    t.data(QStringLiteral("oa20.adf"), adf("OA20\xe2\x80\x90"
                                           "67",
                                           400, 520));
    t.data(QStringLiteral("oa21.adf"), adf("OA21\xb0", 400, 520));
    t.start();
    const QString oa20 = QStringLiteral("OA20\u2010"
                                        "67");
    EXPECT_TRUE(items(t.s().modelList).contains(oa20));
    EXPECT_TRUE(items(t.s().modelList).contains(QStringLiteral("OA21\u00b0")));
    clickRow(t.s().rangeList, QStringLiteral(" 0.400-0.520"));
    EXPECT_EQ(items(t.s().modelList), (QStringList{oa20, QStringLiteral("OA21\u00b0")}));
    clickRow(t.s().modelList, oa20);
    ASSERT_EQ(t.shown.size(), 1);
    EXPECT_EQ(t.shown[0].first, "OA20\xe2\x80\x90"
                                "67"); // the stored bytes are unchanged
    clickRow(t.s().modelList, QStringLiteral("OA21\u00b0"));
    ASSERT_EQ(t.shown.size(), 2);
    EXPECT_EQ(t.shown[1].first, "OA21\xb0");

    // The chooser line and the index table decode the same way.
    IndexRecord r;
    r.setText(IndexField::FileName, "\xc2\xb0.adf");            // UTF-8
    r.setText(IndexField::FrequencyRange, "10.700-11.700\xb0"); // Latin-1
    r.setText(IndexField::FeedOrientation, "R\xc3\xa9");        // UTF-8
    EXPECT_EQ(ModelChooserDialog::matchLine(r),
              QStringLiteral("\u00b0.adf  10.700-11.700\u00b0 GHz      R\u00e9 FEED"));
    IndexTableWindow* display = t.w->indexDisplay;
    display->fillTable();
    QStringList models;
    for (int row = 0; row < display->indexTable()->rowCount(); ++row)
        models << display->indexTable()->item(row, 1)->text();
    EXPECT_TRUE(models.contains(oa20));
    EXPECT_TRUE(models.contains(QStringLiteral("OA21\u00b0")));
    // The dump is written in UTF-8, so the text file shows what the table shows.
    display->accept();
    const QByteArray dump = testutils::readFile(t.box.path(QStringLiteral("prog/FileIndx.txt")));
    EXPECT_TRUE(dump.contains("\r\noa20.adf,OA20\xe2\x80\x90"
                              "67,OA,20,"));
    EXPECT_TRUE(dump.contains("\r\noa21.adf,OA21\xc2\xb0,OA,21,"));
}

TEST(Selection, LocationCancelledStillRebuildsAndRefreshButtonsWork) {
    Selection t;
    t.start();
    const QString before = t.w->context->shellSettings().SourceDir;
    t.data(QStringLiteral("new.adf"), adf("NEW2-10", 21200, 23600));
    t.dialogsRun.clear();
    t.answer = [](QDialog& d) {
        d.reject();
        return int(QDialog::Rejected);
    };
    t.s().chooseDataFolder();
    EXPECT_EQ(t.w->context->shellSettings().SourceDir, before);
    EXPECT_EQ(t.dialogsRun, (QStringList{QStringLiteral("Select Location"),
                                         QStringLiteral("File Index Display")}));
    EXPECT_TRUE(items(t.s().modelList).contains(QStringLiteral("NEW2-10")));

    // OK takes the folder chosen in the tree.
    t.box.write(QStringLiteral("other/x.adf"), adf("OTHER1-1", 5925, 6425));
    t.answer = [&](QDialog& d) {
        if (&d == t.w->directory)
            t.w->directory->setCurrentDirectory(t.box.path(QStringLiteral("other")));
        d.accept();
        return int(QDialog::Accepted);
    };
    t.s().chooseDataFolder();
    EXPECT_EQ(t.w->context->shellSettings().SourceDir, t.box.path(QStringLiteral("other")));
    EXPECT_EQ(items(t.s().modelList), QStringList{QStringLiteral("OTHER1-1")});

    // Refresh: Proceed rebuilds and closes; an empty folder keeps the window open with a message.
    RebuildWindow* refresh = t.w->refresh;
    t.answer = [&](QDialog& d) {
        if (&d == refresh)
            refresh->Proceed->click();
        return d.result();
    };
    QDir().mkpath(t.box.path(QStringLiteral("empty")));
    t.w->context->shellSettings().SourceDir = t.box.path(QStringLiteral("empty"));
    t.prompter.messages.clear();
    t.s().refreshIndex();
    EXPECT_EQ(t.prompter.messages,
              QStringList{QStringLiteral("No NSMA data files were found in this directory")});
    EXPECT_EQ(refresh->result(), int(QDialog::Rejected));
    EXPECT_EQ(items(t.s().rangeList), QStringList{QStringLiteral("   ALL   ")});
}

TEST(Selection, IndexDisplayDumpFollowsMovedColumnsAndEdits) {
    Selection t;
    t.start();
    IndexTableWindow* display = t.w->indexDisplay;
    display->fillTable();
    ASSERT_EQ(display->indexTable()->rowCount(), 5);
    QHeaderView* header = display->indexTable()->horizontalHeader();
    header->moveSection(header->visualIndex(11), 0); // "Gain" to the front
    display->indexTable()->item(0, 13)->setText(QStringLiteral("edited, by hand"));
    display->accept();
    const QByteArray dump = testutils::readFile(t.box.path(QStringLiteral("prog/FileIndx.txt")));
    const QList<QByteArray> lines = dump.split('\n');
    EXPECT_TRUE(lines[0].startsWith("Gain,FileName,ModNum,")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("40.0,")) << lines[1].toStdString();
    EXPECT_TRUE(dump.contains("\"edited, by hand\"\r\n"));
    EXPECT_TRUE(dump.contains(",\"05 April 2003\","));

    // A dump that cannot be written is reported, and the window closes all the same.
    QFile::remove(t.box.path(QStringLiteral("prog/FileIndx.txt")));
    ASSERT_TRUE(
        QDir(t.box.path(QStringLiteral("prog"))).mkpath(QStringLiteral("FileIndx.txt/blocked")));
    display->show();
    display->reject();
    EXPECT_FALSE(display->isVisible());
    ASSERT_FALSE(t.prompter.errors.isEmpty());
    EXPECT_TRUE(t.prompter.errors.last().startsWith(QStringLiteral("Cannot create file ")));
}

TEST(Selection, ModelKeysMoveTheHighlightReturnSpaceAndClicksOpen) {
    Selection t;
    t.start();
    t.dialogsRun.clear();
    QListWidget* models = t.s().modelList;
    const auto current = [models] {
        return models->currentItem() && models->currentItem()->isSelected()
                   ? models->currentItem()->text()
                   : QString();
    };
    const auto shownModels = [&t] {
        QStringList out;
        for (const auto& [model, path] : t.shown)
            out << DisplayText(model);
        return out;
    };
    // Every key that moves the highlight: it moves, and nothing opens.
    const struct {
        int key;
        const char* highlighted;
    } moves[] = {{Qt::Key_Down, "QB10-W"},   {Qt::Key_Down, "ZZ8-107"},
                 {Qt::Key_End, "ZZX12-65"},  {Qt::Key_Up, "ZZX10-65"},
                 {Qt::Key_Home, "QB10-W"},   {Qt::Key_PageDown, "ZZX12-65"},
                 {Qt::Key_PageUp, "QB10-W"}, {Qt::Key_Z, "ZZ8-107"}};
    for (const auto& m : moves) {
        QTest::keyClick(models, Qt::Key(m.key));
        EXPECT_EQ(current(), QString::fromLatin1(m.highlighted)) << m.highlighted;
    }
    EXPECT_TRUE(t.shown.isEmpty());
    EXPECT_TRUE(t.dialogsRun.isEmpty()); // not even the chooser of ZZ8-107

    // Return, Enter and the space bar open the highlighted model, once each.
    QTest::keyClick(models, Qt::Key_Down);
    QTest::keyClick(models, Qt::Key_Return);
    QTest::keyClick(models, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(models, Qt::Key_Down);
    QTest::keyClick(models, Qt::Key_Space);
    EXPECT_EQ(shownModels(), (QStringList{QStringLiteral("ZZX10-65"), QStringLiteral("ZZX10-65"),
                                          QStringLiteral("ZZX12-65")}));

    // A click opens, and a double click (press, release, press, double click, release as the
    // window system sends them) opens once, not twice.
    t.s().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.s()));
    const auto at = [&t, models](int row) {
        return models->viewport()->mapTo(&t.s(),
                                         models->visualItemRect(models->item(row)).center());
    };
    t.shown.clear();
    QTest::mouseClick(t.s().windowHandle(), Qt::LeftButton, {}, at(0));
    EXPECT_EQ(shownModels(), QStringList{QStringLiteral("QB10-W")});
    QTest::mouseDClick(t.s().windowHandle(), Qt::LeftButton, {}, at(3));
    EXPECT_EQ(shownModels(), (QStringList{QStringLiteral("QB10-W"), QStringLiteral("ZZX12-65")}));
    t.s().hide();
}

// The real graph window in its own modal loop: a key that only moves the highlight leaves the
// selection window in front; Return brings the chart of the highlighted model.
TEST(Selection, BrowsingModelsByKeyboardLeavesTheListsInFront) {
    Selection t;
    t.start();
    GraphWindow& g = *t.w->graph;
    g.endProgram = [] {};
    t.s().showAntenna = [&g](const IndexRecord& r, const QString& path) { g.ShowAntenna(r, path); };
    QStringList charts; // the model on show each time the chart came up
    QTimer watch;       // closes the chart through "Selection" whenever it is up
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!g.isVisible() || QApplication::activeModalWidget() != &g)
            return;
        charts << DisplayText(g.session().antenna.record.modelNumber());
        g.backToSelection();
    });
    watch.start();
    t.s().show();
    t.s().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&t.s()));
    t.s().modelList->setFocus();
    // Keys reach the list as the window system delivers them: through the active window.
    QWindow* window = t.s().windowHandle();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down})
        QTest::keyClick(window, key);
    QTest::qWait(30);
    EXPECT_TRUE(charts.isEmpty());
    EXPECT_FALSE(g.isVisible());
    EXPECT_EQ(t.s().modelList->currentItem()->text(), QStringLiteral("ZZX10-65"));

    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_EQ(charts, QStringList{QStringLiteral("ZZX10-65")});
    EXPECT_FALSE(g.isVisible());
    // Back in the list, browsing goes on from the model that was opened.
    QTest::keyClick(window, Qt::Key_Down);
    QTest::qWait(30);
    EXPECT_EQ(charts.size(), 1);
    EXPECT_EQ(t.s().modelList->currentItem()->text(), QStringLiteral("ZZX12-65"));
    t.s().hide();
}
