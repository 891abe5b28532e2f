// SPDX-License-Identifier: MIT
// Vector pages: the chart page and the data sheet as PDF (read back with poppler's tools) and as
// SVG (read back as XML), and the batch tool's single-file vector export.
#include "output/VectorPages.h"

#include "TestUtils.h"
#include "adf/PatternReader.h"
#include "base/DisplayText.h"
#include "catalogue/IndexRefresh.h"
#include "pages/ChartPage.h"
#include "pages/DataSheet.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QLocale>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QXmlStreamReader>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Antenna {
    IndexRecord record;
    LoadedPattern pattern;
};

Antenna sample(const QString& name) {
    Antenna a;
    const QString path = testutils::samplePath(name);
    EXPECT_FALSE(BuildRecordFromFile(path, a.record)) << name.toStdString();
    EXPECT_EQ(LoadPatternFile(path, a.record.feedOrientation(), a.pattern).status,
              LoadStatus::Loaded);
    return a;
}

QString tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

#define NEED_TOOL(name)                                                                            \
    if (tool(name).isEmpty()) {                                                                    \
        GTEST_SKIP() << name " (poppler-utils) is not installed";                                  \
    }

QString runTool(const char* name, const QStringList& args) {
    QProcess p;
    p.start(tool(name), args);
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0) << name << ": " << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Runs of blanks as one blank: pdftotext gives the drawn blanks as it sees fit.
QString squeezed(const QString& text) {
    return text.simplified();
}

QString text(QByteArrayView bytes) {
    return DisplayText(bytes);
}

// Every text line of the chart page, as drawn.
QStringList chartTitleTexts(const Antenna& a, bool twoSided) {
    const IndexRecord& r = a.record;
    QStringList t{
        QStringLiteral("RADIATION PATTERN ENVELOPE"),
        QStringLiteral("Antenna Type Number:  ") + text(r.modelNumber()),
        text(r.size()) + QStringLiteral(" Foot Antenna     ") + text(r.frequencyRange()) +
            (twoSided ? QStringLiteral(" GHz   ") : QStringLiteral(" GHz  ")) +
            text(r.polarization()) + QStringLiteral(" Polarized"),
        QStringLiteral("Gain:  ") + text(r.gain()) + QStringLiteral(" dBi at ") +
            text(r.midFrequency()) + QStringLiteral(" GHz"),
        QStringLiteral("Envelope for a Horizontally Polarized Antenna (HH, HV)"),
        QStringLiteral("Envelope for a Vertically Polarized Antenna (VV, VH)"),
        QStringLiteral("For further information, ask for Quelda Bulletin 1032, \"Radiation Pattern "
                       "Envelopes.\""),
        QStringLiteral("QUELDA CORPORATION"),
        QStringLiteral("RPE     ") + text(r.rpeNumber()),
        text(r.description1()),
        text(r.description2()),
        QStringLiteral("Engineering Approved:"),
        text(r.date()),
        QStringLiteral("Degrees"),
        QStringLiteral("Expanded Scale"),
        QStringLiteral("dB Below Beam Peak"),
    };
    if (twoSided)
        t << QStringLiteral("Red Right Feed Orientation")
          << QStringLiteral("Feed is installed as illustrated")
          << QStringLiteral("with the RED indicator positioned")
          << QStringLiteral("toward the RIGHT as viewed from")
          << QStringLiteral("the back of the antenna.");
    return t;
}

// The numbers of the sheet's four tables in the order they are drawn: table by table, row by
// row, angle before level.
QStringList sheetNumbers(const Antenna& a) {
    QStringList out;
    for (const PatternPoints& cut : a.pattern.CutPoints)
        for (const PatternPoint& p : cut)
            out << SheetNumberText(p.Angle, QLocale::system())
                << SheetNumberText(p.Level, QLocale::system());
    return out;
}

// A word of pdftotext -bbox, in points from the page's top-left corner.
struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;
};

