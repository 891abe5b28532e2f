// SPDX-License-Identifier: MIT
#pragma once
// The compliance window of the graph window: the check of the antenna on show against the mask
// table beside the program, per category and per cut, and the mask overlay switches.
#include "compliance/Compliance.h"
#include "compliance/MaskTable.h"
#include "pages/MaskOverlay.h"

#include <QtGui/QImage>
#include <QtWidgets/QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class GraphSession;

class ComplianceWindow : public QDialog {
    Q_OBJECT
public:
    // Checks the session's antenna against the mask table in `resourceDir`/masks; "Show mask on
    // pages" is the session's MaskOnPages choice.
    ComplianceWindow(GraphSession& session, const QString& resourceDir, QWidget* parent = nullptr);

    // Reads the mask table again and checks the antenna on show. Returns the message when the
    // table cannot be used; the window then shows nothing and draws no mask.
    std::optional<QString> Recheck();
    // Checks the antenna on show against the table already read (after each load).
    void AntennaLoaded();
    // Places the window beside `other` where it hides least of it, within the screen, and never
    // over `keepClear` (global coordinates: the bars of `other` that hold its commands).
    void PlaceBeside(const QWidget& other, const QRect& keepClear);

    // Draws the chosen category's mask on the screen canvas when "Show mask" is ticked.
    void DrawScreenOverlay(QImage& canvas) const;
    // The mask the screen chart shows: the chosen category's when "Show mask" is ticked.
    std::optional<MaskOverlay> ScreenOverlay() const;
    // The chosen category's mask for the chart pages when the session's MaskOnPages is on.
    std::optional<MaskOverlay> PageOverlay() const;

    const ComplianceReport& report() const { return report_; }
    // The category whose mask is drawn ("A", "B1", ...); empty when there is none.
    QString chosenCategory() const;

    // The antenna, band and the verdicts in one line; the table of one row per category and cut.
    QLabel* summaryLabel() const { return summaryLabel_; }
    QTableWidget* resultTable() const { return resultTable_; }

    QComboBox* categoryBox = nullptr; // the category whose mask is drawn
    QCheckBox* showMaskBox = nullptr;
    QCheckBox* maskOnPagesBox = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* saveCsvButton = nullptr;

    // Writes the check as CSV, in the rows of the catalogue report (one per category); false
    // when there is no check to write or the file cannot be written.
    bool SaveCsv(const QString& path) const;
    // How "Save as CSV..." asks for the file name; tests answer it here.
    std::function<QString()> askCsvPath;

Q_SIGNALS:
    // The mask on the screen chart was switched or its category changed: the chart is drawn
    // again.
    void maskChanged();

private:
    void check();
    void fill();
    std::optional<MaskOverlay> overlay() const;

    GraphSession& session_;
    QString resourceDir_;
    std::optional<MaskTable> table_;
    ComplianceReport report_;
    QString headerError_;
    QLabel* summaryLabel_ = nullptr;
    QTableWidget* resultTable_ = nullptr;
};
