// SPDX-License-Identifier: MIT
#pragma once
// One record of the antenna index FileIndx.dat: exactly 380 bytes, the same layout on disk and in
// memory. Text fields are counted texts (a length byte followed by up to `capacity` 8-bit
// characters); the two band edges are little-endian IEEE doubles at odd offsets.
#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <array>
#include <cstdint>

enum class IndexField : std::uint8_t {
    FileName,
    ModelNumber,
    Series,
    Size,
    Polarization,
    Date,
    RpeNumber,
    FrequencyRange,
    MidFrequency,
    Gain,
    FeedOrientation,
    Description1,
    Description2,
};

struct IndexFieldLayout {
    int offset;
    int capacity; // characters; the field takes capacity + 1 bytes
};

class IndexRecord {
public:
    static constexpr int RecordSize = 380;
    static constexpr int LowFrequencyOffset = 81;
    static constexpr int HighFrequencyOffset = 89;

    using Bytes = std::array<std::uint8_t, RecordSize>;

    static constexpr IndexField TextFields[] = {
        IndexField::FileName,    IndexField::ModelNumber,     IndexField::Series,
        IndexField::Size,        IndexField::Polarization,    IndexField::Date,
        IndexField::RpeNumber,   IndexField::FrequencyRange,  IndexField::MidFrequency,
        IndexField::Gain,        IndexField::FeedOrientation, IndexField::Description1,
        IndexField::Description2};

    static constexpr IndexFieldLayout layout(IndexField f) {
        switch (f) {
        case IndexField::FileName:
            return {0, 15};
        case IndexField::ModelNumber:
            return {16, 16};
        case IndexField::Series:
            return {33, 6};
        case IndexField::Size:
            return {40, 4};
        case IndexField::Polarization:
            return {45, 7};
        case IndexField::Date:
            return {53, 21};
        case IndexField::RpeNumber:
            return {75, 5};
        case IndexField::FrequencyRange:
            return {97, 18};
        case IndexField::MidFrequency:
            return {116, 9};
        case IndexField::Gain:
            return {126, 9};
        case IndexField::FeedOrientation:
            return {136, 6};
        case IndexField::Description1:
            return {143, 20};
        case IndexField::Description2:
            return {164, 215};
        }
        return {0, 0};
    }

    IndexRecord() { bytes_.fill(0); }

    // The stored text of a field. A length byte above the field's capacity (a damaged index) reads
    // as the capacity; the bytes after the length are remnants and never read.
    QByteArray text(IndexField f) const;
    // Stores a text, cut to the field's capacity. Bytes after the new length are left as they were.
    void setText(IndexField f, QByteArrayView value);

    double lowFrequency() const { return readDouble(LowFrequencyOffset); }
    double highFrequency() const { return readDouble(HighFrequencyOffset); }
    void setLowFrequency(double ghz) { writeDouble(LowFrequencyOffset, ghz); }
    void setHighFrequency(double ghz) { writeDouble(HighFrequencyOffset, ghz); }

    QByteArray fileName() const { return text(IndexField::FileName); }
    QByteArray modelNumber() const { return text(IndexField::ModelNumber); }
    QByteArray series() const { return text(IndexField::Series); }
    QByteArray size() const { return text(IndexField::Size); }
    QByteArray polarization() const { return text(IndexField::Polarization); }
    QByteArray date() const { return text(IndexField::Date); }
    QByteArray rpeNumber() const { return text(IndexField::RpeNumber); }
    QByteArray frequencyRange() const { return text(IndexField::FrequencyRange); }
    QByteArray midFrequency() const { return text(IndexField::MidFrequency); }
    QByteArray gain() const { return text(IndexField::Gain); }
    QByteArray feedOrientation() const { return text(IndexField::FeedOrientation); }
    QByteArray description1() const { return text(IndexField::Description1); }
    QByteArray description2() const { return text(IndexField::Description2); }

    // Compares a field with a value without copying it out.
    bool textEquals(IndexField f, QByteArrayView value) const;

    // True when every length byte is within its field's capacity, as in any record the refresh
    // writes.
    bool lengthsWithinCapacity() const;

    // Sets every byte to zero.
    void clear() { bytes_.fill(0); }

    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }

    friend bool operator==(const IndexRecord&, const IndexRecord&) = default;

private:
    double readDouble(int offset) const;
    void writeDouble(int offset, double value);
    QByteArrayView view(IndexField f) const;

    Bytes bytes_;
};

static_assert(sizeof(IndexRecord) == IndexRecord::RecordSize);

// True when two records name the same antenna entry: equal model number, RPE number, band edges
// and descriptions.
bool SameIndexEntry(const IndexRecord& a, const IndexRecord& b);
