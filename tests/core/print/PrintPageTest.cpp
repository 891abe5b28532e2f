// SPDX-License-Identifier: MIT
// Printing without a print scheduler, and the PDF page of one document.
#include "PrivateCups.h"
#include "StandInPage.h"
#include "TestUtils.h"
#include "base/Prompter.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <cups/cups.h>

using namespace printtest;

namespace {

TEST(PrintingWithoutScheduler, NoSchedulerMeansNoPrinterAndNothingPrinted) {
    const QByteArray saved = qgetenv("CUPS_SERVER");
    testutils::Sandbox sandbox;
    const QByteArray dead = QFile::encodeName(sandbox.path(QStringLiteral("no-scheduler.sock")));
    qputenv("CUPS_SERVER", dead);
    cupsSetServer(dead.constData());

    StandInPages stand;
    CupsBackend backend({}, sandbox.path());
    RecordingPrompter prompter;
    const PrintRunResult result =
        RunPrint({true, true, true, FeedKind::None, 0, {}}, stand.pages(), backend, prompter);
    EXPECT_EQ(result.Error, QStringLiteral("No printer is installed"));
    EXPECT_EQ(prompter.errors, QStringList{QStringLiteral("No printer is installed")});
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(stand.portrait.calls + stand.data.calls, 0);
    EXPECT_TRUE(QDir(sandbox.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());

    const PrinterLookup named = FindPrinter(printer(QStringLiteral("LobeviewPDF")));
    EXPECT_EQ(named.Error, QStringLiteral("No printer is installed"));

    if (saved.isNull())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", saved);
    cupsSetServer(nullptr);
}

TEST(PrintPdfPage, DrawsOnePageOfThePrintableAreaAndReportsFailures) {
    testutils::Sandbox sandbox;
    const PrinterPaper paper{QStringLiteral("P"), QPageSize(QPageSize::A4), "iso_a4_210x297mm",
                             QMarginsF(10, 20, 30, 40)};
    const QPageLayout portrait = PrinterPageLayout(paper, QPageLayout::Portrait);
    EXPECT_EQ(portrait.margins(), QMarginsF(10, 20, 30, 40));
    const QPageLayout landscape = PrinterPageLayout(paper, QPageLayout::Landscape);
    EXPECT_EQ(landscape.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(landscape.margins(), QMarginsF(40, 30, 40, 30));

    QSize device;
    const PaintPage paint = [&device](QPainter& painter) {
        device = QSize(painter.device()->width(), painter.device()->height());
        painter.drawText(100, 100, QStringLiteral("Hello"));
    };
    const QString good = sandbox.path(QStringLiteral("page.pdf"));
    EXPECT_FALSE(RenderPdfPage(good, landscape, QStringLiteral("T"), paint));
    EXPECT_TRUE(isArea(device, 842 - 80, 595 - 60));
    if (testutils::havePopplerTools()) {
        const testutils::PdfFacts facts = testutils::readPdf(good);
        EXPECT_EQ(facts.pages, 1);
        EXPECT_NEAR(facts.widthPt, 842, 1);
        EXPECT_TRUE(facts.text.contains(QStringLiteral("Hello")));
    }

    // The painter cannot begin: the file cannot be created.
    const std::optional<QString> noFolder =
        RenderPdfPage(sandbox.path(QStringLiteral("missing/page.pdf")), portrait, {}, paint);
    ASSERT_TRUE(noFolder);
    EXPECT_TRUE(noFolder->contains(QStringLiteral("could not be prepared")))
        << noFolder->toStdString();
    // The writes fail, which the PDF writer itself does not report.
    if (QFileInfo::exists(QStringLiteral("/dev/full"))) {
        const std::optional<QString> full =
            RenderPdfPage(QStringLiteral("/dev/full"), portrait, {}, paint);
        ASSERT_TRUE(full);
        EXPECT_TRUE(full->contains(QStringLiteral("could not be written"))) << full->toStdString();
    }
}

} // namespace
