// SPDX-License-Identifier: MIT
// The selection window and its dialogs as a user meets them: keyboard selection, hints from every
// window, File > Location stopped or failing, folders without visible data files, the messages,
// the chooser's pick, the refresh window's text, the index table and the directory dialog.
#include "AppContext.h"
#include "AppWindows.h"
#include "TestUtils.h"
#include "base/Prompter.h"
#include "graph/GraphWindow.h"
#include "selection/DataFolderDialog.h"
#include "selection/IndexTableWindow.h"
#include "selection/ModelChooserDialog.h"
#include "selection/RebuildWindow.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QSettings>
#include <QtGui/QEnterEvent>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QTreeView>
#include <gtest/gtest.h>

namespace {

QByteArray adf(const QByteArray& model, int lowMHz, int highMHz, const QByteArray& feed = {}) {
    return "REVNUM:,NSMA WG16.99.050\nMODNUM:," + model + "\nPATNUM:,100\nFEDORN:," + feed +
           "\nDESCR1:,Test\nDTDATA:,20030405\nLOWFRQ:," + QByteArray::number(lowMHz) +
           "\nHGHFRQ:," + QByteArray::number(highMHz) +
           "\nMDGAIN:,40.0\nPOLARI:,H/H\nNUPOIN:,2\n0,0,\n180,-70,\nENDFIL:,EOF\n";
}

QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

struct Catalogue {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    QStringList dialogsRun;
    std::function<int(QDialog&)> answer; // how the next dialogs are answered
    QList<IndexRecord> shown;            // one per ShowAntenna
    std::unique_ptr<AppWindows> w;

    explicit Catalogue(bool withData = true) {
        if (!withData)
            return;
        data(QStringLiteral("zz8-107a.adf"), adf("ZZ8-107", 5925, 6425));
        data(QStringLiteral("zz8-107b.adf"), adf("ZZ8-107", 6425, 7125, "RIGHT"));
        data(QStringLiteral("zzx12-65.adf"), adf("ZZX12-65", 10700, 11700));
        data(QStringLiteral("wide10.adf"), adf("QB10-W", 10000, 12000));
    }
    void data(const QString& name, const QByteArray& bytes) {
        box.write(QStringLiteral("prog/NSMAData/") + name, bytes);
    }
    void start() {
        w = std::make_unique<AppWindows>(AppEnvironment::inFolder(box.path(), prompter));
        s().runDialog = [this](QDialog& d) {
            dialogsRun << d.windowTitle();
            if (answer)
                return answer(d);
            d.accept();
            return int(QDialog::Accepted);
        };
        s().showAntenna = [this](const IndexRecord& r, const QString&) { shown << r; };
        s().firstShow();
    }
    SelectionWindow& s() { return *w->select; }
    QString indexPath() { return box.path(QStringLiteral("prog/FileIndx.dat")); }
};

QString statusPanel(SelectionWindow& s) {
    const auto* panel = s.findChild<QLabel*>(QStringLiteral("hintPanel"));
    return panel ? panel->text() : QStringLiteral("(no panel)");
}

void pointerEnters(QWidget* w) {
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(w, &enter);
}

void pointerLeaves(QWidget* w) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w, &leave);
}

} // namespace

