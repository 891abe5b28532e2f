// SPDX-License-Identifier: MIT
// The compare window on the sample catalogue: opened from the graph, selection and find
// windows; its list, legend and table kept in one order; the cut, the angles, the read-out, the
// clipboard, the exports and the print; its file dialog and message box run for real.
#include "compare/CompareWindow.h"

#include "AppContext.h"
#include "AppWindows.h"
#include "ScriptedSaveDialogs.h"
#include "TestUtils.h"
#include "base/Prompter.h"
#include "catalogue/CatalogueLists.h"
#include "compare/AddAntennaDialog.h"
#include "compare/ComparisonText.h"
#include "dialogs/QtPrompter.h"
#include "graph/GraphWindow.h"
#include "selection/FindWindow.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QItemSelectionModel>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>
#include <QtWidgets/QTableWidget>
#include <gtest/gtest.h>

namespace {

// The program on a copy of the sample catalogue, its graph window shown without a modal loop.
struct App {
    testutils::Sandbox box;
    RecordingPrompter recording;
    QtPrompter boxes; // the desktop's message boxes, for the tests that answer them
    std::unique_ptr<AppWindows> w;

    explicit App(bool realMessageBoxes = false) {
        QDir().mkpath(box.path(QStringLiteral("prog/NSMAData")));
        QDir().mkpath(box.path(QStringLiteral("prog/masks")));
        for (const QString& name :
             QDir(testutils::samplePath()).entryList({QStringLiteral("*.adf")}, QDir::Files))
            QFile::copy(testutils::samplePath(name), sample(name));
        QFile::copy(testutils::samplePath(QStringLiteral("../masks/fcc-101-115.csv")),
                    box.path(QStringLiteral("prog/masks/fcc-101-115.csv")));
        Prompter& prompter = realMessageBoxes ? static_cast<Prompter&>(boxes) : recording;
        w = std::make_unique<AppWindows>(AppEnvironment::inFolder(box.path(), prompter));
        w->select->runDialog = [](QDialog& d) {
            d.accept();
            return int(QDialog::Accepted);
        };
        w->graph->runModal = [](GraphWindow&) {};
        w->select->firstShow();
    }
    QString sample(const QString& name) const {
        return box.path(QStringLiteral("prog/NSMAData/") + name);
    }
    CompareWindow& c() { return w->compareWindow(); }
    // The file names in the list, the legend and the table's FILE column, in their orders.
    QList<QStringList> orders() {
        QStringList list, legend, table;
        for (int i = 0; i < c().antennaList->count(); ++i)
            list << c().antennaList->item(i)->text().section(QLatin1Char(' '), -1);
        for (const QString& line : c().legendLines())
            legend << line.section(QStringLiteral("  "), 1, 1);
        for (int r = 0; r < c().table->rowCount(); ++r)
            table << c().table->item(r, 3)->text();
        return {list, legend, table};
    }
    void addAll(const char* names) {
        for (const QString& name : QString::fromLatin1(names).split(QLatin1Char(' ')))
            ASSERT_TRUE(c().addFile(sample(name))) << name.toStdString();
    }
};

QList<QStringList> inOrder(const char* names) {
    const QStringList files = QString::fromLatin1(names).split(QLatin1Char(' '));
    return {files, files, files};
}

// Answers the next modal window once the event loop runs it.
template <class Modal> void answerModal(std::function<void(Modal&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        if (auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget()))
            act(*modal);
    });
}

} // namespace

TEST(CompareWindow, OpensFromTheGraphWindowWithTheAntennaOnShow) {
    App t;
    const auto record = FindFileName(t.w->context->index(), "ZZX10-60L.adf");
    ASSERT_TRUE(record);
    t.w->graph->ShowAntenna(*record);
    QAction* compare = testutils::child<QAction>(*t.w->graph, "compareAction");
    ASSERT_TRUE(compare && compare->isEnabled());
    compare->trigger();
    ASSERT_TRUE(t.w->compare && t.w->compare->isVisible());
    EXPECT_EQ(t.orders(), inOrder("ZZX10-60L.adf"));
    // Asked again while open, it keeps what it holds and does not add the antenna twice.
    t.addAll("QS8-59.adf");
    compare->trigger();
    EXPECT_EQ(t.orders(), inOrder("ZZX10-60L.adf QS8-59.adf"));
    // Closed and opened again, it starts afresh with the antenna on show.
    t.c().close();
    compare->trigger();
    EXPECT_EQ(t.orders(), inOrder("ZZX10-60L.adf"));
}

