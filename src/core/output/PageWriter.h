// SPDX-License-Identifier: MIT
#pragma once
// Writes one page of an antenna to one file, whole or not at all, in any of the export formats:
// the graph window's export run, its vector export, the catalogue export and the batch tool all
// write their files here. JPG and GIF pictures are made of the chart page only, and the text copy
// is the data file itself, so it belongs to the data page.
#include "catalogue/AntennaFile.h"
#include "pages/PageRoutines.h"

#include <QtCore/QString>
#include <optional>

class Prompter;
class PdfRunControl;
struct MaskOverlay;
struct MaskTable;
namespace compare {
class Comparison;
}

enum class PageKind { Chart, Data };
enum class OutputFormat { Png, Jpg, Gif, HtmldocPdf, VectorPdf, Svg, Txt };

struct PageOptions {
    bool color = false;                // colour traces and the colour logo
    int penFactor = ImagePenFactor;    // of the picture pages
    const MaskOverlay* mask = nullptr; // drawn over the chart's traces; the data sheet has none
    // The htmldoc PDF: where the installation's converter is looked for first, and a control
    // that lets the caller stop a run waiting for it.
    QString commonFilesDir;
    PdfRunControl* pdfControl = nullptr;
    // Where the htmldoc PDF and the text copy tell how they ended, as the export run always has:
    // "<file> successfully created.", or a PDF that could not be handed over. Without one, such
    // a failure comes back as the error text.
    Prompter* report = nullptr;
    // The catalogue export alone also makes JPG and GIF pictures of the data sheet.
    bool dataSheetPictures = false;
};

class PageWriter {
public:
    // Writes the page to `path` (see writtenPath for the name the file gets). Returns the error
    // text, or nothing when the file was written. The text is empty when the failure was told
    // through `options.report` already or the run was stopped through `options.pdfControl`.
    static std::optional<QString> writePage(PageKind kind, OutputFormat format,
                                            const AntennaFile& antenna, const PageOptions& options,
                                            const QString& path);

    // Why a page cannot be written in a format, or nothing when it can.
    static std::optional<QString> refusal(PageKind kind, OutputFormat format,
                                          const PageOptions& options = {});

    // The file a write to `path` makes: an htmldoc PDF always ends in ".pdf" (replacing any
    // other extension), a text copy gets "txt" when its name has no extension; the others are
    // written at `path` as it is.
    static QString writtenPath(OutputFormat format, const QString& path);

    // Whether the page lies landscape: only the chart of a two-sided antenna does.
    static bool landscape(PageKind kind, const AntennaFile& antenna);

    // Writes the comparison's page (title, chart, legend, table with margins against `fcc`) to
    // `path` as a PNG picture at 150 dpi, an SVG or a vector PDF, whole or not at all: a failed
    // write leaves any earlier file as it was. Other formats are refused. Returns the error
    // text, or nothing when the file was written.
    static std::optional<QString> writeComparison(const compare::Comparison& comparison,
                                                  const MaskTable* fcc, OutputFormat format,
                                                  const QString& path, bool color);
};
