// SPDX-License-Identifier: MIT
#pragma once
// The export branch of the graph window's output run, without windows. Each step asks for the
// place in a save dialog and has the page written there by PageWriter, whole or not at all:
//
// | step           | when                   | save dialog preset                 | filter index |
// | JPG            | MakeJPG and the chart  | JPG directory / R ".jpg"           | 1            |
// | GIF            | MakeGIF and the chart  | GIF directory / R ".gif"           | 2            |
// | chart PDF      | MakePDF and the chart  | PDF directory / R ".pdf"           | 3            |
// | data sheet PDF | MakePDF and the sheet  | PDF directory / R "dat.pdf"        | 3            |
//
// Cancel skips a step; a file that cannot be written ends the run after its error box.
#include "output/OutputNames.h"
#include "output/PageWriter.h"
#include "output/SaveDialogs.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>

class Prompter;

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
    QByteArray RpeNumber; // as stored in the record
    QString JpgLocation;  // the File Locations texts
    QString GifLocation;
    QString PdfLocation;
    QString ProgramDir; // ends in "/": base of relative locations
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

// Runs every step the request selects, in the order of the table above, for `antenna` drawn with
// `options` (its colour, mask, converter folder and run control).
ExportRunResult RunExport(const ExportRunRequest& request, const AntennaFile& antenna,
                          const PageOptions& options, SaveDialogs& dialogs, Prompter& prompter);

// The text copy of "Export Data": asks for the place (SaveDialog2, "txt" added to a name without
// an extension), then copies `source` (the data file the antenna was read from) there. Returns
// the file written; nothing on Cancel or failure (the failure shown as an error).
std::optional<QString> RunTextExport(const QString& source, QByteArrayView rpeNumber,
                                     const QString& startFolder, SaveDialogs& dialogs,
                                     Prompter& prompter);
