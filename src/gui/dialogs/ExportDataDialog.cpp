// SPDX-License-Identifier: MIT
#include "dialogs/ExportDataDialog.h"

#include <QtWidgets/QRadioButton>

ExportDataDialog::ExportDataDialog(QWidget* parent)
    : AntennaOptionsDialog(parent, "ExportDataForm", QStringLiteral("Export Data Options"), 452,
                           19) {
    rbPDF = addRadio("rbPDF", QStringLiteral("Export to .pdf"), 43);
    rbTXT = addRadio("rbTXT", QStringLiteral("Export to .txt"), 62);
    rbPDF->setChecked(true);
}
