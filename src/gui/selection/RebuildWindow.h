#pragma once
// The refresh window: explains the rebuild and runs it on "Proceed".
#include <QtWidgets/QDialog>

class QPushButton;
class SelectionWindow;

class RebuildWindow : public QDialog {
    Q_OBJECT
public:
    explicit RebuildWindow(SelectionWindow& select, QWidget* parent = nullptr);

    QPushButton* Proceed = nullptr;
    QPushButton* Cancel = nullptr;

public Q_SLOTS:
    // Runs the rebuild; the window closes when it succeeded and stays open otherwise.
    void ProceedClick();

private:
    SelectionWindow& select_;
};
