// SPDX-License-Identifier: MIT
// Fuzz target: the header parser of the index rebuild (the lines up to the first "NUPOIN").
//
// Checks: the record it fills always has every length byte within its field's capacity (what
// every reader of FileIndx.dat relies on), and the same header read in small pieces gives the
// same record.
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "catalogue/IndexRefresh.h"

int FuzzHeader(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const qsizetype piece = 1 + data[0] % 64;
    const QByteArrayView file = fuzz::bytes(data + 1, size - 1);

    IndexRecord whole;
    LineReader inWhole(fuzz::pieces(file, file.size() + 1), file.size() + 1);
    const auto errorWhole = ReadHeaderLines(inWhole, whole);

    IndexRecord small;
    LineReader inSmall(fuzz::pieces(file, piece), piece);
    const auto errorSmall = ReadHeaderLines(inSmall, small);

    if (!whole.lengthsWithinCapacity() || !small.lengthsWithinCapacity())
        fuzz::fail("a length byte above its field's capacity");
    if (errorWhole != errorSmall)
        fuzz::fail("the outcome depends on the read size");
    if (!errorWhole && whole != small)
        fuzz::fail("the record depends on the read size");

    // A record built over a used buffer, as the first rebuilds did, stays within capacity too.
    LineReader again(fuzz::pieces(file, piece), piece);
    (void)ReadHeaderLines(again, whole);
    if (!whole.lengthsWithinCapacity())
        fuzz::fail("a length byte above its field's capacity after reuse");

    // The derivations on their own, with the whole input as one value.
    SetModelNumberFields(small, file);
    (void)FormatDataDate(file);
    if (!small.lengthsWithinCapacity())
        fuzz::fail("model number fields above capacity");
    return 0;
}

LOBEVIEW_FUZZ_ENTRY(FuzzHeader)
