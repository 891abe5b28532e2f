#pragma once
#include <QtWidgets/QDialog>

class TIndexFileForm : public QDialog {
    Q_OBJECT
public:
    explicit TIndexFileForm(QWidget* parent = nullptr);
};
