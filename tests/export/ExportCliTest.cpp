// lobeview-cli export: the same run as the graph window's, its save dialog answered with -o.
#include "ExportChecks.h"
#include "TestUtils.h"
#include "export/TextExport.h"
#include "graph/PatternReader.h"
#include "index/IndexRefresh.h"
#include "print/PageRoutines.h"

#include <QtCore/QFileInfo>
#include <gtest/gtest.h>

using namespace exportchecks;
using testutils::runCli;

namespace {

QString sample(const char* name) {
    return testutils::samplePath(QString::fromLatin1(name));
}

QImage chartPage(const char* name, bool color) {
    IndexRecord record;
    LoadedPattern pattern;
    EXPECT_FALSE(BuildRecordFromFile(sample(name), record));
    LoadPatternFile(sample(name), record.feedOrientation(), pattern);
    TPrint map;
    QImage image;
    DrawGraphPage(PageSource{map, record, pattern, color, ImagePenFactor}, image);
    return image;
}

QStringList exportArgs(const char* name, const char* page, const char* format, const QString& out) {
    return {QStringLiteral("export"),   sample(name),
            QStringLiteral("--page"),   QString::fromLatin1(page),
            QStringLiteral("--format"), QString::fromLatin1(format),
            QStringLiteral("-o"),       out};
}

} // namespace

TEST(ExportCli, PicturesAndTextCopy) {
    testutils::Sandbox box;
    const QString gif = box.path(QStringLiteral("chart.gif"));
    auto r = runCli(exportArgs("ZZX10-60L.adf", "chart", "gif", gif) << QStringLiteral("--color"));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(firstDifference(QImage::fromData(testutils::readFile(gif), "GIF"),
                              paletteMapped(chartPage("ZZX10-60L.adf", true))),
              std::string());

    const QString jpg = box.path(QStringLiteral("chart.jpg"));
    r = runCli(exportArgs("QS2-370.adf", "chart", "jpg", jpg));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage decoded = QImage::fromData(testutils::readFile(jpg), "JPEG");
    EXPECT_EQ(decoded.size(), QSize(1200, 1500));
    EXPECT_LT(meanDifference(decoded, chartPage("QS2-370.adf", false)), 2.0);

    // The text copy: "txt" added to a name without an extension, CR LF line ends.
    r = runCli(exportArgs("ZZ8-107.adf", "data", "txt", box.path(QStringLiteral("copy"))));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString txt = box.path(QStringLiteral("copy.txt"));
    EXPECT_EQ(testutils::readFile(txt), TextCopyBytes(testutils::readFile(sample("ZZ8-107.adf"))));
    EXPECT_EQ(r.out, (txt + QStringLiteral(" successfully created.\n")).toLocal8Bit());

    // A folder that is missing: the run's own message.
    const QString missing = box.path(QStringLiteral("none/chart.jpg"));
    r = runCli(exportArgs("QS2-370.adf", "chart", "jpg", missing));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              (QStringLiteral("Cannot create file ") + missing + QLatin1Char('\n')).toLocal8Bit());

    // Pages a format does not have.
    EXPECT_EQ(runCli(exportArgs("QS2-370.adf", "data", "jpg", jpg)).exitCode, 2);
    EXPECT_EQ(runCli(exportArgs("QS2-370.adf", "chart", "txt", txt)).exitCode, 2);
    EXPECT_EQ(runCli(exportArgs("QS2-370.adf", "chart", "bmp", jpg)).exitCode, 2);
}

TEST(ExportCli, PdfThroughTheRealHtmldoc) {
    if (!haveRealConverter())
        GTEST_SKIP() << "htmldoc or pdfinfo missing";
    testutils::Sandbox box;
    const QString programDir = QFileInfo(testutils::cliPath()).absolutePath();
    const QStringList before = entries(programDir);
    const struct {
        const char* file;
        const char* page;
        const char* out;
        const char* pdf;
        const char* box;
    } cases[] = {
        {"QS2-370.adf", "chart", "one.pdf", "one.pdf", "595 x 792"},
        {"ZZX10-60L.adf", "chart", "two", "two.pdf", "792 x 595"},
        {"ZZX10-60L.adf", "data", "sheet.v1.pdf", "sheet.v1.pdf", "595 x 792"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        const auto r = runCli(exportArgs(c.file, c.page, "pdf", box.path(QLatin1String(c.out))));
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QString pdf = box.path(QLatin1String(c.pdf));
        EXPECT_EQ(r.out, (pdf + QStringLiteral(" successfully created.\n")).toLocal8Bit());
        const QString info = pdfinfo(pdf);
        EXPECT_EQ(pageCount(info), 1);
        EXPECT_EQ(pageBox(info), QLatin1String(c.box));
    }
    // No temporaries left beside the program.
    EXPECT_EQ(entries(programDir), before);
}
