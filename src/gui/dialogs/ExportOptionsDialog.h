#pragma once
// The export option dialogs: "Export Graph Options" (ExportOptionsDialog) and, in ExportDataU,
// "Export Data Options" (ExportDataDialog). Both name the antenna on show in a one-row list and
// ask for the kind of file with radio buttons; the choice stays from one showing to the next.
#include "catalogue/IndexRecord.h"

#include <QtWidgets/QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// What the option dialogs share: the antenna list, the radio group and OK / Cancel.
class AntennaOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // Appends one row: the record's model number, and its RPE number as the sub-item.
    void AddAntennaRow(const IndexRecord& record);
    // Adds the record's row, shows the dialog modally and returns true when it was closed
    // with OK. The list is emptied whenever the dialog closes.
    bool ShowForAntenna(const IndexRecord& record);

    // How the dialog is shown modally: exec() unless a test answers it.
    std::function<int(QDialog&)> runModal;

    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QTreeWidget* lvwRPE = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    void done(int result) override;

public Q_SLOTS:
    void FormClose();

protected:
    // `caption` is also the label over the radio buttons, placed at (16, labelY).
    AntennaOptionsDialog(QWidget* parent, const char* name, const QString& caption, int clientWidth,
                         int labelY);
    QRadioButton* addRadio(const char* name, const QString& caption, int y);
};

class ExportOptionsDialog : public AntennaOptionsDialog {
    Q_OBJECT
public:
    explicit ExportOptionsDialog(QWidget* parent = nullptr);

    QRadioButton* rbPDF = nullptr; // "Export to .pdf", chosen at first
    QRadioButton* rbGIF = nullptr; // "Export to .gif"
    QRadioButton* rbJPG = nullptr; // "Export to .jpg"
};
