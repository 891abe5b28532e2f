#include "LegendU.h"

TLegend::TLegend(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Legend"));
    setWindowTitle(QStringLiteral("Legend"));
}
