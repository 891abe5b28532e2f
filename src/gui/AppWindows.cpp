#include "AppWindows.h"

#include "dialogs/ExportDataDialog.h"
#include "dialogs/ExportOptionsDialog.h"
#include "dialogs/OutputFoldersDialog.h"
#include "dialogs/PenWidthDialog.h"
#include "dialogs/PrintOptionsDialog.h"
#include "graph/GraphWindow.h"
#include "graph/LegendWindow.h"
#include "selection/DataFolderDialog.h"
#include "selection/IndexTableWindow.h"
#include "selection/ModelChooserDialog.h"
#include "selection/RebuildWindow.h"
#include "selection/SelectionWindow.h"

AppWindows::AppWindows(AppEnvironment env) {
    select = std::make_unique<SelectionWindow>(std::move(env));
    SelectionWindow* owner = select.get();
    refresh = new RebuildWindow(*owner, owner);
    indexDisplay = new IndexTableWindow(*owner, owner);
    graph = new GraphWindow(*owner, owner);
    legend = new LegendWindow(*graph, graph); // owned by the graph window, usable while it is modal
    graph->setLegend(legend);
    chooser = new ModelChooserDialog(owner->prompter(), owner);
    // The dialogs the graph window opens belong to it: the window system keeps them above the
    // chart and leaves the selection window where it is.
    penWidth = new PenWidthDialog(graph);
    directory = new DataFolderDialog(owner);
    fileLocations = new OutputFoldersDialog(owner->shellSettings(), owner->programDirectory(),
                                            owner->prompter(), graph);
    printOptions = new PrintOptionsDialog(graph);
    graph->setPrintDialogs(printOptions, penWidth);
    exportOptions = new ExportOptionsDialog(graph);
    exportData = new ExportDataDialog(graph);
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
