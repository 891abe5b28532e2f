#include "output/VectorExportRun.h"

#include "base/Prompter.h"
#include "output/OutputNames.h"

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

VectorExportResult RunVectorExport(const VectorExportRequest& request, const IndexRecord& record,
                                   const LoadedPattern& pattern, const MaskOverlay* mask,
                                   SaveDialogs& dialogs, Prompter& prompter) {
    VectorExportResult result;
    QList<ExportPage> pages;
    if (request.Pages != VectorPageChoice::Data)
        pages << ExportPage::Chart;
    if (request.Pages != VectorPageChoice::Chart)
        pages << ExportPage::Data;
    for (const ExportPage page : pages) {
        const auto confirmed = dialogs.save(VectorSaveRequest(
            request.Format, page, request.PdfLocation, record.rpeNumber(), request.ProgramDir));
        if (!confirmed)
            continue;
        const QString path =
            output::WithDefaultExtension(*confirmed, VectorExtension(request.Format));
        // The mask belongs to the chart; the data sheet has none to show.
        if (const auto error =
                WriteVectorPage(path, request.Format, page, record, pattern, request.Color,
                                page == ExportPage::Chart ? mask : nullptr)) {
            prompter.error(*error);
            result.Stopped = true;
            break;
        }
        result.Produced << path;
    }
    return result;
}
