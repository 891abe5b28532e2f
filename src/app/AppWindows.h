#pragma once
// The program's twelve windows, created once, hidden, in their fixed order. The selection window
// comes first: it owns the settings, and the graph window reads its options through it.
#include "app/AppEnvironment.h"

#include <memory>

class TSelect;
class TRefreshForm;
class TIndexFileForm;
class TGraphForm;
class TLegend;
class TChooseDlg;
class TPenWidthDlg;
class TDirectorySelect;
class TFileLoc;
class TPrintOptionsForm;
class TExportOptionsForm;
class TExportDataForm;
class QWidget;

class AppWindows {
public:
    explicit AppWindows(AppEnvironment env);
    ~AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    // The windows in creation order.
    QList<QWidget*> all() const;

    // Owns the other eleven through Qt parenthood: the graph window, and through it the legend
    // and the dialogs opened from the chart, are its children.
    std::unique_ptr<TSelect> select;
    TRefreshForm* refresh = nullptr;
    TIndexFileForm* indexDisplay = nullptr;
    TGraphForm* graph = nullptr;
    TLegend* legend = nullptr;
    TChooseDlg* chooser = nullptr;
    TPenWidthDlg* penWidth = nullptr;
    TDirectorySelect* directory = nullptr;
    TFileLoc* fileLocations = nullptr;
    TPrintOptionsForm* printOptions = nullptr;
    TExportOptionsForm* exportOptions = nullptr;
    TExportDataForm* exportData = nullptr;
};
