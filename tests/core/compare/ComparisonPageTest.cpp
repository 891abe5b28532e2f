// SPDX-License-Identifier: MIT
// The comparison drawn: traces where the scales put them, eight antennas told apart in colour
// and in black and white, the best cells and the band mark on the page, the page written whole
// in each format and printed as one landscape document.
#include "compare/ComparisonPage.h"

#include "TestUtils.h"
#include "base/PdfCheck.h"
#include "base/Prompter.h"
#include "output/PageWriter.h"
#include "print/PrintRun.h"

#include <QtGui/QPainter>
#include <gtest/gtest.h>
#include <set>

using namespace compare;

namespace {

// A sample's record (its band and names) with a crafted envelope on H/H: `level` dB all the
// way, one-sided or two-sided.
AntennaFile flat(double level, bool twoSided = true, const char* name = "ZZX10-60L.adf") {
    AntennaFileOrError opened = AntennaFile::open(testutils::samplePath(QString::fromLatin1(name)));
    EXPECT_TRUE(opened.file) << opened.error.toStdString();
    AntennaFile file = *opened.file;
    file.pattern.clear();
    file.pattern.feedKind = twoSided ? FeedKind::Right : FeedKind::None;
    file.pattern.CutPoints[CutHH] = {{twoSided ? -180.0 : 0.0, level}, {180, level}};
    return file;
}

Comparison comparisonOf(std::vector<AntennaFile> files) {
    Comparison c;
    for (AntennaFile& f : files)
        c.add(std::move(f));
    return c;
}

// Whether a pixel of `colour` lies within `reach` pixels of (x, y).
bool colourNear(const QImage& image, double x, double y, QRgb colour, int reach = 2) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint p(int(std::lround(x)) + dx, int(std::lround(y)) + dy);
            if (image.rect().contains(p) && (image.pixel(p) & 0xffffff) == (colour & 0xffffff))
                return true;
        }
    return false;
}

int countColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    return n;
}

} // namespace

TEST(ComparisonPage, TracesLandWhereEachScalePutsThem) {
    // A step: -20 dB to 40 degrees, -50 beyond, drawn in the second antenna's colour (the first
    // is black, as the frame and numbers are).
    AntennaFile stepped = flat(-20, false);
    stepped.pattern.CutPoints[CutHH] = {{0, -20}, {40, -20}, {40, -50}, {180, -50}};
    const Comparison c = comparisonOf({flat(-90, false), stepped});
    const QRgb blue = traceStyle(1).color.rgb();
    grown::Zoom zoom{0, 60, -10, -60};
    struct Case {
        const char* name;
        ChartView view;
        QSize size;
        double a1, x1, y1; // an angle on the -20 dB part, its pixel
        double a2, x2, y2; // one on the -50 dB part
    };
    const Case cases[] = {
        // Written one-sided: from column 480 of the canvas, 2 px a degree past 15, 4 px a dB.
        {"written", ChartView{}, QSize(480, 400), 30, 150 + 2 * 15, 80, 120, 150 + 2 * 105, 200},
        {"written, twice the size", ChartView{}, QSize(960, 800), 30, 360, 160, 120, 720, 400},
        // Zoomed: 0 to 60 degrees over 600 px, -10 to -60 dB over 500 px.
        {"zoomed", ChartView{zoom}, QSize(600, 500), 30, 300, 100, 50, 500, 400},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const QImage image = comparisonChartImage(k.size, c, k.view, true);
        const QRectF rect(QPointF(0, 0), QSizeF(k.size));
        // The read-out's mapping agrees with the pixels.
        EXPECT_NEAR(chartX(rect, false, k.view, k.a1), k.x1, 1e-9);
        EXPECT_NEAR(chartY(rect, k.view, -20), k.y1, 1e-9);
        EXPECT_NEAR(chartAngleAt(rect, false, k.view, k.x2), k.a2, 1e-9);
        EXPECT_NEAR(chartLevelAt(rect, k.view, k.y2), -50, 1e-9);
        // A dashed line: look along a stretch longer than its period.
        const auto along = [&](double x, double y) {
            for (int dx = 0; dx < 24; dx += 2)
                if (colourNear(image, x + dx, y, blue))
                    return true;
            return false;
        };
        EXPECT_TRUE(along(k.x1, k.y1));
        EXPECT_TRUE(along(k.x2, k.y2));
        EXPECT_FALSE(along(k.x2, k.y1));
    }
}

