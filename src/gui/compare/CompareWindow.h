// SPDX-License-Identifier: MIT
#pragma once
// The compare window: up to eight antennas on one chart, one cut at a time, each in its own
// colour and dash pattern, with their legend, a read-out under the cursor and the table of
// their levels at chosen angles and their FCC 101.115 margins. The table copies as
// tab-separated text and saves as CSV; the page (chart, legend, table) exports as PNG, SVG or
// PDF and prints. What is compared is the core's compare::Comparison; the window shows it.
#include "compare/ComparisonPage.h"
#include "compliance/MaskTable.h"
#include "output/SaveDialogs.h"
#include "print/PrintRun.h"

#include <QtWidgets/QMainWindow>
#include <functional>
#include <memory>
#include <optional>

class AppContext;
class AddAntennaDialog;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

class CompareWindow : public QMainWindow {
    Q_OBJECT
public:
    // Takes the cut and table angles the window was left with from the program's settings.
    explicit CompareWindow(AppContext& context, QWidget* parent = nullptr);
    ~CompareWindow() override;

    const compare::Comparison& comparison() const { return comparison_; }

    // Shows the window with these antennas: a window that was closed starts afresh with them,
    // an open one adds those it does not hold yet. Unreadable files and antennas past the eighth
    // are reported and left out.
    void showWith(const std::vector<AntennaFile>& antennas);
    struct Source {
        IndexRecord record;
        QString path; // the data file; empty: the record's file in the data directory
    };
    void showWithRecords(const std::vector<Source>& sources);

    // Adds one antenna at the end of the list. False, after a message, when eight are there
    // already; the list stays as it was.
    bool addAntenna(AntennaFile antenna);
    // Reads a data file from disk, or an index record's file, and adds it. False, after a
    // message, when it cannot be read or eight are there.
    bool addFile(const QString& path);
    bool addRecord(const IndexRecord& record, const QString& path = {});

    // The list's commands on the selected antenna; they keep it selected.
    void removeSelected();
    void moveSelected(int by);
    void setCut(compare::CompareCut cut);
    // Takes the angle field's text as the table's angles. A text that is not an angle list is
    // refused with the reason beside the field; the table keeps its angles and the field the
    // text, to be corrected.
    bool applyAngles();

    // The chart's zoom (the wheel, Ctrl+wheel, a drag); nothing on the written scales.
    const compare::ChartView& chartView() const { return view_; }
    void setZoom(std::optional<grown::Zoom> zoom);
    // The angle the read-out is at (the pointer, or the arrow keys), in tenths of a degree.
    std::optional<double> cursorAngle() const { return cursor_; }
    void setCursorAngle(std::optional<double> angle);
    QString readoutLine() const;
    // The lines of the legend beside the chart, in the comparison's order.
    QStringList legendLines() const;

    // Edit > Copy Table, File > Save Table as CSV..., File > Export Page..., File > Print...
    void copyTable();
    void saveTableCsv();
    void exportPage();
    void printPage();
    // File > Add Antenna... and Add File...
    void addFromCatalogue();
    void addFromDisk();

    // The save dialogs (the desktop's unless a test answers them) and the open dialog of
    // Add File... (a path, or empty when cancelled).
    std::unique_ptr<SaveDialogs> saveDialogs;
    std::function<QString()> askDataFile;
    // Whether pages are exported and printed in colour (the graph window's choice).
    std::function<bool()> pagesInColour;
    // Where the page is printed: the program's printer unless replaced.
    std::function<std::unique_ptr<PrintBackend>()> makePrintBackend;
    PrintRunResult lastPrintRun;

    QListWidget* antennaList = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* addFileButton = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* upButton = nullptr;
    QPushButton* downButton = nullptr;
    QComboBox* cutBox = nullptr;
    QLineEdit* angleEdit = nullptr;
    QLabel* angleMessage = nullptr;
    QTableWidget* table = nullptr;
    QLabel* fccNote = nullptr; // shown when the FCC table could not be read
    QWidget* chart = nullptr;
    QWidget* legend = nullptr;
    AddAntennaDialog* addDialog = nullptr; // made on first use

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    // Everything shown again from the comparison: list, legend, chart, table, read-out.
    void refresh(int selectRow);
    void refreshTable();
    void refreshChart();
    void updateReadout();
    void wheelOverChart(const class QWheelEvent& event);
    std::pair<double, double> angleRange() const;
    double angleAtX(double x) const;
    const MaskTable* fcc() const { return fcc_ ? &*fcc_ : nullptr; }
    bool colour() const { return pagesInColour ? pagesInColour() : true; }
    // Keeps the cut and the angles for the next run.
    void rememberChoices();
    // Where the table and page were last saved, else the PDF folder.
    QString saveFolder() const;

    AppContext& context_;
    compare::Comparison comparison_;
    std::optional<MaskTable> fcc_;
    QString fccError_;
    compare::ChartView view_;
    std::optional<double> cursor_;
    // A drag on the chart: where it started and the view then.
    QPointF dragStart_;
    std::optional<grown::Zoom> dragZoom_;
    QString lastFolder_;     // where the table or page was saved last
    QString lastDataFolder_; // where Add File... found its last file
    QLabel* readout_ = nullptr;
    QList<QAction*> needAntennas_; // the commands that need an antenna in the list
};
