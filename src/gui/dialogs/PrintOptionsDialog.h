// SPDX-License-Identifier: MIT
#pragma once
// The print options dialog of the print command: names the antenna on show and asks whether to
// print the graph, the data sheet or both; "Printer Setup" opens the printer setup dialog on the
// program's printer.
#include "dialogs/AntennaOptionsDialog.h"
#include "print/PrintRun.h"

#include <functional>

class QPrinter;
class QPushButton;
class QRadioButton;

class PrintOptionsDialog : public AntennaOptionsDialog {
    Q_OBJECT
public:
    explicit PrintOptionsDialog(QWidget* parent = nullptr);

    // Lists the record's model number and RPE number, shows the dialog modally and returns true
    // when it was closed with OK. The list is emptied whenever the dialog closes; the radio
    // choice stays from one showing to the next.
    bool ShowForAntenna(const IndexRecord& record);
    PrintChoice Choice() const;

    // The program's printer, which "Printer Setup" configures; the button is disabled without
    // one.
    void setPrinter(QPrinter* printer);
    // Opens the printer setup dialog (tests replace it).
    std::function<bool(QPrinter&, QWidget*)> printerSetup;

    QRadioButton* graphButton = nullptr;
    QRadioButton* dataButton = nullptr;
    QRadioButton* bothButton = nullptr;
    QPushButton* printerSetupButton() const { return printerSetupButton_; }

public Q_SLOTS:
    // "Printer Setup": the printer setup dialog on the program's printer.
    void setUpPrinter();

private:
    QPrinter* printer_ = nullptr;
    QPushButton* printerSetupButton_ = nullptr;
};

// The print command (printCommand) up to the run: shows the dialog for the antenna; on OK sets
// graph and data from the choice and clears the output flags (ApplyPrintChoice) and starts
// `run`. Cancel leaves the flags as they were and prints nothing. Returns whether it ran.
bool PrintCommand(PrintOptionsDialog& dialog, const IndexRecord& record, OutputFlags& flags,
                  const std::function<void()>& run);
