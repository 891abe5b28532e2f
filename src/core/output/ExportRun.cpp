#include "output/ExportRun.h"

#include "base/Prompter.h"
#include "output/GifImage.h"
#include "output/JpegWriter.h"
#include "output/PdfExport.h"
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

// One step of the run: draws its page on a scratch image of its own, asks where to put it, and
// writes it. A step that fails stops the run.
class Run {
public:
    Run(const ExportRunRequest& request, SaveDialogs& dialogs, Prompter& prompter,
        PdfRunControl* control)
        : request_(request), dialogs_(dialogs), prompter_(prompter), control_(control) {}

    void picture(ExportKind kind, const std::function<void(QImage&)>& draw) {
        if (result.Stopped)
            return;
        QImage page;
        draw(page);
        const auto path =
            ask(kind, kind == ExportKind::ChartJpg ? request_.JpgLocation : request_.GifLocation);
        if (!path)
            return;
        std::optional<QString> error;
        if (kind == ExportKind::ChartJpg) {
            error = WriteJpegFile(page, *path);
        } else {
            GifImage gif;
            gif.Assign(page);
            error = gif.SaveToFile(*path);
        }
        if (error)
            stop(*error);
        else
            result.Produced << *path;
    }

    void pdf(ExportKind kind, const std::function<void(QImage&)>& draw) {
        if (result.Stopped)
            return;
        QImage page;
        draw(page);
        const auto path = ask(kind, request_.PdfLocation);
        if (!path)
            return; // nothing was written for the step yet
        PdfOptions options;
        options.commonFilesDir = request_.CommonFilesDir;
        options.rpeNumber = request_.RpeNumber;
        options.variant = kind == ExportKind::DataPdf ? PdfVariant::Data : PdfVariant::Graph;
        options.landscape = options.variant == PdfVariant::Graph && request_.Landscape;
        options.confirmedPath = *path;
        // MakePdf has shown what went wrong.
        if (const auto produced = MakePdf(std::move(page), options, prompter_, control_))
            result.Produced << *produced;
        else
            result.Stopped = true;
    }

    ExportRunResult result;

private:
    std::optional<QString> ask(ExportKind kind, const QString& location) {
        return dialogs_.save(
            GraphSaveRequest(kind, location, request_.RpeNumber, request_.ProgramDir));
    }
    void stop(const QString& error) {
        prompter_.error(error);
        result.Stopped = true;
    }

    const ExportRunRequest& request_;
    SaveDialogs& dialogs_;
    Prompter& prompter_;
    PdfRunControl* control_;
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

ExportRunResult RunExport(const ExportRunRequest& request, const ExportRunPages& pages,
                          SaveDialogs& dialogs, Prompter& prompter, PdfRunControl* control) {
    Run run(request, dialogs, prompter, control);
    const bool chart = request.Graph && pages.Graph;
    if (request.MakeJPG && chart)
        run.picture(ExportKind::ChartJpg, pages.Graph);
    if (request.MakeGIF && chart)
        run.picture(ExportKind::ChartGif, pages.Graph);
    if (request.MakePDF && chart)
        run.pdf(ExportKind::ChartPdf, pages.Graph);
    if (request.MakePDF && request.Data && pages.Data)
        run.pdf(ExportKind::DataPdf, pages.Data);
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
