#pragma once
// The export branch of the graph window's output run, without windows: the graph window and the
// batch tool both run it. Each step draws its own scratch image, asks for the place in a save
// dialog and writes its file whole or not at all:
//
// | step           | when                   | save dialog preset                 | filter index |
// | JPG            | MakeJPG and the chart  | JPG directory / R ".jpg"           | 1            |
// | GIF            | MakeGIF and the chart  | GIF directory / R ".gif"           | 2            |
// | chart PDF      | MakePDF and the chart  | PDF directory / R ".pdf"           | 3            |
// | data sheet PDF | MakePDF and the sheet  | PDF directory / R "dat.pdf"        | 3            |
//
// Cancel skips a step; a file that cannot be written ends the run after its error box.
#include "output/OutputNames.h"
#include "output/SaveDialogs.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QImage>
#include <functional>
#include <optional>

class Prompter;
class PdfRunControl;

// The graph save dialog's filter list (SaveDialog1).
inline const char GraphSaveFilter[] =
    "JPG Image File (.jpg)|*.jpg|GIF Image File (.gif)|*.gif|PDF File Format (.pdf)|*.pdf";
// The text save dialog (SaveDialog2).
inline const char TextSaveTitle[] = "Export Data";
inline const char TextSaveFilter[] = "Text Files (*.txt)|*.txt";

struct ExportRunRequest {
    bool Graph = true; // the chart page is selected (graphChoice "Graph")
    bool Data = false; // the data sheet is selected (dataChoice "Data")
    bool MakeJPG = false;
    bool MakeGIF = false;
    bool MakePDF = false;
    bool Landscape = false; // the two-sided chart
    QByteArray RpeNumber;   // as stored in the record
    QString JpgLocation;    // the File Locations texts
    QString GifLocation;
    QString PdfLocation;
    QString ProgramDir; // ends in "/": base of relative locations
    QString CommonFilesDir;
};

// Draw a page onto a fresh scratch image of its export size.
struct ExportRunPages {
    std::function<void(QImage&)> Graph; // the chart page (portrait or landscape by the antenna)
    std::function<void(QImage&)> Data;  // the data sheet
};

struct ExportRunResult {
    QStringList Produced; // every file written, in order
    bool Stopped = false; // an error ended the run
    // The file the run opens at its end: the last one produced, if any.
    QString fileToOpen() const { return Produced.isEmpty() ? QString() : Produced.last(); }
};

// The graph save dialog (SaveDialog1) preset for one kind of file.
SaveRequest GraphSaveRequest(output::ExportKind kind, const QString& locationText,
                             QByteArrayView rpeNumber, const QString& programDir);
// The text save dialog (SaveDialog2): R ".txt" in `startFolder`.
SaveRequest TextSaveRequest(QByteArrayView rpeNumber, const QString& startFolder);

// Runs every step the request selects, in the order of the table above.
ExportRunResult RunExport(const ExportRunRequest& request, const ExportRunPages& pages,
                          SaveDialogs& dialogs, Prompter& prompter,
                          PdfRunControl* control = nullptr);

// The text copy of "Export Data": asks for the place (SaveDialog2, "txt" added to a name without
// an extension), then copies `source` (the data file the antenna was read from) there. Returns
// the file written; nothing on Cancel or failure (the failure shown as an error).
std::optional<QString> RunTextExport(const QString& source, QByteArrayView rpeNumber,
                                     const QString& startFolder, SaveDialogs& dialogs,
                                     Prompter& prompter);
