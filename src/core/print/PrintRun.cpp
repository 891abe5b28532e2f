// SPDX-License-Identifier: MIT
#include "print/PrintRun.h"

#include "base/Prompter.h"
#include "compare/ComparisonPage.h"
#include "pages/PageRoutines.h"

void ApplyPrintChoice(PrintChoice choice, OutputFlags& flags) {
    flags.Graph = choice != PrintChoice::DataOnly;
    flags.Data = choice != PrintChoice::GraphOnly;
    flags.MakeJPG = flags.MakeGIF = flags.MakePDF = false;
}

namespace {

// Prints one document; on failure shows the error and returns false.
bool printOne(const QString& what, PrintDocument document, PrintBackend& backend,
              Prompter& prompter, PrintRunResult& result) {
    result.LastOrientation = document.Orientation;
    const PrintJobResult job = backend.print(document);
    if (job.JobId > 0 && job.Error.isEmpty()) {
        result.JobIds.push_back(job.JobId);
        return true;
    }
    const QString reason =
        job.Error.isEmpty() ? QStringLiteral("the printing system gave no job") : job.Error;
    result.Error = QStringLiteral("The %1 could not be printed on \"%2\": %3")
                       .arg(what, result.PrinterName, reason);
    prompter.error(result.Error);
    return false;
}

} // namespace

PrintRunResult RunPrint(const PrintRunRequest& request, const PrintRunPages& pages,
                        PrintBackend& backend, Prompter& prompter) {
    PrintRunResult result;
    if (!request.Graph && !request.Data)
        return result;

    if (const std::optional<QString> reason = backend.prepare()) {
        result.Error = *reason;
        prompter.error(result.Error);
        return result;
    }
    result.PrinterName = backend.printerName();
    const int penFactor = PrinterPenFactor(request.PenFactor);
    const QString title = request.Title.isEmpty() ? QStringLiteral("Lobeview") : request.Title;

    if (request.Graph) {
        const bool twoSided = isTwoSided(request.Feed);
        const PaintRunPage& page = twoSided ? pages.LandscapeGraph : pages.PortraitGraph;
        PrintDocument graph{title + QStringLiteral(" RPE graph"),
                            twoSided ? QPageLayout::Landscape : QPageLayout::Portrait,
                            [&page, penFactor](QPainter& painter) { page(painter, penFactor); }};
        if (!printOne(QStringLiteral("graph"), std::move(graph), backend, prompter, result))
            return result;
        if (request.Data && request.Pause)
            prompter.message(QString::fromLatin1(SecondSidePrompt));
    }

    if (request.Data) {
        PrintDocument data{
            title + QStringLiteral(" RPE data"), QPageLayout::Portrait,
            [&pages, penFactor](QPainter& painter) { pages.Data(painter, penFactor); }};
        printOne(QStringLiteral("data sheet"), std::move(data), backend, prompter, result);
    }
    return result;
}

PrintRunResult RunComparisonPrint(const compare::Comparison& comparison, const MaskTable* fcc,
                                  bool color, PrintBackend& backend, Prompter& prompter) {
    PrintRunResult result;
    if (const std::optional<QString> reason = backend.prepare()) {
        result.Error = *reason;
        prompter.error(result.Error);
        return result;
    }
    result.PrinterName = backend.printerName();
    PrintDocument page{
        compare::comparisonPageTitle(comparison), QPageLayout::Landscape,
        [&](QPainter& painter) { compare::paintComparisonPage(painter, comparison, fcc, color); }};
    printOne(QStringLiteral("comparison"), std::move(page), backend, prompter, result);
    return result;
}
