#include "Refresh.h"

TRefreshForm::TRefreshForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RefreshForm"));
    setWindowTitle(QStringLiteral("RefreshForm"));
}
