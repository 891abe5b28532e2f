#pragma once
#include <QtWidgets/QDialog>

class TChooseDlg : public QDialog {
    Q_OBJECT
public:
    explicit TChooseDlg(QWidget* parent = nullptr);
};
