#include "ChooseFile.h"

TChooseDlg::TChooseDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ChooseDlg"));
    setWindowTitle(QStringLiteral("Choose RPE and Date"));
}
