#include "output/SaveDialogs.h"

QList<QStringList> FilterPairs(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QList<QStringList> pairs;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        pairs.push_back({parts[i], parts[i + 1]});
    return pairs;
}

std::optional<QString> ScriptedSaveDialogs::save(const SaveRequest& request) {
    shown.push_back(request);
    if (answers.empty())
        return std::nullopt;
    const bool confirmed = answers.front().has_value();
    const QString path = answers.front().value_or(QString());
    answers.pop_front();
    if (!confirmed)
        return std::nullopt;
    return path;
}