TEST(CompareWindow, SelectionAndFindWindowsOpenItWithTheirChoice) {
    App t;
    t.w->select->modelList->setCurrentRow(t.w->select->modelList->row(
        t.w->select->modelList->findItems(QStringLiteral("ZZX10-60"), Qt::MatchStartsWith)[0]));
    // The model has two files: the chooser settles on one (the first, as it is confirmed).
    testutils::child<QPushButton>(*t.w->select, "compareButton")->click();
    ASSERT_TRUE(t.w->compare && t.c().isVisible());
    EXPECT_EQ(t.c().comparison().size(), 1);
    t.c().close();

    t.w->select->findChild<QAction*>(QStringLiteral("findAction"))->trigger();
    FindWindow& find = *t.w->find;
    QTest::keyClicks(find.textEdit, QStringLiteral("ZZX10-60"));
    EXPECT_FALSE(find.compareButton->isEnabled());
    find.resultTable->selectRow(0);
    EXPECT_FALSE(find.compareButton->isEnabled()); // one row is nothing to compare
    find.resultTable->selectionModel()->select(find.resultTable->model()->index(1, 0),
                                               QItemSelectionModel::Select |
                                                   QItemSelectionModel::Rows);
    ASSERT_TRUE(find.compareButton->isEnabled());
    find.compareButton->click();
    EXPECT_EQ(t.orders(), inOrder("ZZX10-60L.adf ZZX10-60U.adf"));
}

TEST(CompareWindow, ListLegendAndTableFollowAddRemoveAndReorder) {
    App t;
    t.addAll("ZZX10-60L.adf ZZX10-60U.adf QS8-59.adf");
    EXPECT_EQ(t.orders(), inOrder("ZZX10-60L.adf ZZX10-60U.adf QS8-59.adf"));
    EXPECT_EQ(t.c().antennaList->currentRow(), 2); // the one added last
    // The band of the first decides which others are marked.
    EXPECT_TRUE(t.c().legendLines()[1].endsWith(QStringLiteral("(band differs)")));
    EXPECT_FALSE(t.c().legendLines()[2].contains(QStringLiteral("band differs")));

    const struct {
        int row;
        QPushButton* CompareWindow::*button;
        const char* after;
        int selected; // the antenna moved stays selected
    } steps[] = {
        {0, &CompareWindow::downButton, "ZZX10-60U.adf ZZX10-60L.adf QS8-59.adf", 1},
        {2, &CompareWindow::upButton, "ZZX10-60U.adf QS8-59.adf ZZX10-60L.adf", 1},
        {0, &CompareWindow::upButton, "ZZX10-60U.adf QS8-59.adf ZZX10-60L.adf", 0}, // first stays
        {0, &CompareWindow::removeButton, "QS8-59.adf ZZX10-60L.adf", 0},
    };
    for (const auto& step : steps) {
        t.c().antennaList->setCurrentRow(step.row);
        (t.c().*step.button)->click();
        EXPECT_EQ(t.orders(), inOrder(step.after)) << step.after;
        EXPECT_EQ(t.c().antennaList->currentRow(), step.selected) << step.after;
    }
    // Now QS8-59 leads, and the 6 GHz upper band antenna is gone: nothing differs.
    for (const QString& line : t.c().legendLines())
        EXPECT_FALSE(line.contains(QStringLiteral("band differs"))) << line.toStdString();
}

