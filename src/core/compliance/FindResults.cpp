// SPDX-License-Identifier: MIT
#include "compliance/FindResults.h"

#include "base/DisplayText.h"
#include "base/JsonText.h"
#include "compliance/ComplianceReports.h"
#include "compliance/ComplianceText.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <cmath>

FindOutcome FindAntennas(const CatalogueRecords& records, const QString& dataDir,
                         const SearchQuery& query, const std::optional<FccFilter>& fcc,
                         const MaskTable* table, FccCache& cache, const FccProgress& progress) {
    FindOutcome out;
    const std::vector<int> which = SearchRecords(query, records.records);
    QStringList paths;
    if (fcc && table) {
        paths = DataFilesOfRecords(records.records, which, records.paths, dataDir);
    } else {
        for (const int i : which)
            paths << (i < records.paths.size() ? records.paths[i] : QString());
    }
    if (!fcc || !table) {
        for (size_t k = 0; k < which.size(); ++k)
            out.found.push_back({records.records[size_t(which[k])], paths[qsizetype(k)], {}});
        return out;
    }
    const FccRun run = CheckFilesFcc(paths, *table, cache, progress);
    out.checked = int(which.size());
    out.fileReads = run.fileReads;
    out.stopped = run.stopped;
    for (size_t k = 0; k < which.size(); ++k) {
        const IndexRecord& r = records.records[size_t(which[k])];
        const FccResult& result = run.results[k];
        if (!result.error.isEmpty()) {
            // A run stopped early leaves the rest unchecked, not unreadable.
            if (!run.stopped)
                out.skipped << DisplayText(r.fileName()) + QStringLiteral(": ") + result.error;
            continue;
        }
        if (fcc->passes(result))
            out.found.push_back({r, paths[qsizetype(k)], result});
    }
    return out;
}

QStringList FoundColumnHeadings() {
    return {QStringLiteral("model"),        QStringLiteral("rpe"),
            QStringLiteral("file"),         QStringLiteral("band_ghz"),
            QStringLiteral("gain_dbi"),     QStringLiteral("size_ft"),
            QStringLiteral("polarization"), QStringLiteral("feed"),
            QStringLiteral("fcc_a"),        QStringLiteral("fcc_a_margin_db"),
            QStringLiteral("fcc_b"),        QStringLiteral("fcc_b_margin_db")};
}

namespace {

QString verdictCell(const std::optional<FccResult>& fcc, QChar category) {
    return fcc ? verdictText(fcc->of(category).verdict) : QString();
}

QString marginCell(const std::optional<FccResult>& fcc, QChar category) {
    if (!fcc || std::isnan(fcc->of(category).worstMargin))
        return {};
    return marginText(fcc->of(category).worstMargin);
}

QString bandText(const IndexRecord& r) {
    return DisplayText(r.frequencyRange()).trimmed();
}

} // namespace

QString FccCellText(const std::optional<FccResult>& fcc, QChar category) {
    const QString margin = marginCell(fcc, category);
    return margin.isEmpty()
               ? verdictCell(fcc, category)
               : verdictCell(fcc, category) + QLatin1Char(' ') + margin + QStringLiteral(" dB");
}

QStringList FoundRowCells(const FoundAntenna& a) {
    const IndexRecord& r = a.record;
    return {DisplayText(r.modelNumber()),
            DisplayText(r.rpeNumber()),
            DisplayText(r.fileName()),
            bandText(r),
            DisplayText(r.gain()),
            DisplayText(r.size()),
            DisplayText(r.polarization()),
            DisplayText(r.feedOrientation()),
            verdictCell(a.fcc, QLatin1Char('A')),
            marginCell(a.fcc, QLatin1Char('A')),
            verdictCell(a.fcc, QLatin1Char('B')),
            marginCell(a.fcc, QLatin1Char('B'))};
}

QByteArray FoundAntennasCsv(const std::vector<FoundAntenna>& found) {
    QByteArray out = CsvLine(FoundColumnHeadings());
    for (const FoundAntenna& a : found)
        out += CsvLine(FoundRowCells(a));
    return out;
}

namespace {

void appendOptionalNumber(QByteArray& out, const std::optional<double>& v) {
    if (v)
        json::appendNumber(out, *v);
    else
        out += "null";
}

void appendCategory(QByteArray& out, const FccCategoryResult& c) {
    out += "{\"result\": ";
    json::appendString(out, verdictText(c.verdict));
    out += ", \"worstMarginDb\": ";
    if (std::isnan(c.worstMargin))
        out += "null";
    else
        json::appendNumber(out, c.worstMargin);
    out += "}";
}

} // namespace

QByteArray FoundAntennasJson(const std::vector<FoundAntenna>& found) {
    QByteArray out = "[";
    for (size_t i = 0; i < found.size(); ++i) {
        const FoundAntenna& a = found[i];
        const IndexRecord& r = a.record;
        out += i ? ",\n {" : "{";
        const auto field = [&](const char* name, const QString& value) {
            out += '"';
            out += name;
            out += "\": ";
            json::appendString(out, value);
            out += ", ";
        };
        field("file", DisplayText(r.fileName()));
        field("path", a.path);
        field("model", DisplayText(r.modelNumber()));
        field("rpe", DisplayText(r.rpeNumber()));
        out += "\"bandGHz\": [";
        json::appendNumber(out, r.lowFrequency());
        out += ", ";
        json::appendNumber(out, r.highFrequency());
        out += "], \"gainDbi\": ";
        appendOptionalNumber(out, RecordGain(r));
        out += ", \"sizeFt\": ";
        appendOptionalNumber(out, RecordSizeFeet(r));
        out += ", ";
        field("polarization", DisplayText(r.polarization()));
        field("feed", DisplayText(r.feedOrientation()));
        field("description", DisplayText(r.description1()));
        out += "\"fcc\": ";
        if (a.fcc) {
            out += "{\"A\": ";
            appendCategory(out, a.fcc->a);
            out += ", \"B\": ";
            appendCategory(out, a.fcc->b);
            out += "}";
        } else {
            out += "null";
        }
        out += "}";
    }
    return out + "]\n";
}

QByteArray FoundAntennasText(const std::vector<FoundAntenna>& found) {
    const QStringList headings = {QStringLiteral("MODEL"), QStringLiteral("RPE"),
                                  QStringLiteral("FILE"),  QStringLiteral("BAND GHz"),
                                  QStringLiteral("GAIN"),  QStringLiteral("SIZE"),
                                  QStringLiteral("POL"),   QStringLiteral("FEED"),
                                  QStringLiteral("FCC A"), QStringLiteral("FCC B")};
    std::vector<QStringList> rows;
    for (const FoundAntenna& a : found) {
        const QStringList c = FoundRowCells(a);
        rows.push_back({c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7],
                        FccCellText(a.fcc, QLatin1Char('A')),
                        FccCellText(a.fcc, QLatin1Char('B'))});
    }
    std::vector<qsizetype> width(size_t(headings.size()));
    for (qsizetype k = 0; k < headings.size(); ++k) {
        width[size_t(k)] = headings[k].size();
        for (const QStringList& row : rows)
            width[size_t(k)] = std::max(width[size_t(k)], row[k].size());
    }
    auto line = [&](const QStringList& cells) {
        QString text;
        for (qsizetype k = 0; k < cells.size(); ++k)
            text += k + 1 < cells.size() ? cells[k].leftJustified(width[size_t(k)] + 2) : cells[k];
        return text.trimmed().toUtf8() + '\n';
    };
    QByteArray out = line(headings);
    for (const QStringList& row : rows)
        out += line(row);
    return out;
}
