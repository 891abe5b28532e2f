// SPDX-License-Identifier: MIT
#pragma once
// A PDF of the chart page or of the data sheet. The drawn page is written as a temporary GIF with
// a small HTML page around it in a private folder of the run (PdfRunFolder); the converter
// htmldoc turns the HTML page into a PDF there, which is then handed over to the place the user
// chose (FileRename). The program folder and the user's files are never touched, the folder goes
// on every way out, and two runs never share one.
#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QSize>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QImage>
#include <functional>
#include <optional>

class Prompter;
class QEventLoop;

enum class PdfVariant { Graph, Data };

// The run's temporaries: P R ".gif", P R ".html" and the converter's output P R ".pdf" for the
// chart; P R "dat.gif", P R "dat.html", P R "dat.pdf" for the data sheet (P the run's folder, R
// the RPE number as it appears in file names).
struct PdfTemporaries {
    QString gif;
    QString html;
    QString pdf;
};
PdfTemporaries PdfTemporaryPaths(const QString& folder, QByteArrayView rpeNumber,
                                 PdfVariant variant);

// The picture's size written in the HTML page: 650 x 850 for the portrait chart, 680 x 520 for
// the landscape chart, 700 x 800 for the data sheet.
QSize HtmlPictureSize(PdfVariant variant, bool landscape);

// The orientation word handed to the converter: "landscape" for the two-sided chart, else
// "portrait".
QString OrientationWord(PdfVariant variant, bool landscape);

// The twelve lines of the HTML page, each ended by CR LF, in single-byte text. The picture's path
// is written as the file system's bytes with "&", '"', "<" and ">" as entities, and "%" and the
// control characters percent-encoded ("%25", "%0A").
QByteArray HtmlPageBytes(const QString& gifPath, int width, int height);

// Writes the HTML page at `htmlPath` by rename (never through an existing file or link). Returns
// "Unable to create HTML file for PDF" on failure.
std::optional<QString> WriteHtmlPage(const QString& htmlPath, const QString& gifPath, int width,
                                     int height);

// The converter's command line as one string (both paths in double quotes, output after -f, page
// last), and the same as the argument list the converter is started with: the string split at
// the blanks outside quotes, with the quotes removed. "--header ... --footer ..." keeps the
// converter's own "Untitled" heading and page number off the page.
QString ConverterArgumentString(const QString& orientation, const PdfTemporaries& temporaries,
                                PdfVariant variant);
QStringList ConverterArguments(const QString& orientation, const PdfTemporaries& temporaries,
                               PdfVariant variant);

// The converter: the common files directory followed by "htmldoc" when that file is executable,
// else "htmldoc" found on the PATH; empty when there is none.
QString ConverterProgram(const QString& commonFilesDir);

// Whether two paths name one file: the same device and inode when both exist, else the same
// canonical folder and name.
bool SameFile(const QString& a, const QString& b);

// Hands the converter's output `source` over to `target` and tells the user: target followed by
// " successfully created.", or "Renaming <source> to <target> Failed" (also when the source is not
// a complete PDF). When both name one file nothing is copied, and the message says whether it
// exists ("Creating <target> failed" when not). The target is written whole or not at all. True
// when the target holds the PDF.
bool FileRename(const QString& source, const QString& target, Prompter& prompter);

struct PdfOptions {
    QString commonFilesDir; // where a converter of the installation is looked for first
    QByteArray rpeNumber;   // as stored in the record
    PdfVariant variant = PdfVariant::Graph;
    bool landscape = false; // the two-sided chart; the data sheet is always portrait
    QString confirmedPath;  // the path confirmed in the save dialog
    int converterLimitMs = 60000;
};

// Lets the caller stop a run that waits for the converter (closing the program).
class PdfRunControl {
public:
    // Kills a running converter; the run then removes its temporaries and reports nothing more.
    void cancel();
    bool isCancelled() const { return cancelled_; }
    bool isConverting() const { return loop_ != nullptr; }
    // Called once the converter has started, and once it has ended or been stopped, before any
    // message of the run is shown.
    std::function<void()> onConverterStarted;
    std::function<void()> onConverterEnded;

private:
    friend struct PdfRunAccess;
    bool cancelled_ = false;
    QEventLoop* loop_ = nullptr;
};

// Runs the converter on `temporaries` (written before, in the folder of `run`) and hands its
// output over to the base path of the confirmed path + ".pdf". Its old output is removed first
// and the GIF must exist; it waits for the converter (window contents are still painted, user
// input waits) for at most the limit, then kills it with "The PDF converter did not finish within
// 60 s". A converter that is missing, fails or leaves no complete PDF gives "Unable to create PDF
// file." and its error output. The GIF and HTML page are removed before the hand-over. Returns
// the PDF produced.
class PdfRunFolder;
std::optional<QString> ConvertToPdf(const QString& orientation, const QString& basePath,
                                    const PdfTemporaries& temporaries, PdfRunFolder& run,
                                    const PdfOptions& options, Prompter& prompter,
                                    PdfRunControl* control = nullptr);

// The whole PDF step for a page already drawn: makes the run's private folder, writes the GIF
// and the HTML page there, converts, and removes the folder. Returns the PDF produced, which the
// run then opens.
std::optional<QString> MakePdf(QImage page, const PdfOptions& options, Prompter& prompter,
                               PdfRunControl* control = nullptr);
