#include "PenWidth.h"

TPenWidthDlg::TPenWidthDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PenWidthDlg"));
    setWindowTitle(QStringLiteral("Pen Width"));
}
