// SPDX-License-Identifier: MIT
#pragma once
// The index display: the whole index as a table, dumped as comma text when it closes.
#include <QtWidgets/QDialog>

class QPushButton;
class QTableWidget;
class AppContext;

class IndexTableWindow : public QDialog {
    Q_OBJECT
public:
    explicit IndexTableWindow(AppContext& context, QWidget* parent = nullptr);

    // Fills the table from the index file (what showing the window does).
    void fillTable();
    // The table as the dump writes it: heading row first, columns in their current order.
    QList<QStringList> tableRows() const;
    // Path of the text dump: FileIndx.txt in the program directory.
    QString dumpPath() const;

    QTableWidget* indexTable() const { return indexTable_; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    AppContext& context_;
    QTableWidget* indexTable_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* saveButton_ = nullptr; // hidden
};
