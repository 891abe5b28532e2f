// SPDX-License-Identifier: MIT
#include "base/Settings.h"

#include "base/NumberText.h"

namespace {
const QString Section = QStringLiteral("LOBEVW");
const QString CommonFiles = QStringLiteral("Common Files");

QString key(const QString& name) {
    return Section + QLatin1Char('/') + name;
}
} // namespace

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Quelda"))) {}

SettingsStore::SettingsStore(const QString& fileName)
    : settings_(std::make_unique<QSettings>(fileName, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

bool SettingsStore::readBool(const QString& name, bool defaultValue) const {
    const QVariant v = settings_->value(key(name));
    if (!v.isValid())
        return defaultValue;
    const auto number = numtext::parseInt(v.toString().toLatin1());
    if (!number)
        return defaultValue;
    return *number != 0;
}

QString SettingsStore::readString(const QString& name, const QString& defaultValue) const {
    const QVariant v = settings_->value(key(name));
    return v.isValid() ? v.toString() : defaultValue;
}

void SettingsStore::writeBool(const QString& name, bool value) {
    settings_->setValue(key(name), value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::writeString(const QString& name, const QString& value) {
    settings_->setValue(key(name), value);
}

std::optional<QString> SettingsStore::commonFilesPath() const {
    const QVariant v = settings_->value(CommonFiles + QStringLiteral("/Path"));
    if (!v.isValid())
        return std::nullopt;
    return v.toString();
}

bool SettingsStore::sync() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QString SettingsStore::fileName() const {
    return settings_->fileName();
}

ShellSettings ShellSettings::defaults(const QString& programDir, const QString& resourceDir) {
    ShellSettings s;
    s.SourceDir = (resourceDir.isEmpty() ? programDir : resourceDir) + QStringLiteral("NSMAdata");
    s.JPGfiles = programDir + QStringLiteral("JPG");
    s.GIFfiles = programDir + QStringLiteral("GIF");
    s.PDFfiles = programDir + QStringLiteral("PDF");
    return s;
}

ShellSettings ShellSettings::read(const SettingsStore& store, const QString& programDir,
                                  const QString& resourceDir) {
    const ShellSettings d = defaults(programDir, resourceDir);
    ShellSettings s;
    s.Associated = store.readBool(QStringLiteral("Associated"), d.Associated);
    s.SourceDir = store.readString(QStringLiteral("SourceDir"), d.SourceDir);
    s.JPGfiles = store.readString(QStringLiteral("JPGfiles"), d.JPGfiles);
    s.GIFfiles = store.readString(QStringLiteral("GIFfiles"), d.GIFfiles);
    s.PDFfiles = store.readString(QStringLiteral("PDFfiles"), d.PDFfiles);
    return s;
}

GraphSettings GraphSettings::read(const SettingsStore& store) {
    const GraphSettings d;
    GraphSettings g;
    g.PenColor = store.readBool(QStringLiteral("PenColor"), d.PenColor);
    g.MakeGIF = store.readBool(QStringLiteral("MakeGIF"), d.MakeGIF);
    g.MakeJPG = store.readBool(QStringLiteral("MakeJPG"), d.MakeJPG);
    g.MakePDF = store.readBool(QStringLiteral("MakePDF"), d.MakePDF);
    g.PrintGraph = store.readBool(QStringLiteral("PrintGraph"), d.PrintGraph);
    g.PrintData = store.readBool(QStringLiteral("PrintData"), d.PrintData);
    g.PrintPause = store.readBool(QStringLiteral("PrintPause"), d.PrintPause);
    return g;
}

bool writeAllSettings(SettingsStore& store, const ShellSettings& shell,
                      const GraphSettings& graph) {
    store.writeBool(QStringLiteral("Associated"), shell.Associated);
    store.writeString(QStringLiteral("SourceDir"), shell.SourceDir);
    store.writeBool(QStringLiteral("PenColor"), graph.PenColor);
    store.writeBool(QStringLiteral("MakeGIF"), graph.MakeGIF);
    store.writeBool(QStringLiteral("MakeJPG"), graph.MakeJPG);
    store.writeBool(QStringLiteral("MakePDF"), graph.MakePDF);
    store.writeBool(QStringLiteral("PrintGraph"), graph.PrintGraph);
    store.writeBool(QStringLiteral("PrintData"), graph.PrintData);
    store.writeBool(QStringLiteral("PrintPause"), graph.PrintPause);
    store.writeString(QStringLiteral("JPGfiles"), shell.JPGfiles);
    store.writeString(QStringLiteral("GIFfiles"), shell.GIFfiles);
    store.writeString(QStringLiteral("PDFfiles"), shell.PDFfiles);
    return store.sync();
}
