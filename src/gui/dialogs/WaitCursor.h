// SPDX-License-Identifier: MIT
#pragma once
// Shows the wait cursor for the life of the guard and restores the previous cursor after it.
#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <vector>

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Lifts every override cursor (a wait cursor of a run in progress) for the life of the guard,
// while a dialog or message box of that run waits for the user, and puts them back after.
class CursorLift {
public:
    CursorLift() {
        while (const QCursor* cursor = QGuiApplication::overrideCursor()) {
            saved_.push_back(*cursor);
            QGuiApplication::restoreOverrideCursor();
        }
    }
    ~CursorLift() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            QGuiApplication::setOverrideCursor(*it);
    }
    CursorLift(const CursorLift&) = delete;
    CursorLift& operator=(const CursorLift&) = delete;

private:
    std::vector<QCursor> saved_;
};
