// SPDX-License-Identifier: MIT
#include "output/VectorPages.h"

#include "base/DisplayText.h"
#include "base/SaveFile.h"
#include "pages/PageRoutines.h"

#include <QtCore/QSaveFile>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <QtSvg/QSvgGenerator>

namespace {

// US Letter, 8.5 x 11 inches.
constexpr int LetterShortInches10 = 85;
constexpr int LetterLongInches10 = 110;

QString documentTitle(ExportPage page, const IndexRecord& record) {
    const QString what = page == ExportPage::Chart ? QStringLiteral("Radiation Pattern Envelope")
                                                   : QStringLiteral("RPE Data Sheet");
    return QStringLiteral("%1 %2, RPE %3")
        .arg(what, DisplayText(record.modelNumber()), DisplayText(record.rpeNumber()));
}

// Draws the page through the printer's page routine: the logical page fills the painter's device
// and pens are widened by the printer's pen factor.
void drawPage(QPainter& painter, ExportPage page, const IndexRecord& record,
              const LoadedPattern& pattern, bool color, const MaskOverlay* mask) {
    PageMapper pageMap;
    PageSource source{pageMap, record, pattern, color, DefaultPrinterPenFactor};
    source.Mask = mask;
    if (page == ExportPage::Chart)
        DrawGraphPage(source, painter);
    else
        DrawDataPage(source, painter);
}

std::optional<QString> renderPdf(QIODevice& out, ExportPage page, const IndexRecord& record,
                                 const LoadedPattern& pattern, bool color,
                                 const MaskOverlay* mask) {
    QPdfWriter writer(&out);
    writer.setResolution(VectorResolution);
    writer.setCreator(QStringLiteral("Lobeview"));
    writer.setTitle(documentTitle(page, record));
    const QPageLayout layout(QPageSize(QPageSize::Letter),
                             VectorPageLandscape(page, pattern.feedKind) ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait,
                             QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    if (!writer.setPageLayout(layout))
        return QStringLiteral("the PDF page cannot be set up");
    QPainter painter;
    if (!painter.begin(&writer))
        return QStringLiteral("the PDF document cannot be started");
    drawPage(painter, page, record, pattern, color, mask);
    if (!painter.end())
        return QStringLiteral("the PDF document cannot be finished");
    return std::nullopt;
}

std::optional<QString> renderSvg(QIODevice& out, ExportPage page, const IndexRecord& record,
                                 const LoadedPattern& pattern, bool color,
                                 const MaskOverlay* mask) {
    const QSize size = VectorPageSize(page, pattern.feedKind);
    QSvgGenerator generator;
    generator.setOutputDevice(&out);
    generator.setResolution(VectorResolution);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(documentTitle(page, record));
    generator.setDescription(QStringLiteral("Made by Lobeview"));
    QPainter painter;
    if (!painter.begin(&generator))
        return QStringLiteral("the SVG document cannot be started");
    // The sheet is white, as paper is; the page routines leave the background unpainted.
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    drawPage(painter, page, record, pattern, color, mask);
    if (!painter.end())
        return QStringLiteral("the SVG document cannot be finished");
    return std::nullopt;
}

} // namespace

bool VectorPageLandscape(ExportPage page, FeedKind feed) {
    return page == ExportPage::Chart && isTwoSided(feed);
}

QSize VectorPageSize(ExportPage page, FeedKind feed) {
    const int shortSide = LetterShortInches10 * VectorResolution / 10;
    const int longSide = LetterLongInches10 * VectorResolution / 10;
    return VectorPageLandscape(page, feed) ? QSize(longSide, shortSide)
                                           : QSize(shortSide, longSide);
}

QString VectorExtension(VectorFormat format) {
    return format == VectorFormat::Pdf ? QStringLiteral("pdf") : QStringLiteral("svg");
}

std::optional<QString> RenderVectorPage(QIODevice& out, VectorFormat format, ExportPage page,
                                        const IndexRecord& record, const LoadedPattern& pattern,
                                        bool color, const MaskOverlay* mask) {
    return format == VectorFormat::Pdf ? renderPdf(out, page, record, pattern, color, mask)
                                       : renderSvg(out, page, record, pattern, color, mask);
}

std::optional<QString> WriteVectorPage(const QString& path, VectorFormat format, ExportPage page,
                                       const IndexRecord& record, const LoadedPattern& pattern,
                                       bool color, const MaskOverlay* mask) {
    QSaveFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly))
        return cannotCreateMessage(path);
    if (const auto error = RenderVectorPage(file, format, page, record, pattern, color, mask)) {
        file.cancelWriting();
        return cannotCreateMessage(path) + QStringLiteral(": ") + *error;
    }
    // The flush first: commit() does not see a write error still waiting in the buffer.
    if (!file.flush() || !file.commit())
        return cannotCreateMessage(path);
    return std::nullopt;
}
