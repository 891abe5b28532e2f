// SPDX-License-Identifier: MIT
#pragma once
// A private print scheduler for the printing tests: its own cupsd with configuration, socket,
// spool, logs and cups-pdf output all under one temporary folder, started and stopped with the
// object, never touching the machine's own printers. While it runs, CUPS_SERVER (and libcups in
// this process) point at its socket, so everything the test process prints goes there.
//
// cups-pdf reads its settings from one fixed file of the machine; cupsd runs in a mount namespace
// of its own in which a private copy is mounted over that file, so the PDFs land in outputDir().
// The scheduler keeps the documents it was handed (PreserveJobFiles Yes) as d<job>-001 in
// spoolDir().
//
// With LOBEVIEW_KEEP_PRINTS=DIR set, the printed documents are copied into DIR at the end.
//
// Where no scheduler can be started here (not root, cupsd or cups-pdf missing, no mount
// namespace), running() is false and skipReason() says why; tests then skip, never pass.
#include <QtCore/QByteArray>
#include <QtCore/QProcess>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QTemporaryDir>
#include <memory>

namespace testutils {

class PrivateCups {
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    bool running() const { return running_; }
    QString skipReason() const { return skipReason_; }

    QString root() const { return dir_.path(); }
    QString socketPath() const { return dir_.path() + QStringLiteral("/cups.sock"); }
    QString outputDir() const { return dir_.path() + QStringLiteral("/out"); }
    QString spoolDir() const { return dir_.path() + QStringLiteral("/spool"); }

    // Adds a cups-pdf queue with the given PPD (default: the one cups-pdf ships) and lpadmin
    // options (e.g. "PageSize=Letter"); `makeDefault` makes it the scheduler's default printer.
    // Returns the error text of lpadmin on failure.
    QString addPdfQueue(const QString& name, const QString& ppdPath = {},
                        const QStringList& options = {}, bool makeDefault = false);
    // Runs a CUPS administration tool (lpadmin, cupsreject, ...) against this scheduler.
    // Returns its standard error when it fails.
    QString runTool(const QString& tool, const QStringList& args);
    // The cups-pdf PPD of the machine.
    static QString cupsPdfPpd();

    // Waits until the job has left the queue (completed, aborted or cancelled) and returns its
    // final IPP state (9 completed, 8 aborted, 7 cancelled), or 0 when it did not finish within
    // `timeoutMs`.
    int waitForJob(int jobId, int timeoutMs = 120000) const;
    // The document the scheduler was handed for the job (its first file).
    QString spooledDocument(int jobId) const;
    // The PDF files cups-pdf wrote, sorted by name.
    QStringList outputPdfs() const;
    // Number of jobs the scheduler knows of (all states).
    int jobCount() const;

private:
    bool start();
    bool fail(const QString& reason);
    QString writeConfig();

    QTemporaryDir dir_;
    std::unique_ptr<QProcess> cupsd_;
    bool running_ = false;
    QString skipReason_;
    QByteArray savedServer_;
    QByteArray savedServerRoot_;
    QByteArray savedHome_;
    QByteArray savedPrinter_;
    QByteArray savedLpdest_;
};

// Facts about a PDF file from poppler's tools.
struct PdfFacts {
    bool ok = false; // pdfinfo could read it
    int pages = 0;
    double widthPt = 0; // the first page's size as the reader shows it (rotation applied)
    double heightPt = 0;
    QString text; // pdftotext of the whole file
};
PdfFacts readPdf(const QString& path);
// True when pdfinfo and pdftotext are there.
bool havePopplerTools();

} // namespace testutils
