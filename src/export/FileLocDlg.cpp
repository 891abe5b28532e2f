#include "FileLocDlg.h"

TFileLoc::TFileLoc(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FileLoc"));
    setWindowTitle(QStringLiteral("File Locations"));
}
