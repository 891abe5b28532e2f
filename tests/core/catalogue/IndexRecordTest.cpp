// SPDX-License-Identifier: MIT
// The 380-byte index record and the index file: layouts other programs and older indexes rely on.
#include "catalogue/IndexRecord.h"

#include "TestUtils.h"
#include "catalogue/IndexFile.h"

#include <QtCore/QFileInfo>
#include <cstring>
#include <gtest/gtest.h>

namespace {

QByteArray recordBytes(const IndexRecord& r) {
    return QByteArray(reinterpret_cast<const char*>(r.bytes().data()), IndexRecord::RecordSize);
}

IndexRecord sampleRecord() {
    IndexRecord r;
    r.setText(IndexField::FileName, "ZZX12-65.adf");
    r.setText(IndexField::ModelNumber, "ZZX12-65");
    r.setText(IndexField::Series, "ZZX");
    r.setText(IndexField::Size, "12");
    r.setText(IndexField::Polarization, "Dual");
    r.setText(IndexField::Date, "05 April 2003");
    r.setText(IndexField::RpeNumber, "7421A");
    r.setLowFrequency(10.7);
    r.setHighFrequency(11.7);
    r.setText(IndexField::FrequencyRange, "10.700-11.700");
    r.setText(IndexField::MidFrequency, "11.200");
    r.setText(IndexField::Gain, "48.6");
    r.setText(IndexField::FeedOrientation, "RIGHT");
    r.setText(IndexField::Description1, "12 ft Dual Pol HP");
    r.setText(IndexField::Description2, "High performance antenna");
    return r;
}

// The layout other programs read, written out here rather than taken from the code.
const struct {
    IndexField field;
    int offset;
    int capacity;
} Layout[] = {{IndexField::FileName, 0, 15},         {IndexField::ModelNumber, 16, 16},
              {IndexField::Series, 33, 6},           {IndexField::Size, 40, 4},
              {IndexField::Polarization, 45, 7},     {IndexField::Date, 53, 21},
              {IndexField::RpeNumber, 75, 5},        {IndexField::FrequencyRange, 97, 18},
              {IndexField::MidFrequency, 116, 9},    {IndexField::Gain, 126, 9},
              {IndexField::FeedOrientation, 136, 6}, {IndexField::Description1, 143, 20},
              {IndexField::Description2, 164, 215}};

} // namespace

TEST(IndexRecord, FieldsSitAtTheirFixedOffsets) {
    const QByteArray b = recordBytes(sampleRecord());
    ASSERT_EQ(b.size(), 380);
    const struct {
        int offset;
        const char* text;
    } expected[] = {{0, "ZZX12-65.adf"},
                    {16, "ZZX12-65"},
                    {33, "ZZX"},
                    {40, "12"},
                    {45, "Dual"},
                    {53, "05 April 2003"},
                    {75, "7421A"},
                    {97, "10.700-11.700"},
                    {116, "11.200"},
                    {126, "48.6"},
                    {136, "RIGHT"},
                    {143, "12 ft Dual Pol HP"},
                    {164, "High performance antenna"}};
    for (const auto& e : expected) {
        const auto len = static_cast<int>(std::strlen(e.text));
        EXPECT_EQ(static_cast<unsigned char>(b[e.offset]), len) << e.text;
        EXPECT_EQ(b.mid(e.offset + 1, len), QByteArray(e.text)) << e.text;
    }
    // Little-endian IEEE doubles at the two odd offsets.
    const QByteArray low = QByteArray::fromHex("6666666666662540");  // 10.7
    const QByteArray high = QByteArray::fromHex("6666666666662740"); // 11.7
    EXPECT_EQ(b.mid(81, 8), low);
    EXPECT_EQ(b.mid(89, 8), high);
    EXPECT_EQ(IndexRecord::layout(IndexField::Description2).offset +
                  IndexRecord::layout(IndexField::Description2).capacity + 1,
              380);
}

TEST(IndexRecord, TextsAreCutToCapacityAndRemnantsIgnored) {
    IndexRecord r;
    r.setText(IndexField::Description2, QByteArray(300, 'x'));
    EXPECT_EQ(r.description2(), QByteArray(215, 'x'));
    r.setText(IndexField::FileName, "ABCDEFGHIJKLMNOPQRS.adf");
    EXPECT_EQ(r.fileName(), QByteArray("ABCDEFGHIJKLMNO"));

    // A shorter value written over a longer one leaves the tail bytes; readers use the length.
    r.setText(IndexField::ModelNumber, "ZZX12-65ABCDEF");
    r.setText(IndexField::ModelNumber, "ZZ8");
    EXPECT_EQ(r.modelNumber(), QByteArray("ZZ8"));
    EXPECT_EQ(recordBytes(r).mid(17, 8), QByteArray("ZZ812-65"));
    EXPECT_TRUE(r.textEquals(IndexField::ModelNumber, "ZZ8"));
    EXPECT_FALSE(r.textEquals(IndexField::ModelNumber, "ZZ812-65"));

    // A damaged length byte reads as the capacity instead of running into the next field.
    r.bytes()[33] = 200;
    EXPECT_EQ(r.series().size(), 6);
    r.setText(IndexField::Gain, "");
    EXPECT_TRUE(r.gain().isEmpty());
}

