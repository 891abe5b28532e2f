#pragma once
#include "common/Prompter.h"

class QWidget;

// Message boxes of the desktop, each with an OK button.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void message(const QString& text) override;
    void error(const QString& text) override;
    void openFile(const QString& path) override;

private:
    QWidget* parent_;
};
