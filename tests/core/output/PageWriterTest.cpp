// SPDX-License-Identifier: MIT
// PageWriter: each page kind in each format, the pairs it refuses, and a place it cannot write.
#include "output/PageWriter.h"

#include "ExportChecks.h"
#include "TestUtils.h"
#include "base/Prompter.h"
#include "output/TextExport.h"
#include "pages/MaskOverlay.h"

#include <QtCore/QFileInfo>
#include <gtest/gtest.h>

using namespace exportchecks;

namespace {

struct Written {
    AntennaFile antenna;
    MaskOverlay mask{QStringLiteral("Cat. A"), {{QPointF(-180, -40), QPointF(180, -40)}}};

    Written() {
        AntennaFileOrError opened =
            AntennaFile::open(testutils::samplePath(QStringLiteral("ZZX10-60L.adf")));
        EXPECT_TRUE(opened.file) << opened.error.toStdString();
        if (opened.file)
            antenna = std::move(*opened.file);
    }
    // The page as the export draws it: in colour, the mask over the chart only.
    QImage page(PageKind kind, bool withMask) {
        PageMapper map;
        PageSource source{map, antenna.record, antenna.pattern, true, ImagePenFactor};
        source.Mask = withMask ? &mask : nullptr;
        QImage image;
        if (kind == PageKind::Chart)
            DrawGraphPage(source, image);
        else
            DrawDataPage(source, image);
        return image;
    }
};

} // namespace

TEST(PageWriter, EachPageKindInEachFormat) {
    Written w;
    testutils::Sandbox box;
    PageOptions options;
    options.color = true;
    options.mask = &w.mask;
    const QByteArray source = testutils::readFile(w.antenna.path);
    const QImage chart = w.page(PageKind::Chart, true);
    const QImage sheet = w.page(PageKind::Data, false);
    ASSERT_EQ(chart.size(), LandscapeGraphImageSize); // a two-sided antenna
    ASSERT_NE(chart, w.page(PageKind::Chart, false)); // the mask shows

    const struct {
        PageKind kind;
        OutputFormat format;
        const char* name;    // asked for
        const char* written; // the file made; empty when refused
        const char* refusal;
    } cases[] = {
        {PageKind::Chart, OutputFormat::Png, "c.png", "c.png", nullptr},
        {PageKind::Data, OutputFormat::Png, "d.png", "d.png", nullptr},
        {PageKind::Chart, OutputFormat::Jpg, "c.jpg", "c.jpg", nullptr},
        {PageKind::Chart, OutputFormat::Gif, "c.gif", "c.gif", nullptr},
        {PageKind::Chart, OutputFormat::VectorPdf, "c.pdf", "c.pdf", nullptr},
        {PageKind::Data, OutputFormat::Svg, "d.svg", "d.svg", nullptr},
        {PageKind::Data, OutputFormat::Txt, "copy", "copy.txt", nullptr},
        {PageKind::Data, OutputFormat::Jpg, "d.jpg", "", "jpg pictures are made of the chart page"},
        {PageKind::Data, OutputFormat::Gif, "d.gif", "", "gif pictures are made of the chart page"},
        {PageKind::Chart, OutputFormat::Txt, "c.txt", "", "the text copy is the data file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString asked = box.path(QLatin1String(c.name));
        const auto error = PageWriter::writePage(c.kind, c.format, w.antenna, options, asked);
        const QString file = box.path(QLatin1String(c.written));
        if (c.refusal) {
            EXPECT_EQ(error, QString::fromLatin1(c.refusal));
            EXPECT_EQ(PageWriter::refusal(c.kind, c.format), error);
            EXPECT_FALSE(QFileInfo::exists(asked));
            continue;
        }
        ASSERT_EQ(error, std::nullopt);
        EXPECT_EQ(PageWriter::writtenPath(c.format, asked), file);
        const QByteArray bytes = testutils::readFile(file);
        const QImage expected = c.kind == PageKind::Chart ? chart : sheet;
        switch (c.format) {
        case OutputFormat::Png:
            EXPECT_EQ(QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_RGB32),
                      expected);
            break;
        case OutputFormat::Jpg:
            EXPECT_LT(meanDifference(QImage::fromData(bytes, "JPEG"), expected), 2.0);
            break;
        case OutputFormat::Gif:
            EXPECT_EQ(firstDifference(QImage::fromData(bytes, "GIF"), paletteMapped(expected)),
                      std::string());
            break;
        case OutputFormat::VectorPdf:
            EXPECT_TRUE(bytes.startsWith("%PDF-"));
            break;
        case OutputFormat::Svg:
            EXPECT_TRUE(bytes.contains("<svg"));
            break;
        default:
            EXPECT_EQ(bytes, TextCopyBytes(source));
        }
    }
    // The catalogue export alone makes pictures of the data sheet.
    options.dataSheetPictures = true;
    const QString sheetJpg = box.path(QStringLiteral("sheet.jpg"));
    EXPECT_EQ(
        PageWriter::writePage(PageKind::Data, OutputFormat::Jpg, w.antenna, options, sheetJpg),
        std::nullopt);
    EXPECT_EQ(QImage(sheetJpg).size(), DataImageSize);
}