TEST(CatalogueWindows, KeyboardChangesOfTheCurrentItemAreSelections) {
    Catalogue t;
    t.start();
    QListWidget* ranges = t.s().rangeList;
    QListWidget* types = t.s().typeList;
    QListWidget* models = t.s().modelList;
    ASSERT_EQ(ranges->currentRow(), -1);

    QTest::keyClick(ranges, Qt::Key_Down); // onto "   ALL   "
    EXPECT_EQ(ranges->currentRow(), 0);
    EXPECT_EQ(items(types),
              (QStringList{QStringLiteral("QB"), QStringLiteral("ZZ"), QStringLiteral("ZZX")}));
    QTest::keyClick(ranges, Qt::Key_End); // the last range narrows the lists
    EXPECT_EQ(ranges->currentItem()->text(), QStringLiteral("10.700-11.700"));
    EXPECT_EQ(items(models), (QStringList{QStringLiteral("QB10-W"), QStringLiteral("ZZX12-65")}));
    QTest::keyClick(ranges, Qt::Key_Down); // already at the end: nothing changes, nothing runs
    EXPECT_EQ(items(models), (QStringList{QStringLiteral("QB10-W"), QStringLiteral("ZZX12-65")}));
    QTest::keyClick(ranges, Qt::Key_Up);
    EXPECT_EQ(ranges->currentItem()->text(), QStringLiteral("10.000-12.000"));
    EXPECT_EQ(items(models), QStringList{QStringLiteral("QB10-W")});

    QTest::keyClick(ranges, Qt::Key_Home);
    // Entering the type list with Tab marks nothing; the first arrow key selects its first item.
    QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(types, &tabIn);
    EXPECT_EQ(types->currentRow(), -1);
    QTest::keyClick(types, Qt::Key_Down); // "QB"
    EXPECT_EQ(items(models), QStringList{QStringLiteral("QB10-W")});
    QTest::keyClick(types, Qt::Key_Down); // "ZZ"
    EXPECT_EQ(items(models), QStringList{QStringLiteral("ZZ8-107")});
    EXPECT_TRUE(t.shown.isEmpty());

    // In the model list the keys only move the highlight (SelectionTest has the rest).
    QTest::keyClick(types, Qt::Key_Down); // "ZZX"
    QTest::keyClick(models, Qt::Key_Down);
    EXPECT_EQ(models->currentItem()->text(), QStringLiteral("ZZX12-65"));
    EXPECT_TRUE(t.shown.isEmpty());

    // A marked but unselected item is selected and opened with the space bar.
    models->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    models->clearSelection();
    QTest::keyClick(models, Qt::Key_Space);
    ASSERT_EQ(t.shown.size(), 1);
    EXPECT_EQ(t.shown[0].modelNumber(), "ZZX12-65");
    EXPECT_TRUE(models->currentItem()->isSelected());
}

