// SPDX-License-Identifier: MIT
#pragma once
// The graph window: shows one antenna's envelope on the screen chart, scrolled by a slider for
// two-sided antennas, and runs the print and export commands. What it shows and the output
// choices are its session's.
#include "output/SaveDialogs.h"
#include "output/VectorPages.h"
#include "pages/GrownChart.h"
#include "pages/MaskOverlay.h"
#include "pages/PageMapper.h"
#include "pages/PageSource.h"
#include "print/PrintRun.h"

#include <QtGui/QImage>
#include <QtWidgets/QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QWheelEvent;
class QPrinter;
class QPainter;
class QLabel;
class QSlider;
class QToolButton;
class QFrame;
class AppContext;
class GraphSession;
class LegendWindow;
class ComplianceWindow;
class ExportOptionsDialog;
class ExportDataDialog;
class VectorExportDialog;
class OutputFoldersDialog;
class PdfRunControl;
class PrintOptionsDialog;
class PenWidthDialog;
class IndexRecord;

class GraphWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads the seven graph settings from the program's store into its session.
    explicit GraphWindow(AppContext& context, QWidget* parent = nullptr);

    // The antenna on show and the output choices.
    GraphSession& session() { return *session_; }

    // Shows one antenna: reads its data file, draws it, and shows the window over the selection
    // window until it closes. `dataFile` overrides the record's file in the data directory. A
    // conversion error is reported and the window is not shown.
    void ShowAntenna(const IndexRecord& record, const QString& dataFile = {});
    // Resets, reads and draws the antenna in the session's record. Returns the conversion
    // message when the data file could not be read.
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

    // The page routines: the chart page (portrait for one-sided antennas, landscape for the
    // others) and the data sheet of the antenna on show, on the printer's current page (the
    // session's pen factor, 3 while none was chosen) or on a scratch image that each routine
    // makes afresh (pen factor 1). Print and export runs call them.
    void DrawPortraitGraphPage(QPainter& printerPage);
    void DrawPortraitGraphPage(QImage& scratchImage);
    void DrawLandscapeGraphPage(QPainter& printerPage);
    void DrawLandscapeGraphPage(QImage& scratchImage);
    void DrawDataPage(QPainter& printerPage);
    void DrawDataPage(QImage& scratchImage);

    void setLegend(LegendWindow* legend) { legend_ = legend; }
    // The two dialogs of printing, created with the other windows.
    void setPrintDialogs(PrintOptionsDialog* options, PenWidthDialog* penWidth);
    // The export option dialogs and the File Locations dialog, created after this window.
    void setExportWindows(ExportOptionsDialog* graphOptions, ExportDataDialog* dataOptions,
                          OutputFoldersDialog* fileLocations);
    // True while a print/export run or a text export is in progress: the window then takes no
    // commands.
    bool isRunning() const { return runActive_; }

    // The whole screen chart, 960 x 400, and the part of it on show.
    const QImage& canvas() const { return canvas_; }
    QImage visibleImage() const { return visible_; }
    // The canvas columns the view shows, and whether the window is grown past its written size.
    grown::Span shownSpan() const { return span_; }
    bool isGrown() const { return grownView_; }
    // The zoomed view (mouse wheel, Ctrl+wheel, drag); nothing for the written chart.
    const std::optional<grown::Zoom>& zoom() const { return zoom_; }
    void setZoom(std::optional<grown::Zoom> zoom);
    // The compliance window, made when first opened.
    ComplianceWindow* complianceWindow() const { return compliance_; }
    // Asks graph, data or both for the vector exports.
    VectorExportDialog* vectorExportDialog() const { return vectorExportDialog_; }

    PageMapper PageMap; // the mapping every printed or exported page is drawn through

    // How the window is shown modally (tests replace it), and what ends the program when the
    // window is closed other than through "Selection".
    std::function<void(GraphWindow&)> runModal;
    std::function<void()> endProgram;

    // The save dialogs of the export runs: the desktop's unless a test answers them.
    std::unique_ptr<SaveDialogs> saveDialogs;
    // Called when a PDF run has started the converter (tests).
    std::function<void()> onConverterStarted;

    // The program's one printer: keeps the printer, paper and options chosen in the printer
    // setup dialog for the rest of the program's run.
    struct PrinterDelete {
        void operator()(QPrinter* printer) const;
    };
    std::unique_ptr<QPrinter, PrinterDelete> Printer;
    // Where the print branch sends its documents: the printing system through the program's
    // printer unless replaced (tests record instead).
    std::function<std::unique_ptr<PrintBackend>()> makePrintBackend;
    // What the last print branch printed, or why it failed.
    PrintRunResult LastPrintRun;

Q_SIGNALS:
    // View > Compare...: the user asks for the compare window with the antenna on show.
    void compareRequested();