TEST(ComparisonPage, EightAntennasAreToldApartInColourAndInBlackAndWhite) {
    // Eight flat traces, 10 dB apart: antenna i at -10(i+1) dB, row 40(i+1) of a 960 x 400 chart.
    std::vector<AntennaFile> files;
    for (int i = 0; i < MaxAntennas; ++i)
        files.push_back(flat(-10.0 * (i + 1)));
    const Comparison c = comparisonOf(files);

    // In colour each has its own colour on the page.
    const QImage page = comparisonPageImage(c, nullptr, true);
    for (int i = 0; i < MaxAntennas; ++i)
        EXPECT_GT(countColour(page, traceStyle(i).color.rgb()), 200) << "antenna " << i + 1;

    // In black and white none of the colours, and each trace its own run of dashes and gaps.
    const QImage grey = comparisonPageImage(c, nullptr, false);
    for (int i = 1; i < MaxAntennas; ++i)
        EXPECT_EQ(countColour(grey, traceStyle(i).color.rgb()), 0) << "antenna " << i + 1;
    const QImage chart = comparisonChartImage(QSize(960, 400), c, ChartView{}, false);
    std::set<std::vector<int>> runs;
    for (int i = 0; i < MaxAntennas; ++i) {
        std::vector<int> lengths{0};
        bool on = true;
        for (int x = 40; x < 320; ++x) {
            const bool ink = colourNear(chart, x, 40 * (i + 1), qRgb(0, 0, 0), 0) ||
                             colourNear(chart, x, 40 * (i + 1) - 1, qRgb(0, 0, 0), 0);
            if (ink != on) {
                lengths.push_back(0);
                on = ink;
            }
            ++lengths.back();
        }
        runs.insert(lengths);
    }
    EXPECT_EQ(runs.size(), size_t(MaxAntennas));
}

namespace {

// The table rows with shaded (best) cells, top to bottom: the image row where the shade starts
// and the number of cells, the runs of the shade along that first line above the cells' text.
std::vector<std::pair<int, int>> shadedCells(const Comparison& comparison) {
    const QImage page = comparisonPageImage(comparison, nullptr, true);
    const QRgb shade = qRgb(255, 236, 140);
    std::vector<std::pair<int, int>> rows;
    int before = 0;
    for (int y = 0; y < page.height(); ++y) {
        int runs = 0;
        for (int x = 0; x < page.width(); ++x)
            runs += page.pixel(x, y) == shade && (x == 0 || page.pixel(x - 1, y) != shade);
        if (runs && !before)
            rows.emplace_back(y, runs);
        before = runs;
    }
    return rows;
}

} // namespace

TEST(ComparisonPage, TheBestCellOfEachColumnIsShaded) {
    // Without an FCC table the margin columns have no best; each angle column has one, two
    // when both antennas tie there. Level with the other to 60 degrees from the beam (the
    // step's top counts), higher beyond:
    AntennaFile near = flat(-40);
    near.pattern.CutPoints[CutHH] = {{-180, -30}, {-60, -30}, {-60, -40},
                                     {60, -40},   {60, -30},  {180, -30}};
    const auto tied = shadedCells(comparisonOf({flat(-35), flat(-35)}));
    ASSERT_EQ(tied.size(), 2u);
    struct Case {
        const char* name;
        std::vector<AntennaFile> files;
        int first, second; // shaded cells in the antennas' rows
    };
    const Case cases[] = {
        {"the first lower", {flat(-40), flat(-30)}, 11, 0},
        {"the second lower", {flat(-30), flat(-40)}, 0, 11},
        {"all tied", {flat(-35), flat(-35)}, 11, 11},
        {"tied to 45 degrees", {flat(-40), near}, 11, 6},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        std::vector<std::pair<int, int>> expected;
        if (k.first)
            expected.emplace_back(tied[0].first, k.first);
        if (k.second)
            expected.emplace_back(tied[1].first, k.second);
        EXPECT_EQ(shadedCells(comparisonOf(k.files)), expected);
    }
}

TEST(ComparisonPage, TheLegendMarksABandThatDiffers) {
    testutils::Sandbox box;
    const QString path = box.path(QStringLiteral("page.svg"));
    const auto legendOf = [&](std::vector<AntennaFile> files) {
        const Comparison c = comparisonOf(std::move(files));
        EXPECT_EQ(PageWriter::writeComparison(c, nullptr, OutputFormat::Svg, path, true),
                  std::nullopt);
        return QString::fromUtf8(testutils::readFile(path)).replace(QChar(0x00A0), u' ');
    };
    const QString same = legendOf({flat(-30), flat(-40, true, "QU12-59.adf")});
    EXPECT_TRUE(same.contains(QStringLiteral("QU12-59.adf")));
    EXPECT_TRUE(same.contains(QStringLiteral("5.925-6.425 GHz")));
    EXPECT_FALSE(same.contains(QStringLiteral("band differs")));
    const QString differs = legendOf({flat(-30), flat(-40, true, "ZZX10-60U.adf")});
    EXPECT_EQ(differs.count(QStringLiteral("(band differs)")), 1);
    EXPECT_TRUE(differs.contains(QStringLiteral("6.425-7.125 GHz")));
}