TEST(CatalogueWindows, HintsOfEveryWindowReachTheStatusPanel) {
    Catalogue t;
    t.start();
    SelectionWindow& s = t.s();
    s.show();
    const auto* panel = s.findChild<QLabel*>(QStringLiteral("hintPanel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->width(), 200);
    EXPECT_EQ(statusPanel(s), s.createdHint());

    pointerEnters(s.typeList);
    EXPECT_EQ(statusPanel(s), QStringLiteral("Select Antenna Type"));
    pointerLeaves(s.typeList); // back on the window itself: its own hint
    EXPECT_EQ(statusPanel(s), s.createdHint());

    // The graph window's tool bar, though it has no status bar of its own.
    GraphWindow& g = *t.w->graph;
    pointerEnters(testutils::child<QToolButton>(g, "tbSelect"));
    EXPECT_EQ(statusPanel(s), QStringLiteral("View Antenna Selection"));
    pointerEnters(testutils::child<QToolButton>(g, "tbLegend"));
    EXPECT_EQ(statusPanel(s), QStringLiteral("View RPE Legend"));
    pointerLeaves(testutils::child<QToolButton>(
        g, "tbLegend")); // nothing with a hint under the pointer in that window
    EXPECT_EQ(statusPanel(s), QString());
    s.close();
}

TEST(CatalogueWindows, LocationStoppedOrFailedKeepsTheOldIndexAndFolderTogether) {
    Catalogue t;
    t.start();
    const QString oldFolder = t.w->context->shellSettings().SourceDir;
    const QByteArray oldIndex = testutils::readFile(t.indexPath());
    ASSERT_EQ(oldIndex.size(), 4 * 380);
    const QStringList oldModels = items(t.s().modelList);
    t.box.write(QStringLiteral("other/x.adf"), adf("OTHER1-1", 5925, 6425));
    t.box.write(QStringLiteral("other/y.adf"), adf("OTHER2-1", 5925, 6425));

    QString chosen = t.box.path(QStringLiteral("other"));
    bool goneAfterChoosing = false;
    t.answer = [&](QDialog& d) {
        if (&d == t.w->directory) {
            t.w->directory->setCurrentDirectory(chosen);
            // The folder goes away between choosing it and the rebuild.
            if (goneAfterChoosing)
                QDir(chosen).removeRecursively();
        }
        d.accept();
        return int(QDialog::Accepted);
    };
    // "Stop" pressed as soon as the rebuild runs.
    bool stop = true;
    QObject::connect(&t.s(), &SelectionWindow::rebuildStarted, [&](QProgressDialog* progress) {
        if (!stop)
            return;
        const auto buttons = progress->findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(buttons[0]->text(), QStringLiteral("&Stop"));
        buttons[0]->click();
    });

    const QString kept = QStringLiteral("The data directory is still %1.").arg(oldFolder);
    t.dialogsRun.clear();
    t.s().chooseDataFolder();
    EXPECT_EQ(t.w->context->shellSettings().SourceDir, oldFolder);
    EXPECT_EQ(testutils::readFile(t.indexPath()), oldIndex);
    EXPECT_EQ(items(t.s().modelList), oldModels);
    EXPECT_EQ(t.prompter.messages,
              QStringList{QStringLiteral("The index was not changed.\n\n") + kept});
    EXPECT_FALSE(t.dialogsRun.contains(QStringLiteral("File Index Display")));

    // A folder that is not there: its own message, and again nothing changes.
    stop = false;
    t.prompter.messages.clear();
    chosen = t.box.path(QStringLiteral("gone"));
    QDir().mkpath(chosen);
    goneAfterChoosing = true;
    t.s().chooseDataFolder();
    goneAfterChoosing = false;
    EXPECT_EQ(t.w->context->shellSettings().SourceDir, oldFolder);
    EXPECT_EQ(testutils::readFile(t.indexPath()), oldIndex);
    EXPECT_EQ(
        t.prompter.messages,
        QStringList{
            QStringLiteral("Cannot read folder %1: No such file or directory\n\n").arg(chosen) +
            kept});

    // A folder without data files: said so, and again nothing changes.
    t.prompter.messages.clear();
    chosen = t.box.path(QStringLiteral("no-data"));
    t.box.write(QStringLiteral("no-data/readme.txt"), "no pattern files here");
    t.s().chooseDataFolder();
    EXPECT_EQ(t.w->context->shellSettings().SourceDir, oldFolder);
    EXPECT_EQ(testutils::readFile(t.indexPath()), oldIndex);
    EXPECT_EQ(items(t.s().modelList), oldModels);
    EXPECT_EQ(
        t.prompter.messages,
        QStringList{QStringLiteral("No NSMA data files were found in this directory\n\n") + kept});

    // The settings kept at the end hold the folder that goes with the index.
    ASSERT_TRUE(t.w->context->saveSettings());
    QSettings stored(t.box.path(QStringLiteral("Quelda.conf")), QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("LOBEVW/SourceDir")).toString(), oldFolder);

    // Run to its end, the new folder and its index are taken together.
    t.prompter.messages.clear();
    chosen = t.box.path(QStringLiteral("other"));
    t.s().chooseDataFolder();
    EXPECT_EQ(t.w->context->shellSettings().SourceDir, chosen);
    EXPECT_EQ(items(t.s().modelList),
              (QStringList{QStringLiteral("OTHER1-1"), QStringLiteral("OTHER2-1")}));
    EXPECT_TRUE(t.prompter.messages.isEmpty());
    ASSERT_TRUE(t.w->context->saveSettings());
    stored.sync();
    EXPECT_EQ(stored.value(QStringLiteral("LOBEVW/SourceDir")).toString(), chosen);
}

TEST(CatalogueWindows, HiddenDataFilesMissingFoldersAndTheMessagesAboutThem) {
    // No index and no data folder at the first start: the folder's own message, then the way out.
    Catalogue t(false);
    t.start();
    const QString folder = t.w->context->shellSettings().SourceDir;
    EXPECT_EQ(
        t.prompter.messages,
        (QStringList{QStringLiteral("Cannot read folder %1: No such file or directory").arg(folder),
                     QStringLiteral("To recover you must select a valid file location")}));
    EXPECT_EQ(items(t.s().rangeList), QStringList{QStringLiteral("   ALL   ")});

    // A folder whose only data file is hidden: an empty index, shown, and the refresh window
    // closes as after any rebuild.
    t.data(QStringLiteral(".hidden.adf"), adf("HIDDEN1-1", 5925, 6425));
    RebuildWindow* refresh = t.w->refresh;
    t.answer = [&](QDialog& d) {
        d.setResult(QDialog::Rejected); // as a window being shown starts
        if (&d == refresh)
            refresh->Proceed->click();
        return d.result();
    };
    t.prompter.messages.clear();
    t.s().refreshIndex();
    EXPECT_TRUE(t.prompter.messages.isEmpty())
        << t.prompter.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(t.dialogsRun,
              (QStringList{QStringLiteral("RefreshForm"), QStringLiteral("File Index Display")}));
    EXPECT_EQ(refresh->result(), int(QDialog::Accepted));
    EXPECT_TRUE(QFileInfo::exists(t.indexPath()));
    EXPECT_EQ(QFileInfo(t.indexPath()).size(), 0);
    EXPECT_EQ(items(t.s().rangeList), QStringList{QStringLiteral("   ALL   ")});

    // A data folder that became a file: named, with the reason; the window stays open.
    t.data(QStringLiteral("a.adf"), adf("ZZ8-107", 5925, 6425));
    refresh->Proceed->click();
    ASSERT_EQ(QFileInfo(t.indexPath()).size(), 380);
    t.w->context->shellSettings().SourceDir = t.box.path(QStringLiteral("plain-file"));
    t.box.write(QStringLiteral("plain-file"), "not a folder");
    t.prompter.messages.clear();
    t.s().refreshIndex();
    EXPECT_EQ(t.prompter.messages,
              QStringList{QStringLiteral("Cannot read folder %1: Not a directory")
                              .arg(t.box.path(QStringLiteral("plain-file")))});
    EXPECT_EQ(refresh->result(), int(QDialog::Rejected));
    EXPECT_EQ(QFileInfo(t.indexPath()).size(), 380); // the old index stays
    EXPECT_EQ(items(t.s().modelList), QStringList{QStringLiteral("ZZ8-107")});

    // A model in the list that the index does not hold.
    t.prompter.messages.clear();
    t.s().modelList->addItem(QStringLiteral("GONE1-1"));
    t.s().modelList->setCurrentRow(1);
    Q_EMIT t.s().modelList->itemClicked(t.s().modelList->item(1));
    EXPECT_EQ(t.prompter.messages, QStringList{QStringLiteral("The file was not found!!!")});
    EXPECT_TRUE(t.shown.isEmpty());
}

TEST(CatalogueWindows, TheChooserShowsTheLineThatWasPicked) {
    Catalogue t;
    t.start();
    ModelChooserDialog* chooser = t.w->chooser;
    int pick = 2;
    t.answer = [&](QDialog& d) {
        if (&d == chooser) {
            chooser->matchList->setCurrentRow(pick);
            if (pick == 0)
                chooser->matchChosen();
            chooser->confirmMatch();
        }
        return d.result();
    };
    const auto clickModel = [&] {
        t.s().modelList->setCurrentRow(t.s().modelList->count() - 2); // ZZ8-107
        ASSERT_EQ(t.s().modelList->currentItem()->text(), QStringLiteral("ZZ8-107"));
        Q_EMIT t.s().modelList->itemClicked(t.s().modelList->currentItem());
    };
    clickModel();
    ASSERT_EQ(items(chooser->matchList),
              (QStringList{QStringLiteral("RPE File   Frequency Range  Orientation"),
                           QStringLiteral("zz8-107a.adf   5.925-6.425 GHz       FEED"),
                           QStringLiteral("zz8-107b.adf   6.425-7.125 GHz      RIGHT FEED")}));
    ASSERT_EQ(t.shown.size(), 1);
    EXPECT_EQ(t.shown[0].fileName(), "zz8-107b.adf"); // the second line, not the first match
    EXPECT_EQ(t.shown[0].feedOrientation(), "RIGHT");

    pick = 1;
    clickModel();
    ASSERT_EQ(t.shown.size(), 2);
    EXPECT_EQ(t.shown[1].fileName(), "zz8-107a.adf");

    pick = 0; // the heading: a hint, and the first match is shown
    clickModel();
    EXPECT_EQ(t.prompter.messages.last(), QStringLiteral("Please select an antenna"));
    ASSERT_EQ(t.shown.size(), 3);
    EXPECT_EQ(t.shown[2].fileName(), "zz8-107a.adf");
}

TEST(CatalogueWindows, TheRefreshWindowSaysWhatItDoes) {
    Catalogue t;
    t.start();
    RebuildWindow* refresh = t.w->refresh;
    EXPECT_EQ(refresh->size(), QSize(635, 265));
    QList<QLabel*> labels = refresh->findChildren<QLabel*>();
    std::sort(labels.begin(), labels.end(),
              [](const QLabel* a, const QLabel* b) { return a->y() < b->y(); });
    const QStringList lines = {
        QStringLiteral(
            "The purpose of this routine is to update the index file to add new data files"),
        QStringLiteral("and to delete files that have been removed from the NSMA data directory."),
        QStringLiteral("This process will take some time, depending on the CPU and hard drive "),
        QStringLiteral("speeds.  If you have not added or deleted files you can exit by pressing"),
        QStringLiteral(
            "the cancel button.  If you choose to proceed please wait until this window"),
        QStringLiteral("closes before proceding.")};
    const int tops[] = {16, 43, 70, 98, 125, 152};
    ASSERT_EQ(labels.size(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(labels[i]->text(), lines[i]) << i;
        EXPECT_EQ(labels[i]->pos(), QPoint(16, tops[i])) << i;
        EXPECT_EQ(labels[i]->palette().color(QPalette::WindowText), QColor(Qt::red)) << i;
        EXPECT_TRUE(labels[i]->font().bold()) << i;
        EXPECT_EQ(labels[i]->font().pixelSize(), 17) << i;
        EXPECT_GE(labels[i]->width(), labels[i]->sizeHint().width()) << i; // nothing cut off
    }
    EXPECT_EQ(refresh->Proceed->text(), QStringLiteral("&Proceed"));
    EXPECT_EQ(refresh->Proceed->geometry(), QRect(189, 184, 113, 41));
    EXPECT_EQ(refresh->Cancel->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(refresh->Cancel->geometry(), QRect(325, 184, 113, 41));
}

TEST(CatalogueWindows, IndexTableFreezesItsLeftColumnAndDrawsCellsAtTheirCorner) {
    Catalogue t;
    t.start();
    IndexTableWindow* display = t.w->indexDisplay;
    QTableWidget* grid = display->indexTable();
    const int widths[14] = {100, 150, 50, 35, 75, 200, 50, 75, 75, 180, 65, 50, 50, 150};
    for (int c = 0; c < 14; ++c)
        EXPECT_EQ(grid->columnWidth(c), widths[c]) << "column " << c;

    display->show();
    ASSERT_EQ(grid->rowCount(), 4);
    const QPalette pal = grid->palette();

    // A normal cell: the text's top-left corner on the cell's, over the normal background.
    const QRect cell = grid->visualRect(grid->model()->index(0, 1));
    QImage expected(cell.size(), QImage::Format_RGB32);
    expected.fill(pal.color(QPalette::Base));
    {
        QPainter p(&expected);
        p.setFont(grid->font());
        p.setPen(pal.color(QPalette::Text));
        p.drawText(QRect(QPoint(0, 0), cell.size()), Qt::AlignLeft | Qt::AlignTop,
                   grid->item(0, 1)->text());
    }
    const QImage viewport =
        grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(viewport.copy(cell), expected) << grid->item(0, 1)->text().toStdString();

    // Scrolled to the right end, the file-name column stays where it was, in the fixed colour.
    const QImage before = grid->grab().toImage();
    const int frozenWidth = grid->frameWidth() + 100;
    const QRect frozen(0, 0, frozenWidth, grid->horizontalHeader()->height() + 4 * 24);
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    ASSERT_GT(grid->horizontalScrollBar()->value(), 0);
    const QImage after = grid->grab().toImage();
    EXPECT_EQ(after.copy(frozen), before.copy(frozen));
    const QRect rest(frozenWidth, 0, 300, frozen.height());
    EXPECT_NE(after.copy(rest), before.copy(rest));
    const int bodyTop = grid->frameWidth() + grid->horizontalHeader()->height();
    EXPECT_EQ(after.pixelColor(frozenWidth - 5, bodyTop + 24 + 20), pal.color(QPalette::Button));
    EXPECT_EQ(after.pixelColor(frozenWidth + 200, bodyTop + 24 + 20), pal.color(QPalette::Base));

    // Moving "Gain" to the front makes it the frozen column; the dump follows the new order.
    QHeaderView* header = grid->horizontalHeader();
    header->moveSection(header->visualIndex(11), 0);
    const auto* overlay = grid->findChild<QTableView*>(QStringLiteral("FrozenColumn"));
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->width(), 50);
    EXPECT_FALSE(overlay->isColumnHidden(11));
    EXPECT_TRUE(overlay->isColumnHidden(0));
    display->accept();
    const QByteArray dump = testutils::readFile(display->dumpPath());
    EXPECT_TRUE(dump.startsWith("Gain,FileName,ModNum,")) << dump.left(40).constData();
}

TEST(CatalogueWindows, DirectoryDialogGrowsAndShowsTheWholePath) {
    Catalogue t;
    t.start();
    DataFolderDialog* dialog = t.w->directory;
    const QString deep = t.box.path(QStringLiteral("cat1/level two/level three/level four"));
    ASSERT_TRUE(QDir().mkpath(deep));
    dialog->setCurrentDirectory(deep);
    EXPECT_EQ(dialog->pathEdit->text(), deep);
    EXPECT_TRUE(dialog->pathEdit->isReadOnly());
    EXPECT_EQ(dialog->currentDirectory(), deep);

    dialog->show();
    EXPECT_LT(dialog->minimumWidth(), dialog->maximumWidth());
    EXPECT_LT(dialog->minimumHeight(), dialog->maximumHeight());
    const QSize tree = dialog->folderTree->size();
    const QPoint pathAt = dialog->pathEdit->mapTo(dialog, QPoint(0, 0));
    const QPoint treeAt = dialog->folderTree->mapTo(dialog, QPoint(0, 0));
    EXPECT_LT(pathAt.y(), treeAt.y()); // the path line is above the tree
    dialog->resize(dialog->size() + QSize(200, 150));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialog->folderTree->size(), tree + QSize(200, 150));
    EXPECT_EQ(dialog->pathEdit->width(), dialog->folderTree->width());

    // Picking a folder in the tree shows its path.
    const QModelIndex parentIndex = dialog->folderTree->currentIndex().parent();
    ASSERT_TRUE(parentIndex.isValid());
    dialog->folderTree->setCurrentIndex(parentIndex);
    EXPECT_EQ(dialog->pathEdit->text(), t.box.path(QStringLiteral("cat1/level two/level three")));
    dialog->reject();
}
