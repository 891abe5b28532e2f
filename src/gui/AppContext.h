// SPDX-License-Identifier: MIT
#pragma once
// What every window of the program shares for the run: where the program and its files are, the
// settings (store and shell settings), the prompter and the open index. Made once, before the
// windows, and handed to each of them.
#include "base/AppEnvironment.h"
#include "base/Settings.h"
#include "catalogue/IndexFile.h"

#include <functional>
#include <memory>

class AppContext {
public:
    // Opens the settings store and reads the shell settings and the common files folder.
    explicit AppContext(AppEnvironment env);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    const AppEnvironment& environment() const { return env_; }
    // Where the program keeps the files it writes (see AppEnvironment::programDir).
    QString programDirectory() const { return env_.programDir; }
    // Where the files that ship with the program are (NSMAData/, masks/).
    QString resourceDirectory() const {
        return env_.resourceDir.isEmpty() ? env_.programDir : env_.resourceDir;
    }
    QString commonFilesDirectory() const { return commonFilesDir_; }
    SettingsStore& settingsStore() { return *store_; }
    ShellSettings& shellSettings() { return shell_; }
    const ShellSettings& shellSettings() const { return shell_; }
    Prompter& prompter() const { return *env_.prompter; }
    IndexFile& index() { return index_; }

    // Where the seven graph settings come from when all twelve are written (the graph window's
    // choices); without it they are written back as the store holds them.
    std::function<GraphSettings()> graphSettings;
    // Writes all twelve settings: what closing the program, by either window, does.
    bool saveSettings();

private:
    AppEnvironment env_;
    std::unique_ptr<SettingsStore> store_;
    ShellSettings shell_;
    QString commonFilesDir_;
    IndexFile index_;
};
