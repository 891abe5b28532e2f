#pragma once
#include <QtWidgets/QDialog>

class TFileLoc : public QDialog {
    Q_OBJECT
public:
    explicit TFileLoc(QWidget* parent = nullptr);
};
