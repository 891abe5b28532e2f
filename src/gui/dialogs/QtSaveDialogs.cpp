// SPDX-License-Identifier: MIT
#include "dialogs/QtSaveDialogs.h"

#include "dialogs/WaitCursor.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QFileDialog>

QStringList QtNameFilters(const QString& filter) {
    QStringList filters;
    for (const QStringList& pair : FilterPairs(filter))
        filters << pair[0] + QStringLiteral(" (") + pair[1] + QLatin1Char(')');
    return filters;
}

std::optional<QString> QtSaveDialogs::save(const SaveRequest& request) {
    const CursorLift lift;
    QFileDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.ConfirmReplace);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!request.Title.isEmpty())
        dialog.setWindowTitle(request.Title);
    const QStringList filters = QtNameFilters(request.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(request.FilterIndex - 1, filters.first()));
    }
    dialog.setDefaultSuffix(request.DefaultExtension);
    const QFileInfo preset(request.FileName);
    QString folder = request.StartFolder;
    if (folder.isEmpty() && preset.isAbsolute())
        folder = preset.absolutePath();
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    dialog.selectFile(preset.fileName());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return chosen.first();
}
