// SPDX-License-Identifier: MIT
// The graph window and the legend, driven without a display: loading, the view over the canvas,
// the slider, the reset between antennas, and how the window ends.
#include "graph/GraphWindow.h"

#include "AppContext.h"
#include "AppWindows.h"
#include "TestUtils.h"
#include "adf/PatternReader.h"
#include "base/Prompter.h"
#include "catalogue/IndexRefresh.h"
#include "dialogs/ExportOptionsDialog.h"
#include "dialogs/PrintOptionsDialog.h"
#include "graph/GraphSession.h"
#include "graph/LegendWindow.h"
#include "pages/GrownChart.h"
#include "pages/PageRoutines.h"
#include "pages/ScreenChart.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QMimeData>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QSlider>
#include <gtest/gtest.h>

namespace {

QByteArray adf(const QByteArray& model, const QByteArray& feed, const QByteArray& points,
               const QByteArray& vvExtra = {}) {
    return "REVNUM:,NSMA\nMODNUM:," + model + "\nPATNUM:,4711\nFEDORN:," + feed +
           "\nDESCR1:,12 ft HP\nDESCR2:,A long description of the antenna\nDTDATA:,20200102\n"
           "LOWFRQ:,10700\nHGHFRQ:,11700\nMDGAIN:,48.6\nPOLARI:,V/V\n" +
           vvExtra + "NUPOIN:," + QByteArray::number(points.count('\n')) + "\n" + points +
           "ENDFIL:,EOF\n";
}

struct Graph {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    std::unique_ptr<AppWindows> w;
    int modalRuns = 0;
    int programEnds = 0;

    Graph() {
        QDir().mkpath(box.path(QStringLiteral("prog/NSMAData")));
        AppEnvironment env = AppEnvironment::inFolder(box.path(), prompter);
        w = std::make_unique<AppWindows>(env);
        g().runModal = [this](GraphWindow&) { ++modalRuns; };
        g().endProgram = [this] { ++programEnds; };
    }
    GraphWindow& g() { return *w->graph; }
    void show(const QString& name, const QByteArray& text) {
        box.write(QStringLiteral("prog/NSMAData/") + name, text);
        IndexRecord r;
        BuildRecordFromFile(box.path(QStringLiteral("prog/NSMAData/") + name), r);
        g().ShowAntenna(r);
    }
};

const QByteArray OneSided = "0,0,\n10,-20,\n180,-70,\n";
const QByteArray TwoSided = "-180,-70,\n-10,-20,\n0,0,\n10,-20,\n180,-70,\n";

} // namespace

TEST(GraphWindow, OneSidedThenTwoSidedViews) {
    Graph t;
    EXPECT_FALSE(testutils::child<QAction>(t.g(), "legendAction")->isEnabled());
    t.show(QStringLiteral("one.adf"), adf("ZZ8-107", "", OneSided));
    EXPECT_EQ(t.modalRuns, 1);
    EXPECT_TRUE(testutils::child<QAction>(t.g(), "legendAction")->isEnabled());
    EXPECT_EQ(t.g().session().antenna.pattern.feedKind, FeedKind::None);
    EXPECT_EQ(testutils::child<QLabel>(t.g(), "chartView")->geometry(), QRect(98, 9, 480, 400));
    EXPECT_TRUE(testutils::child<QSlider>(t.g(), "slider")->isHidden());
    EXPECT_EQ(t.g().visibleImage(), t.g().canvas().copy(480, 0, 480, 400));

    t.show(QStringLiteral("two.adf"), adf("ZZX12-65", "RIGHT", TwoSided));
    EXPECT_EQ(t.g().session().antenna.pattern.feedKind, FeedKind::Right);
    EXPECT_EQ(testutils::child<QLabel>(t.g(), "chartView")->geometry(), QRect(10, 9, 650, 400));
    EXPECT_FALSE(testutils::child<QSlider>(t.g(), "slider")->isHidden());
    EXPECT_EQ(testutils::child<QSlider>(t.g(), "slider")->value(), 155);
    EXPECT_EQ(testutils::child<QSlider>(t.g(), "slider")->minimum(), 0);
    EXPECT_EQ(testutils::child<QSlider>(t.g(), "slider")->maximum(), 310);
    EXPECT_EQ(testutils::child<QSlider>(t.g(), "slider")->tickInterval(), 10);
    EXPECT_EQ(t.g().visibleImage(), t.g().canvas().copy(155, 0, 650, 400));

    // The slider only copies: at 0 the left edge is -180 degrees, at 310 the right edge +180.
    const QImage canvas = t.g().canvas();
    testutils::child<QSlider>(t.g(), "slider")->setValue(0);
    EXPECT_EQ(t.g().visibleImage(), canvas.copy(0, 0, 650, 400));
    testutils::child<QSlider>(t.g(), "slider")->setValue(310);
    EXPECT_EQ(t.g().visibleImage(), canvas.copy(310, 0, 650, 400));
    EXPECT_EQ(t.g().canvas(), canvas);
}

