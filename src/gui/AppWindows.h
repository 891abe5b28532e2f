// SPDX-License-Identifier: MIT
#pragma once
// The program's twelve windows, created once, hidden, in their fixed order, after the context
// they share (settings, paths, prompter, index). The windows reach each other only through what
// is wired here.
#include "base/AppEnvironment.h"

#include <memory>

class AppContext;
class SelectionWindow;
class RebuildWindow;
class IndexTableWindow;
class GraphWindow;
class LegendWindow;
class ModelChooserDialog;
class PenWidthDialog;
class DataFolderDialog;
class OutputFoldersDialog;
class PrintOptionsDialog;
class ExportOptionsDialog;
class ExportDataDialog;
class FindWindow;
class CompareWindow;
class QWidget;

class AppWindows {
public:
    explicit AppWindows(AppEnvironment env);
    ~AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    // The windows in creation order.
    QList<QWidget*> inCreationOrder() const;

    // What the windows share; made first, gone last.
    std::unique_ptr<AppContext> context;
    // Owns the other eleven through Qt parenthood: the graph window, and through it the legend
    // and the dialogs opened from the chart, are its children.
    std::unique_ptr<SelectionWindow> select;
    RebuildWindow* refresh = nullptr;
    IndexTableWindow* indexDisplay = nullptr;
    GraphWindow* graph = nullptr;
    LegendWindow* legend = nullptr;
    ModelChooserDialog* chooser = nullptr;
    PenWidthDialog* penWidth = nullptr;
    DataFolderDialog* directory = nullptr;
    OutputFoldersDialog* fileLocations = nullptr;
    PrintOptionsDialog* printOptions = nullptr;
    ExportOptionsDialog* exportOptions = nullptr;
    ExportDataDialog* exportData = nullptr;
    // File > Find...: made on first use, a child of the selection window; its antennas open in
    // the graph window as the selection window's do.
    FindWindow* find = nullptr;
    void showFindWindow();
    // The compare window: made on first use, a child of the graph window so that it can be
    // used while the chart is shown modally. The graph window's View > Compare..., the
    // selection window's Compare button and the find window's selected rows open it.
    CompareWindow* compare = nullptr;
    CompareWindow& compareWindow();
};
