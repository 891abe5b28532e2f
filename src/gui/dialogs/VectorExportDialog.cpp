// SPDX-License-Identifier: MIT
#include "dialogs/VectorExportDialog.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QRadioButton>

namespace {
QString caption(VectorFormat format) {
    return format == VectorFormat::Pdf ? QStringLiteral("Export Vector PDF")
                                       : QStringLiteral("Export SVG");
}
} // namespace

VectorExportDialog::VectorExportDialog(QWidget* parent)
    : AntennaOptionsDialog(parent, "VectorExportForm", caption(VectorFormat::Pdf), 455, 17) {
    graphButton = addRadio("graphButton", QStringLiteral("Graph"), 43);
    dataButton = addRadio("dataButton", QStringLiteral("Data"), 63);
    bothButton = addRadio("bothButton", QStringLiteral("Graph and Data"), 83);
    graphButton->setChecked(true);
}

void VectorExportDialog::SetFormat(VectorFormat format) {
    setWindowTitle(caption(format));
    choiceLabel()->setText(caption(format));
}

VectorPageChoice VectorExportDialog::Choice() const {
    if (dataButton->isChecked())
        return VectorPageChoice::Data;
    if (bothButton->isChecked())
        return VectorPageChoice::Both;
    return VectorPageChoice::Chart;
}