TEST(CompareWindow, TheCutChooserChangesTheTable) {
    App t;
    t.addAll("ZZX10-60L.adf");
    const LoadedPattern& pattern = t.c().comparison().antenna(0).file.pattern;
    const int column = compare::FirstAngleColumn + 1; // 10 degrees
    ASSERT_EQ(t.c().table->horizontalHeaderItem(column)->text(), QStringLiteral("10"));
    QStringList seen;
    t.c().cutBox->setFocus();
    for (const auto cut :
         {compare::CompareCut::HH, compare::CompareCut::VV, compare::CompareCut::HV,
          compare::CompareCut::VH, compare::CompareCut::WorstCoPolar}) {
        if (cut != compare::CompareCut::HH)
            QTest::keyClick(t.c().cutBox, Qt::Key_Down); // as the user picks the next one
        EXPECT_EQ(t.c().comparison().cut, cut);
        const QString cell = t.c().table->item(0, column)->text();
        EXPECT_EQ(cell, compare::levelText(compare::levelFromBeam(pattern, cut, 10)));
        seen << cell;
    }
    EXPECT_NE(seen[0], seen[2]); // co- and cross-polar differ, so the cut did change the table
    // The cut and angles are kept for the next run.
    t.c().angleEdit->setText(QStringLiteral("7.5, 12"));
    QTest::keyClick(t.c().angleEdit, Qt::Key_Return);
    CompareWindow next(*t.w->context);
    EXPECT_EQ(next.cutBox->currentText(), QStringLiteral("worst co-polar"));
    EXPECT_EQ(next.comparison().cut, compare::CompareCut::WorstCoPolar);
    EXPECT_EQ(next.angleEdit->text(), QStringLiteral("7.5, 12"));
}

TEST(CompareWindow, ABadAngleListIsRefusedAndTheOldAnglesKept) {
    App t;
    t.addAll("ZZX10-60L.adf QS8-59.adf");
    const auto headings = [&t] {
        QStringList h;
        for (int c = 0; c < t.c().table->columnCount(); ++c)
            h << t.c().table->horizontalHeaderItem(c)->text();
        return h;
    };
    t.c().angleEdit->setText(QStringLiteral("12, 3"));
    QTest::keyClick(t.c().angleEdit, Qt::Key_Return);
    const QStringList good = headings();
    EXPECT_EQ(good.mid(compare::FirstAngleColumn, 2),
              (QStringList{QStringLiteral("3"), QStringLiteral("12")}));
    EXPECT_EQ(t.c().angleEdit->text(), QStringLiteral("3, 12"));
    for (const char* bad : {"5, 10, abc", "190", "-5", ""}) {
        t.c().angleEdit->setText(QString::fromLatin1(bad));
        QTest::keyClick(t.c().angleEdit, Qt::Key_Return);
        EXPECT_EQ(headings(), good) << bad;
        EXPECT_EQ(t.c().angleEdit->text(), QString::fromLatin1(bad)); // left to be corrected
        EXPECT_TRUE(t.c().angleMessage->text().startsWith(QStringLiteral("Not taken: "))) << bad;
    }
    t.c().angleEdit->setText(QStringLiteral("45"));
    QTest::keyClick(t.c().angleEdit, Qt::Key_Return);
    EXPECT_TRUE(t.c().angleMessage->text().isEmpty());
}

TEST(CompareWindow, ReadoutFollowsThePointerAndTheWheelZooms) {
    App t;
    t.addAll("ZZX10-60L.adf ZZX10-60U.adf");
    t.c().show();
    QWidget* chart = t.c().chart;
    const QRectF r = chart->rect();
    const double x12 = compare::chartX(r, true, t.c().chartView(), 12);
    QTest::mouseMove(chart, QPoint(int(std::lround(x12)), chart->height() / 2));
    ASSERT_TRUE(t.c().cursorAngle());
    EXPECT_NEAR(*t.c().cursorAngle(), 12, 0.15);
    EXPECT_EQ(t.c().readoutLine(),
              compare::comparisonReadout(t.c().comparison(), *t.c().cursorAngle()));
    EXPECT_TRUE(t.c().readoutLine().contains(QStringLiteral("2 "))); // both antennas read out

    QWheelEvent in(QPointF(x12, 100), chart->mapToGlobal(QPointF(x12, 100)), {}, {0, 240},
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart, &in);
    ASSERT_TRUE(t.c().chartView().zoom);
    EXPECT_LT(t.c().chartView().zoom->toAngle - t.c().chartView().zoom->fromAngle, 360);
    // The angle under the pointer stays under it.
    EXPECT_NEAR(compare::chartAngleAt(r, true, t.c().chartView(), x12), 12, 0.5);
    QTest::keyClick(&t.c(), Qt::Key_Escape);
    EXPECT_FALSE(t.c().chartView().zoom);
}

