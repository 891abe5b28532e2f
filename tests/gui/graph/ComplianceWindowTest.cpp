// SPDX-License-Identifier: MIT
// The compliance window of the graph window, driven without a display: the result table, the mask
// on the screen chart for one- and two-sided antennas, the state kept for the chart pages, a new
// antenna, and a mask table that cannot be used.
#include "graph/ComplianceWindow.h"

#include "AppWindows.h"
#include "TestUtils.h"
#include "base/Prompter.h"
#include "catalogue/IndexRefresh.h"
#include "compliance/Compliance.h"
#include "compliance/ComplianceReports.h"
#include "graph/GraphSession.h"
#include "graph/GraphWindow.h"
#include "pages/MaskOverlay.h"
#include "pages/ScreenChart.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QAction>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>
#include <gtest/gtest.h>

namespace {

struct Graph {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    std::unique_ptr<AppWindows> w;

    explicit Graph(const QByteArray& maskTable = {}) {
        QDir().mkpath(box.path(QStringLiteral("prog/NSMAData")));
        box.write(QStringLiteral("prog/masks/fcc-101-115.csv"),
                  maskTable.isEmpty() ? testutils::readFile(QStringLiteral(LOBEVIEW_MASK_TABLE))
                                      : maskTable);
        AppEnvironment env = AppEnvironment::inFolder(box.path(), prompter);
        w = std::make_unique<AppWindows>(env);
        g().runModal = [](GraphWindow&) {};
        g().endProgram = [] {};
    }
    GraphWindow& g() { return *w->graph; }
    ComplianceWindow& form() { return *g().complianceWindow(); }
    void show(const char* sample) {
        const QString name = QString::fromLatin1(sample);
        QFile::copy(testutils::samplePath(name), box.path(QStringLiteral("prog/NSMAData/") + name));
        IndexRecord r;
        BuildRecordFromFile(box.path(QStringLiteral("prog/NSMAData/") + name), r);
        g().ShowAntenna(r);
    }
    QString cellText(int row, int column) {
        const QTableWidgetItem* item = form().resultTable()->item(row, column);
        return item ? item->text() : QString();
    }
};

// Mask pixels of the canvas in a rectangle.
int maskPixels(const QImage& canvas, const QRect& area) {
    int n = 0;
    const QRect r = area.intersected(canvas.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += canvas.pixelColor(x, y) == screen::maskColour();
    return n;
}

// The rows around a level, from one angle to another.
QRect band(double fromAngle, double toAngle, double level) {
    const int y = screen::levelToY(level);
    return QRect(QPoint(screen::angleToX(fromAngle), y - 2),
                 QPoint(screen::angleToX(toAngle), y + 2));
}

} // namespace

TEST(ComplianceWindow, ResultTableAndMaskForAFailingOneSidedAntenna) {
    Graph t;
    EXPECT_FALSE(testutils::child<QAction>(t.g(), "complianceAction")->isEnabled());
    t.show("QS8-59.adf");
    ASSERT_TRUE(testutils::child<QAction>(t.g(), "complianceAction")->isEnabled());
    EXPECT_EQ(testutils::child<QAction>(t.g(), "complianceAction")->text(),
              QStringLiteral("Compliance..."));
    testutils::child<QAction>(t.g(), "complianceAction")->trigger();
    ASSERT_TRUE(t.g().complianceWindow());
    EXPECT_TRUE(t.form().isVisible());
    EXPECT_TRUE(t.prompter.errors.isEmpty());
    EXPECT_EQ(t.form().windowTitle(), QStringLiteral("Compliance - QS8-59.adf - QS8-59 RPE 5931A"));
    // The read-out gives the margin to the mask on show where the check found the worst.
    t.g().setCursorAngle(5);
    EXPECT_EQ(t.g().readoutLine().toStdString(),
              "5.0 deg   H/H -23.00   V/V -22.50   H/V -30.80   V/H -30.80 dB");
    t.form().showMaskBox->setChecked(true); // the read-out follows at once
    EXPECT_EQ(t.g().readoutLine().toStdString(),
              "5.0 deg   H/H -23.00   V/V -22.50   H/V -30.80   V/H -30.80 dB   mask -25.00, "
              "margin -2.50 dB (V/V)");
    t.form().showMaskBox->setChecked(false);
    EXPECT_EQ(t.form().summaryLabel()->text(),
              QStringLiteral("QS8-59: FCC 101.115 5925-6425 MHz band (mid-band 6175 MHz), "
                             "one-sided antenna. Category A fail, Category B pass via B1."));

    // A, B1 and B2 with four cuts each, then B.
    QTableWidget& grid = *t.form().resultTable();
    ASSERT_EQ(grid.rowCount(), 13);
    EXPECT_EQ(t.cellText(0, 0), QStringLiteral("A"));
    EXPECT_EQ(t.cellText(0, 1), QStringLiteral("fail"));
    EXPECT_EQ(t.cellText(0, 2), QStringLiteral("suppression"));
    EXPECT_EQ(t.cellText(0, 3), QStringLiteral("pass (gain 41.0 >= 38.0 dBi)"));
    EXPECT_EQ(t.cellText(1, 4), QStringLiteral("V/V"));
    EXPECT_EQ(t.cellText(1, 5), QStringLiteral("fail"));
    EXPECT_EQ(t.cellText(1, 6), QStringLiteral("-2.50"));
    EXPECT_EQ(t.cellText(1, 7), QStringLiteral("5"));
    EXPECT_EQ(t.cellText(4, 0), QStringLiteral("B1"));
    EXPECT_EQ(t.cellText(4, 1), QStringLiteral("pass"));
    EXPECT_EQ(t.cellText(12, 0), QStringLiteral("B"));
    EXPECT_EQ(t.cellText(12, 1), QStringLiteral("pass"));
    EXPECT_EQ(t.cellText(12, 2), QStringLiteral("B1"));

    // "Show mask" draws Category A's steps: 25 dB from 5 to 10 degrees, 29 dB from 10 to 15.
    ASSERT_EQ(t.form().categoryBox->currentText(), QStringLiteral("A"));
    EXPECT_EQ(maskPixels(t.g().canvas(), t.g().canvas().rect()), 0);
    t.form().showMaskBox->setChecked(true);
    const QImage& canvas = t.g().canvas();
    EXPECT_GT(maskPixels(canvas, band(5, 10, -25)), 20);
    EXPECT_GT(maskPixels(canvas, band(10, 15, -29)), 20);
    EXPECT_GT(maskPixels(canvas, band(30, 100, -42)), 60);
    EXPECT_EQ(maskPixels(canvas, band(-180, -1, -25)), 0); // one-sided: no left side
    EXPECT_EQ(maskPixels(canvas, band(1, 4.5, -25)), 0);   // nothing before 5 degrees
    // The view shows it too (the right half of the canvas for a one-sided antenna).
    EXPECT_EQ(t.g().visibleImage(), canvas.copy(480, 0, 480, 400));

    // Another category moves the line; unticking removes it and leaves the chart as it was.
    t.form().categoryBox->setCurrentText(QStringLiteral("B1"));
    EXPECT_GT(maskPixels(t.g().canvas(), band(5, 10, -21)), 20);
    EXPECT_EQ(maskPixels(t.g().canvas(), band(5.5, 9.5, -25)), 0); // clear of the steps
    t.form().showMaskBox->setChecked(false);
    QImage plain = screen::newCanvas();
    screen::DrawScreenChart(plain, FeedKind::None);
    for (int cut = 0; cut < CutCount; ++cut)
        screen::DrawScreenTrace(plain, t.g().session().antenna.pattern.CutPoints[size_t(cut)], cut);
    EXPECT_EQ(t.g().canvas(), plain);

    // "Show mask on pages" is kept for the chart pages, with the chosen category.
    EXPECT_FALSE(t.g().PageMaskOverlay());
    t.form().maskOnPagesBox->setChecked(true);
    const auto page = t.g().PageMaskOverlay();
    ASSERT_TRUE(page);
    EXPECT_EQ(page->caption, QStringLiteral("FCC 101.115 Cat. B1"));
    ASSERT_EQ(page->lines.size(), 1u);
    EXPECT_EQ(page->lines[0].front(), QPointF(5, -21));
    EXPECT_EQ(maskPixels(t.g().canvas(), t.g().canvas().rect()), 0); // the screen is not affected
}

TEST(ComplianceWindow, PassingTwoSidedAntennaThenOneWithoutAStandard) {
    Graph t;
    t.show("ZZX10-60L.adf");
    testutils::child<QAction>(t.g(), "complianceAction")->trigger();
    EXPECT_TRUE(t.form().summaryLabel()->text().endsWith(
        QStringLiteral("two-sided antenna. Category A pass, Category B pass via B1.")));
    EXPECT_EQ(t.cellText(0, 1), QStringLiteral("pass"));
    EXPECT_EQ(t.cellText(0, 6), QStringLiteral("2.50")); // H/H, worked out by hand
    t.form().showMaskBox->setChecked(true);
    // Both sides, mirrored.
    EXPECT_GT(maskPixels(t.g().canvas(), band(5, 10, -25)), 20);
    EXPECT_GT(maskPixels(t.g().canvas(), band(-10, -5, -25)), 20);
    EXPECT_GT(maskPixels(t.g().canvas(), band(-180, -140, -55)), 30);

    // Back to the selection, another antenna: the window follows it and draws no mask where the
    // band has no standard.
    t.g().backToSelection();
    t.show("ZZ4-144.adf");
    EXPECT_EQ(
        t.form().summaryLabel()->text(),
        QStringLiteral("ZZ4-144: no FCC 101.115 standard for this band (mid-band 14875 MHz)"));
    EXPECT_EQ(t.form().resultTable()->rowCount(), 0);
    EXPECT_FALSE(t.form().showMaskBox->isEnabled());
    EXPECT_EQ(maskPixels(t.g().canvas(), t.g().canvas().rect()), 0);
    EXPECT_FALSE(t.g().PageMaskOverlay());

    // And back to a 6 GHz antenna: the mask returns, since "Show mask" stayed ticked.
    t.show("QU12-59.adf");
    EXPECT_TRUE(t.form().showMaskBox->isChecked());
    EXPECT_GT(maskPixels(t.g().canvas(), band(-10, -5, -25)), 20);
}

TEST(ComplianceWindow, UnusableMaskTableIsReportedAndNotUsed) {
    Graph t("band_low_mhz,band_high_mhz,category,max_beamwidth_deg,min_gain_dbi,s_5_180\n"
            "5925,6425,A,2.2,38,25\n"
            "5925,6425,B,2.2,38;25\n");
    t.show("QS8-59.adf");
    testutils::child<QAction>(t.g(), "complianceAction")->trigger();
    ASSERT_EQ(t.prompter.errors.size(), 1);
    EXPECT_EQ(t.prompter.errors[0], QStringLiteral("The mask table cannot be used:\n"
                                                   "fcc-101-115.csv, line 3: 5 fields where the "
                                                   "heading has 6"));
    EXPECT_FALSE(t.form().isVisible());
    EXPECT_EQ(maskPixels(t.g().canvas(), t.g().canvas().rect()), 0);

    // Mended while the program runs: the next opening reads it again.
    t.box.write(QStringLiteral("prog/masks/fcc-101-115.csv"),
                testutils::readFile(QStringLiteral(LOBEVIEW_MASK_TABLE)));
    testutils::child<QAction>(t.g(), "complianceAction")->trigger();
    EXPECT_EQ(t.prompter.errors.size(), 1);
    EXPECT_TRUE(t.form().isVisible());
    EXPECT_EQ(t.form().resultTable()->rowCount(), 13);
}

TEST(ComplianceWindow, InformationCutsBinEndsAndTheDemsNote) {
    // A 24 GHz antenna whose H/H steps down at 10 degrees from 1 dB over Category A's 25 dB, and
    // whose H/V fails A beyond 100 degrees.
    Graph t;
    const QString file = t.box.path(QStringLiteral("prog/NSMAData/ZZ2-240.adf"));
    testutils::writeFile(file,
                         "MODNUM:,ZZ2-240\nLOWFRQ:,24250\nHGHFRQ:,25250\nMDGAIN:,40.0\n"
                         "AZWIDT:,1.0\nELWIDT:,1.0\nPOLARI:,H/H\nNUPOIN:,5\n0,0,\n5,-30,\n10,-24,\n"
                         "10,-45,\n180,-70,\nPOLARI:,H/V\nNUPOIN:,4\n0,-30,\n5,-45,\n100,-50,\n"
                         "180,-50,\nENDFIL:,EOF\n");
    IndexRecord r;
    ASSERT_FALSE(BuildRecordFromFile(file, r));
    t.g().ShowAntenna(r);
    testutils::child<QAction>(t.g(), "complianceAction")->trigger();
    EXPECT_TRUE(t.form().summaryLabel()->text().endsWith(
        QStringLiteral("Category A fail, Category B pass. Note: %1.").arg(QLatin1String(DemsNote))))
        << t.form().summaryLabel()->text().toStdString();
    EXPECT_EQ(t.cellText(0, 4), QStringLiteral("H/H"));
    EXPECT_EQ(t.cellText(0, 7), QStringLiteral("10, end of 5-10"));
    EXPECT_EQ(t.cellText(1, 4), QStringLiteral("H/V (for information)"));
    EXPECT_EQ(t.cellText(1, 5), QStringLiteral("fail"));
    // In grey, not in the red of a deciding fail.
    EXPECT_EQ(t.form().resultTable()->item(1, 5)->foreground().color(), QColor(112, 112, 112));
}

TEST(ComplianceWindow, SaveAsCsvWritesTheRowsOfTheCatalogueReport) {
    Graph t;
    t.show("ZZX10-60L.adf");
    testutils::child<QAction>(t.g(), "complianceAction")->trigger();
    ASSERT_TRUE(t.form().saveCsvButton->isEnabled());
    const QString saved = t.box.path(QStringLiteral("saved.csv"));
    t.form().askCsvPath = [&] { return saved; };
    t.form().saveCsvButton->click();
    // The same rows as the catalogue check of a folder holding only this file.
    const QString report = t.box.path(QStringLiteral("report.csv"));
    const MaskTable table = *ReadMaskTable(QStringLiteral(LOBEVIEW_MASK_TABLE)).table;
    ASSERT_TRUE(CheckCatalogue(t.box.path(QStringLiteral("prog/NSMAData")), table,
                               QStringLiteral("A"), report)
                    .error.isEmpty());
    EXPECT_EQ(testutils::readFile(saved), testutils::readFile(report));
    EXPECT_TRUE(
        testutils::readFile(saved).contains("ZZX10-60L.adf,ZZX10-60,5925-6425,6175,A,pass"));
    EXPECT_FALSE(t.form().SaveCsv(t.box.path(QStringLiteral("no/such/folder.csv"))));
}
