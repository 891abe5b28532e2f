// SPDX-License-Identifier: MIT
// The find window on the sample catalogue: File > Find..., the index filters while typing, the
// compliance filter and its cache, sorting, opening an antenna and Save as CSV.
#include "selection/FindWindow.h"

#include "AppContext.h"
#include "AppWindows.h"
#include "TestUtils.h"
#include "base/Prompter.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>
#include <gtest/gtest.h>

namespace {

QStringList names(const char* text) {
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

struct App {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    QList<IndexRecord> shown;
    std::unique_ptr<AppWindows> w;

    App() {
        QDir().mkpath(box.path(QStringLiteral("prog/NSMAData")));
        QDir().mkpath(box.path(QStringLiteral("prog/masks")));
        for (const QString& name :
             QDir(testutils::samplePath()).entryList({QStringLiteral("*.adf")}, QDir::Files))
            QFile::copy(testutils::samplePath(name),
                        box.path(QStringLiteral("prog/NSMAData/") + name));
        QFile::copy(QStringLiteral(LOBEVIEW_MASK_TABLE),
                    box.path(QStringLiteral("prog/masks/fcc-101-115.csv")));
        w = std::make_unique<AppWindows>(AppEnvironment::inFolder(box.path(), prompter));
        w->select->runDialog = [](QDialog& d) {
            d.accept();
            return int(QDialog::Accepted);
        };
        w->select->showAntenna = [this](const IndexRecord& r, const QString&) { shown << r; };
        w->select->firstShow();
        w->select->findChild<QAction*>(QStringLiteral("findAction"))->trigger();
    }
    FindWindow& f() { return *w->find; }
    QStringList models() {
        QStringList out;
        for (const FoundAntenna& a : f().shownAntennas())
            out << QString::fromLatin1(a.record.fileName());
        return out;
    }
    // Waits for the compliance run, and the one after it when the question changed meanwhile.
    bool checked() {
        QSignalSpy done(&f(), &FindWindow::checkFinished);
        return done.wait(20000) && !f().checking();
    }
};

QString cell(App& t, int row, int column) {
    return t.f().resultTable->model()->index(row, column).data().toString();
}

} // namespace

TEST(FindWindow, IndexFiltersAnswerWhileTyping) {
    App t;
    ASSERT_TRUE(t.w->find);
    EXPECT_TRUE(t.f().isVisible());
    EXPECT_EQ(t.f().countLabel->text(), QStringLiteral("17 of 17 antennas"));
    QTest::keyClicks(t.f().textEdit, QStringLiteral("UHP"));
    EXPECT_EQ(t.models(), names("QU10-64.adf QU12-59.adf QUX8-107.adf"));
    t.f().feedBox->setCurrentIndex(2); // Left
    EXPECT_EQ(t.models(), names("QU12-59.adf QUX8-107.adf"));
    t.f().textEdit->clear();
    t.f().feedBox->setCurrentIndex(0);
    t.f().coversEdit->setText(QStringLiteral("6175 MHz"));
    t.f().maxSizeEdit->setText(QStringLiteral("10"));
    EXPECT_EQ(t.models(), names("QS8-59.adf ZZX10-60L.adf"));
    EXPECT_EQ(t.f().countLabel->text(), QStringLiteral("2 of 17 antennas"));

    // Sizes sort as numbers (8 before 10), not as texts.
    t.f().resultTable->sortByColumn(5, Qt::AscendingOrder);
    EXPECT_EQ(t.models(), names("QS8-59.adf ZZX10-60L.adf"));
    // Sorted by gain, highest first; Return opens the antenna of the row.
    t.f().resultTable->sortByColumn(4, Qt::DescendingOrder);
    EXPECT_EQ(t.models(), names("ZZX10-60L.adf QS8-59.adf"));
    t.f().resultTable->setCurrentIndex(t.f().resultTable->model()->index(0, 0));
    QTest::keyClick(t.f().resultTable, Qt::Key_Return);
    ASSERT_EQ(t.shown.size(), 1);
    EXPECT_EQ(t.shown[0].rpeNumber(), QByteArray("12050"));
}

TEST(FindWindow, ComplianceFilterChecksOnceThenAnswersFromItsCache) {
    App t;
    t.f().coversEdit->setText(QStringLiteral("6 GHz"));
    t.f().maxSizeEdit->setText(QStringLiteral("10"));
    t.f().marginEdit->setText(QStringLiteral("2.5"));
    t.f().categoryBox->setCurrentIndex(1); // Category A
    ASSERT_TRUE(t.checked());
    EXPECT_EQ(t.models(), names("ZZX10-60L.adf"));
    EXPECT_EQ(t.f().lastFileReads(), 2); // QS8-59 and ZZX10-60L
    EXPECT_EQ(cell(t, 0, 8), QStringLiteral("pass"));
    EXPECT_EQ(cell(t, 0, 9), QStringLiteral("2.50"));

    t.f().marginEdit->setText(QStringLiteral("2.6"));
    ASSERT_TRUE(t.checked());
    EXPECT_TRUE(t.models().isEmpty());
    EXPECT_EQ(t.f().lastFileReads(), 0);
    t.f().categoryBox->setCurrentIndex(2); // Category B: 6.5 dB through B1, 1.5 for QS8-59
    ASSERT_TRUE(t.checked());
    EXPECT_EQ(t.models(), names("ZZX10-60L.adf"));
    EXPECT_EQ(t.f().lastFileReads(), 0);

    const QString csv = t.box.path(QStringLiteral("found.csv"));
    t.f().askCsvPath = [&] { return csv; };
    t.f().saveButton->click();
    EXPECT_EQ(testutils::readFile(csv), FoundAntennasCsv(t.f().shownAntennas()));
    EXPECT_TRUE(testutils::readFile(csv).contains(",ZZX10-60L.adf,5.925-6.425,43.1,10,Dual,RIGHT,"
                                                  "pass,2.50,pass,6.50\n"));
}

TEST(FindWindow, ReadsTheNewIndexAfterARefresh) {
    App t;
    EXPECT_EQ(t.f().countLabel->text(), QStringLiteral("17 of 17 antennas"));
    ASSERT_TRUE(QFile::copy(testutils::samplePath(QStringLiteral("QS8-59.adf")),
                            t.box.path(QStringLiteral("prog/NSMAData/QS8-59B.adf"))));
    // What the refresh window's OK does.
    ASSERT_TRUE(t.w->select->rebuildIndex());
    t.w->select->loadIndex();
    QTest::qWait(50);
    EXPECT_EQ(t.f().countLabel->text(), QStringLiteral("18 of 18 antennas"));
}