TEST(GraphWindow, ANewAntennaResetsTheViewAndClosesTheLegend) {
    Graph t;
    t.show(QStringLiteral("two.adf"), adf("ZZX12-65", "LEFT", TwoSided, "POLARI:,V/V UHP\n"));
    EXPECT_EQ(t.g().session().antenna.pattern.feedKind, FeedKind::UhpLeft);
    testutils::child<QSlider>(t.g(), "slider")->setValue(20);
    t.g().showLegend();
    EXPECT_TRUE(t.w->legend->isVisible());
    t.g().backToSelection();
    EXPECT_EQ(t.programEnds, 0);

    t.show(QStringLiteral("one.adf"), adf("ZZ8-107", "", "0,-5,\n180,-5,\n"));
    EXPECT_FALSE(t.w->legend->isVisible());
    EXPECT_EQ(testutils::child<QSlider>(t.g(), "slider")->value(), 155);
    EXPECT_EQ(t.g().session().antenna.pattern.CutPoints[CutVV].size(), 2u);
    // The earlier trace is gone: only the new flat line at -5 dB remains in green.
    QImage expected = screen::newCanvas();
    screen::DrawScreenChart(expected, FeedKind::None);
    screen::DrawScreenTrace(expected, {{0, -5}, {180, -5}}, CutVV);
    EXPECT_EQ(t.g().canvas(), expected);
}

TEST(GraphWindow, PageRoutinesDrawTheAntennaOnShow) {
    Graph t;
    t.show(QStringLiteral("two.adf"), adf("ZZX12-65", "RIGHT", TwoSided));
    t.g().session().set(GraphSession::Colour, true);
    QImage image;
    t.g().session().setPenFactor(2); // "Medium" in the pen width dialog
    t.g().DrawLandscapeGraphPage(image);
    // The same page the core draws from the record, pattern and colour option on show.
    PageMapper map;
    QImage expected;
    DrawLandscapeGraphPage(
        PageSource{map, t.g().session().antenna.record, t.g().session().antenna.pattern, true, 1},
        expected);
    EXPECT_EQ(image.size(), QSize(2200, 1700));
    EXPECT_EQ(image, expected);
    t.g().session().set(GraphSession::Colour, false);
    t.g().DrawLandscapeGraphPage(image);
    EXPECT_NE(image, expected);

    QImage paper(5100, 6600, QImage::Format_RGB32);
    QPainter painter(&paper);
    t.g().DrawPortraitGraphPage(painter);
    EXPECT_EQ(t.g().PageMap.LogicalHeight, 650);
    EXPECT_EQ(t.g().PageMap.DeviceWidth, 5100);

    t.g().DrawDataPage(image);
    // The page routines draw with their own factors and leave the pen width choice alone.
    EXPECT_EQ(t.g().session().penFactor(), 2);
    EXPECT_EQ(image.size(), QSize(1600, 2000));
}

