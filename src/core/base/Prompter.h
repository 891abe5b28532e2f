// SPDX-License-Identifier: MIT
#pragma once
// What the core's callers need from the user: messages and questions. Windows use the Qt
// implementation; tests use a scripted one, so every dialog path runs headless.
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <deque>
#include <optional>

class Prompter {
public:
    virtual ~Prompter() = default;
    // A plain message box with an OK button.
    virtual void message(const QString& text) = 0;
    // The application's error box with an OK button.
    virtual void error(const QString& text) = 0;
    // Opens a produced file with the desktop's default application. Does nothing by default.
    virtual void openFile(const QString& path) { (void)path; }
};

// Records every message and answers nothing; for tests and the batch tool.
class RecordingPrompter : public Prompter {
public:
    void message(const QString& text) override { messages.push_back(text); }
    void error(const QString& text) override { errors.push_back(text); }
    void openFile(const QString& path) override { opened.push_back(path); }

    QStringList messages;
    QStringList errors;
    QStringList opened;
};
