// SPDX-License-Identifier: MIT
#pragma once
// The find window: a question over the catalogue (words, a frequency the band covers, least gain,
// largest size, polarization, feed, and the FCC 101.115 category with a least margin) and the
// antennas that answer it, as a sortable table. The index filters answer while the user types;
// the compliance filter checks the files on every core behind a progress bar with Stop, and
// keeps each file's result for the next search.
#include "compliance/FindResults.h"

#include <QtWidgets/QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class AppContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class FoundModel;

class FindWindow : public QWidget {
    Q_OBJECT
public:
    explicit FindWindow(AppContext& context, QWidget* parent = nullptr);
    ~FindWindow() override;

    // Reads the index's records and the data folder again, then searches.
    void reload();
    // Runs the question as the fields have it now.
    void search();
    // The question the fields ask; nothing set where a field cannot be read.
    SearchQuery query() const;
    std::optional<FccFilter> fccFilter() const;
    // The antennas shown, in the table's order.
    std::vector<FoundAntenna> shownAntennas() const;
    // The antennas of the selected rows, in the table's order.
    std::vector<FoundAntenna> selectedAntennas() const;
    // Writes the results as CSV; false (with a message) when the file cannot be written.
    bool saveCsv(const QString& path);
    // True while a compliance run is going on.
    bool checking() const { return worker_.joinable(); }
    const FccCache& cache() const { return cache_; }
    int lastFileReads() const { return lastFileReads_; }

    // How the save file name is asked; tests answer it here.
    std::function<QString()> askCsvPath;

    QLineEdit* textEdit = nullptr;
    QLineEdit* coversEdit = nullptr;
    QLineEdit* minGainEdit = nullptr;
    QLineEdit* maxSizeEdit = nullptr;
    QComboBox* polarizationBox = nullptr;
    QComboBox* feedBox = nullptr;
    QComboBox* categoryBox = nullptr;
    QLineEdit* marginEdit = nullptr;
    QLabel* countLabel = nullptr;
    QTableView* resultTable = nullptr;
    QProgressBar* progressBar = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* saveButton = nullptr;
    // Opens the compare window with the selected rows; enabled while two or more are selected.
    QPushButton* compareButton = nullptr;

Q_SIGNALS:
    // The user opened an antenna of the results (double click or Return).
    void antennaChosen(const IndexRecord& record, const QString& path);
    // The user asked to compare the selected antennas (two or more, in the table's order).
    void compareChosen(const std::vector<FoundAntenna>& antennas);
    // A compliance run ended (or was stopped).
    void checkFinished();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    void showResults(const std::vector<FoundAntenna>& found, const QString& note);
    void startCheck(const SearchQuery& query, const FccFilter& filter);
    void stopCheck();
    void checkDone(FindOutcome outcome);
    void saveAsked();

    AppContext& context_;
    CatalogueRecords records_;
    QString dataDir_;
    std::optional<MaskTable> table_;
    QString tableError_;
    FccCache cache_;
    FoundModel* model_ = nullptr;
    int lastFileReads_ = 0;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    bool searchAgain_ = false; // the question changed during a run
    int runNumber_ = 0;        // of the latest compliance run; an older one's end is ignored
};
