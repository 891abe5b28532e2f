// SPDX-License-Identifier: MIT
#include "dialogs/ExportOptionsDialog.h"

#include <QtWidgets/QRadioButton>

ExportOptionsDialog::ExportOptionsDialog(QWidget* parent)
    : AntennaOptionsDialog(parent, "ExportOptionsForm", QStringLiteral("Export Graph Options"), 455,
                           17) {
    rbPDF = addRadio("rbPDF", QStringLiteral("Export to .pdf"), 43);
    rbGIF = addRadio("rbGIF", QStringLiteral("Export to .gif"), 63);
    rbJPG = addRadio("rbJPG", QStringLiteral("Export to .jpg"), 83);
    rbPDF->setChecked(true);
    addColourBox(12);
}
