#pragma once
#include <QtWidgets/QDialog>

class TDirectorySelect : public QDialog {
    Q_OBJECT
public:
    explicit TDirectorySelect(QWidget* parent = nullptr);
};
