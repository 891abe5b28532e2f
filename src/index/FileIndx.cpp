#include "FileIndx.h"

TIndexFileForm::TIndexFileForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("IndexFileForm"));
    setWindowTitle(QStringLiteral("File Index Display"));
}
