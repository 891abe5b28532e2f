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
    rbGraph = addRadio("rbGraph", QStringLiteral("Graph"), 43);
    rbData = addRadio("rbData", QStringLiteral("Data"), 63);
    rbBoth = addRadio("rbBoth", QStringLiteral("Graph and Data"), 83);
    rbGraph->setChecked(true);
}

void VectorExportDialog::SetFormat(VectorFormat format) {
    setWindowTitle(caption(format));
    choiceLabel()->setText(caption(format));
}

VectorPageChoice VectorExportDialog::Choice() const {
    if (rbData->isChecked())
        return VectorPageChoice::Data;
    if (rbBoth->isChecked())
        return VectorPageChoice::Both;
    return VectorPageChoice::Chart;
}
