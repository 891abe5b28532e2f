// SPDX-License-Identifier: MIT
// lobeview-cli find on the sample catalogue: exit codes, the antennas each question finds, JSON,
// files that cannot be read, and the folder's index used only while it is current.
#include "TestUtils.h"
#include "catalogue/IndexFile.h"
#include "catalogue/IndexRefresh.h"

#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <gtest/gtest.h>

namespace {

testutils::CliResult find(const QString& dir, QStringList args) {
    args.prepend(dir);
    args.prepend(QStringLiteral("find"));
    return testutils::runCli(args);
}

// The file names of a CSV result, in order.
QStringList filesOf(const QByteArray& csv) {
    QStringList files;
    const QList<QByteArray> lines = csv.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            files << QString::fromLatin1(lines[i].split(',').value(2));
    return files;
}

QStringList split(const char* text, char separator) {
    return QString::fromLatin1(text).split(QLatin1Char(separator), Qt::SkipEmptyParts);
}

} // namespace

TEST(FindCommand, QuestionsAndExitCodes) {
    const QString dir = testutils::samplePath();
    const struct {
        const char* args; // separated by |
        int exitCode;
        const char* files;
    } cases[] = {
        {"--text|zzx10 HP", 0, "ZZX10-60L.adf|ZZX10-60U.adf"},
        {"--text|12050", 0, "ZZX10-60L.adf"},
        {"--text|uhp|--feed|left", 0, "QU12-59.adf|QUX8-107.adf"},
        {"--covers|6425 MHz|--pol|dual", 0, "ZZX10-60L.adf|ZZX10-60U.adf"},
        {"--min-gain|46.4|--max-size|8", 0, "QUX8-107.adf|ZZ8-107.adf"},
        // The question of the issue: 6 GHz, at most 8 ft... none here meets A; at most 10 ft
        // with 2.5 dB, the margin of ZZX10-60L exactly.
        {"--covers|6GHz|--max-size|8|--category|A|--margin|3", 1, ""},
        {"--covers|6|--max-size|10|--category|A|--margin|2.5", 0, "ZZX10-60L.adf"},
        {"--covers|6|--max-size|10|--category|A|--margin|2.51", 1, ""},
        {"--covers|6175|--category|B", 0, "QS8-59.adf|QU12-59.adf|ZZX10-60L.adf"},
        {"--text|nothing-like-this", 1, ""},
        {"--covers|six", 2, ""},
        {"--pol|both", 2, ""},
        {"--margin|3", 2, ""},
        {"--category|C", 2, ""},
    };
    for (const auto& c : cases) {
        const testutils::CliResult r = find(dir, split(c.args, '|') << QStringLiteral("--csv"));
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args << r.err.toStdString();
        if (c.exitCode != 2) {
            EXPECT_EQ(filesOf(r.out), split(c.files, '|')) << c.args;
        }
    }
    EXPECT_EQ(find(dir + QStringLiteral("/none"), {}).exitCode, 2);
}

TEST(FindCommand, JsonHoldsTheFactsAndBothVerdicts) {
    const testutils::CliResult r =
        find(testutils::samplePath(), split("--text 12050 --category a --json", ' '));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray found = QJsonDocument::fromJson(r.out).array();
    ASSERT_EQ(found.size(), 1) << r.out.toStdString();
    const QJsonObject a = found[0].toObject();
    EXPECT_EQ(a[QStringLiteral("model")].toString(), QStringLiteral("ZZX10-60"));
    EXPECT_EQ(a[QStringLiteral("bandGHz")].toArray(), (QJsonArray{5.925, 6.425}));
    EXPECT_EQ(a[QStringLiteral("gainDbi")].toDouble(), 43.1);
    EXPECT_EQ(a[QStringLiteral("sizeFt")].toDouble(), 10);
    EXPECT_EQ(a[QStringLiteral("feed")].toString(), QStringLiteral("RIGHT"));
    const QJsonObject fcc = a[QStringLiteral("fcc")].toObject();
    EXPECT_EQ(fcc[QStringLiteral("A")].toObject()[QStringLiteral("result")].toString(),
              QStringLiteral("pass"));
    EXPECT_EQ(fcc[QStringLiteral("A")].toObject()[QStringLiteral("worstMarginDb")].toDouble(), 2.5);
    EXPECT_EQ(fcc[QStringLiteral("B")].toObject()[QStringLiteral("worstMarginDb")].toDouble(), 6.5);

    // Without a category nothing is checked.
    const testutils::CliResult plain =
        find(testutils::samplePath(), split("--text 12050 --json", ' '));
    EXPECT_TRUE(
        QJsonDocument::fromJson(plain.out).array()[0].toObject()[QStringLiteral("fcc")].isNull());
}

TEST(FindCommand, UnreadableFilesAreSkippedAndTheIndexUsedWhileCurrent) {
    testutils::Sandbox box;
    for (const char* name : {"QS8-59.adf", "ZZX10-60L.adf"})
        ASSERT_TRUE(QFile::copy(testutils::samplePath(QString::fromLatin1(name)),
                                box.path(QString::fromLatin1(name))));
    ASSERT_TRUE(box.write(QStringLiteral("BAD.adf"), "nothing\n"));
    testutils::CliResult r = find(box.path(), {QStringLiteral("--csv")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(filesOf(r.out), split("QS8-59.adf ZZX10-60L.adf", ' '));
    EXPECT_TRUE(r.err.contains("skipped BAD.adf: not an NSMA data file")) << r.err.toStdString();

    // An index whose gain says otherwise: believed while current, not once a file is newer.
    ASSERT_TRUE(QFile::remove(box.path(QStringLiteral("BAD.adf"))));
    const QString index = box.path(QStringLiteral("FileIndx.dat"));
    ASSERT_EQ(RebuildIndex(box.path(), index).records, 2);
    QFile raw(index);
    ASSERT_TRUE(raw.open(QIODevice::ReadWrite));
    QByteArray bytes = raw.readAll();
    IndexRecord first;
    std::copy_n(bytes.constData(), IndexRecord::RecordSize, first.bytes().begin());
    first.setText(IndexField::Gain, "50.0");
    std::copy_n(first.bytes().begin(), IndexRecord::RecordSize, bytes.data());
    raw.seek(0);
    raw.write(bytes);
    raw.close();
    r = find(box.path(), split("--min-gain 50 --csv", ' '));
    EXPECT_EQ(filesOf(r.out), QStringList{QStringLiteral("QS8-59.adf")});

    QFile file(box.path(QStringLiteral("ZZX10-60L.adf")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
    file.close();
    r = find(box.path(), split("--min-gain 50 --csv", ' '));
    EXPECT_EQ(r.exitCode, 1);
}
