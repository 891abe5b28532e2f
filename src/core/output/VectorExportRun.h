// SPDX-License-Identifier: MIT
#pragma once
// The graph window's vector exports: the chart page, the data sheet or both as a PDF with real
// text or as SVG, each asked for in a save dialog preset to the PDF folder and the RPE number
// (R ".pdf", R "dat.pdf", R ".svg", R "dat.svg"), then written whole or not at all.
#include "catalogue/AntennaFile.h"
#include "output/SaveDialogs.h"
#include "output/VectorPages.h"

#include <QtCore/QStringList>

class Prompter;

enum class VectorPageChoice { Chart, Data, Both };

// The file name of a vector page: R "." ext for the chart, R "dat." ext for the data sheet.
QString VectorFileName(VectorFormat format, ExportPage page, QByteArrayView rpeNumber);

// The save dialog of one vector page: its title, the preset in the PDF folder (a File Locations
// text, resolved as for the other exports), the format's filter and default extension; it asks
// before an existing file is replaced.
SaveRequest VectorSaveRequest(VectorFormat format, ExportPage page, const QString& pdfLocation,
                              QByteArrayView rpeNumber, const QString& programDir);

struct VectorExportRequest {
    VectorFormat Format = VectorFormat::Pdf;
    VectorPageChoice Pages = VectorPageChoice::Chart;
    QString PdfLocation; // the File Locations text of PDF files
    QString ProgramDir;
    bool Color = false;
};

struct VectorExportResult {
    QStringList Produced; // every file written, in order
    bool Stopped = false; // a page could not be written; the pages after it were not asked for
};

// Asks for each page's file and writes it. A cancelled dialog skips that page only; a failed
// write shows "Cannot create file %s" with the reason and ends the run.
VectorExportResult RunVectorExport(const VectorExportRequest& request, const AntennaFile& antenna,
                                   const MaskOverlay* mask, SaveDialogs& dialogs,
                                   Prompter& prompter);
