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

    std::unique_ptr<TSelect> select; // owns the other eleven through Qt parenthood
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
