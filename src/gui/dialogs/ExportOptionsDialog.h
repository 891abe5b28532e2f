// SPDX-License-Identifier: MIT
#pragma once
// The export option dialogs: "Export Graph Options" (ExportOptionsDialog) and, in ExportDataDialog,
// "Export Data Options" (ExportDataDialog). Both name the antenna on show in a one-row list and
// ask for the kind of file with radio buttons; the choice stays from one showing to the next.
#include "dialogs/AntennaOptionsDialog.h"

class QRadioButton;

class ExportOptionsDialog : public AntennaOptionsDialog {
    Q_OBJECT
public:
    explicit ExportOptionsDialog(QWidget* parent = nullptr);

    QRadioButton* rbPDF = nullptr; // "Export to .pdf", chosen at first
    QRadioButton* rbGIF = nullptr; // "Export to .gif"
    QRadioButton* rbJPG = nullptr; // "Export to .jpg"
};