TEST(PageWriter, APlaceThatCannotBeWrittenGivesTheTextAndLeavesNoFile) {
    Written w;
    testutils::Sandbox box;
    PageOptions options;
    options.commonFilesDir = box.path(QStringLiteral("common"));
    fakeConverter(options.commonFilesDir, "exit 4");
    const struct {
        PageKind kind;
        OutputFormat format;
        const char* name;
        const char* error; // the start of the text
    } cases[] = {
        {PageKind::Chart, OutputFormat::Png, "c.png", "Cannot create file "},
        {PageKind::Chart, OutputFormat::Jpg, "c.jpg", "Cannot create file "},
        {PageKind::Chart, OutputFormat::Gif, "c.gif", "Cannot create file "},
        {PageKind::Data, OutputFormat::VectorPdf, "d.pdf", "Cannot create file "},
        {PageKind::Chart, OutputFormat::Svg, "c.svg", "Cannot create file "},
        {PageKind::Data, OutputFormat::Txt, "d.txt", "Cannot create file "},
        // The converter fails before anything is handed over.
        {PageKind::Data, OutputFormat::HtmldocPdf, "h.pdf", "Unable to create PDF file."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = box.path(QStringLiteral("no such folder/") + QLatin1String(c.name));
        const auto error = PageWriter::writePage(c.kind, c.format, w.antenna, options, path);
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->startsWith(QLatin1String(c.error))) << error->toStdString();
        if (c.format != OutputFormat::HtmldocPdf) {
            EXPECT_TRUE(error->contains(path)) << error->toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(box.path(QStringLiteral("no such folder"))));
    }
}

TEST(PageWriter, HtmldocHandOverIsToldThroughTheReport) {
    if (!haveRealConverter())
        GTEST_SKIP() << "htmldoc or pdfinfo missing";
    Written w;
    testutils::Sandbox box;
    RecordingPrompter report;
    PageOptions options;
    options.report = &report;
    // Any extension becomes ".pdf"; the chart of a two-sided antenna lies landscape.
    const QString made = box.path(QStringLiteral("chart.pdf"));
    EXPECT_EQ(PageWriter::writePage(PageKind::Chart, OutputFormat::HtmldocPdf, w.antenna, options,
                                    box.path(QStringLiteral("chart.png"))),
              std::nullopt);
    EXPECT_EQ(report.messages, QStringList{made + QStringLiteral(" successfully created.")});
    EXPECT_EQ(pageBox(pdfinfo(made)), QStringLiteral("792 x 595"));

    // A hand-over that fails is told there (a plain message), and the text returned is empty.
    report.messages.clear();
    const QString lost = box.path(QStringLiteral("no such folder/sheet.pdf"));
    EXPECT_EQ(
        PageWriter::writePage(PageKind::Data, OutputFormat::HtmldocPdf, w.antenna, options, lost),
        QString());
    ASSERT_EQ(report.messages.size(), 1);
    EXPECT_TRUE(report.messages[0].endsWith(lost + QStringLiteral(" Failed")));
    // Without a report the same failure is the error text.
    options.report = nullptr;
    const auto error =
        PageWriter::writePage(PageKind::Data, OutputFormat::HtmldocPdf, w.antenna, options, lost);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->startsWith(QStringLiteral("Renaming "))) << error->toStdString();
    EXPECT_TRUE(error->endsWith(lost + QStringLiteral(" Failed")));
}
