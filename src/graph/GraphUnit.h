#pragma once
// The graph window: shows one antenna's envelope chart. Its menu items carry seven of the
// program's settings as check states.
#include "app/Settings.h"
#include "index/IndexRecord.h"

#include <QtWidgets/QMainWindow>

class QAction;
class TSelect;

class TGraphForm : public QMainWindow {
    Q_OBJECT
public:
    // Reads the seven graph settings through the main window's store.
    explicit TGraphForm(TSelect& select, QWidget* parent = nullptr);

    // Shows one antenna: reads its data file and opens the window over the selection window.
    // `dataFile` overrides the record's file in the data directory.
    void ShowAntenna(const IndexRecord& record, const QString& dataFile = {});
    IndexRecord CurrentRecord;

    GraphSettings graphSettings() const;
    void applyGraphSettings(const GraphSettings& settings);

    QAction* Color1 = nullptr;       // "&Color"        -> PenColor
    QAction* MakeGIF1 = nullptr;     // "Make &GIF"     -> MakeGIF
    QAction* MakeJPG1 = nullptr;     // "Make &JPG"     -> MakeJPG
    QAction* MakePDF1 = nullptr;     // "&Make PDF"     -> MakePDF
    QAction* Graph1 = nullptr;       // "  &Graph"      -> PrintGraph
    QAction* Data1 = nullptr;        // "  &Data"       -> PrintData
    QAction* PausePrint1 = nullptr;  // " Pause Printing" -> PrintPause

private:
    TSelect& select_;
};