TEST(GraphWindow, MissingFilesConversionErrorsAndHowTheWindowEnds) {
    Graph t;
    IndexRecord missing;
    missing.setText(IndexField::FileName, "gone.adf");
    t.g().ShowAntenna(missing);
    EXPECT_EQ(t.prompter.messages, QStringList{QStringLiteral("File was not found")});
    EXPECT_EQ(t.modalRuns, 1); // opens with the empty chart frame
    QImage frame = screen::newCanvas();
    screen::DrawScreenChart(frame, FeedKind::None);
    EXPECT_EQ(t.g().canvas(), frame);

    // A conversion error is reported and the window stays closed.
    t.show(QStringLiteral("bad.adf"), adf("ZZ8-107", "", "0,0,\nten,-3,\n"));
    EXPECT_EQ(t.prompter.errors,
              QStringList{QStringLiteral("'ten' is not a valid floating point value")});
    EXPECT_EQ(t.modalRuns, 1);

    // A stored name cut to 15 characters opens the one file that starts with it.
    t.show(QStringLiteral("ZZX12-65-LONGNAME.adf"), adf("ZZX12-65", "RIGHT", TwoSided));
    EXPECT_EQ(t.g().session().antenna.record.fileName(), "ZZX12-65-LONGNA");
    EXPECT_EQ(t.g().session().antenna.pattern.CutPoints[CutVV].size(), 5u);

    // "Selection" goes back; "Exit" and the close box end the program.
    t.g().show();
    t.g().backToSelection();
    EXPECT_EQ(t.programEnds, 0);
    t.g().show();
    t.g().exitProgram();
    EXPECT_EQ(t.programEnds, 1);
    t.g().show();
    t.g().close();
    EXPECT_EQ(t.programEnds, 2);
}

TEST(GraphWindow, EachRealFileSharingItsFirst15CharactersOpensItself) {
    Graph t;
    const QString real = testutils::dataPath(QStringLiteral("real-adf"));
    const QStringList names = QDir(real).entryList({QStringLiteral("Cloud-RF*.adf")});
    ASSERT_EQ(names.size(), 3);
    for (const QString& name : names)
        t.box.write(QStringLiteral("prog/NSMAData/") + name,
                    testutils::readFile(real + QLatin1Char('/') + name));
    for (const QString& name : names) {
        IndexRecord r;
        ASSERT_FALSE(BuildRecordFromFile(t.box.path(QStringLiteral("prog/NSMAData/") + name), r));
        r.setText(IndexField::FileName, r.fileName()); // as the index holds it: 15 characters
        t.g().ShowAntenna(r);
        LoadedPattern own;
        ASSERT_EQ(LoadPatternFile(real + QLatin1Char('/') + name, "", own).status,
                  LoadStatus::Loaded);
        EXPECT_EQ(t.g().session().antenna.pattern.CutPoints, own.CutPoints) << name.toStdString();
    }
    EXPECT_TRUE(t.prompter.messages.isEmpty());
    EXPECT_EQ(t.modalRuns, 3);

    // A record that none of them gives: the message names the candidates.
    IndexRecord r;
    r.setText(IndexField::FileName, "Cloud-RF__msi2a");
    t.g().ShowAntenna(r);
    ASSERT_EQ(t.prompter.messages.size(), 1);
    EXPECT_EQ(t.prompter.messages[0], QStringLiteral("File was not found\n\nThe index names "
                                                     "\"Cloud-RF__msi2a\"; these files begin "
                                                     "with it:\n") +
                                          names.join(QLatin1Char('\n')));
}

