// SPDX-License-Identifier: MIT
// Fuzz target: the arguments of the batch tool's level, find and compare commands (angle lists,
// steps, cuts, frequencies, gains, sizes, categories, margins, formats). The first byte picks the
// command; the rest is its arguments, one a line, where "@" and "@2" stand for two sample data
// files, "@dir" for the sample catalogue and "@masks" for the shipped mask table. compare's "-o"
// is taken out: the fuzzer writes no file. Checks: the command ends with 0, 1 or 2, whatever the
// arguments. (scripts/fuzz.sh runs it with what the commands print taken away.)
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "cli/Commands.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace {

QStringList argumentsOf(QByteArrayView text) {
    QStringList args;
    for (const QByteArrayView line : QByteArray(text.toByteArray()).split('\n')) {
        const QString arg = QString::fromUtf8(line);
        if (arg == QStringLiteral("@"))
            args << QStringLiteral(LOBEVIEW_SAMPLE_DIR "/ZZX10-60L.adf");
        else if (arg == QStringLiteral("@2"))
            args << QStringLiteral(LOBEVIEW_SAMPLE_DIR "/ZZX10-60U.adf");
        else if (arg.startsWith(QStringLiteral("-o")))
            args << QStringLiteral("--json");
        else if (arg == QStringLiteral("@dir"))
            args << QStringLiteral(LOBEVIEW_SAMPLE_DIR);
        else if (arg == QStringLiteral("@masks"))
            args << QStringLiteral(LOBEVIEW_MASKS_DIR "/fcc-101-115.csv");
        else
            args << arg;
    }
    return args;
}

} // namespace

int FuzzCliArgs(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QStringList args = argumentsOf(fuzz::bytes(data + 1, size - 1));
    int code = 0;
    switch (data[0] % 3) {
    case 0:
        code = levelCommand(args);
        break;
    case 1:
        code = findCommand(args);
        break;
    default:
        code = compareCommand(args);
        break;
    }
    if (code < 0 || code > 2)
        fuzz::fail("an exit code other than 0, 1 or 2");
    return 0;
}

LOBEVIEW_FUZZ_ENTRY(FuzzCliArgs)
