#pragma once
#include <QtWidgets/QDialog>

class TLegend : public QDialog {
    Q_OBJECT
public:
    explicit TLegend(QWidget* parent = nullptr);
};
