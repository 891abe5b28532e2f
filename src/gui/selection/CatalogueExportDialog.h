// SPDX-License-Identifier: MIT
#pragma once
// File > Export Catalogue... of the main window: the dialog that asks where to, in which format
// and which pages, and the run with a progress dialog and a Stop button. The export itself is
// CatalogueExport, run in the background so the windows stay responsive.
#include "output/CatalogueExport.h"

#include <QtWidgets/QDialog>
#include <functional>

class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressDialog;
class QPushButton;
class QRadioButton;

namespace catalogue {
class BackgroundExport;
}

class CatalogueExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit CatalogueExportDialog(Prompter& prompter, QWidget* parent = nullptr);

    // Shows `catalogueDir` as the catalogue and presets the output folder, unless one was chosen
    // before in this run of the program.
    void prepare(const QString& catalogueDir, const QString& outputDir);
    // The run the dialog describes (one worker per core).
    catalogue::Options options() const;

    // How the output folder is picked (tests replace it): given the folder shown, the one chosen,
    // or an empty text when cancelled.
    std::function<QString(const QString&)> chooseFolder;

    QLabel* catalogueLabel = nullptr;
    QLineEdit* folderEdit = nullptr;
    QPushButton* browseButton = nullptr;
    QComboBox* formatBox = nullptr;
    QRadioButton* chartButton = nullptr;
    QRadioButton* dataButton = nullptr;
    QRadioButton* bothButton = nullptr;
    QCheckBox* colorCheck = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

public Q_SLOTS:
    void BrowseButtonClick();
    void FormatBoxChange();
    void btnOKClick();

private:
    Prompter& prompter_;
    QString catalogueDir_;
    bool folderChosen_ = false;
};

// Runs the export with a progress dialog whose Stop button lets the workers finish the files in
// hand and start no other; afterwards the summary is shown (as an error when a file failed).
// `prepared`, when given, is called with the run and the progress dialog before the run starts
// (tests).
catalogue::Report RunCatalogueExportWithProgress(
    QWidget* parent, const catalogue::Options& options, Prompter& prompter,
    const std::function<void(catalogue::BackgroundExport&, QProgressDialog&)>& prepared = {});
