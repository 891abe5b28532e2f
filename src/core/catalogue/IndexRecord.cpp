// SPDX-License-Identifier: MIT
#include "catalogue/IndexRecord.h"

#include <QtCore/QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>

QByteArrayView IndexRecord::view(IndexField f) const {
    const auto [offset, capacity] = layout(f);
    const int length = std::min<int>(bytes_[offset], capacity);
    return {reinterpret_cast<const char*>(bytes_.data()) + offset + 1, length};
}

QByteArray IndexRecord::text(IndexField f) const {
    return view(f).toByteArray();
}

bool IndexRecord::textEquals(IndexField f, QByteArrayView value) const {
    return view(f) == value;
}

void IndexRecord::setText(IndexField f, QByteArrayView value) {
    const auto [offset, capacity] = layout(f);
    const auto length = static_cast<int>(std::min<qsizetype>(value.size(), capacity));
    bytes_[offset] = static_cast<std::uint8_t>(length);
    if (length > 0)
        std::memcpy(bytes_.data() + offset + 1, value.data(), static_cast<size_t>(length));
}

bool IndexRecord::lengthsWithinCapacity() const {
    return std::all_of(std::begin(TextFields), std::end(TextFields), [this](IndexField f) {
        const auto [offset, capacity] = layout(f);
        return bytes_[offset] <= capacity;
    });
}

double IndexRecord::readDouble(int offset) const {
    const auto raw = qFromLittleEndian<quint64>(bytes_.data() + offset);
    return std::bit_cast<double>(raw);
}

void IndexRecord::writeDouble(int offset, double value) {
    qToLittleEndian<quint64>(std::bit_cast<quint64>(value), bytes_.data() + offset);
}

bool SameIndexEntry(const IndexRecord& a, const IndexRecord& b) {
    for (const IndexField f : {IndexField::ModelNumber, IndexField::RpeNumber,
                               IndexField::Description1, IndexField::Description2})
        if (a.text(f) != b.text(f))
            return false;
    // The band edges are compared as stored: both records come from the same conversion.
    return a.lowFrequency() == b.lowFrequency() && a.highFrequency() == b.highFrequency();
}