TEST(GraphWindow, SettingsAreSavedWhenTheGraphWindowEndsTheProgram) {
    Graph t;
    GraphWindow& g = t.g();
    g.endProgram = [&] { t.w->context->saveSettings(); };
    g.session().set(GraphSession::MakePdf, true);
    g.show();
    g.exitProgram();
    const QByteArray text = testutils::readFile(t.box.path(QStringLiteral("Quelda.conf")));
    EXPECT_TRUE(text.contains("MakePDF=1"));
    EXPECT_TRUE(text.contains("Associated=1"));
}

TEST(Legend, LayoutAndTextsFollowTheFeedKind) {
    Graph t;
    t.show(QStringLiteral("two.adf"), adf("ZZX12-65", "RIGHT", TwoSided));
    LegendWindow& legend = *t.w->legend;
    legend.rebuild();
    EXPECT_EQ(legend.width(), 540);
    EXPECT_EQ(legend.descriptionBox()->toPlainText(),
              QStringLiteral("A long description of the antenna"));
    QImage wide = legend.picture();
    // Feed picture drawn in its rectangle; key lines in the cut colours; the V/H line without text.
    EXPECT_NE(wide.copy(260, 15, 190, 130), [] {
        QImage white(190, 130, QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }());
    EXPECT_EQ(wide.pixelColor(100, 208), QColor(0, 191, 0));
    EXPECT_EQ(wide.pixelColor(100, 248), QColor(191, 0, 0));
    EXPECT_EQ(wide.pixelColor(100, 188), QColor(0, 0, 0));

    t.g().backToSelection();
    t.show(QStringLiteral("right-lower.adf"), adf("ZZ8-107", "right", OneSided));
    legend.rebuild();
    EXPECT_EQ(t.g().session().antenna.pattern.feedKind, FeedKind::None);
    EXPECT_EQ(legend.width(), 287);
    const QImage narrow = legend.picture();
    EXPECT_EQ(narrow.width(), 245);
    for (int x = 200; x < narrow.width(); ++x)
        EXPECT_EQ(narrow.pixelColor(x, 180), QColor(Qt::white)) << x; // no orientation texts
}

namespace {
void sendMouse(QWidget* w, QEvent::Type type, int x, Qt::MouseButton button = Qt::NoButton) {
    QMouseEvent e(type, QPointF(x, 100), w->mapToGlobal(QPointF(x, 100)), button, button,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
void sendKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, key, mods);
    QCoreApplication::sendEvent(w, &e);
}
} // namespace

TEST(GraphWindow, TitlesAndStatusLineNameTheAntenna) {
    Graph t;
    EXPECT_EQ(t.g().windowTitle(), QStringLiteral("Graph Form")); // none on show yet
    t.show(QStringLiteral("two.adf"), adf("ZZX12-65", "RIGHT", TwoSided));
    EXPECT_EQ(t.g().windowTitle(), QStringLiteral("two.adf - ZZX12-65 RPE 4711 - Lobeview"));
    EXPECT_EQ(t.w->legend->windowTitle(), QStringLiteral("Legend - two.adf - ZZX12-65 RPE 4711"));
    EXPECT_EQ(
        t.g().antennaLine().toStdString(),
        "10.700-11.700 GHz   Gain 48.6 dBi   Feed RIGHT   " +
            QDir::toNativeSeparators(t.box.path(QStringLiteral("prog/NSMAData"))).toStdString());
    EXPECT_TRUE(t.g().readoutLine().isEmpty());
    // The chart keeps its place and size; the status line lies under it.
    EXPECT_EQ(testutils::child<QLabel>(t.g(), "chartView")->geometry(), QRect(10, 9, 650, 400));
    EXPECT_EQ(t.g().visibleImage(), t.g().canvas().copy(155, 0, 650, 400));
}

TEST(GraphWindow, ReadOutFollowsThePointerKeysAndPins) {
    Graph t;
    t.show(QStringLiteral("one.adf"), adf("ZZ8-107", "", OneSided));
    const QImage before = t.g().visibleImage();
    QWidget* view = testutils::child<QLabel>(t.g(), "chartView");
    // 20 pixels into the one-sided view: 2 degrees on the expanded scale.
    sendMouse(view, QEvent::MouseMove, 20);
    ASSERT_TRUE(t.g().cursorAngle().has_value());
    EXPECT_DOUBLE_EQ(*t.g().cursorAngle(), 2.0);
    EXPECT_EQ(t.g().readoutLine(), QStringLiteral("2.0 deg   V/V -4.00 dB"));
    // Past 15 degrees, 2 pixels a degree: column 250 is canvas 730, 65 degrees.
    sendMouse(view, QEvent::MouseMove, 250);
    EXPECT_EQ(t.g().readoutLine(), QStringLiteral("65.0 deg   V/V -36.18 dB"));

    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        double angle;
    };
    sendMouse(view, QEvent::MouseMove, 20);
    const Step steps[] = {{Qt::Key_Right, Qt::NoModifier, 3.0},
                          {Qt::Key_Right, Qt::ShiftModifier, 3.1},
                          {Qt::Key_Left, Qt::NoModifier, 2.1},
                          {Qt::Key_Left, Qt::ShiftModifier, 2.0}};
    for (const Step& s : steps) {
        sendKey(&t.g(), s.key, s.mods);
        EXPECT_NEAR(*t.g().cursorAngle(), s.angle, 1e-9);
    }
    // A one-sided chart has no negative angles.
    for (int i = 0; i < 5; ++i)
        sendKey(&t.g(), Qt::Key_Left);
    EXPECT_EQ(*t.g().cursorAngle(), 0.0);

    sendMouse(view, QEvent::MouseButtonPress, 20, Qt::LeftButton);
    sendMouse(view, QEvent::MouseButtonPress, 80, Qt::LeftButton);
    EXPECT_EQ(t.g().pinnedAngles(), (std::vector<double>{2.0, 8.0}));
    EXPECT_EQ(t.g().readoutLine(), QStringLiteral("A 2.0 deg, B 8.0 deg, B - A:   V/V -12.00 dB"));
    // A third pin starts again; Esc takes the pins away.
    sendMouse(view, QEvent::MouseButtonPress, 100, Qt::LeftButton);
    EXPECT_EQ(t.g().pinnedAngles(), (std::vector<double>{10.0}));
    sendKey(&t.g(), Qt::Key_Escape);
    EXPECT_TRUE(t.g().pinnedAngles().empty());
    sendMouse(view, QEvent::Leave, 0);
    EXPECT_FALSE(t.g().cursorAngle().has_value());
    EXPECT_TRUE(t.g().readoutLine().isEmpty());
    // The cursor is drawn over the chart, never into it.
    EXPECT_EQ(t.g().visibleImage(), before);
}

