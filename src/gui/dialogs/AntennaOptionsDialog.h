// SPDX-License-Identifier: MIT
#pragma once
// The base of the option dialogs that name the antenna on show in a one-row list and ask for a
// choice with radio buttons (export graph, export data, vector export, print).
#include "catalogue/IndexRecord.h"

#include <QtCore/QRect>
#include <QtWidgets/QDialog>
#include <functional>

class QCheckBox;
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

    // Where each piece sits: the dialogs differ in their numbers, not in their parts.
    struct Layout {
        int clientWidth = 455;
        int fontPixels = 11;
        QRect modelLabel{11, 14, 227, 15}; // in the antenna group
        QRect list{11, 31, 227, 89};       // in the antenna group
        QRect choiceGroup{264, 4, 179, 129};
        QRect choiceLabel{16, 17, 155, 15}; // in the choice group
        int radioWidth = 113;
        int okX = 276;
        int cancelX = 363;
    };

    // How the dialog is shown modally: exec() unless a test answers it.
    std::function<int(QDialog&)> runModal;

    // The group of the antenna list with its label, and the group of the radio buttons with
    // the label over them.
    QGroupBox* antennaGroup() const { return antennaGroup_; }
    QLabel* modelLabel() const { return modelLabel_; }
    QGroupBox* choiceGroup() const { return choiceGroup_; }
    QLabel* choiceLabel() const { return choiceLabel_; }

    QTreeWidget* antennaList = nullptr;
    // "Colour pages" beside OK and Cancel in the dialogs of pages that can be in colour (print,
    // export graph); null in the others. The graph window binds it to its session's colour.
    QCheckBox* colourBox = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

    void done(int result) override;

public Q_SLOTS:
    void clearAntennas();

protected:
    // The export dialogs' layout: `caption` is also the label over the radio buttons, placed at
    // (16, labelY).
    AntennaOptionsDialog(QWidget* parent, const char* name, const QString& caption, int clientWidth,
                         int labelY);
    AntennaOptionsDialog(QWidget* parent, const char* name, const QString& caption,
                         const QString& choiceCaption, const Layout& layout);
    QRadioButton* addRadio(const char* name, const QString& caption, int y);
    // Adds colourBox at `x` in the row of OK and Cancel.
    void addColourBox(int x);

private:
    static Layout exportLayout(int clientWidth, int labelY);
    int radioWidth_ = 113;
    QGroupBox* antennaGroup_ = nullptr;
    QLabel* modelLabel_ = nullptr;
    QGroupBox* choiceGroup_ = nullptr;
    QLabel* choiceLabel_ = nullptr;
};