TEST(CompareWindow, CopySaveExportAndPrint) {
    App t;
    auto* dialogs = new ScriptedSaveDialogs;
    t.c().saveDialogs.reset(dialogs);
    auto* copy = testutils::child<QAction>(t.c(), "copyTableAction");
    EXPECT_FALSE(copy->isEnabled()); // nothing to copy yet
    t.addAll("ZZX10-60L.adf QS8-59.adf");
    ASSERT_TRUE(copy->isEnabled());
    copy->trigger();
    const QString tsv = QGuiApplication::clipboard()->text();
    const MaskTableOrError fcc =
        ReadMaskTable(t.box.path(QStringLiteral("prog/masks/fcc-101-115.csv")));
    ASSERT_TRUE(fcc.table);
    EXPECT_EQ(tsv, QString::fromUtf8(compare::comparisonTsv(
                       t.c().comparison(), t.c().comparison().table(&*fcc.table))));
    EXPECT_TRUE(tsv.startsWith(QStringLiteral("#\tMODEL\tRPE\tFILE")));
    EXPECT_EQ(tsv.count(QLatin1Char('\n')), 3);

    const struct {
        const char* name;
        QByteArray start; // of the file written; empty: refused
    } files[] = {{"t.csv", "index,model"},
                 {"p.pdf", "%PDF"},
                 {"p.png", "\x89PNG"},
                 {"p.svg", "<?xml"},
                 {"p.gif", {}}};
    for (const auto& f : files) {
        const QString path = t.box.path(QString::fromLatin1(f.name));
        dialogs->answers.push_back(path);
        const bool table = QFileInfo(path).suffix() == QLatin1String("csv");
        table ? t.c().saveTableCsv() : t.c().exportPage();
        EXPECT_EQ(testutils::readFile(path).left(f.start.size()), f.start) << f.name;
        EXPECT_EQ(QFileInfo::exists(path), !f.start.isEmpty()) << f.name;
    }
    ASSERT_EQ(t.recording.errors.size(), 1);
    EXPECT_TRUE(t.recording.errors[0].contains(QStringLiteral(".pdf, .png or .svg")));

    struct Recorder : PrintBackend {
        std::vector<PrintDocument>* printed;
        std::optional<QString> prepare() override { return std::nullopt; }
        QString printerName() const override { return QStringLiteral("Recorder"); }
        PrintJobResult print(const PrintDocument& d) override {
            printed->push_back(d);
            return {7, {}};
        }
    };
    std::vector<PrintDocument> printed;
    t.c().makePrintBackend = [&printed] {
        auto r = std::make_unique<Recorder>();
        r->printed = &printed;
        return r;
    };
    testutils::child<QAction>(t.c(), "printAction")->trigger();
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].Orientation, QPageLayout::Landscape);
    EXPECT_EQ(t.c().lastPrintRun.JobIds, std::vector<int>{7});
}