QList<Word> words(const QString& pdf) {
    const QString xhtml = runTool("pdftotext", {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QList<Word> out;
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(xhtml); it.hasNext();) {
        const auto m = it.next();
        out.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                       m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return out;
}

std::optional<Word> firstWord(const QList<Word>& all, const QString& text) {
    for (const Word& w : all)
        if (w.text == text)
            return w;
    return std::nullopt;
}

struct PdfFiles {
    testutils::Sandbox box;
    QString write(const QString& name, ExportPage page, const Antenna& a, bool color) {
        const QString path = box.path(name);
        EXPECT_FALSE(WriteVectorPage(path, VectorFormat::Pdf, page, a.record, a.pattern, color));
        return path;
    }
};

// Page size line of pdfinfo, e.g. "792 x 612 pts (letter)".
QString pageSize(const QString& pdf) {
    const QString info = runTool("pdfinfo", {pdf});
    static const QRegularExpression line(QStringLiteral("Page size:\\s+(.*)\\n"));
    return line.match(info).captured(1).trimmed();
}

} // namespace

// ---- PDF ----------------------------------------------------------------------------------------

TEST(VectorPdf, LetterSheetLandscapeForTheTwoSidedChartPortraitOtherwise) {
    NEED_TOOL("pdfinfo");
    PdfFiles files;
    const Antenna twoSided = sample(QStringLiteral("ZZX10-60L.adf"));
    const Antenna oneSided = sample(QStringLiteral("QS1-212.adf"));
    ASSERT_TRUE(isTwoSided(twoSided.pattern.feedKind));
    ASSERT_FALSE(isTwoSided(oneSided.pattern.feedKind));

    const QString full = files.write(QStringLiteral("full.pdf"), ExportPage::Chart, twoSided, true);
    const QString half = files.write(QStringLiteral("half.pdf"), ExportPage::Chart, oneSided, true);
    const QString sheet =
        files.write(QStringLiteral("sheet.pdf"), ExportPage::Data, twoSided, true);
    EXPECT_EQ(pageSize(full), QStringLiteral("792 x 612 pts (letter)"));
    EXPECT_EQ(pageSize(half), QStringLiteral("612 x 792 pts (letter)"));
    EXPECT_EQ(pageSize(sheet), QStringLiteral("612 x 792 pts (letter)"));
    for (const QString& pdf : {full, half, sheet}) {
        const QString info = runTool("pdfinfo", {pdf});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page rot:\\s+0\\n"))));
    }
    EXPECT_EQ(VectorPageSize(ExportPage::Chart, FeedKind::UhpLeft), QSize(6600, 5100));
    EXPECT_EQ(VectorPageSize(ExportPage::Data, FeedKind::UhpLeft), QSize(5100, 6600));
}

TEST(VectorPdf, EveryTitleTextIsRealTextOnBothChartVariants) {
    NEED_TOOL("pdftotext");
    PdfFiles files;
    for (const QString& name : {QStringLiteral("ZZX10-60L.adf"), QStringLiteral("QS1-212.adf")}) {
        const Antenna a = sample(name);
        const bool twoSided = isTwoSided(a.pattern.feedKind);
        const QString pdf = files.write(name + QStringLiteral(".pdf"), ExportPage::Chart, a, false);
        const QString extracted =
            squeezed(runTool("pdftotext", {QStringLiteral("-raw"), pdf, QStringLiteral("-")}));
        for (const QString& t : chartTitleTexts(a, twoSided))
            EXPECT_TRUE(extracted.contains(squeezed(t)))
                << name.toStdString() << ": " << t.toStdString();
        // The axis numbers are text too.
        for (const char* n : {"10", "90", "160"})
            EXPECT_TRUE(extracted.split(QLatin1Char(' ')).contains(QLatin1String(n))) << n;
        if (!twoSided) {
            EXPECT_FALSE(extracted.contains(QStringLiteral("Feed Orientation")));
        }
    }
}

TEST(VectorPdf, ColouredLegendPiecesFollowTheirLeadInText) {
    NEED_TOOL("pdftotext");
    PdfFiles files;
    const Antenna a = sample(QStringLiteral("ZZX10-60L.adf"));
    const QString pdf = files.write(QStringLiteral("c.pdf"), ExportPage::Chart, a, true);
    const QList<Word> all = words(pdf);
    // "(HH," then "HV)" on one baseline: the blue piece starts where the black text stops.
    const auto hh = firstWord(all, QStringLiteral("(HH,"));
    const auto hv = firstWord(all, QStringLiteral("HV)"));
    ASSERT_TRUE(hh && hv);
    EXPECT_NEAR(hh->yMin, hv->yMin, 0.5);
    EXPECT_GT(hv->xMin, hh->xMax);
    EXPECT_LT(hv->xMin - hh->xMax, 4.0); // one blank at 10 units high
}

TEST(VectorPdf, TextsSitAtTheirLogicalPositionsOnTheSheet) {
    NEED_TOOL("pdftotext");
    PdfFiles files;
    const Antenna a = sample(QStringLiteral("ZZX10-60L.adf"));
    // Full chart: 1100 x 650 units on 792 x 612 points.
    const QList<Word> chart =
        words(files.write(QStringLiteral("c.pdf"), ExportPage::Chart, a, false));
    const auto radiation = firstWord(chart, QStringLiteral("RADIATION"));
    ASSERT_TRUE(radiation);
    EXPECT_NEAR(radiation->xMin, 50 * 792.0 / 1100, 1.5);
    EXPECT_NEAR(radiation->yMin, 20 * 612.0 / 650, 2.0);
    const auto degrees = firstWord(chart, QStringLiteral("Degrees"));
    ASSERT_TRUE(degrees);
    EXPECT_NEAR((degrees->xMin + degrees->xMax) / 2, 550 * 792.0 / 1100, 1.5);

    // Data sheet: 800 x 1050 units on 612 x 792 points. ZZX10-60L's H/H cut fills two columns:
    // its first angle is right-aligned at x 50 + 43 with its top at y 160.
    const QList<Word> sheet =
        words(files.write(QStringLiteral("d.pdf"), ExportPage::Data, a, false));
    const QString firstAngle = SheetNumberText(a.pattern.CutPoints[0].front().Angle, QLocale());
    const auto angle = firstWord(sheet, firstAngle);
    ASSERT_TRUE(angle);
    ASSERT_GT(a.pattern.CutPoints[0].size(), 55u);
    EXPECT_NEAR(angle->xMax, 93 * 612.0 / 800, 1.5);
    EXPECT_NEAR(angle->yMin, 160 * 792.0 / 1050, 2.5);
}

TEST(VectorPdf, DataSheetListsEveryNumberOfTheFourTablesInOrder) {
    NEED_TOOL("pdftotext");
    PdfFiles files;
    // QUX8-107's cross-polar H/V cut has more points than a column holds: two columns.
    for (const QString& name : {QStringLiteral("QUX8-107.adf"), QStringLiteral("QS1-212.adf")}) {
        const Antenna a = sample(name);
        const QString pdf = files.write(name + QStringLiteral(".pdf"), ExportPage::Data, a, true);
        const QString raw =
            runTool("pdftotext", {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
        QStringList found;
        static const QRegularExpression number(QStringLiteral("^-?\\d+\\.\\d\\d$"));
        for (const QString& token : raw.split(QRegularExpression(QStringLiteral("\\s+"))))
            if (number.match(token).hasMatch())
                found << token;
        const QStringList expected = sheetNumbers(a);
        ASSERT_GT(expected.size(), 100);
        EXPECT_EQ(found, expected) << name.toStdString();
        for (const char* title : {"H/H", "V/V", "H/V", "V/H", "Angle", "dB"})
            EXPECT_TRUE(raw.contains(QLatin1String(title))) << title;
        EXPECT_TRUE(squeezed(raw).contains(
            QStringLiteral("The RPE is defined by connecting these points with straight lines.")));
        EXPECT_TRUE(squeezed(raw).contains(QStringLiteral("RPE ") + text(a.record.rpeNumber())));
    }
}

TEST(VectorPdf, FontsAreEmbedded) {
    NEED_TOOL("pdffonts");
    PdfFiles files;
    const Antenna a = sample(QStringLiteral("ZZX10-60L.adf"));
    for (const ExportPage page : {ExportPage::Chart, ExportPage::Data}) {
        const QString pdf = files.write(QStringLiteral("f.pdf"), page, a, true);
        const QStringList lines =
            runTool("pdffonts", {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), 3);
        // Columns as the dashes of the second line mark them: name, type, encoding, emb, ...
        const QStringList dashes = lines[1].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_GE(dashes.size(), 4);
        const qsizetype embStart =
            lines[1].indexOf(dashes[3], dashes[0].size() + dashes[1].size() + dashes[2].size());
        QStringList names;
        for (qsizetype i = 2; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].mid(embStart, 3), QStringLiteral("yes")) << lines[i].toStdString();
            names << lines[i].section(QLatin1Char(' '), 0, 0);
        }
        // Bold and regular of the page's family.
        EXPECT_EQ(names.size(), 2) << names.join(QLatin1Char(',')).toStdString();
        if (page == ExportPage::Data) {
            EXPECT_TRUE(names.join(QLatin1Char(',')).contains(QStringLiteral("Serif")));
        }
    }
}

TEST(VectorPdf, LogoIsEmbeddedOnceAtItsOwnResolution) {
    NEED_TOOL("pdfimages");
    PdfFiles files;
    const Antenna a = sample(QStringLiteral("ZZX10-60L.adf"));
    const QString chart = files.write(QStringLiteral("c.pdf"), ExportPage::Chart, a, true);
    const QStringList images = runTool("pdfimages", {QStringLiteral("-list"), chart})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                   .mid(2);
    // The logo (1200 x 400) and the feed picture (190 x 130), each once; no picture of the page.
    ASSERT_EQ(images.size(), 2) << images.join(QLatin1Char('\n')).toStdString();
    const auto size = [](const QString& row) {
        const QStringList c = row.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        return QSize(c[3].toInt(), c[4].toInt());
    };
    QList<QSize> sizes{size(images[0]), size(images[1])};
    EXPECT_TRUE(sizes.contains(QSize(1200, 400)));
    EXPECT_TRUE(sizes.contains(QSize(190, 130)));
}

// ---- SVG ----------------------------------------------------------------------------------------

namespace {

struct Polyline {
    QList<QPoint> points;
    QString stroke; // of the nearest group that sets one
    QString width;  // its stroke width
};

struct SvgPage {
    bool wellFormed = false;
    QString width, height, viewBox;
    QStringList texts;
    QList<Polyline> polylines;
    int images = 0;
};

SvgPage readSvg(const QByteArray& bytes) {
    SvgPage page;
    QXmlStreamReader xml(bytes);
    // The stroke colour and width in force, innermost group last.
    QList<QPair<QString, QString>> strokes{{}};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto attrs = xml.attributes();
            const QString name = xml.name().toString();
            QPair<QString, QString> stroke = strokes.back();
            if (attrs.hasAttribute(QStringLiteral("stroke")))
                stroke.first = attrs.value(QStringLiteral("stroke")).toString();
            if (attrs.hasAttribute(QStringLiteral("stroke-width")))
                stroke.second = attrs.value(QStringLiteral("stroke-width")).toString();
            strokes.push_back(stroke);
            if (name == QStringLiteral("svg")) {
                page.width = attrs.value(QStringLiteral("width")).toString();
                page.height = attrs.value(QStringLiteral("height")).toString();
                page.viewBox = attrs.value(QStringLiteral("viewBox")).toString();
            } else if (name == QStringLiteral("text")) {
                page.texts << xml.readElementText();
                strokes.pop_back();
            } else if (name == QStringLiteral("image")) {
                ++page.images;
            } else if (name == QStringLiteral("polyline")) {
                Polyline line;
                line.stroke = stroke.first;
                line.width = stroke.second;
                const QString points = attrs.value(QStringLiteral("points")).toString();
                for (const QString& pair : points.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    const QStringList xy = pair.split(QLatin1Char(','));
                    line.points << QPoint(qRound(xy.value(0).toDouble()),
                                          qRound(xy.value(1).toDouble()));
                }
                page.polylines << line;
            }
        } else if (xml.isEndElement()) {
            strokes.pop_back();
        }
    }
    page.wellFormed = !xml.hasError();
    return page;
}

