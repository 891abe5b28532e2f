// SPDX-License-Identifier: MIT
#pragma once
// Vector pages: the chart page and the data sheet as PDF or SVG documents. They are drawn by the
// same page routines and PageMapper as the printed page, onto a US Letter sheet (landscape for the
// two-sided chart, portrait otherwise) at VectorResolution device pixels an inch, with the
// printer's pen factor: the logical page fills the sheet as it fills a printer page. Texts stay
// text (fonts embedded in the PDF), pictures are embedded once at their own resolution.
#include "adf/Pattern.h"
#include "catalogue/IndexRecord.h"

#include <QtCore/QSize>
#include <QtCore/QString>
#include <optional>

class QIODevice;
struct MaskOverlay;

enum class VectorFormat { Pdf, Svg };
enum class ExportPage { Chart, Data };

// Device pixels an inch of the vector pages' surface: positions land on this grid, and pen widths
// given in device pixels are counted in it, as on a printer of that resolution.
inline constexpr int VectorResolution = 600;

// Whether the page lies on a landscape sheet: only the chart of a two-sided antenna does.
bool VectorPageLandscape(ExportPage page, FeedKind feed);
// The sheet in device pixels: 6600 x 5100 landscape, 5100 x 6600 portrait.
QSize VectorPageSize(ExportPage page, FeedKind feed);

// The file extension of a format, without the dot: "pdf" or "svg".
QString VectorExtension(VectorFormat format);

// Draws the page of the antenna as a one-page document into `out` (open for writing), with the
// regulatory mask over the chart's traces when one is given. Returns the reason when the
// document cannot be started or finished.
std::optional<QString> RenderVectorPage(QIODevice& out, VectorFormat format, ExportPage page,
                                        const IndexRecord& record, const LoadedPattern& pattern,
                                        bool color, const MaskOverlay* mask = nullptr);

// The same into a file, written whole or not at all: an existing file is only replaced by a
// complete document. Returns "Cannot create file %s" (with the reason for a failed drawing
// appended) on failure.
std::optional<QString> WriteVectorPage(const QString& path, VectorFormat format, ExportPage page,
                                       const IndexRecord& record, const LoadedPattern& pattern,
                                       bool color, const MaskOverlay* mask = nullptr);
