// SPDX-License-Identifier: MIT
#pragma once
// The print branch of the graph window's output run. Graph and data sheet are always separate
// documents of one page each, printed in that order: the chart in portrait for a one-sided
// antenna and in landscape for a two-sided one, the data sheet always in portrait. When both are
// printed and the pause option is on, the user is asked to turn the sheet over between them.
//
// The run knows nothing of printers: it hands each document to a PrintBackend (the printing
// system, or a recording one in tests) and draws the pages through callbacks, so the page
// routines of the graph window and of the batch tool plug in alike.
#include "adf/Pattern.h"

#include <QtCore/QString>
#include <QtGui/QPageLayout>
#include <functional>
#include <optional>
#include <vector>

class Prompter;
class QPainter;
struct MaskTable;
namespace compare {
class Comparison;
}

// Draws one page on a painter already begun on the page's paint device. The device is the
// printable area of the paper in device pixels (600 per inch), its origin the top-left corner
// of that area.
using PaintPage = std::function<void(QPainter& painter)>;

// One document of one page.
struct PrintDocument {
    QString Title; // the job's name in the printer queue
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    PaintPage Paint;
};

struct PrintJobResult {
    int JobId = 0; // the printing system's job id; 0 when it failed
    QString Error; // the printing system's text when it failed
};

// Where the documents of a run go.
class PrintBackend {
public:
    virtual ~PrintBackend() = default;
    // Finds the printer and its paper before anything is drawn. Returns the reason when nothing
    // can be printed ("No printer is installed", ...).
    virtual std::optional<QString> prepare() = 0;
    // The printer found by prepare().
    virtual QString printerName() const = 0;
    // Draws and submits one document. Never retries.
    virtual PrintJobResult print(const PrintDocument& document) = 0;
};

// Draws a page of the run with the pen factor of the printer page.
using PaintRunPage = std::function<void(QPainter& painter, int penFactor)>;

struct PrintRunPages {
    PaintRunPage PortraitGraph;  // the one-sided chart page
    PaintRunPage LandscapeGraph; // the two-sided chart page
    PaintRunPage Data;           // the data sheet
};

struct PrintRunRequest {
    bool Graph = true;  // print graph (Graph1 / graphChoice)
    bool Data = false;  // print data (Data1 / dataChoice)
    bool Pause = false; // Pause1: ask before the data document when both are printed
    FeedKind Feed = FeedKind::None;
    int PenFactor = 0; // the pen width dialog's choice; 0 when none was made
    QString Title;     // the antenna, for the job names ("<Title> RPE graph", "<Title> RPE data")
};

struct PrintRunResult {
    QString PrinterName;
    std::vector<int> JobIds; // in submission order
    QString Error;           // the message shown to the user; empty when all went well
    // The orientation of the last document handed to the printing system; it stays on the
    // program's printer, so that the next printer setup shows it. Nothing when none was.
    std::optional<QPageLayout::Orientation> LastOrientation;
    bool ok() const { return Error.isEmpty(); }
};

// The choice of the print options dialog.
enum class PrintChoice { GraphOnly, DataOnly, Both };

// The graph window's output options that a print or export run acts on.
struct OutputFlags {
    bool Graph = true;    // print graph: Graph1 / graphChoice
    bool Data = false;    // print data: Data1 / dataChoice
    bool MakeJPG = false; // any of the three: the run writes files instead of printing
    bool MakeGIF = false;
    bool MakePDF = false;
};

// The print command after the options dialog closed with OK: "Print Both" checks graph and data,
// the other two choices one of them; the output flags are cleared, so the run prints instead of
// repeating an export made earlier in the session.
void ApplyPrintChoice(PrintChoice choice, OutputFlags& flags);

// The prompt shown between the two documents when pausing.
inline const char SecondSidePrompt[] = "Press Ok when ready to print second side";
// The message when the printing system has no printer.
inline const char NoPrinterMessage[] = "No printer is installed";

// Prints what the request selects. An error (no printer, a document the printing system refused)
// is shown through the prompter's error box and ends the run: nothing after it is printed and
// nothing is retried. A request that selects nothing prints nothing and shows nothing.
PrintRunResult RunPrint(const PrintRunRequest& request, const PrintRunPages& pages,
                        PrintBackend& backend, Prompter& prompter);

// Prints the comparison's page (compare::paintComparisonPage) as one landscape document named
// by the page's title, the same way as RunPrint: a failure is shown and is the result's error.
PrintRunResult RunComparisonPrint(const compare::Comparison& comparison, const MaskTable* fcc,
                                  bool color, PrintBackend& backend, Prompter& prompter);
