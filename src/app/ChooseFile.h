#pragma once
// The match chooser: tells apart index records that share a model number.
#include "index/IndexRecord.h"

#include <QtWidgets/QDialog>

class QListWidget;
class QPushButton;
class Prompter;

class TChooseDlg : public QDialog {
    Q_OBJECT
public:
    explicit TChooseDlg(Prompter& prompter, QWidget* parent = nullptr);

    // Fills the list from the matches and selects the first one. Call before exec().
    void setMatches(const QList<IndexRecord>& matches);
    // The match confirmed with OK, or nothing when the dialog closed on the heading or by its
    // close box.
    std::optional<int> confirmedMatch() const { return confirmed_; }

    // One line of the list: file name, range label, feed orientation.
    static QString matchLine(const IndexRecord& record);

    QListWidget* ListBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

public Q_SLOTS:
    void ListBox1Click();
    void BitBtn1Click();

private:
    Prompter& prompter_;
    QList<IndexRecord> matches_;
    std::optional<int> confirmed_;
};
