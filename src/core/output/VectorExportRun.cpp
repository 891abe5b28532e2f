// SPDX-License-Identifier: MIT
#include "output/VectorExportRun.h"

#include "base/Prompter.h"
#include "output/OutputNames.h"
#include "output/PageWriter.h"

QString VectorFileName(VectorFormat format, ExportPage page, QByteArrayView rpeNumber) {
    return output::FileNameRpe(rpeNumber) +
           (page == ExportPage::Data ? QStringLiteral("dat.") : QStringLiteral(".")) +
           VectorExtension(format);
}

SaveRequest VectorSaveRequest(VectorFormat format, ExportPage page, const QString& pdfLocation,
                              QByteArrayView rpeNumber, const QString& programDir) {
    // The folder exactly as the PDF export presets it; only the name differs.
    const QString pdfPreset =
        output::ExportPreset(output::ExportKind::ChartPdf, pdfLocation, rpeNumber, programDir);
    const QString folder = pdfPreset.left(pdfPreset.lastIndexOf(QLatin1Char('/')) + 1);
    const bool pdf = format == VectorFormat::Pdf;
    SaveRequest request;
    request.Title =
        QStringLiteral("Export %1 as %2")
            .arg(page == ExportPage::Chart ? QStringLiteral("Graph") : QStringLiteral("Data"),
                 pdf ? QStringLiteral("Vector PDF") : QStringLiteral("SVG"));
    request.FileName = folder + VectorFileName(format, page, rpeNumber);
    request.Filter = pdf ? QStringLiteral("PDF documents (*.pdf)|*.pdf")
                         : QStringLiteral("SVG drawings (*.svg)|*.svg");
    request.FilterIndex = 1;
    request.DefaultExtension = VectorExtension(format);
    // Unlike the written exports, these ask before a file (the converter's PDF of the same name,
    // say) is replaced.
    request.ConfirmReplace = true;
    return request;
}

VectorExportResult RunVectorExport(const VectorExportRequest& request, const AntennaFile& antenna,
                                   const MaskOverlay* mask, SaveDialogs& dialogs,
                                   Prompter& prompter) {
    VectorExportResult result;
    PageOptions options;
    options.color = request.Color;
    options.mask = mask; // it belongs to the chart; the data sheet has none to show
    const OutputFormat format =
        request.Format == VectorFormat::Pdf ? OutputFormat::VectorPdf : OutputFormat::Svg;
    const QByteArray rpeNumber = antenna.record.rpeNumber();
    QList<ExportPage> pages;
    if (request.Pages != VectorPageChoice::Data)
        pages << ExportPage::Chart;
    if (request.Pages != VectorPageChoice::Chart)
        pages << ExportPage::Data;
    for (const ExportPage page : pages) {
        const auto confirmed = dialogs.save(VectorSaveRequest(
            request.Format, page, request.PdfLocation, rpeNumber, request.ProgramDir));
        if (!confirmed)
            continue;
        const QString path =
            output::WithDefaultExtension(*confirmed, VectorExtension(request.Format));
        const PageKind kind = page == ExportPage::Chart ? PageKind::Chart : PageKind::Data;
        if (const auto error = PageWriter::writePage(kind, format, antenna, options, path)) {
            prompter.error(*error);
            result.Stopped = true;
            break;
        }
        result.Produced << path;
    }
    return result;
}
