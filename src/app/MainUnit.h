#pragma once
// The antenna selection window: the program's main window. It owns the settings for the run and
// narrows the catalogue by frequency range, type and model number.
#include "app/AppEnvironment.h"
#include "app/Settings.h"

#include <QtWidgets/QMainWindow>

#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QAction;
class TGraphForm;
class TRefreshForm;
class TIndexFileForm;
class TChooseDlg;
class TDirectorySelect;

class TSelect : public QMainWindow {
    Q_OBJECT
public:
    explicit TSelect(AppEnvironment env, QWidget* parent = nullptr);
    ~TSelect() override;

    // The windows this one calls, set once after all twelve exist.
    struct Peers {
        TRefreshForm* refresh = nullptr;
        TIndexFileForm* indexDisplay = nullptr;
        TGraphForm* graph = nullptr;
        TChooseDlg* chooser = nullptr;
        TDirectorySelect* directory = nullptr;
    };
    void setPeers(const Peers& peers) { peers_ = peers; }

    const AppEnvironment& environment() const { return env_; }
    QString programDirectory() const { return env_.programDir; }
    QString commonFilesDirectory() const { return commonFilesDir_; }
    SettingsStore& settingsStore() { return *store_; }
    ShellSettings& shellSettings() { return shell_; }
    const ShellSettings& shellSettings() const { return shell_; }
    QString createdHint() const { return createdHint_; }
    Prompter& prompter() { return *env_.prompter; }

    // Writes all twelve settings (what closing the window does).
    bool saveSettings();

    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QListWidget* ListBox3 = nullptr;
    QPushButton* Button1 = nullptr;
    QAction* Location1 = nullptr;
    QAction* Refresh1 = nullptr;
    QAction* Exit1 = nullptr;

public Q_SLOTS:
    void DoShowHint(const QString& hint);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildWindow();
    void registerDataFileType();

    AppEnvironment env_;
    std::unique_ptr<SettingsStore> store_;
    ShellSettings shell_;
    QString commonFilesDir_;
    QString createdHint_;
    QLabel* hintPanel_ = nullptr;
    Peers peers_;
    bool settingsSaved_ = false;
};
