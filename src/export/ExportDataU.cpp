#include "ExportDataU.h"

TExportDataForm::TExportDataForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExportDataForm"));
    setWindowTitle(QStringLiteral("Export Data Options"));
}
