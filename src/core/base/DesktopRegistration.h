// SPDX-License-Identifier: MIT
#pragma once
// Registers the ".adf" data file type with the user's desktop (XDG): a MIME type, a .desktop entry
// that starts this program with the file, the icons, and the default-application choice. Every
// file goes under the user's own data and config folders, never system-wide.
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <functional>
#include <optional>

struct DesktopLocations {
    QString dataHome;   // $XDG_DATA_HOME or ~/.local/share
    QString configHome; // $XDG_CONFIG_HOME or ~/.config

    static DesktopLocations fromEnvironment();
};

inline constexpr char AdfMimeType[] = "application/x-nsma-adf";
inline constexpr char DesktopFileName[] = "lobeview.desktop";

// Runs a helper program; returns its error text when it could not run or failed.
using CommandRunner =
    std::function<std::optional<QString>(const QString& program, const QStringList& args)>;

// The default runner: starts the program without a shell and waits for it.
std::optional<QString> runDesktopTool(const QString& program, const QStringList& args);

// Writes the registration for `programPath`. Returns the error text of the first step that
// failed; nothing is left half-registered in a way that breaks a later retry.
std::optional<QString> registerAdfFileType(const QString& programPath,
                                           const DesktopLocations& where,
                                           const CommandRunner& run = runDesktopTool);

// The .desktop entry text (exposed for tests).
QByteArray desktopEntry(const QString& programPath);
// The shared-mime-info package text (exposed for tests).
QByteArray mimePackage();
