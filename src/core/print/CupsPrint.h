// SPDX-License-Identifier: MIT
#pragma once
// Printing through the desktop's printing system (CUPS). Each document is one page: it is drawn
// with QPdfWriter into a temporary PDF of the printer's paper, at 600 dots per inch, inside the
// printer's margins, and handed to the scheduler through libcups, which answers with the job id
// or its error text. Qt's own printer engine is not used for the documents: it drops submission
// errors, gives no job id, and with no scheduler quietly writes a PDF file instead of printing.
#include "print/PrintRun.h"

#include <QtCore/QByteArray>
#include <QtCore/QMarginsF>
#include <QtCore/QString>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <optional>
#include <utility>
#include <vector>

// Printer pages are drawn at this resolution whatever the printer, so a width given in device
// pixels means the same on paper everywhere.
inline constexpr int PrinterDotsPerInch = 600;

using JobOptions = std::vector<std::pair<QByteArray, QByteArray>>;

// What the printer setup dialog chose; the printer's own defaults fill in what is left empty.
struct PrinterSetup {
    QString Name;                      // empty: the printing system's default printer
    std::optional<QPageSize> PageSize; // empty: the printer's default paper
    JobOptions Options;                // further job options ("copies", "sides", ...)
};

// A printer of the printing system with the paper its documents are laid out on.
struct PrinterPaper {
    QString Name;
    QPageSize PageSize;
    QByteArray Media;  // the paper's name as the printer knows it, handed to each job
    QMarginsF Margins; // the unprintable edges of the upright sheet, in points
};

struct PrinterLookup {
    std::optional<PrinterPaper> Printer;
    QString Error; // "No printer is installed", or why the named printer cannot be used
};

// Finds the printer `setup` names (or the default one) and the paper it prints on, with that
// paper's margins as the printer reports them.
PrinterLookup FindPrinter(const PrinterSetup& setup);

// The layout of a document on `paper`: its size, the orientation and the printer's margins.
// For landscape the margins of the sheet's long edges guard the short ones and the reverse,
// each taken as the larger of the two, since the printing system may turn the page either way.
QPageLayout PrinterPageLayout(const PrinterPaper& paper, QPageLayout::Orientation orientation);

// Draws one page into the PDF file `path` with the given layout at 600 dpi. Returns the reason
// when the page could not be drawn: the painter could not begin (the file cannot be created), or
// the file holds no PDF afterwards (a failed write, which the PDF writer does not report).
std::optional<QString> RenderPdfPage(const QString& path, const QPageLayout& layout,
                                     const QString& title, const PaintPage& paint);

// Submits the PDF file `path` to `printer` as one job with `options`. Returns the job id, or the
// scheduler's error text; a job that was created but not completed is cancelled.
PrintJobResult SubmitPdf(const QString& printer, const QString& title, const QString& path,
                         const JobOptions& options);

// The print backend of the program and the batch tool.
class CupsBackend : public PrintBackend {
public:
    // `tempDir` holds the temporary PDF of each document while it is submitted (default: the
    // system's temporary folder).
    explicit CupsBackend(PrinterSetup setup, QString tempDir = {});

    std::optional<QString> prepare() override;
    QString printerName() const override;
    PrintJobResult print(const PrintDocument& document) override;

    // The printer and paper found by prepare().
    const std::optional<PrinterPaper>& paper() const { return paper_; }

private:
    PrinterSetup setup_;
    QString tempDir_;
    std::optional<PrinterPaper> paper_;
};
