// SPDX-License-Identifier: MIT
#pragma once
// The private folder of one PDF run. The page's GIF, the HTML page around it, the converter's
// home and its output live there and nowhere else, so the program folder and the user's files
// are never touched, and two runs (of one process or of two) never meet.
//
// Folders live under $XDG_RUNTIME_DIR/lobeview when that is the user's own private folder, else
// under the per-user cache folder, and are named "pdf-HOST-PID-XXXXXX". A folder is removed when
// its run ends; one left by a run that was killed is removed by the next program that starts on
// the same host once the process that made it is gone, and the batch tool removes its folders on
// SIGINT, SIGTERM and SIGHUP before it ends.
#include <QtCore/QString>
#include <QtCore/QTemporaryDir>
#include <optional>

// Where run folders are made. The first call decides (or SetPdfRunsRoot before it).
QString PdfRunsRoot();
// Fixes the place of run folders, for a program that changes $XDG_RUNTIME_DIR for its own
// reasons after reading it (the batch tool).
void SetPdfRunsRoot(const QString& folder);

// Removes the run folders of this host whose process has ended. Returns how many went.
int RemoveAbandonedPdfRunFolders();

// Makes SIGINT, SIGTERM and SIGHUP stop running converters and remove every active run folder's
// files before the process ends by the signal as it would have.
void InstallPdfRunCleanupOnSignals();

class PdfRunFolder {
public:
    PdfRunFolder();
    ~PdfRunFolder();
    PdfRunFolder(const PdfRunFolder&) = delete;
    PdfRunFolder& operator=(const PdfRunFolder&) = delete;

    bool isValid() const { return dir_.has_value() && dir_->isValid(); }
    // Why the folder could not be made.
    QString errorString() const { return error_; }
    // The folder, ending in "/".
    QString path() const;

    // Tells the signal cleanup which files of the folder to remove (up to three files and the
    // converter's home folder) and which converter to stop. Paths are absolute.
    void track(const QString& gif, const QString& html, const QString& pdf, const QString& home);
    void trackConverter(long long pid);

private:
    std::optional<QTemporaryDir> dir_;
    QString error_;
    int slot_ = -1;
};