public Q_SLOTS:
    // View > Selection, Legend, Compliance; File > Exit.
    void backToSelection();
    void showLegend();
    void showCompliance();
    void exitProgram();
    // Edit > Copy: the chart as shown, at twice the screen resolution, and the envelope as
    // tab-separated text, in one clipboard entry; Edit > Copy Data: the text alone.
    void copyChart();
    void copyData();

    // The print/export run: prints when the session asks for no file, else writes the files
    // it asks for; then opens the file a save dialog confirmed during the run.
    void runOutput();
    // Printing (GraphWindowOutput.cpp): the print command, the printer setup and the pen width.
    void printCommand();
    void setUpPrinter();
    void choosePenWidth();
    // Export (GraphWindowOutput.cpp): the export commands and the File Locations dialog.
    void exportGraph();
    void exportData();
    // The vector exports: asks graph, data or both, then a file for each page.
    void exportVectorPdf();
    void exportSvg();
    void chooseOutputFolders();

    // The cursor over the chart: the angle under the pointer or moved there by the keys, and
    // up to two pinned angles (a third pin starts again). The status line reads them out.
    std::optional<double> cursorAngle() const { return cursorAngle_; }
    const std::vector<double>& pinnedAngles() const { return pins_; }
    void setCursorAngle(std::optional<double> angle);
    void pinCursor(double angle);
    void clearPins();
    // The status line's two texts: the read-out and the antenna (band, gain, feed, folder).
    QString readoutLine() const;
    QString antennaLine() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    // The print command's menu item and tool button, and the program's printer.
    void buildPrintCommand();
    void buildExportCommands();
    void sliderMoved(int position);
    // The angle under a column of the chart view.
    double angleAtViewX(double x) const;
    // Places the chart area, the slider strip and the status line in the window's space.
    void layoutPane();
    // Ties a "Colour pages" check box to the session's colour, both ways.
    void bindColourBox(QCheckBox* box);
    grown::Span span_; // the canvas columns on show
    std::optional<grown::Zoom> zoom_;
    // A drag with the left button: where it started, the view then, and whether it pans.
    QPointF dragStart_;
    std::optional<grown::Zoom> dragZoom_;
    bool panning_ = false;
    void wheelOverChart(const QWheelEvent& event);
    bool grownView_ = false; // larger than written: the chart is drawn to the view's size
    // The lowest and highest angle the cursor can take on this chart.
    std::pair<double, double> cursorRange() const;
    // Names the antenna in this window's title and its own windows'; fills the status line.
    void showAntennaNames();
    void updateReadout();
    std::optional<double> cursorAngle_;
    std::vector<double> pins_;
    // What a page is drawn from: PageMap, the antenna on show, the colour and pen factor.
    PageSource pageSource();
    std::optional<MaskOverlay> pageMask_; // what the page being drawn shows of a mask
    // The two branches of runOutput.
    void PrintBranch();
    void ExportBranch();
    // The text copy of "Export Data".
    void ExportTextData();
    void exportVector(VectorFormat format);
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
    GraphSession* session_ = nullptr;
    bool firstLoad_ = true;
    QImage canvas_;
    QImage visible_;
    bool selectionChosen_ = false;

    // The chart, the slider under it, and the commands.
    QFrame* chartArea_ = nullptr;
    QLabel* chartView_ = nullptr;
    QSlider* slider_ = nullptr;
    QWidget* cursorLayer_ = nullptr; // draws the cursor lines over the chart view
    QLabel* readoutLabel_ = nullptr; // the status line: the read-out ...
    QLabel* antennaLabel_ = nullptr; // ... and the antenna
    QToolButton* tbExport_ = nullptr;
    QToolButton* tbPrint_ = nullptr;
    QToolButton* tbLegend_ = nullptr;
    QToolButton* tbSelect_ = nullptr;
    QAction* legendAction_ = nullptr;
    QAction* selectionAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* complianceAction_ = nullptr;
    QAction* compareAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* exportGraphAction_ = nullptr;
    QAction* exportDataAction_ = nullptr;
    QAction* exportVectorPdfAction_ = nullptr; // File > Export > "Vector PDF..."
    QAction* exportSvgAction_ = nullptr;       // File > Export > "SVG..."

    // The windows the chart opens.
    LegendWindow* legend_ = nullptr;
    ComplianceWindow* compliance_ = nullptr;
    PrintOptionsDialog* printOptions_ = nullptr;
    PenWidthDialog* penWidth_ = nullptr;
    VectorExportDialog* vectorExportDialog_ = nullptr;
    ExportOptionsDialog* graphExportDialog_ = nullptr;
    ExportDataDialog* dataExportDialog_ = nullptr;
    OutputFoldersDialog* outputFolders_ = nullptr;
};