TEST(GraphWindow, GrowsWithItsWindowAndKeepsTheWrittenChartAtItsWrittenSize) {
    Graph t;
    t.show(QStringLiteral("two.adf"), adf("ZZX12-65", "RIGHT", TwoSided));
    GraphWindow& g = t.g();
    g.show();
    const QSize written = g.size();
    EXPECT_FALSE(g.isGrown());
    EXPECT_EQ(g.visibleImage(), g.canvas().copy(155, 0, 650, 400));

    // Wide enough for the whole chart: no slider, every angle on show.
    g.resize(written + QSize(400, 300));
    QCoreApplication::processEvents();
    EXPECT_TRUE(g.isGrown());
    auto* view = testutils::child<QLabel>(g, "chartView");
    EXPECT_EQ(view->size(), QSize(written.width() + 400 - 20, 400 + 300));
    EXPECT_EQ(g.visibleImage().size(), view->size());
    EXPECT_TRUE(testutils::child<QSlider>(g, "slider")->isHidden());
    EXPECT_EQ(g.shownSpan().from, 0);
    EXPECT_EQ(g.shownSpan().to, 960);

    // Grown, but narrower than the whole chart: the slider's slice, scaled.
    g.resize(written + QSize(100, 100));
    QCoreApplication::processEvents();
    EXPECT_TRUE(g.isGrown());
    EXPECT_FALSE(testutils::child<QSlider>(g, "slider")->isHidden());
    EXPECT_EQ(g.shownSpan().from, 155);
    EXPECT_EQ(g.shownSpan().to, 805);
    // The read-out follows the grown scale: the view's middle is the slice's middle, 480 on the
    // canvas, the main beam.
    const QPointF middle(view->width() / 2.0, 100);
    QMouseEvent move(QEvent::MouseMove, middle, view->mapToGlobal(middle), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &move);
    ASSERT_TRUE(g.cursorAngle().has_value());
    EXPECT_NEAR(*g.cursorAngle(), 0.0, 0.15);

    g.resize(written);
    QCoreApplication::processEvents();
    EXPECT_FALSE(g.isGrown());
    EXPECT_EQ(view->geometry(), QRect(10, 9, 650, 400));
    EXPECT_EQ(g.visibleImage(), g.canvas().copy(155, 0, 650, 400));
    g.hide();
}

