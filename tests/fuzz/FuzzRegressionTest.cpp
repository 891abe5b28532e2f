// SPDX-License-Identifier: MIT
// Every input a fuzzer ever reported (tests/data/fuzz-regressions/TARGET/) and every seed goes
// through the same checks as in the fuzzer: no crash, no sanitizer report (in the ASan build), no
// broken rule. A new finding is added by copying its file into the target's folder.
#include "FuzzTargets.h"
#include "TestUtils.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFileInfo>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using Target = int (*)(const std::uint8_t*, std::size_t);

struct Input {
    QString name;
    QByteArray bytes;
};

QList<Input> filesIn(const QString& folder, const QByteArray& prefix = {}) {
    QList<Input> out;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& f : files)
        if (!f.fileName().startsWith(QLatin1String("README")))
            out << Input{f.filePath(), prefix + testutils::readFile(f.filePath())};
    return out;
}

QString regressions(const char* target) {
    return testutils::dataPath(QStringLiteral("fuzz-regressions/") + QLatin1String(target));
}

QString seeds(const char* kind) {
    return QStringLiteral(LOBEVIEW_FUZZ_SEEDS_DIR "/") + QLatin1String(kind);
}

// Runs the target on each input; a broken rule names the input.
void runAll(Target target, const QList<Input>& inputs) {
    for (const Input& in : inputs) {
        SCOPED_TRACE(in.name.toStdString());
        try {
            target(reinterpret_cast<const std::uint8_t*>(in.bytes.constData()),
                   std::size_t(in.bytes.size()));
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
    }
}

// The data files the pattern and header targets are seeded with: a read-size byte, then the file.
QList<Input> dataFileSeeds() {
    QList<Input> out = filesIn(testutils::samplePath(), "\x07");
    out << filesIn(testutils::dataPath(QStringLiteral("real-adf")), "\x07");
    // The same files read one byte at a time, with the shortest line limit.
    for (const Input& in : QList<Input>(out))
        out << Input{in.name + QStringLiteral(" (bytewise)"), '\x40' + in.bytes.mid(1)};
    return out;
}

} // namespace

TEST(FuzzRegressions, PatternReader) {
    const QList<Input> found = filesIn(regressions("fuzz_pattern_reader"));
    runAll(FuzzPatternReader, found + dataFileSeeds());
}

TEST(FuzzRegressions, Header) {
    const QList<Input> found = filesIn(regressions("fuzz_header"));
    runAll(FuzzHeader, found + dataFileSeeds());
}

TEST(FuzzRegressions, IndexFile) {
    runAll(FuzzIndexFile, filesIn(regressions("fuzz_index_file")) + filesIn(seeds("index")));
}

TEST(FuzzRegressions, MaskTable) {
    runAll(FuzzMaskTable, filesIn(regressions("fuzz_mask_table")) + filesIn(seeds("masks")) +
                              filesIn(QStringLiteral(LOBEVIEW_MASKS_DIR)));
}

TEST(FuzzRegressions, GifWriter) {
    runAll(FuzzGifWriter, filesIn(regressions("fuzz_gif_writer")) + filesIn(seeds("gif")));
}

TEST(FuzzRegressions, AngleList) {
    runAll(FuzzAngleList, filesIn(regressions("fuzz_angle_list")) + filesIn(seeds("angles")));
}
