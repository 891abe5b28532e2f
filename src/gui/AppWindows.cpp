// SPDX-License-Identifier: MIT
#include "AppWindows.h"

#include "AppContext.h"
#include "compare/CompareWindow.h"
#include "dialogs/ExportDataDialog.h"
#include "dialogs/ExportOptionsDialog.h"
#include "dialogs/OutputFoldersDialog.h"
#include "dialogs/PenWidthDialog.h"
#include "dialogs/PrintOptionsDialog.h"
#include "dialogs/PrinterSetupDialog.h"
#include "dialogs/WindowPlacement.h"
#include "graph/GraphSession.h"
#include "graph/GraphWindow.h"
#include "graph/LegendWindow.h"
#include "print/CupsPrint.h"
#include "selection/DataFolderDialog.h"
#include "selection/FindWindow.h"
#include "selection/IndexTableWindow.h"
#include "selection/ModelChooserDialog.h"
#include "selection/RebuildWindow.h"
#include "selection/SelectionWindow.h"

#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QProgressDialog>

AppWindows::AppWindows(AppEnvironment env) {
    context = std::make_unique<AppContext>(std::move(env));
    select = std::make_unique<SelectionWindow>(*context);
    SelectionWindow* owner = select.get();
    refresh = new RebuildWindow([owner] { return owner->rebuildIndex(); }, owner);
    indexDisplay = new IndexTableWindow(*context, owner);
    graph = new GraphWindow(*context, owner);
    legend = new LegendWindow(graph->session(),
                              graph); // owned by the graph window, usable while it is modal
    graph->setLegend(legend);
    chooser = new ModelChooserDialog(context->prompter(), owner);
    // The dialogs the graph window opens belong to it: the window system keeps them above the
    // chart and leaves the selection window where it is.
    penWidth = new PenWidthDialog(graph);
    directory = new DataFolderDialog(owner);
    fileLocations = new OutputFoldersDialog(context->shellSettings(), context->programDirectory(),
                                            context->prompter(), graph);
    printOptions = new PrintOptionsDialog(graph);
    graph->setPrintDialogs(printOptions, penWidth);
    exportOptions = new ExportOptionsDialog(graph);
    exportData = new ExportDataDialog(graph);
    graph->setExportWindows(exportOptions, exportData, fileLocations);
    for (QWidget* w : inCreationOrder())
        w->hide();
    select->setPeers({refresh, indexDisplay, chooser, directory});
    // The selection window shows its antennas in the graph window; the program's settings take
    // the graph window's choices.
    select->showAntenna = [this](const IndexRecord& record, const QString& path) {
        graph->ShowAntenna(record, path);
    };
    context->graphSettings = [this] { return graph->session().graphSettings(); };
    QObject::connect(select.get(), &SelectionWindow::findRequested, select.get(),
                     [this] { showFindWindow(); });
    QObject::connect(select.get(), &SelectionWindow::compareRequested, select.get(),
                     [this](const QList<IndexRecord>& records) {
                         std::vector<CompareWindow::Source> sources;
                         for (const IndexRecord& record : records)
                             sources.push_back({record, {}});
                         compareWindow().showWithRecords(sources);
                     });
    QObject::connect(graph, &GraphWindow::compareRequested, graph,
                     [this] { compareWindow().showWith({graph->session().antenna}); });
    // An open find window reads the new index once a rebuild is over (the rebuild's progress
    // window goes with it) and the selection window has loaded it.
    QObject::connect(select.get(), &SelectionWindow::rebuildStarted, select.get(),
                     [this](QProgressDialog* progress) {
                         QObject::connect(progress, &QObject::destroyed, select.get(), [this] {
                             if (find && find->isVisible())
                                 QMetaObject::invokeMethod(
                                     find, [this] { find->reload(); }, Qt::QueuedConnection);
                         });
                     });
}

void AppWindows::showFindWindow() {
    if (!find) {
        find = new FindWindow(*context, select.get());
        QObject::connect(find, &FindWindow::antennaChosen, select.get(),
                         [this](const IndexRecord& record, const QString& path) {
                             select->showAntenna(record, path);
                         });
        QObject::connect(find, &FindWindow::compareChosen, select.get(),
                         [this](const std::vector<FoundAntenna>& found) {
                             std::vector<CompareWindow::Source> sources;
                             for (const FoundAntenna& antenna : found)
                                 sources.push_back({antenna.record, antenna.path});
                             compareWindow().showWithRecords(sources);
                         });
        // First shown in the middle of the screen; later where the user left it.
        centreOnScreen(find);
    }
    find->show();
    find->raise();
    find->activateWindow();
}

CompareWindow& AppWindows::compareWindow() {
    if (!compare) {
        compare = new CompareWindow(*context, graph);
        // Pages in colour as the graph window's are; printed on the program's printer.
        compare->pagesInColour = [this] { return graph->session().isOn(GraphSession::Colour); };
        compare->makePrintBackend = [this]() -> std::unique_ptr<PrintBackend> {
            return std::make_unique<CupsBackend>(SetupFromPrinter(*graph->Printer));
        };
        centreOnScreen(compare);
    }
    return *compare;
}

AppWindows::~AppWindows() = default;

QList<QWidget*> AppWindows::inCreationOrder() const {
    return {select.get(), refresh,   indexDisplay,  graph,        legend,        chooser,
            penWidth,     directory, fileLocations, printOptions, exportOptions, exportData};
}