TEST(CompareWindow, AddFileRunsTheFileDialogAndANinthAntennaIsRefusedInAMessageBox) {
    App t(true);
    // Add File... through the desktop's open dialog, answered as the user would.
    t.c().askDataFile = [&t] {
        return QFileDialog::getOpenFileName(&t.c(), QStringLiteral("Add File"), {}, {}, nullptr,
                                            QFileDialog::DontUseNativeDialog);
    };
    bool dialogShown = false;
    answerModal<QFileDialog>([&](QFileDialog& d) {
        dialogShown = true;
        d.selectFile(t.sample(QStringLiteral("ZZX10-60U.adf")));
        static_cast<QDialog&>(d).accept();
    });
    testutils::child<QPushButton>(t.c(), "addFileButton")->click();
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(t.orders(), inOrder("ZZX10-60U.adf"));

    t.addAll(
        "ZZX10-60L.adf QS8-59.adf QU12-59.adf ZZ6-77A.adf ZZ6-77B.adf ZZ8-107.adf ZZ4-144.adf");
    const QList<QStringList> eight = t.orders();
    ASSERT_EQ(eight[0].size(), 8);
    QString shown;
    answerModal<QMessageBox>([&](QMessageBox& box) {
        shown = box.text();
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_FALSE(t.c().addFile(t.sample(QStringLiteral("ZZX6-127.adf"))));
    EXPECT_EQ(shown, QStringLiteral("ZZX6-127.adf was not added: at most 8 antennas can be "
                                    "compared. Remove one first."));
    EXPECT_EQ(t.orders(), eight); // nothing lost, nothing added

    // A file that is no antenna data file is refused the same way.
    testutils::writeFile(t.box.path(QStringLiteral("junk.adf")), "not a pattern\n");
    t.c().antennaList->setCurrentRow(0);
    t.c().removeSelected();
    answerModal<QMessageBox>([&](QMessageBox& box) {
        shown = box.text();
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_FALSE(t.c().addFile(t.box.path(QStringLiteral("junk.adf"))));
    EXPECT_TRUE(shown.startsWith(QStringLiteral("junk.adf cannot be compared: ")))
        << shown.toStdString();
    EXPECT_EQ(t.c().comparison().size(), 7);
}

TEST(CompareWindow, TheCatalogueDialogAddsEachChosenFileAndStaysOpen) {
    App t;
    QList<int> fileCounts;
    answerModal<AddAntennaDialog>([&](AddAntennaDialog& d) {
        const auto pick = [&d](const char* range, const char* model) {
            const auto choose = [](QListWidget* list, const char* text) {
                list->setCurrentItem(
                    list->findItems(QString::fromLatin1(text), Qt::MatchContains)[0]);
            };
            choose(d.rangeList, range);
            choose(d.typeList, "ZZX");
            choose(d.modelList, model);
        };
        // Within 5.925-6.425 GHz the model has one file: chosen with the model.
        pick("5.925-6.425", "ZZX10-60");
        fileCounts << d.fileList->count();
        d.addButton->click();
        // Over every range it has two: one must be chosen before it can be added.
        pick("ALL", "ZZX10-60");
        fileCounts << d.fileList->count();
        EXPECT_FALSE(d.addButton->isEnabled());
        d.fileList->setCurrentRow(1);
        d.addButton->click();
        EXPECT_TRUE(d.isVisible());
        d.reject();
    });
    testutils::child<QPushButton>(t.c(), "addButton")->click();
    EXPECT_EQ(fileCounts, (QList<int>{1, 2}));
    EXPECT_EQ(t.orders(), inOrder("ZZX10-60L.adf ZZX10-60U.adf"));
}

TEST(CompareWindow, WithoutTheFccTableTheMarginsStayEmptyAndTheWindowSaysWhy) {
    App t;
    EXPECT_TRUE(t.c().fccNote->isHidden());
    QFile::remove(t.box.path(QStringLiteral("prog/masks/fcc-101-115.csv")));
    CompareWindow bare(*t.w->context);
    EXPECT_FALSE(bare.fccNote->isHidden());
    ASSERT_TRUE(bare.addFile(t.sample(QStringLiteral("ZZX10-60L.adf"))));
    const int fccA = bare.table->columnCount() - 2;
    EXPECT_EQ(bare.table->horizontalHeaderItem(fccA)->text(), QStringLiteral("FCC A"));
    EXPECT_FALSE(bare.table->item(0, fccA)->text().contains(QStringLiteral("pass")));
}
