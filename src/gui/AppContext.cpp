// SPDX-License-Identifier: MIT
#include "AppContext.h"

#include "base/ProgramPaths.h"

AppContext::AppContext(AppEnvironment env) : env_(std::move(env)) {
    // Program and common files directories.
    store_ = env_.settingsFile.isEmpty() ? std::make_unique<SettingsStore>()
                                         : std::make_unique<SettingsStore>(env_.settingsFile);
    commonFilesDir_ = paths::commonFilesDirectory(store_->commonFilesPath(), env_.programDir);
    // The shell settings.
    shell_ = ShellSettings::read(*store_, env_.programDir, resourceDirectory());
}

bool AppContext::saveSettings() {
    const GraphSettings graph = graphSettings ? graphSettings() : GraphSettings::read(*store_);
    return writeAllSettings(*store_, shell_, graph);
}
