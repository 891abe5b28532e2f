#pragma once
#include <QtWidgets/QDialog>

class TPrintOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrintOptionsForm(QWidget* parent = nullptr);
};
