#pragma once
#include <QtWidgets/QDialog>

class TExportOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TExportOptionsForm(QWidget* parent = nullptr);
};
