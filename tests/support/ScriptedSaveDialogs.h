// SPDX-License-Identifier: MIT
#pragma once
// Save dialogs answered from a script, for the tests of the export runs.
#include "output/SaveDialogs.h"

#include <deque>

// Answers each dialog with the next scripted answer (a path, or nothing for Cancel) and records
// what was shown; without answers left every dialog is cancelled.
class ScriptedSaveDialogs : public SaveDialogs {
public:
    std::optional<QString> save(const SaveRequest& request) override {
        shown.push_back(request);
        if (answers.empty())
            return std::nullopt;
        const std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<QString>> answers;
    QList<SaveRequest> shown;
};
