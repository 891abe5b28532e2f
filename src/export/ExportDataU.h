#pragma once
// "Export Data Options": the data sheet as a PDF, or the data file as a text copy.
#include "export/ExportOptionsU.h"

class TExportDataForm : public TAntennaOptionsDialog {
    Q_OBJECT
public:
    explicit TExportDataForm(QWidget* parent = nullptr);

    QRadioButton* rbPDF = nullptr; // "Export to .pdf", chosen at first
    QRadioButton* rbTXT = nullptr; // "Export to .txt"
};
