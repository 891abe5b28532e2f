#include "ExportOptionsU.h"

TExportOptionsForm::TExportOptionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExportOptionsForm"));
    setWindowTitle(QStringLiteral("Export Graph Options"));
}
