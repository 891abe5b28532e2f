#pragma once
#include <QtWidgets/QDialog>

class TPenWidthDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPenWidthDlg(QWidget* parent = nullptr);
};
