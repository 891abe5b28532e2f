// SPDX-License-Identifier: MIT
#pragma once
// The antenna selection window: the program's main window. It narrows the catalogue of the
// program's index by frequency range, type and model number, and keeps the data directory.
#include "catalogue/CatalogueLists.h"
#include "catalogue/IndexRefresh.h"

#include <QtWidgets/QMainWindow>
#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QAction;
class AppContext;
class RebuildWindow;
class IndexTableWindow;
class ModelChooserDialog;
class DataFolderDialog;
class QDialog;
class QProgressDialog;
class CatalogueExportDialog;

class SelectionWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit SelectionWindow(AppContext& context, QWidget* parent = nullptr);
    ~SelectionWindow() override;

    // The windows this one calls, set once after all twelve exist.
    struct Peers {
        RebuildWindow* refresh = nullptr;
        IndexTableWindow* indexDisplay = nullptr;
        ModelChooserDialog* chooser = nullptr;
        DataFolderDialog* directory = nullptr;
    };
    void setPeers(const Peers& peers) { peers_ = peers; }

    QString createdHint() const { return createdHint_; }

    // Loads the index (rebuilding it when it cannot be opened) and fills the range list.
    void loadIndex();
    // Rebuilds the index from SourceDir with progress, reports what was left out, and shows the
    // index display. True when the new index is in place.
    bool rebuildIndex();
    // Rebuilds the index from `sourceDir`. When the index is not written (stopped, folder not
    // readable, index not writable) the old one stays. For a `newFolder` (not the data
    // directory) a folder without data files leaves the old index too, and the message says
    // that the data directory stays. Returns how the rebuild ended.
    RebuildReport::Outcome rebuildIndex(const QString& sourceDir, bool newFolder);
    // Opens a data file path or a model number given on the command line.
    void commandLineOpen(const QString& argument);
    // What the window does when first shown: load the index, then the command-line argument.
    void firstShow();

    // How a modal dialog is run; tests answer dialogs through this.
    std::function<int(QDialog&)> runDialog;
    // How an antenna is shown (the graph window's ShowAntenna; nothing until it is set). `path`
    // is the data file to read when it is not the record's file in the data directory.
    std::function<void(const IndexRecord&, const QString& path)> showAntenna;

    QListWidget* rangeList = nullptr;
    QListWidget* typeList = nullptr;
    QListWidget* modelList = nullptr;

Q_SIGNALS:
    // A rebuild is about to run behind this progress window ("Stop" cancels it).
    void rebuildStarted(QProgressDialog* progress);
    // File > Find...: the user asks for the find window.
    void findRequested();
    // The Compare button: the user asks for the compare window with the model chosen in the
    // model list (the record the chooser settles on), or with none when no model is chosen.
    void compareRequested(const QList<IndexRecord>& records);

public Q_SLOTS:
    // Shows a hint in the status panel.
    void showHint(const QString& hint);
    void rangeChosen();
    void typeChosen();
    void modelChosen();
    // File > Refresh: rebuilds the index from the data directory.
    void refreshIndex();
    // File > Location: asks for the data directory, then rebuilds the index from it.
    void chooseDataFolder();
    // File > Export Catalogue...: every antenna of the data directory into one folder.
    void exportCatalogue();
    // The Compare button and File > Compare...
    void compareChosenModel();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    // Hints of every window of the program reach the status panel.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void registerDataFileType();
    std::optional<RangeFilter> selectedRange() const;
    void showMatches(const QList<IndexRecord>& matches, const QString& noMatchMessage);
    // The record of several matches the chooser settles on (the first one when none is
    // confirmed); nothing, after the message, when there are none.
    std::optional<IndexRecord> chooseMatch(const QList<IndexRecord>& matches,
                                           const QString& noMatchMessage);
    void fillList(QListWidget* list, const QStringList& items);

    AppContext& context_;
    QString createdHint_;
    QLabel* hintPanel_ = nullptr;
    // The Exit button and the File menu's commands, named as the member without its underscore.
    QPushButton* exitButton_ = nullptr;
    QAction* locationAction_ = nullptr;
    QAction* refreshAction_ = nullptr;
    QAction* exportCatalogueAction_ = nullptr;
    QAction* findAction_ = nullptr;
    QAction* compareAction_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    QAction* exitAction_ = nullptr;
    Peers peers_;
    bool shownOnce_ = false;
    CatalogueExportDialog* catalogueExport_ = nullptr; // made on first use
};
