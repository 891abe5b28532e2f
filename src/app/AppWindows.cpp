#include "AppWindows.h"

#include "app/ChooseFile.h"
#include "app/DirectForm.h"
#include "app/MainUnit.h"
#include "export/ExportDataU.h"
#include "export/ExportOptionsU.h"
#include "export/FileLocDlg.h"
#include "graph/GraphUnit.h"
#include "index/FileIndx.h"
#include "index/Refresh.h"
#include "print/LegendU.h"
#include "print/PenWidth.h"
#include "print/PrintOptionsU.h"

AppWindows::AppWindows(AppEnvironment env) {
    select = std::make_unique<TSelect>(std::move(env));
    TSelect* owner = select.get();
    refresh = new TRefreshForm(*owner, owner);
    indexDisplay = new TIndexFileForm(*owner, owner);
    graph = new TGraphForm(*owner, owner);
    legend = new TLegend(*graph, graph); // owned by the graph window, usable while it is modal
    graph->setLegend(legend);
    chooser = new TChooseDlg(owner->prompter(), owner);
    // The dialogs the graph window opens belong to it: the window system keeps them above the
    // chart and leaves the selection window where it is.
    penWidth = new TPenWidthDlg(graph);
    directory = new TDirectorySelect(owner);
    fileLocations =
        new TFileLoc(owner->shellSettings(), owner->programDirectory(), owner->prompter(), graph);
    printOptions = new TPrintOptionsForm(graph);
    graph->setPrintDialogs(printOptions, penWidth);
    exportOptions = new TExportOptionsForm(graph);
    exportData = new TExportDataForm(graph);
    graph->setExportWindows(exportOptions, exportData, fileLocations);
    for (QWidget* w : all())
        w->hide();
    select->setPeers({refresh, indexDisplay, graph, chooser, directory});
}

AppWindows::~AppWindows() = default;

QList<QWidget*> AppWindows::all() const {
    return {select.get(), refresh,   indexDisplay,  graph,        legend,        chooser,
            penWidth,     directory, fileLocations, printOptions, exportOptions, exportData};
}