SvgPage svgOf(ExportPage kind, const Antenna& a, bool color) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(RenderVectorPage(buffer, VectorFormat::Svg, kind, a.record, a.pattern, color));
    return readSvg(buffer.data());
}

// Device pixel of a logical coordinate on a sheet `device` pixels across a page `logical`
// units across, halves to even.
int device(int logical, int deviceExtent, int logicalExtent) {
    return static_cast<int>(
        std::nearbyint(static_cast<double>(logical) * deviceExtent / logicalExtent));
}

} // namespace

TEST(VectorSvg, ParsesAsXmlWithTheSheetSizeAndEveryTitleText) {
    for (const QString& name : {QStringLiteral("ZZX10-60L.adf"), QStringLiteral("QS1-212.adf")}) {
        const Antenna a = sample(name);
        const bool twoSided = isTwoSided(a.pattern.feedKind);
        const SvgPage page = svgOf(ExportPage::Chart, a, false);
        ASSERT_TRUE(page.wellFormed) << name.toStdString();
        EXPECT_EQ(page.width, twoSided ? QStringLiteral("279.4mm") : QStringLiteral("215.9mm"));
        EXPECT_EQ(page.height, twoSided ? QStringLiteral("215.9mm") : QStringLiteral("279.4mm"));
        EXPECT_EQ(page.viewBox,
                  twoSided ? QStringLiteral("0 0 6600 5100") : QStringLiteral("0 0 5100 6600"));
        // Each title line is one text element, blanks kept.
        for (const QString& t : chartTitleTexts(a, twoSided))
            EXPECT_TRUE(page.texts.contains(t)) << name.toStdString() << ": " << t.toStdString();
        // The logo, and the feed picture on the two-sided chart.
        EXPECT_EQ(page.images, twoSided ? 2 : 1);
    }
    const Antenna a = sample(QStringLiteral("QUX8-107.adf"));
    const SvgPage sheet = svgOf(ExportPage::Data, a, false);
    ASSERT_TRUE(sheet.wellFormed);
    EXPECT_EQ(sheet.viewBox, QStringLiteral("0 0 5100 6600"));
    QStringList numbers;
    for (const QString& t : sheet.texts)
        if (t.contains(QRegularExpression(QStringLiteral("^-?\\d+\\.\\d\\d$"))))
            numbers << t;
    EXPECT_EQ(numbers, sheetNumbers(a));
}

