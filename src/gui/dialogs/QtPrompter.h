// SPDX-License-Identifier: MIT
#pragma once
#include "base/Prompter.h"

class QWidget;

// Message boxes of the desktop, each with an OK button, shown over the window in use.
class QtPrompter : public Prompter {
public:
    // `parent` owns the message boxes while no window of the program is modal or active.
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    // The window a message box is shown over.
    QWidget* owner() const;
    void message(const QString& text) override;
    void error(const QString& text) override;
    void openFile(const QString& path) override;

private:
    QWidget* parent_;
};
