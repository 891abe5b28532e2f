// SPDX-License-Identifier: MIT
#pragma once
// Export of a whole catalogue: the chart page and/or the data sheet of every data file of a
// folder, in one format, written by several worker threads.
//
// The run has two phases. PlanCatalogueExport lists the folder's data files (in name order, as the
// index rebuild takes them), reads each header and decides every output name before any page is
// drawn, so the names never depend on thread scheduling. RunCatalogueExport then draws and writes
// the files on N workers; a file that cannot be read or written is reported and skipped, and the
// others are still written. Each output file is written whole or not at all.
//
// Names follow the export scheme: the RPE number as it appears in file names, "dat" for the data
// sheet, the format's extension (R.png, Rdat.png, R.pdf, Rdat.pdf, R.txt ...). When a name is taken
// already, by an earlier file of the same RPE number (or, on a case-blind disk, of one that
// differs only in letter case), the later file gets its data file name as suffix: R_MODEL.png.
#include "catalogue/IndexRecord.h"
#include "output/VectorPages.h"

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <atomic>
#include <functional>
#include <optional>

namespace catalogue {

enum class Format { Png, Jpg, Gif, Pdf, VectorPdf, Svg, Txt };
enum class Pages { Chart, Data, Both };

// "png", "jpg", "gif", "pdf", "vector-pdf", "svg", "txt" (any letter case) and back.
std::optional<Format> FormatFromName(const QString& name);
QString FormatName(Format format);
// "chart", "data", "both".
std::optional<Pages> PagesFromName(const QString& name);
QString PagesName(Pages pages);
// The written file's extension, without the dot ("pdf" for both PDF kinds).
QString FormatExtension(Format format);
// Whether the format writes the page as a picture (`txt` copies the data file instead).
bool DrawsPages(Format format);

struct Options {
    QString catalogueDir;
    QString outputDir;
    Format format = Format::Png;
    Pages pages = Pages::Chart;
    bool color = false;     // colour traces and the colour logo
    int threads = 0;        // workers; 0 or less: one per core
    QString commonFilesDir; // where the installation's htmldoc is looked for first (`pdf`)
};

// One data file of the catalogue, planned before the workers start.
struct Item {
    QString path;          // the data file
    QString fileName;      // its name as shown
    IndexRecord record;    // its header, as the index rebuild reads it
    QString headerError;   // why the header cannot be read; the file is then skipped
    QString chartFile;     // output names in the output folder; empty when not written
    QString dataFile;      //
    QString suffixedAfter; // when the name has the suffix: the earlier file that holds the name
};

struct Plan {
    QString error; // the run cannot start: no such folder, no data files
    QList<Item> items;
    // Output folder as given, and the folder the names are written to.
    QString outputDir;
};

// Lists the folder, reads every header and decides the names. No file is written.
Plan PlanCatalogueExport(const Options& options);

// The output names of one file for a base name ("12050" or "12050_ZZX10-60U"): base + ".png",
// base + "dat.png"; for `txt` only the data name, base + ".txt".
QString ChartFileName(const QString& base, Format format);
QString DataFileName(const QString& base, Format format);

struct Progress {
    int done = 0;  // files finished (written or failed)
    int total = 0; // files of the run
    QString fileName;
    bool failed = false;
    double seconds = 0; // since the workers started
};
// Called after each file, from the worker that did it; calls never overlap.
using ProgressCallback = std::function<void(const Progress&)>;

struct Report {
    QString error; // the run could not start (the plan's error, or the output folder)
    int total = 0;
    int exported = 0;     // files whose every page was written
    int filesWritten = 0; // output files written
    int threads = 0;
    bool stopped = false;
    double seconds = 0;
    QStringList failures; // "name: reason", in name order
    QStringList suffixed; // files written under a suffixed name, with the reason, in name order
    QStringList written;  // output file names, in name order

    int failed() const { return failures.size(); }
    int notStarted() const { return total - exported - failed(); }
    // The lines told at the end: the counts, the time and rate, every suffixed name and (with
    // `withFailures`) every failure. Each line without its line end.
    QStringList summary(const Options& options, bool withFailures = true) const;
};

// Everything the workers share that is not safe to set up on two threads at once (the font
// database's first use, the program's resources, the image decoders, the PDF and SVG writers) is
// used once here, on the calling thread. RunCatalogueExport calls it; it costs little a second
// time.
void PrepareDrawing(Format format);

// Writes the planned files with `options.threads` workers. `stop`, when set by another thread,
// lets the workers finish the file in hand and start no other. The output folder is created when
// missing.
Report RunCatalogueExport(const Options& options, const Plan& plan,
                          const ProgressCallback& progress = {},
                          const std::atomic<bool>* stop = nullptr);

// The number of workers a run uses: `requested`, or one per core when it is 0 or less, and never
// more than there are files.
int WorkerCount(int requested, int files);

} // namespace catalogue
