// SPDX-License-Identifier: MIT
#include "output/PageWriter.h"

#include "base/Prompter.h"
#include "base/SaveFile.h"
#include "compare/ComparisonPage.h"
#include "output/GifImage.h"
#include "output/JpegWriter.h"
#include "output/OutputNames.h"
#include "output/PdfExport.h"
#include "output/PngEncoding.h"
#include "output/TextExport.h"
#include "output/VectorPages.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <QtSvg/QSvgGenerator>

namespace {

// Passes the htmldoc run's messages on to the caller's report (when there is one) and keeps its
// errors, which the write returns.
class PdfOutcome : public Prompter {
public:
    explicit PdfOutcome(Prompter* report) : report_(report) {}
    void message(const QString& text) override {
        if (report_)
            report_->message(text);
        else
            messages << text;
    }
    void error(const QString& text) override { errors << text; }

    // What went wrong, as one text; empty when the report was told already.
    QString failure() const {
        if (!errors.isEmpty())
            return errors.join(QLatin1Char(' '));
        if (report_)
            return {};
        return messages.isEmpty() ? QStringLiteral("Unable to create PDF file.")
                                  : messages.join(QLatin1Char(' '));
    }

private:
    Prompter* report_;
    QStringList messages;
    QStringList errors;
};

QImage drawPicture(PageKind kind, const AntennaFile& antenna, const PageOptions& options) {
    PageMapper pageMap;
    PageSource source{pageMap, antenna.record, antenna.pattern, options.color, options.penFactor};
    if (kind == PageKind::Chart)
        source.Mask = options.mask;
    QImage image;
    if (kind == PageKind::Chart)
        DrawGraphPage(source, image);
    else
        DrawDataPage(source, image);
    return image;
}

std::optional<QString> writePng(const QImage& image, const QString& path) {
    // Encoded in memory, then written whole or not at all: a failed write (a full disk too)
    // leaves no file and any earlier one intact.
    const QByteArray bytes = png::EncodePage(image);
    if (bytes.isEmpty())
        return cannotCreateMessage(path);
    return saveWhole(path, bytes);
}

std::optional<QString> writeHtmldocPdf(QImage image, PageKind kind, const AntennaFile& antenna,
                                       const PageOptions& options, const QString& path) {
    PdfOptions pdf;
    pdf.commonFilesDir = options.commonFilesDir;
    pdf.rpeNumber = antenna.record.rpeNumber();
    pdf.variant = kind == PageKind::Chart ? PdfVariant::Graph : PdfVariant::Data;
    pdf.landscape = PageWriter::landscape(kind, antenna);
    pdf.confirmedPath = path;
    PdfOutcome outcome(options.report);
    // Each page gets a private folder of its own for the converter, so runs never share one.
    if (MakePdf(std::move(image), pdf, outcome, options.pdfControl))
        return std::nullopt;
    if (options.pdfControl && options.pdfControl->isCancelled())
        return QString();
    return outcome.failure();
}

std::optional<QString> writeTextCopy(const AntennaFile& antenna, const PageOptions& options,
                                     const QString& target) {
    if (auto error = WriteTextCopy(antenna.path, target))
        return error;
    if (options.report)
        options.report->message(QDir::toNativeSeparators(target) +
                                QStringLiteral(" successfully created."));
    return std::nullopt;
}

} // namespace

std::optional<QString> PageWriter::refusal(PageKind kind, OutputFormat format,
                                           const PageOptions& options) {
    if (kind == PageKind::Chart && format == OutputFormat::Txt)
        return QStringLiteral("the text copy is the data file");
    if (kind == PageKind::Data && !options.dataSheetPictures &&
        (format == OutputFormat::Jpg || format == OutputFormat::Gif))
        return QStringLiteral("%1 pictures are made of the chart page")
            .arg(format == OutputFormat::Jpg ? QStringLiteral("jpg") : QStringLiteral("gif"));
    return std::nullopt;
}

QString PageWriter::writtenPath(OutputFormat format, const QString& path) {
    switch (format) {
    case OutputFormat::HtmldocPdf:
        return output::WithoutExtension(path) + QStringLiteral(".pdf");
    case OutputFormat::Txt:
        return output::WithDefaultExtension(path, QStringLiteral("txt"));
    default:
        return path;
    }
}

