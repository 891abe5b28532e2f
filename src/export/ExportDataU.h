#pragma once
#include <QtWidgets/QDialog>

class TExportDataForm : public QDialog {
    Q_OBJECT
public:
    explicit TExportDataForm(QWidget* parent = nullptr);
};
