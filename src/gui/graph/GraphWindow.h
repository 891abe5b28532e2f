#pragma once
// The graph window: shows one antenna's envelope on the screen chart, scrolled by a slider for
// two-sided antennas. Its menu items carry seven of the program's settings as check states.
#include "adf/Pattern.h"
#include "base/Settings.h"
#include "catalogue/IndexRecord.h"
#include "output/SaveDialogs.h"
#include "output/VectorPages.h"
#include "pages/MaskOverlay.h"
#include "pages/PageMapper.h"
#include "pages/PageSource.h"
#include "print/PrintRun.h"

#include <QtGui/QImage>
#include <QtWidgets/QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QMenu;
class QPrinter;
class QPushButton;
class QPainter;
class QLabel;
class QSlider;
class QToolButton;
class QFrame;
class AppContext;
class LegendWindow;
class ComplianceWindow;
class ExportOptionsDialog;
class ExportDataDialog;
class VectorExportDialog;
class OutputFoldersDialog;
class PdfRunControl;
class PrintOptionsDialog;
class PenWidthDialog;

class GraphWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads the seven graph settings from the program's store.
    explicit GraphWindow(AppContext& context, QWidget* parent = nullptr);

    // Shows one antenna: reads its data file, draws it, and shows the window over the selection
    // window until it closes. `dataFile` overrides the record's file in the data directory. A
    // conversion error is reported and the window is not shown.
    void ShowAntenna(const IndexRecord& record, const QString& dataFile = {});
    // Resets, reads and draws the antenna in CurrentRecord. Returns the conversion message when
    // the data file could not be read.
    std::optional<QString> LoadAntenna(const QString& dataFile = {});
    // Copies the part of the screen canvas on show into the visible image.
    void UpdateChartView();
    // Draws the screen canvas again from the loaded pattern (chart, traces, mask), then the view.
    void RedrawScreenChart();
    // The mask the chart pages draw when the compliance window's "Show mask on pages" is ticked:
    // the chosen category's step line and its caption ("FCC 101.115 Cat. A"). Nothing otherwise.
    std::optional<MaskOverlay> PageMaskOverlay() const;
    // The title, menu and tool bars of the window, in global coordinates: what a window opened
    // beside it leaves uncovered.
    QRect commandBars() const;
    // Where the program keeps the files it writes (the PDF temporaries among them).
    QString programDirectory() const;
    // Where the files that ship with the program are (masks/, NSMAData/).
    QString resourceDirectory() const;

    // The page routines: the chart page (portrait for one-sided antennas, landscape for the
    // others) and the data sheet of the antenna on show, on the printer's current page (the pen
    // factor chosen in the pen width dialog, 3 while none was chosen) or on a scratch image that
    // each routine makes afresh (pen factor 1). Print and export runs call them.
    void DrawPortraitGraphPage(QPainter& printerPage);
    void DrawPortraitGraphPage(QImage& scratchImage);
    void DrawLandscapeGraphPage(QPainter& printerPage);
    void DrawLandscapeGraphPage(QImage& scratchImage);
    void DrawDataPage(QPainter& printerPage);
    void DrawDataPage(QImage& scratchImage);

    // The pen width dialog's choice for printed chart pages, 0 while none was made (printed as
    // 3); export images are drawn with 1 whatever it is.
    void SetPenFactor(int factor) { PenFactor = factor; }
    int GetPenFactor() const { return PenFactor; }
    void setLegend(LegendWindow* legend) { legend_ = legend; }
    // The export option dialogs and the File Locations dialog, created after this window.
    void setExportWindows(ExportOptionsDialog* graphOptions, ExportDataDialog* dataOptions,
                          OutputFoldersDialog* fileLocations);
    // True while a print/export run or a text export is in progress: the window then takes no
    // commands.
    bool isRunning() const { return runActive_; }

    GraphSettings graphSettings() const;
    void applyGraphSettings(const GraphSettings& settings);

    // The antenna on show.
    IndexRecord CurrentRecord;
    QString CurrentDataPath; // its data file; empty when it was not found
    LoadedPattern Pattern;
    bool FirstLoad = true;
    int PenFactor = 0;
    PageMapper PageMap; // the mapping every printed or exported page is drawn through
    QImage Image2;      // the whole screen chart, 960 x 400

    // How the window is shown modally (tests replace it), and what ends the program when the
    // window is closed other than through "Selection".
    std::function<void(GraphWindow&)> runModal;
    std::function<void()> endProgram;

    // The visible image and its picture.
    QLabel* Image1 = nullptr;
    QImage visibleImage() const { return visible_; }

    QSlider* TrackBar1 = nullptr;
    QToolButton* tbExport = nullptr;
    QToolButton* tbPrint = nullptr;
    QToolButton* tbLegend = nullptr;
    QToolButton* tbSelect = nullptr;
    QAction* Legend1 = nullptr;
    QAction* Select1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* Compliance1 = nullptr;
    ComplianceWindow* complianceWindow = nullptr; // made when first opened
    QAction* printAction = nullptr;
    QAction* ExportGraph1 = nullptr;
    QAction* ExportData1 = nullptr;
    QAction* OutputLocations1 = nullptr;            // "&Output Locations..."
    QAction* ExportVectorPdf1 = nullptr;            // File > Export > "Vector PDF..."
    QAction* ExportSvg1 = nullptr;                  // File > Export > "SVG..."
    VectorExportDialog* VectorExportForm = nullptr; // asks graph, data or both
    ExportOptionsDialog* ExportOptionsForm = nullptr;
    ExportDataDialog* ExportDataForm = nullptr;
    OutputFoldersDialog* FileLoc = nullptr;
    // The save dialogs of the export runs (SaveDialog1, SaveDialog2): the desktop's unless a
    // test answers them.
    std::unique_ptr<SaveDialogs> saveDialogs;
    // Called when a PDF run has started the converter (tests).
    std::function<void()> onConverterStarted;

    QAction* Color1 = nullptr;   // "&Color"          -> PenColor
    QAction* MakeGIF1 = nullptr; // "Make &GIF"       -> MakeGIF
    QAction* MakeJPG1 = nullptr; // "Make &JPG"       -> MakeJPG
    QAction* MakePDF1 = nullptr; // "&Make PDF"       -> MakePDF
    QAction* Graph1 = nullptr;   // "  &Graph"        -> PrintGraph
    QAction* Data1 = nullptr;    // "  &Data"         -> PrintData
    QAction* Pause1 = nullptr;   // " Pause Printing" -> PrintPause

    // Printing (GraphPrint.cpp). The hidden "&Print Options" and "Print" menus hold the print
    // options as check marks; the two hidden check boxes mirror "  &Graph" and "  &Data".
    QMenu* PrintOptions1 = nullptr;
    QMenu* PrintMenu1 = nullptr;
    QAction* PenWidth1 = nullptr;       // "Pen &Width..."
    QAction* SetUp1 = nullptr;          // "Printer &Set Up..."
    QAction* runOutputAction = nullptr; // "&Print": the print/export run
    QCheckBox* graphChoice = nullptr;
    QCheckBox* dataChoice = nullptr;
    QPushButton* Button3 = nullptr; // hidden "&Print" button
    // The program's one printer: keeps the printer, paper and options chosen in the printer
    // setup dialog for the rest of the program's run.
    struct PrinterDelete {
        void operator()(QPrinter* printer) const;
    };
    std::unique_ptr<QPrinter, PrinterDelete> Printer;
    // The two dialogs of printing, created with the other windows.
    void setPrintDialogs(PrintOptionsDialog* options, PenWidthDialog* penWidth);
    // Where the print branch sends its documents: the printing system through the program's
    // printer unless replaced (tests record instead).
    std::function<std::unique_ptr<PrintBackend>()> makePrintBackend;
    // What the last print branch printed, or why it failed.
    PrintRunResult LastPrintRun;

