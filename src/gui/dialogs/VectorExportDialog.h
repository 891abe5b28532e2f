// SPDX-License-Identifier: MIT
#pragma once
// "Export Vector PDF" / "Export SVG": names the antenna on show and asks for the graph, the data
// sheet or both, like the other export option dialogs. The choice stays from one showing to the
// next, whichever format is asked for.
#include "dialogs/AntennaOptionsDialog.h"
#include "output/VectorExportRun.h"

class VectorExportDialog : public AntennaOptionsDialog {
    Q_OBJECT
public:
    explicit VectorExportDialog(QWidget* parent = nullptr);

    // Sets the caption (and the label over the choice) for the format about to be exported.
    void SetFormat(VectorFormat format);
    VectorPageChoice Choice() const;

    QRadioButton* graphButton = nullptr; // "Graph", chosen at first
    QRadioButton* dataButton = nullptr;  // "Data"
    QRadioButton* bothButton = nullptr;  // "Graph and Data"
};