TEST(GraphWindow, CopyPutsTheChartAndTheTextOnTheClipboard) {
    Graph t;
    t.show(QStringLiteral("one.adf"), adf("ZZ8-107", "", OneSided));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    testutils::child<QAction>(t.g(), "copyAction")->trigger();
    const QMimeData* data = clipboard->mimeData();
    ASSERT_NE(data, nullptr);
    const std::string text =
        "Angle\tH/H\tV/V\tH/V\tV/H\n0\t\t0\t\t\n10\t\t-20\t\t\n180\t\t-70\t\t\n";
    EXPECT_EQ(data->text().toStdString(), text);
    ASSERT_TRUE(data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), QSize(960, 800)); // the 480 x 400 view at twice the resolution
    EXPECT_EQ(image,
              grown::DrawGrownChart(QSize(960, 800), {480, 960}, t.g().session().antenna.pattern));
    // Zoomed, the copy is the zoomed chart.
    const grown::Zoom zoom{0, 20, 0, -50};
    t.g().setZoom(zoom);
    testutils::child<QAction>(t.g(), "copyAction")->trigger();
    EXPECT_EQ(qvariant_cast<QImage>(clipboard->mimeData()->imageData()),
              grown::DrawZoomedChart(QSize(960, 800), zoom, t.g().session().antenna.pattern));
    t.g().setZoom(std::nullopt);

    clipboard->clear();
    testutils::child<QAction>(t.g(), "copyDataAction")->trigger();
    EXPECT_EQ(clipboard->text().toStdString(), text);
    EXPECT_FALSE(clipboard->mimeData()->hasImage());
}

TEST(GraphWindow, ColourPagesIsOneChoiceInTheViewMenuAndTheOptionDialogs) {
    Graph t;
    t.show(QStringLiteral("one.adf"), adf("ZZ8-107", "", OneSided));
    GraphSession& s = t.g().session();
    auto* action = testutils::child<QAction>(t.g(), "colourPagesAction");
    ASSERT_NE(action, nullptr);
    ASSERT_NE(t.w->printOptions->colourBox, nullptr);
    ASSERT_NE(t.w->exportOptions->colourBox, nullptr);
    EXPECT_FALSE(s.isOn(GraphSession::Colour));
    EXPECT_FALSE(action->isChecked());

    action->trigger();
    EXPECT_TRUE(s.isOn(GraphSession::Colour));
    EXPECT_TRUE(t.w->printOptions->colourBox->isChecked());
    EXPECT_TRUE(t.w->exportOptions->colourBox->isChecked());
    t.w->printOptions->colourBox->setChecked(false);
    EXPECT_FALSE(s.isOn(GraphSession::Colour));
    EXPECT_FALSE(action->isChecked());
    EXPECT_FALSE(t.w->exportOptions->colourBox->isChecked());
    t.w->exportOptions->colourBox->setChecked(true);
    EXPECT_TRUE(s.graphSettings().PenColor);
    // The screen chart stays as it is.
    QImage expected = screen::newCanvas();
    screen::DrawScreenChart(expected, FeedKind::None);
    screen::DrawScreenTrace(expected, {{0, 0}, {10, -20}, {180, -70}}, CutVV);
    EXPECT_EQ(t.g().canvas(), expected);
}