public Q_SLOTS:
    void TrackBar1Change(int position);
    void Select1Click();
    void Legend1Click();
    void Close1Click();
    void Compliance1Click();

    // The print/export run: prints when no output flag is set, else writes the files the flags
    // ask for; then opens the file a save dialog confirmed during the run.
    void runOutput();
    // Printing (GraphPrint.cpp): the print command and the print branch of the run.
    void printCommand();
    void SetUp1Click();
    void PenWidth1Click();
    void Color1Click();
    void Pause1Click();
    void Graph1Click();
    void Data1Click();
    void graphChoiceClicked();
    void dataChoiceClicked();
    // Export (GraphExport.cpp): the export commands and the export branch of the run.
    void ExportGraphClick();
    void ExportDataClick();
    // The vector exports: asks graph, data or both, then a file for each page.
    void ExportVectorPdfClick();
    void ExportSvgClick();
    // The three output toggles: each sets its flag and clears the other two, or clears its own.
    void MakeJPG1Click();
    void MakeGIF1Click();
    void MakePDF1Click();
    void OutputLocations1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    // The print command's menu item and tool button, the hidden option holders (GraphPrint.cpp).
    void buildPrintHolders(QWidget* bottomStrip);
    // What a page is drawn from: PageMap, the antenna on show, Color1 and PenFactor.
    PageSource pageSource();
    std::optional<MaskOverlay> pageMask_; // what the page being drawn shows of a mask
    // The two branches of runOutput.
    void PrintBranch();
    void ExportBranch();
    // The text copy of "Export Data".
    void ExportTextData();
    void exportVector(VectorFormat format);
    void buildExportCommands();
    void setOutputFlag(QAction* flag, bool on);
    // A run starts only when none is in progress; at its end the window closes when that was
    // asked for meanwhile.
    bool beginRun();
    void endRun();
    bool runActive_ = false;
    bool closeAfterRun_ = false;
    PdfRunControl* pdfRun_ = nullptr;
    QString lastTextFolder_; // where the text save dialog was confirmed last
    // A file confirmed in a save dialog during the current run, opened at its end when produced.
    QString runConfirmedFile_;

    AppContext& context_;
    LegendWindow* legend_ = nullptr;
    PrintOptionsDialog* printOptions_ = nullptr;
    PenWidthDialog* penWidth_ = nullptr;
    QFrame* chartArea_ = nullptr;
    QImage visible_;
    bool selectionChosen_ = false;
};
