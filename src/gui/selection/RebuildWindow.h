// SPDX-License-Identifier: MIT
#pragma once
// The refresh window: explains the rebuild and runs it on "Proceed".
#include <QtWidgets/QDialog>
#include <functional>

class QPushButton;

class RebuildWindow : public QDialog {
    Q_OBJECT
public:
    // `rebuild` runs the rebuild from the data directory and says whether the new index is in
    // place.
    explicit RebuildWindow(std::function<bool()> rebuild, QWidget* parent = nullptr);

    QPushButton* Proceed = nullptr;
    QPushButton* Cancel = nullptr;

public Q_SLOTS:
    // Runs the rebuild; the window closes when it succeeded and stays open otherwise.
    void ProceedClick();

private:
    std::function<bool()> rebuild_;
};