bool PageWriter::landscape(PageKind kind, const AntennaFile& antenna) {
    return kind == PageKind::Chart && isTwoSided(antenna.pattern.feedKind);
}

std::optional<QString> PageWriter::writePage(PageKind kind, OutputFormat format,
                                             const AntennaFile& antenna, const PageOptions& options,
                                             const QString& path) {
    if (auto why = refusal(kind, format, options))
        return why;
    const ExportPage page = kind == PageKind::Chart ? ExportPage::Chart : ExportPage::Data;
    const MaskOverlay* mask = kind == PageKind::Chart ? options.mask : nullptr;
    switch (format) {
    case OutputFormat::Txt:
        return writeTextCopy(antenna, options, writtenPath(format, path));
    case OutputFormat::VectorPdf:
    case OutputFormat::Svg:
        return WriteVectorPage(path,
                               format == OutputFormat::Svg ? VectorFormat::Svg : VectorFormat::Pdf,
                               page, antenna.record, antenna.pattern, options.color, mask);
    case OutputFormat::Png:
        return writePng(drawPicture(kind, antenna, options), path);
    case OutputFormat::Jpg:
        return WriteJpegFile(drawPicture(kind, antenna, options), path);
    case OutputFormat::Gif: {
        GifImage gif;
        gif.Assign(drawPicture(kind, antenna, options));
        return gif.SaveToFile(path);
    }
    case OutputFormat::HtmldocPdf:
        return writeHtmldocPdf(drawPicture(kind, antenna, options), kind, antenna, options, path);
    }
    return QStringLiteral("no pages in this format");
}

namespace {

// The comparison's page as a one-page PDF or SVG document on a US Letter landscape sheet at
// VectorResolution, or the reason it could not be made.
std::optional<QString> renderComparison(QIODevice& out, const compare::Comparison& comparison,
                                        const MaskTable* fcc, bool pdf, bool color) {
    const QString title = compare::comparisonPageTitle(comparison);
    QPainter painter;
    if (pdf) {
        QPdfWriter writer(&out);
        writer.setResolution(VectorResolution);
        writer.setCreator(QStringLiteral("Lobeview"));
        writer.setTitle(title);
        if (!writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                              QMarginsF(0, 0, 0, 0), QPageLayout::Point)))
            return QStringLiteral("the PDF page cannot be set up");
        if (!painter.begin(&writer))
            return QStringLiteral("the PDF document cannot be started");
        compare::paintComparisonPage(painter, comparison, fcc, color);
        if (!painter.end())
            return QStringLiteral("the PDF document cannot be finished");
        return std::nullopt;
    }
    const QSize size(int(compare::PageWidth) * VectorResolution / 1000,
                     int(compare::PageHeight) * VectorResolution / 1000);
    QSvgGenerator generator;
    generator.setOutputDevice(&out);
    generator.setResolution(VectorResolution);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(title);
    generator.setDescription(QStringLiteral("Made by Lobeview"));
    if (!painter.begin(&generator))
        return QStringLiteral("the SVG document cannot be started");
    compare::paintComparisonPage(painter, comparison, fcc, color);
    if (!painter.end())
        return QStringLiteral("the SVG document cannot be finished");
    return std::nullopt;
}

} // namespace

std::optional<QString> PageWriter::writeComparison(const compare::Comparison& comparison,
                                                   const MaskTable* fcc, OutputFormat format,
                                                   const QString& path, bool color) {
    if (format != OutputFormat::Png && format != OutputFormat::Svg &&
        format != OutputFormat::VectorPdf)
        return QStringLiteral("a comparison is written as PNG, SVG or PDF");
    if (comparison.empty())
        return QStringLiteral("there are no antennas to compare");
    if (format == OutputFormat::Png)
        return writePng(compare::comparisonPageImage(comparison, fcc, color), path);
    // Drawn in memory, then written whole or not at all.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (const auto error =
            renderComparison(buffer, comparison, fcc, format == OutputFormat::VectorPdf, color))
        return cannotCreateMessage(path) + QStringLiteral(": ") + *error;
    buffer.close();
    return saveWhole(path, bytes);
}
