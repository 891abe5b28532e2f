// SPDX-License-Identifier: MIT
#include "output/ExportRun.h"

#include "base/Prompter.h"
#include "output/TextExport.h"

using output::ExportKind;

namespace {

int graphFilterIndex(ExportKind kind) {
    switch (kind) {
    case ExportKind::ChartJpg:
        return 1;
    case ExportKind::ChartGif:
        return 2;
    default:
        return 3;
    }
}

// One step of the run: asks where to put the page and has it written. A step that fails stops
// the run.
class Run {
public:
    Run(const ExportRunRequest& request, const AntennaFile& antenna, const PageOptions& options,
        SaveDialogs& dialogs, Prompter& prompter)
        : request_(request), antenna_(antenna), options_(options), dialogs_(dialogs),
          prompter_(prompter) {
        // The converter's hand-over tells the user how it went, as the run always has.
        options_.report = &prompter_;
    }

    void step(ExportKind kind, PageKind page, OutputFormat format, const QString& location) {
        if (result.Stopped)
            return;
        const auto path = dialogs_.save(
            GraphSaveRequest(kind, location, request_.RpeNumber, request_.ProgramDir));
        if (!path)
            return; // nothing was written for the step
        if (const auto error = PageWriter::writePage(page, format, antenna_, options_, *path)) {
            // An empty text was told already, or the run was stopped.
            if (!error->isEmpty())
                prompter_.error(*error);
            result.Stopped = true;
            return;
        }
        result.Produced << PageWriter::writtenPath(format, *path);
    }

    ExportRunResult result;

private:
    const ExportRunRequest& request_;
    const AntennaFile& antenna_;
    PageOptions options_;
    SaveDialogs& dialogs_;
    Prompter& prompter_;
};

} // namespace

SaveRequest GraphSaveRequest(ExportKind kind, const QString& locationText, QByteArrayView rpeNumber,
                             const QString& programDir) {
    SaveRequest request;
    request.FileName = output::ExportPreset(kind, locationText, rpeNumber, programDir);
    request.Filter = QString::fromLatin1(GraphSaveFilter);
    request.FilterIndex = graphFilterIndex(kind);
    return request;
}

SaveRequest TextSaveRequest(QByteArrayView rpeNumber, const QString& startFolder) {
    SaveRequest request;
    request.Title = QString::fromLatin1(TextSaveTitle);
    request.FileName = output::ExportPreset(ExportKind::DataText, {}, rpeNumber, {});
    request.StartFolder = startFolder;
    request.Filter = QString::fromLatin1(TextSaveFilter);
    request.FilterIndex = 1;
    request.DefaultExtension = QStringLiteral("txt");
    return request;
}

ExportRunResult RunExport(const ExportRunRequest& request, const AntennaFile& antenna,
                          const PageOptions& options, SaveDialogs& dialogs, Prompter& prompter) {
    Run run(request, antenna, options, dialogs, prompter);
    const auto chart = PageKind::Chart;
    if (request.MakeJPG && request.Graph)
        run.step(ExportKind::ChartJpg, chart, OutputFormat::Jpg, request.JpgLocation);
    if (request.MakeGIF && request.Graph)
        run.step(ExportKind::ChartGif, chart, OutputFormat::Gif, request.GifLocation);
    if (request.MakePDF && request.Graph)
        run.step(ExportKind::ChartPdf, chart, OutputFormat::HtmldocPdf, request.PdfLocation);
    if (request.MakePDF && request.Data)
        run.step(ExportKind::DataPdf, PageKind::Data, OutputFormat::HtmldocPdf,
                 request.PdfLocation);
    return run.result;
}

std::optional<QString> RunTextExport(const QString& source, QByteArrayView rpeNumber,
                                     const QString& startFolder, SaveDialogs& dialogs,
                                     Prompter& prompter) {
    const auto confirmed = dialogs.save(TextSaveRequest(rpeNumber, startFolder));
    if (!confirmed)
        return std::nullopt;
    const QString target = output::WithDefaultExtension(*confirmed, QStringLiteral("txt"));
    if (!ExportTextData(source, target, prompter))
        return std::nullopt;
    return target;
}
