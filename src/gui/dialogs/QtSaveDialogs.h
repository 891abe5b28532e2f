// SPDX-License-Identifier: MIT
#pragma once
// The desktop's save dialog for the export runs. It asks before replacing a file only when the
// request says so (its own question), and the wait cursor of a run is lifted while it is shown.
#include "output/SaveDialogs.h"

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

class QtSaveDialogs : public SaveDialogs {
public:
    explicit QtSaveDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<QString> save(const SaveRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

// The name filters of a filter text for QFileDialog: "Description (pattern)" for each pair. The
// dialog shows the descriptions alone (HideNameFilterDetails).
QStringList QtNameFilters(const QString& filter);