TEST(VectorSvg, EachFeedKindNamesItsOwnSide) {
    const struct {
        const char* file;
        const char* caption;
        const char* toward;
    } cases[] = {
        {"ZZ8-107.adf", "Red Right Feed Orientation", "toward the RIGHT as viewed from"},
        {"QU10-64.adf", "Red Right Feed Orientation", "toward the RIGHT as viewed from"},
        {"ZZ10-71.adf", "Red Left Feed Orientation", "toward the LEFT as viewed from"},
        {"QU12-59.adf", "Red Left Feed Orientation", "toward the LEFT as viewed from"},
    };
    for (const auto& c : cases) {
        const SvgPage page = svgOf(ExportPage::Chart, sample(QLatin1String(c.file)), false);
        EXPECT_TRUE(page.texts.contains(QLatin1String(c.caption))) << c.file;
        EXPECT_TRUE(page.texts.contains(QLatin1String(c.toward))) << c.file;
        EXPECT_EQ(page.images, 2) << c.file;
    }
}

TEST(VectorSvg, TracesArePolylinesThroughTheMappedPointsWithPrinterPens) {
    // Two-sided chart: 1100 x 650 units on 6600 x 5100 pixels; one-sided: 600 x 650 on
    // 5100 x 6600. A colour trace is 3 device pixels times the printer's factor 3, in whole
    // units: round(9 / 6) = 2 units = 12 pixels across a 6-pixel unit, round(9 / 8.5) = 1 unit
    // = 8 pixels (8.5 to even) across an 8.5-pixel unit.
    for (const QString& name : {QStringLiteral("ZZX10-60L.adf"), QStringLiteral("QS1-212.adf")}) {
        const Antenna a = sample(name);
        const bool full = isTwoSided(a.pattern.feedKind);
        const QSize sheet = full ? QSize(6600, 5100) : QSize(5100, 6600);
        const QSize logical = full ? QSize(1100, 650) : QSize(600, 650);
        const SvgPage page = svgOf(ExportPage::Chart, a, true);
        const QString traceWidth = full ? QStringLiteral("12") : QStringLiteral("8");
        for (int cut = 0; cut < CutCount; ++cut) {
            const PatternPoints& points = a.pattern.CutPoints[static_cast<size_t>(cut)];
            if (points.size() < 2)
                continue;
            // The half chart skips negative angles and starts a new line at 0 degrees.
            QList<QList<QPoint>> expected{{}};
            for (const PatternPoint& p : points) {
                if (!full && p.Angle < 0)
                    continue;
                if (!full && p.Angle == 0 && !expected.back().isEmpty())
                    expected.push_back({});
                const int x = full ? FullChartX(p.Angle) : HalfChartX(p.Angle);
                expected.back() << QPoint(
                    device(x, sheet.width(), logical.width()),
                    device(ChartY(p.Level), sheet.height(), logical.height()));
            }
            for (const QList<QPoint>& segment : expected) {
                if (segment.size() < 2)
                    continue;
                bool found = false;
                for (const Polyline& line : page.polylines) {
                    if (line.points == segment) {
                        found = true;
                        EXPECT_EQ(QColor(line.stroke), TraceColor(cut)) << name.toStdString();
                        EXPECT_EQ(line.width, traceWidth) << name.toStdString();
                    }
                }
                EXPECT_TRUE(found) << name.toStdString() << " cut " << cut;
            }
        }
    }
}

