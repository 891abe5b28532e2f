// SPDX-License-Identifier: MIT
#pragma once
// The save dialogs of the export runs, as an interface: the graph window shows the desktop's
// dialog (QtSaveDialogs); tests answer from a script (tests/support/ScriptedSaveDialogs.h).
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>

// What a save dialog is shown with.
struct SaveRequest {
    QString Title;            // empty: the desktop's own title
    QString FileName;         // the preset: a full path, or a bare name shown in StartFolder
    QString StartFolder;      // where a bare name is shown; empty: the preset's own folder
    QString Filter;           // "Description|pattern|Description|pattern..."
    int FilterIndex = 1;      // 1-based, into the pairs of Filter
    QString DefaultExtension; // without the dot; added to a name typed without one
    // Ask before an existing file is replaced; "No" goes back to the dialog. The written exports
    // replace without a question.
    bool ConfirmReplace = false;
    friend bool operator==(const SaveRequest&, const SaveRequest&) = default;
};

// The filter pairs of SaveRequest::Filter: {description, pattern} each.
QList<QStringList> FilterPairs(const QString& filter);

class SaveDialogs {
public:
    virtual ~SaveDialogs() = default;
    // Shows the dialog modally. Returns the confirmed path, or nothing when cancelled. The
    // dialog asks before an existing file is replaced only when the request says so.
    virtual std::optional<QString> save(const SaveRequest& request) = 0;
};
