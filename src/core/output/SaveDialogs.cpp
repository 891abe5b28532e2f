// SPDX-License-Identifier: MIT
#include "output/SaveDialogs.h"

QList<QStringList> FilterPairs(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QList<QStringList> pairs;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        pairs.push_back({parts[i], parts[i + 1]});
    return pairs;
}