TEST(IndexRecord, EveryTextFieldIsCutAtItsCapacityInPlace) {
    for (const auto& f : Layout) {
        SCOPED_TRACE(f.offset);
        IndexRecord r;
        r.bytes().fill(0xEE);
        QByteArray value;
        for (int i = 0; i < f.capacity + 7; ++i)
            value += char('A' + (i * 7 + f.offset) % 26);
        r.setText(f.field, value);
        const QByteArray b = recordBytes(r);
        EXPECT_EQ(static_cast<unsigned char>(b[f.offset]), f.capacity);
        EXPECT_EQ(b.mid(f.offset + 1, f.capacity), value.first(f.capacity));
        EXPECT_EQ(r.text(f.field), value.first(f.capacity));
        // Nothing outside the field's own bytes is touched.
        for (int i = 0; i < IndexRecord::RecordSize; ++i) {
            if (i < f.offset || i > f.offset + f.capacity) {
                ASSERT_EQ(static_cast<unsigned char>(b[i]), 0xEE) << "byte " << i;
            }
        }
        // A value of exactly the capacity is kept whole.
        r.setText(f.field, value.first(f.capacity));
        EXPECT_EQ(r.text(f.field), value.first(f.capacity));
    }
}

TEST(IndexFile, AppendsScansRewindsAndIgnoresAPartialTail) {
    testutils::Sandbox box;
    const QString path = box.path(QStringLiteral("FileIndx.dat"));
    IndexFile out;
    ASSERT_TRUE(out.create(path));
    IndexRecord r = sampleRecord();
    ASSERT_TRUE(out.append(r));
    r.setText(IndexField::ModelNumber, "ZZ8-107");
    ASSERT_TRUE(out.append(r));
    ASSERT_TRUE(out.close());
    EXPECT_EQ(QFileInfo(path).size(), 760);

    IndexFile in;
    ASSERT_TRUE(in.open(path));
    IndexRecord got;
    ASSERT_TRUE(in.readNext(got));
    EXPECT_EQ(got, sampleRecord());
    ASSERT_TRUE(in.readNext(got));
    EXPECT_EQ(got.modelNumber(), QByteArray("ZZ8-107"));
    EXPECT_FALSE(in.readNext(got));
    ASSERT_TRUE(in.rewind());
    ASSERT_TRUE(in.readNext(got));
    EXPECT_EQ(got.modelNumber(), QByteArray("ZZX12-65"));
    in.close();

    // A file cut short: the partial record is not a record, and the buffer keeps its last value.
    QByteArray bytes = testutils::readFile(path);
    bytes.chop(100);
    ASSERT_TRUE(testutils::writeFile(path, bytes));
    ASSERT_TRUE(in.open(path));
    int count = 0;
    while (in.readNext(got))
        ++count;
    EXPECT_EQ(count, 1);
    EXPECT_EQ(got.modelNumber(), QByteArray("ZZX12-65"));

    // Creating truncates; an empty index yields no record.
    ASSERT_TRUE(out.create(path));
    out.close();
    ASSERT_TRUE(in.open(path));
    EXPECT_FALSE(in.readNext(got));
    EXPECT_FALSE(in.open(box.path(QStringLiteral("missing/FileIndx.dat"))));
}

TEST(IndexFile, TellsAnIndexFromOtherFiles) {
    testutils::Sandbox box;
    const QString path = box.path(QStringLiteral("x.dat"));
    auto holdsRecords = [&](const QByteArray& bytes) {
        testutils::writeFile(path, bytes);
        IndexFile f;
        return f.open(path) && f.holdsRecords();
    };
    const QByteArray good = recordBytes(sampleRecord());
    EXPECT_TRUE(holdsRecords({}));
    EXPECT_TRUE(holdsRecords(good + good));
    EXPECT_FALSE(holdsRecords(good + good.first(379)));
    // 380 bytes of text: the first length byte alone is far beyond 15.
    EXPECT_FALSE(holdsRecords(QByteArray(380, 'M')));
    // One length byte at its field's capacity is fine; one above it is not an index.
    for (const auto& f : Layout) {
        QByteArray bad = good;
        bad[f.offset] = char(f.capacity);
        EXPECT_TRUE(holdsRecords(good + bad)) << f.offset;
        bad[f.offset] = char(f.capacity + 1);
        EXPECT_FALSE(holdsRecords(good + bad)) << f.offset;
    }
    // A reader that checked starts at the first record.
    testutils::writeFile(path, good);
    IndexFile f;
    ASSERT_TRUE(f.open(path));
    ASSERT_TRUE(f.holdsRecords());
    IndexRecord got;
    EXPECT_TRUE(f.readNext(got));
    EXPECT_EQ(got, sampleRecord());
}
