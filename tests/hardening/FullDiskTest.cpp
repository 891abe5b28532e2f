// SPDX-License-Identifier: MIT
// A full disk while the program writes the index, its dump and each kind of export. The earlier
// file stays as it was, no half-written file is left beside it, and the message names the file
// that could not be written. The disk is a 64 KiB tmpfs in a private mount namespace (root only).
#include "HardeningSupport.h"
#include "TestUtils.h"
#include "catalogue/IndexDump.h"
#include "catalogue/IndexFile.h"
#include "catalogue/IndexRefresh.h"
#include "output/GifImage.h"
#include "output/JpegWriter.h"
#include "output/TextExport.h"

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace {

struct FullDisk {
    testutils::Sandbox box;
    std::unique_ptr<hardening::SmallDisk> disk;
    QString skipReason;

    FullDisk() {
        disk = std::make_unique<hardening::SmallDisk>(folder(), 64);
        skipReason = disk->unavailableReason();
    }
    QString folder() const { return box.path(QStringLiteral("disk")); }
    QString file(const QString& name) const { return folder() + QLatin1Char('/') + name; }
    // The earlier file, then no free block left.
    void prepare(const QString& name, const QByteArray& old) const {
        ASSERT_TRUE(testutils::writeFile(file(name), old));
        disk->fill();
    }
    // The earlier file is intact and nothing else was left on the disk.
    void expectUnchanged(const QString& name, const QByteArray& old) const {
        EXPECT_EQ(testutils::readFile(file(name)), old);
        EXPECT_EQ(hardening::filesIn(folder()), (QStringList{name, QStringLiteral("filler")}));
    }
};

#define SKIP_WITHOUT_DISK(d)                                                                       \
    if (!(d).skipReason.isEmpty())                                                                 \
    GTEST_SKIP() << "no small disk to fill: " << (d).skipReason.toStdString()

QImage page() {
    QImage image(1200, 1500, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    for (int i = 0; i < 1500; i += 7)
        p.drawLine(0, i, 1199, 1499 - i);
    return image;
}

} // namespace

TEST(FullDisk, IndexRebuildKeepsTheOldIndex) {
    FullDisk d;
    SKIP_WITHOUT_DISK(d);
    const QByteArray old(IndexRecord::RecordSize, '\0'); // one empty record
    d.prepare(QStringLiteral("FileIndx.dat"), old);
    const RebuildReport r =
        RebuildIndex(testutils::samplePath(), d.file(QStringLiteral("FileIndx.dat")));
    EXPECT_EQ(r.outcome, RebuildReport::Outcome::CannotCreate);
    EXPECT_EQ(r.message(),
              QStringLiteral("Cannot create file %1").arg(d.file(QStringLiteral("FileIndx.dat"))));
    d.expectUnchanged(QStringLiteral("FileIndx.dat"), old);
}

TEST(FullDisk, IndexDumpKeepsTheOldDump) {
    FullDisk d;
    SKIP_WITHOUT_DISK(d);
    const QByteArray old = "FileName,ModNum\r\nold.adf,OLD1-1\r\n";
    d.prepare(QStringLiteral("FileIndx.txt"), old);
    QList<QStringList> rows{IndexColumnHeadings()};
    const QString index = d.box.path(QStringLiteral("FileIndx.dat"));
    RebuildIndex(testutils::samplePath(), index);
    IndexFile f;
    ASSERT_TRUE(f.open(index));
    IndexRecord r;
    while (f.readNext(r))
        rows << IndexRowCells(r);
    EXPECT_EQ(WriteIndexDump(d.file(QStringLiteral("FileIndx.txt")), rows),
              QStringLiteral("Cannot create file %1").arg(d.file(QStringLiteral("FileIndx.txt"))));
    d.expectUnchanged(QStringLiteral("FileIndx.txt"), old);
}

TEST(FullDisk, EveryExportKeepsTheOldFile) {
    FullDisk d;
    SKIP_WITHOUT_DISK(d);
    const QByteArray old = "an earlier export";
    const QString chart = d.file(QStringLiteral("chart.png"));
    const QString jpeg = d.file(QStringLiteral("chart.jpg"));
    const QString gif = d.file(QStringLiteral("chart.gif"));
    const QString text = d.file(QStringLiteral("data.txt"));
    for (const QString& path : {chart, jpeg, gif, text})
        ASSERT_TRUE(testutils::writeFile(path, old));
    d.disk->fill();
    auto expectOld = [&](const QString& path) {
        EXPECT_EQ(testutils::readFile(path), old) << path.toStdString();
    };
    const QString cannot = QStringLiteral("Cannot create file %1");

    // The PNG of the batch tool's export.
    const auto cli = testutils::runCli(
        {QStringLiteral("export"), testutils::samplePath(QStringLiteral("ZZX10-60L.adf")),
         QStringLiteral("--page"), QStringLiteral("chart"), QStringLiteral("-o"), chart});
    EXPECT_EQ(cli.exitCode, 1);
    // The image library may say what it met first; the last line names the file.
    EXPECT_TRUE(cli.err.endsWith((cannot.arg(chart) + u'\n').toLocal8Bit())) << cli.err.constData();
    expectOld(chart);

    const QImage picture = page();
    EXPECT_EQ(WriteJpegFile(picture, jpeg), cannot.arg(jpeg));
    expectOld(jpeg);

    GifImage image;
    image.Assign(picture);
    EXPECT_EQ(image.SaveToFile(gif), cannot.arg(gif));
    expectOld(gif);

    EXPECT_EQ(WriteTextCopy(testutils::samplePath(QStringLiteral("ZZ8-107.adf")), text),
              cannot.arg(text));
    expectOld(text);

    EXPECT_EQ(hardening::filesIn(d.folder()),
              (QStringList{QStringLiteral("chart.gif"), QStringLiteral("chart.jpg"),
                           QStringLiteral("chart.png"), QStringLiteral("data.txt"),
                           QStringLiteral("filler")}));
}