TEST(GraphWindow, WheelZoomsDoubleClickAndEscReturnToTheWrittenChart) {
    Graph t;
    t.show(QStringLiteral("two.adf"), adf("ZZX12-65", "RIGHT", TwoSided));
    GraphWindow& g = t.g();
    QWidget* view = testutils::child<QLabel>(g, "chartView");
    const QImage written = g.visibleImage();
    auto wheel = [&](double x, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWheelEvent e(QPointF(x, 200), view->mapToGlobal(QPointF(x, 200)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, mods, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &e);
    };
    // Column 325 of the slice from 155 is canvas 480: the main beam stays under the pointer.
    wheel(325, 120 * 40);
    ASSERT_TRUE(g.zoom().has_value());
    EXPECT_NEAR(g.zoom()->fromAngle + g.zoom()->toAngle, 0, 1e-9);
    EXPECT_NEAR(g.zoom()->toAngle - g.zoom()->fromAngle, 2, 1e-9); // as far in as it goes
    EXPECT_EQ(g.visibleImage().size(), QSize(650, 400));
    EXPECT_NE(g.visibleImage(), written);
    EXPECT_TRUE(testutils::child<QSlider>(g, "slider")->isHidden());
    // The cursor reads the linear scale: the view's middle is 0, its right edge 1 degree.
    QMouseEvent move(QEvent::MouseMove, QPointF(650, 100), view->mapToGlobal(QPointF(650, 100)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &move);
    EXPECT_NEAR(*g.cursorAngle(), 1.0, 1e-9);

    wheel(325, 120, Qt::ControlModifier); // the level axis
    EXPECT_NEAR(g.zoom()->topLevel - g.zoom()->bottomLevel, 80, 1e-9);

    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(10, 10),
                      view->mapToGlobal(QPointF(10, 10)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(view, &twice);
    EXPECT_FALSE(g.zoom().has_value());
    EXPECT_EQ(g.visibleImage(), written);

    wheel(100, -120);
    EXPECT_TRUE(g.zoom().has_value());
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&g, &esc);
    EXPECT_FALSE(g.zoom().has_value());
    EXPECT_EQ(g.visibleImage(), written);
    EXPECT_FALSE(testutils::child<QSlider>(g, "slider")->isHidden());
}

TEST(GraphWindow, TheGrownSizeIsKeptForTheNextWindow) {
    Graph t;
    t.show(QStringLiteral("one.adf"), adf("ZZ8-107", "", OneSided));
    GraphWindow& g = t.g();
    const QSize written = g.size();
    SettingsStore& store = t.w->context->settingsStore();
    g.show();
    g.close(); // at the written size nothing is kept
    EXPECT_TRUE(store.readString(QStringLiteral("GraphWindowSize"), {}).isEmpty());

    g.show();
    g.resize(written + QSize(300, 200));
    QCoreApplication::processEvents();
    g.close();
    const QSize grownSize = written + QSize(300, 200);
    EXPECT_EQ(store.readString(QStringLiteral("GraphWindowSize"), {}),
              QStringLiteral("%1x%2").arg(grownSize.width()).arg(grownSize.height()));
    GraphWindow next(*t.w->context);
    EXPECT_EQ(next.size(), grownSize);
    EXPECT_EQ(next.minimumSize(), written);
}
