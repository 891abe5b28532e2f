// SPDX-License-Identifier: MIT
#pragma once
// The match chooser: tells apart index records that share a model number.
#include "catalogue/IndexRecord.h"

#include <QtWidgets/QDialog>

class QListWidget;
class QPushButton;
class Prompter;

class ModelChooserDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModelChooserDialog(Prompter& prompter, QWidget* parent = nullptr);

    // Fills the list from the matches and selects the first one. Call before exec().
    void setMatches(const QList<IndexRecord>& matches);
    // The match confirmed with OK, or nothing when the dialog closed on the heading or by its
    // close box.
    std::optional<int> confirmedMatch() const { return confirmed_; }

    // One line of the list: file name, range label, feed orientation.
    static QString matchLine(const IndexRecord& record);

    QListWidget* matchList = nullptr;

public Q_SLOTS:
    void matchChosen();
    // OK: the selected match, unless it is the heading, is the confirmed one.
    void confirmMatch();

private:
    Prompter& prompter_;
    QPushButton* okButton_ = nullptr;
    QList<IndexRecord> matches_;
    std::optional<int> confirmed_;
};
