#include "PrintOptionsU.h"

TPrintOptionsForm::TPrintOptionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PrintOptionsForm"));
    setWindowTitle(QStringLiteral("Print Options"));
}
