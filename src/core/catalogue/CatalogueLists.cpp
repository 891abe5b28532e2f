// SPDX-License-Identifier: MIT
#include "catalogue/CatalogueLists.h"

#include "base/DisplayText.h"
#include "base/NumberText.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <algorithm>

namespace {

// ASCII case folding, as the list comparisons are defined on the data files' 8-bit texts.
int compareNoCase(const QByteArray& a, const QByteArray& b) {
    return qstrnicmp(a.constData(), a.size(), b.constData(), b.size());
}

QByteArray upperAscii(QByteArray text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// A field compared with a text as the lists show it. Plain ASCII shows as itself and any other
// byte as a non-ASCII character, so an ASCII text is compared as bytes without decoding.
class ShownText {
public:
    explicit ShownText(const QString& text)
        : text_(text),
          ascii_(std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })),
          bytes_(ascii_ ? text.toLatin1() : QByteArray()) {}
    bool equals(const IndexRecord& r, IndexField f) const {
        return ascii_ ? r.textEquals(f, bytes_) : DisplayText(r.text(f)) == text_;
    }

private:
    QString text_;
    bool ascii_;
    QByteArray bytes_;
};

} // namespace

QStringList SortedTextList::texts() const {
    std::vector<const QByteArray*> order;
    order.reserve(items_.size());
    for (const QByteArray& item : items_)
        order.push_back(&item);
    // A stable sort keeps the first-added spelling at the front of each run of equal texts.
    std::stable_sort(order.begin(), order.end(), [](const QByteArray* a, const QByteArray* b) {
        return compareNoCase(*a, *b) < 0;
    });
    QStringList out;
    out.reserve(static_cast<qsizetype>(order.size()));
    const QByteArray* last = nullptr;
    for (const QByteArray* item : order) {
        if (last && compareNoCase(*last, *item) == 0)
            continue;
        out << DisplayText(*item);
        last = item;
    }
    return out;
}

std::optional<RangeFilter> RangeFilter::fromLabel(QByteArrayView label) {
    const qsizetype dash = label.indexOf('-');
    if (dash < 0)
        return std::nullopt;
    const auto low = numtext::parseFloat(label.first(dash));
    const auto high = numtext::parseFloat(label.sliced(dash + 1));
    if (!low || !high)
        return std::nullopt;
    RangeFilter f;
    f.low_ = *low;
    f.high_ = *high;
    return f;
}

CatalogueLists ScanAllLists(IndexFile& index) {
    SortedTextList ranges, types, models;
    ranges.add(AllRangesLabel);
    index.rewind();
    IndexRecord r;
    while (index.readNext(r)) {
        ranges.add(r.frequencyRange());
        models.add(r.modelNumber());
        types.add(r.series());
    }
    return {ranges.texts(), types.texts(), models.texts()};
}

CatalogueLists ScanRange(IndexFile& index, const std::optional<RangeFilter>& range) {
    SortedTextList types, models;
    index.rewind();
    IndexRecord r;
    while (index.readNext(r)) {
        if (range && !range->passes(r))
            continue;
        types.add(r.series());
        models.add(r.modelNumber());
    }
    return {{}, types.texts(), models.texts()};
}

QStringList ScanType(IndexFile& index, const QString& type,
                     const std::optional<RangeFilter>& range) {
    const ShownText shown(type);
    SortedTextList models;
    index.rewind();
    IndexRecord r;
    while (index.readNext(r)) {
        if (!shown.equals(r, IndexField::Series))
            continue;
        if (range && !range->passes(r))
            continue;
        models.add(r.modelNumber());
    }
    return models.texts();
}

QList<IndexRecord> FindModel(IndexFile& index, QByteArrayView model) {
    QList<IndexRecord> matches;
    index.rewind();
    IndexRecord r;
    while (index.readNext(r))
        if (r.textEquals(IndexField::ModelNumber, model))
            matches << r;
    return matches;
}

QList<IndexRecord> FindListedModel(IndexFile& index, const QString& model) {
    const ShownText shown(model);
    QList<IndexRecord> matches;
    index.rewind();
    IndexRecord r;
    while (index.readNext(r))
        if (shown.equals(r, IndexField::ModelNumber))
            matches << r;
    return matches;
}

std::optional<IndexRecord> FindFileName(IndexFile& index, QByteArrayView name) {
    const QByteArrayView stored = name.first(
        std::min<qsizetype>(name.size(), IndexRecord::layout(IndexField::FileName).capacity));
    std::optional<IndexRecord> caseless;
    index.rewind();
    IndexRecord r;
    while (index.readNext(r)) {
        if (r.textEquals(IndexField::FileName, stored))
            return r;
        if (!caseless) {
            const QByteArray fn = r.fileName();
            if (qstrnicmp(fn.constData(), fn.size(), stored.data(), stored.size()) == 0)
                caseless = r;
        }
    }
    return caseless;
}

QByteArray ModelNumberArgument(const QString& argument) {
    const QByteArray arg = upperAscii(QFile::encodeName(argument));
    const qsizetype first = arg.indexOf('-');
    if (first < 0)
        return '-' + arg;
    const QByteArray part1 = arg.left(first);
    const qsizetype second = arg.indexOf('-', first + 1);
    const QByteArray part2 =
        second < 0 ? arg.mid(first + 1) : arg.mid(first + 1, second - first - 1);
    return part1 + '-' + part2;
}