// ---- Files --------------------------------------------------------------------------------------

TEST(VectorFiles, WrittenWholeOrNotAtAll) {
    testutils::Sandbox box;
    const Antenna a = sample(QStringLiteral("ZZX10-60L.adf"));
    const QString path = box.path(QStringLiteral("page.svg"));
    ASSERT_TRUE(box.write(QStringLiteral("page.svg"), "old"));
    // A folder that does not exist: the message names the file, nothing else changes.
    const QString missing = box.path(QStringLiteral("no/such/page.pdf"));
    EXPECT_EQ(
        WriteVectorPage(missing, VectorFormat::Pdf, ExportPage::Chart, a.record, a.pattern, false),
        QStringLiteral("Cannot create file %1").arg(missing));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_FALSE(
        WriteVectorPage(path, VectorFormat::Svg, ExportPage::Chart, a.record, a.pattern, false));
    EXPECT_TRUE(testutils::readFile(path).startsWith("<?xml"));
    EXPECT_TRUE(testutils::readFile(path).trimmed().endsWith("</svg>"));
}

TEST(VectorFiles, BatchToolWritesVectorPdfAndSvgOfOneFile) {
    testutils::Sandbox box;
    const QString input = testutils::samplePath(QStringLiteral("ZZX10-60L.adf"));
    const QString pdf = box.path(QStringLiteral("chart.pdf"));
    auto r = testutils::runCli({QStringLiteral("export"), input, QStringLiteral("--page"),
                                QStringLiteral("chart"), QStringLiteral("--format"),
                                QStringLiteral("vector-pdf"), QStringLiteral("-o"), pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(testutils::readFile(pdf).startsWith("%PDF-"));

    const QString svg = box.path(QStringLiteral("sheet.svg"));
    r = testutils::runCli({QStringLiteral("export"), input, QStringLiteral("--page"),
                           QStringLiteral("data"), QStringLiteral("--format"),
                           QStringLiteral("svg"), QStringLiteral("--color"), QStringLiteral("-o"),
                           svg});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const SvgPage page = readSvg(testutils::readFile(svg));
    EXPECT_TRUE(page.wellFormed);
    EXPECT_EQ(page.viewBox, QStringLiteral("0 0 5100 6600"));

    // An output that cannot be written, and a page kind that does not exist.
    r = testutils::runCli({QStringLiteral("export"), input, QStringLiteral("--page"),
                           QStringLiteral("chart"), QStringLiteral("--format"),
                           QStringLiteral("svg"), QStringLiteral("-o"),
                           box.path(QStringLiteral("no/such.svg"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith("Cannot create file")) << r.err.toStdString();
    r = testutils::runCli({QStringLiteral("export"), input, QStringLiteral("--page"),
                           QStringLiteral("both"), QStringLiteral("--format"),
                           QStringLiteral("svg"), QStringLiteral("-o"), svg});
    EXPECT_EQ(r.exitCode, 2);
}
