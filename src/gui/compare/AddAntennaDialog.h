// SPDX-License-Identifier: MIT
#pragma once
// The compare window's way into the catalogue: the selection window's three lists (frequency
// range, type, model) and the data files of the chosen model within the chosen range. Each "Add"
// hands one record to the compare window; the dialog stays open for the next until it is closed.
#include "catalogue/CatalogueLists.h"

#include <QtWidgets/QDialog>

class IndexFile;
class QListWidget;
class QPushButton;

class AddAntennaDialog : public QDialog {
    Q_OBJECT
public:
    explicit AddAntennaDialog(IndexFile& index, QWidget* parent = nullptr);

    // Fills the lists from the index, as the selection window's are when it starts.
    void reload();
    // The record of the file line chosen; nothing while no file is chosen.
    std::optional<IndexRecord> chosenRecord() const;

    QListWidget* rangeList = nullptr;
    QListWidget* typeList = nullptr;
    QListWidget* modelList = nullptr;
    QListWidget* fileList = nullptr; // the data files of the chosen model
    QPushButton* addButton = nullptr;

Q_SIGNALS:
    void recordChosen(const IndexRecord& record);

private:
    std::optional<RangeFilter> selectedRange() const;
    void rangeChosen();
    void typeChosen();
    void modelChosen();
    void addChosen();

    IndexFile& index_;
    QList<IndexRecord> files_; // the records behind the file list's lines
};