TEST(ComparisonPage, ALongFileNameStaysInsideTheLegendAndWhole) {
    const QString name = QStringLiteral("Cloud-RF__msi2adf__TQJ-8010-9011DT0_0791_CO_P45_00T"
                                        "_a-very-long-converted-pattern-name.msi.adf");
    AntennaFile file = flat(-30);
    file.path = QStringLiteral("/data/") + name;
    const Comparison c = comparisonOf({std::move(file), flat(-40, true, "QU12-59.adf")});
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double used = drawComparisonLegend(painter, QRectF(0, 0, 300, 400), c, 12, true);
    painter.end();
    EXPECT_GT(used, 3 * 12); // the name takes lines of its own
    for (int y = 0; y < image.height(); ++y)
        for (int x = 302; x < image.width(); ++x)
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << "drawn past the legend at " << x;
    // Every character is there, none elided.
    testutils::Sandbox box;
    const QString path = box.path(QStringLiteral("page.svg"));
    ASSERT_EQ(PageWriter::writeComparison(c, nullptr, OutputFormat::Svg, path, true), std::nullopt);
    const QString svg = QString::fromUtf8(testutils::readFile(path));
    EXPECT_FALSE(svg.contains(QChar(0x2026)));
}

TEST(ComparisonPage, WritesEachFormatWhole) {
    const Comparison c = comparisonOf({flat(-30), flat(-40, true, "ZZX10-60U.adf")});
    testutils::Sandbox box;
    struct Case {
        OutputFormat format;
        const char* file;
    };
    for (const Case& k : {Case{OutputFormat::Png, "c.png"}, Case{OutputFormat::Svg, "c.svg"},
                          Case{OutputFormat::VectorPdf, "c.pdf"}}) {
        SCOPED_TRACE(k.file);
        const QString path = box.path(QString::fromLatin1(k.file));
        ASSERT_TRUE(testutils::writeFile(path, "older"));
        EXPECT_EQ(PageWriter::writeComparison(c, nullptr, k.format, path, true), std::nullopt);
        const QByteArray bytes = testutils::readFile(path);
        if (k.format == OutputFormat::Png)
            EXPECT_EQ(QImage::fromData(bytes, "PNG").size(), QSize(1650, 1275));
        else if (k.format == OutputFormat::Svg)
            EXPECT_TRUE(bytes.trimmed().endsWith("</svg>"));
        else
            EXPECT_TRUE(IsCompletePdf(bytes));
    }
}

TEST(ComparisonPage, ARefusedOrFailedWriteLeavesTheFileAsItWas) {
    testutils::Sandbox box;
    const QString path = box.path(QStringLiteral("keep.png"));
    ASSERT_TRUE(testutils::writeFile(path, "earlier page"));
    const Comparison two = comparisonOf({flat(-30), flat(-40)});
    struct Case {
        const char* name;
        Comparison comparison;
        OutputFormat format;
        QString path;
    };
    const Case cases[] = {
        {"jpg", two, OutputFormat::Jpg, path},
        {"gif", two, OutputFormat::Gif, path},
        {"htmldoc pdf", two, OutputFormat::HtmldocPdf, path},
        {"text", two, OutputFormat::Txt, path},
        {"no antennas", Comparison{}, OutputFormat::Png, path},
        {"no folder", two, OutputFormat::VectorPdf, box.path(QStringLiteral("missing/c.pdf"))},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const auto error =
            PageWriter::writeComparison(k.comparison, nullptr, k.format, k.path, true);
        ASSERT_TRUE(error);
        EXPECT_FALSE(error->isEmpty());
        EXPECT_EQ(testutils::readFile(path), "earlier page");
    }
}

namespace {

class OneDocument : public PrintBackend {
public:
    std::optional<QString> prepare() override { return why; }
    QString printerName() const override { return QStringLiteral("Recorder"); }
    PrintJobResult print(const PrintDocument& document) override {
        titles << document.Title;
        landscape = document.Orientation == QPageLayout::Landscape;
        page = QImage(1100, 850, QImage::Format_RGB32);
        page.fill(Qt::black);
        QPainter painter(&page);
        document.Paint(painter);
        return {7, {}};
    }
    std::optional<QString> why;
    QStringList titles;
    bool landscape = false;
    QImage page;
};

class Errors : public Prompter {
public:
    void message(const QString&) override {}
    void error(const QString& text) override { shown << text; }
    QStringList shown;
};

} // namespace

TEST(ComparisonPage, PrintsThePageAsOneLandscapeDocument) {
    const Comparison c = comparisonOf({flat(-30), flat(-40)});
    OneDocument printer;
    Errors errors;
    const PrintRunResult result = RunComparisonPrint(c, nullptr, true, printer, errors);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.JobIds, std::vector<int>{7});
    EXPECT_EQ(printer.titles, QStringList{comparisonPageTitle(c)});
    EXPECT_TRUE(printer.landscape);
    // The page fills the sheet: white from corner to corner.
    EXPECT_EQ(printer.page.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(printer.page.pixel(1097, 847), qRgb(255, 255, 255));

    OneDocument none;
    none.why = QStringLiteral("No printer is installed");
    EXPECT_EQ(RunComparisonPrint(c, nullptr, true, none, errors).Error, *none.why);
    EXPECT_TRUE(none.titles.isEmpty());
    EXPECT_EQ(errors.shown, QStringList{*none.why});
}
