#pragma once
#include <QtWidgets/QDialog>

class TRefreshForm : public QDialog {
    Q_OBJECT
public:
    explicit TRefreshForm(QWidget* parent = nullptr);
};
