// SPDX-License-Identifier: MIT
#pragma once
// Narrowing the catalogue: the scans behind the selection window's three lists, the range test,
// the model lookup and the command-line argument rules.
#include "catalogue/IndexFile.h"
#include "catalogue/IndexRecord.h"

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QStringList>
#include <optional>
#include <vector>

// The label that stands for every range; its leading blanks sort it before every range label.
inline constexpr char AllRangesLabel[] = "   ALL   ";

// A text list kept in ascending order without regard to letter case, ignoring an entry equal
// (without regard to case) to one already present: the first spelling added is kept.
class SortedTextList {
public:
    void clear() { items_.clear(); }
    void add(QByteArrayView text) { items_.emplace_back(text.toByteArray()); }
    // The sorted, de-duplicated texts, decoded for display.
    QStringList texts() const;

private:
    std::vector<QByteArray> items_;
};

// The range test: a record passes when its band covers the labelled range.
class RangeFilter {
public:
    // Parses "low-high" (blanks around the numbers allowed). Nothing for "   ALL   " or text
    // that is not a range.
    static std::optional<RangeFilter> fromLabel(QByteArrayView label);
    bool passes(const IndexRecord& r) const {
        return r.lowFrequency() <= low_ && r.highFrequency() >= high_;
    }

private:
    double low_ = 0;
    double high_ = 0;
};

struct CatalogueLists {
    QStringList ranges; // "   ALL   " first
    QStringList types;
    QStringList models;
};

// Every range, type and model of the index.
CatalogueLists ScanAllLists(IndexFile& index);
// Types and models of the records in a range (every record when `range` is empty).
CatalogueLists ScanRange(IndexFile& index, const std::optional<RangeFilter>& range);
// Models of a type as the type list shows it (series exactly equal), within a range when one is
// given.
QStringList ScanType(IndexFile& index, const QString& type,
                     const std::optional<RangeFilter>& range);
// Every record whose model number equals `model` exactly, in index order.
QList<IndexRecord> FindModel(IndexFile& index, QByteArrayView model);
// Every record whose model number shows as `model` in the model list, in index order.
QList<IndexRecord> FindListedModel(IndexFile& index, const QString& model);
// The first record whose stored file name equals `name` (cut to the field's 15 characters);
// with letter case first, then without regard to case.
std::optional<IndexRecord> FindFileName(IndexFile& index, QByteArrayView name);

// A command-line model number as the index spells it: upper-cased, then rebuilt from its first
// two dash-separated parts ("zz8-107-xyz" -> "ZZ8-107", "zz8" -> "-ZZ8").
QByteArray ModelNumberArgument(const QString& argument);
// An argument with a "." names a data file; anything else is a model number.
inline bool IsFileArgument(const QString& argument) {
    return argument.contains(QLatin1Char('.'));
}
