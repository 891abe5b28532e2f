// SPDX-License-Identifier: MIT
#pragma once
// The settings that outlive a run: one per-user store (~/.config/Quelda.conf), section LOBEVW,
// every value kept as text and booleans as "1" / "0".
#include <QtCore/QSettings>
#include <QtCore/QString>
#include <memory>
#include <optional>

class SettingsStore {
public:
    // The user's store: organisation "Quelda", native format.
    SettingsStore();
    // A store in an explicit file (tests, portable installs).
    explicit SettingsStore(const QString& fileName);
    ~SettingsStore();

    // A boolean is the stored text read as a decimal integer, non-zero meaning true; a missing
    // value or a text that is not an integer gives the default.
    bool readBool(const QString& name, bool defaultValue) const;
    QString readString(const QString& name, const QString& defaultValue) const;
    void writeBool(const QString& name, bool value);
    void writeString(const QString& name, const QString& value);

    // "Path" of the section "Common Files", when present. Only read, never written.
    std::optional<QString> commonFilesPath() const;

    // Writes pending changes to disk. False when the store could not be written.
    bool sync();
    QString fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

// The values the main window owns.
struct ShellSettings {
    bool Associated = false;
    QString SourceDir;
    QString JPGfiles;
    QString GIFfiles;
    QString PDFfiles;

    // The output folders default to folders of the program directory, the data folder to the
    // sample catalogue in `resourceDir` (the program directory when empty).
    static ShellSettings defaults(const QString& programDir, const QString& resourceDir = {});
    // Reads Associated, SourceDir, JPGfiles, GIFfiles, PDFfiles in this order.
    static ShellSettings read(const SettingsStore& store, const QString& programDir,
                              const QString& resourceDir = {});
};

// The values the graph window keeps as check states of its menu items.
struct GraphSettings {
    bool PenColor = false;
    bool MakeGIF = false;
    bool MakeJPG = false;
    bool MakePDF = false;
    bool PrintGraph = true;
    bool PrintData = false;
    bool PrintPause = false;

    static GraphSettings read(const SettingsStore& store);
    friend bool operator==(const GraphSettings&, const GraphSettings&) = default;
};

// Writes all twelve values in their fixed order: Associated, SourceDir, PenColor, MakeGIF,
// MakeJPG, MakePDF, PrintGraph, PrintData, PrintPause, JPGfiles, GIFfiles, PDFfiles.
bool writeAllSettings(SettingsStore& store, const ShellSettings& shell, const GraphSettings& graph);
