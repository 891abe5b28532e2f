// SPDX-License-Identifier: MIT
#pragma once
// "Export Data Options": the data sheet as a PDF, or the data file as a text copy.
#include "dialogs/AntennaOptionsDialog.h"

class ExportDataDialog : public AntennaOptionsDialog {
    Q_OBJECT
public:
    explicit ExportDataDialog(QWidget* parent = nullptr);

    QRadioButton* rbPDF = nullptr; // "Export to .pdf", chosen at first
    QRadioButton* rbTXT = nullptr; // "Export to .txt"
};
