#include "DirectForm.h"

TDirectorySelect::TDirectorySelect(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DirectorySelect"));
    setWindowTitle(QStringLiteral("Select Location"));
}
