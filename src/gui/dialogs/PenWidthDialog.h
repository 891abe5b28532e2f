// SPDX-License-Identifier: MIT
#pragma once
// The pen width dialog: chooses the pen factor of printed chart pages, Narrow 1, Medium 2 or
// Wide 3. Until the user picks one the printer uses 3, so "Wide" is shown selected.
#include <QtWidgets/QDialog>
#include <optional>

class QGroupBox;
class QPushButton;
class QRadioButton;

class PenWidthDialog : public QDialog {
    Q_OBJECT
public:
    explicit PenWidthDialog(QWidget* parent = nullptr);

    // Shows the dialog modally with the item of `penFactor` selected ("Wide" for a factor not
    // chosen yet, 0). Returns the factor chosen with OK; nothing on Cancel.
    std::optional<int> ShowForFactor(int penFactor);

    // Selects the item of a factor; anything but 1 or 2 selects "Wide".
    void SelectFactor(int penFactor);
    // The factor of the selected item.
    int SelectedFactor() const;

    // The group of the three items, OK and Cancel.
    QGroupBox* widthGroup() const { return widthGroup_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    QRadioButton* Narrow = nullptr;
    QRadioButton* Medium = nullptr;
    QRadioButton* Wide = nullptr;

private:
    QGroupBox* widthGroup_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
