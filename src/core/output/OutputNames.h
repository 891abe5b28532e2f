// SPDX-License-Identifier: MIT
#pragma once
// Names and places of every exported file: the RPE number made fit for a file name, the names the
// save dialogs are preset with, the temporaries of a PDF, the PDF's base path, and the texts of
// the File Locations dialog turned into folders.
#include <QtCore/QByteArrayView>
#include <QtCore/QString>

namespace output {

// The RPE number (the stored bytes) as it appears in file names: decoded as for display, with a
// path separator ("/" or "\"), a NUL, any other control character and every dot of a run of two
// or more dots ("..") replaced by "_", so that the name can never leave its folder. An empty
// number gives "RPE".
QString FileNameRpe(QByteArrayView rpeNumber);

// A File Locations text as a folder: absolute texts as they are, "~" and "~/..." in the home
// folder, any other text relative to the program directory. An empty text names no folder and
// stays empty.
QString ResolveLocation(const QString& text, const QString& programDir);

// What a save dialog is preset with.
enum class ExportKind { ChartJpg, ChartGif, ChartPdf, DataPdf, DataText };

// The file name of an export: R ".jpg", R ".gif", R ".pdf", R "dat.pdf" or R ".txt".
QString ExportFileName(ExportKind kind, QByteArrayView rpeNumber);

// The preset of the save dialog: the kind's folder (a File Locations text, resolved; the program
// directory when the text is empty), "/" and the file name. The text export has no folder and
// gives the file name alone.
QString ExportPreset(ExportKind kind, const QString& locationText, QByteArrayView rpeNumber,
                     const QString& programDir);

// The folder of File Locations a kind belongs to when nothing else was chosen: the program
// directory followed by "JPG", "GIF" or "PDF" (the data sheet's PDF included). Empty for the text
// export, which has no folder.
QString DefaultOutputFolder(ExportKind kind, const QString& programDir);

// The folder the save dialog of `kind` opens in, made ready when it is about to be shown. An
// existing folder is used as it is. The default folder is created when it is missing (one level,
// in the program directory). A folder chosen in File Locations that is missing is never created
// here (it may be a drive that is not attached): the dialog opens in the default folder instead,
// so that it always opens in the same place. Falls back to the resolved text when the default
// cannot be created either. The text export has no folder and gives nothing.
QString PrepareOutputFolder(ExportKind kind, const QString& locationText,
                            const QString& programDir);

// A path without its extension. Only the part after the last "/" is looked at, and a leading "."
// (or run of leading dots) of a name is not an extension: "my.report.pdf" gives "my.report",
// "report" and ".report" stay as they are.
QString WithoutExtension(const QString& path);

// The path with `extension` (without the dot) appended when its name has no extension.
QString WithDefaultExtension(const QString& path, const QString& extension);

// The PDF made from a path confirmed in a save dialog: its base path followed by ".pdf".
QString PdfTargetPath(const QString& confirmedPath);

} // namespace output
