// SPDX-License-Identifier: MIT
#pragma once
// Helpers shared by the fuzz targets: the input as a byte view and as a line reader source.
#include "adf/LineReader.h"

#include <QtCore/QByteArrayView>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace fuzz {

inline QByteArrayView bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)};
}

// A line reader source that hands out `text` in pieces of at most `piece` bytes, as a slow pipe
// or a short read would.
inline LineReader::Source pieces(QByteArrayView text, qsizetype piece) {
    auto pos = std::make_shared<qsizetype>(0);
    return [text, piece, pos](char* out, qint64 size) -> qint64 {
        const qsizetype n = std::min<qsizetype>({piece, qsizetype(size), text.size() - *pos});
        if (n > 0)
            std::memcpy(out, text.data() + *pos, size_t(n));
        *pos += n;
        return n;
    };
}

// A check that does not hold. In a fuzzer it aborts, so libFuzzer keeps the input as a crash; in
// the regression tests it throws, so the test names the input and goes on.
[[noreturn]] inline void fail(const char* what) {
#ifdef LOBEVIEW_FUZZER
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
#else
    throw std::runtime_error(what);
#endif
}

} // namespace fuzz

// Each target file defines its check as `int NAME(const std::uint8_t*, std::size_t)` and names it
// here once; the fuzzer build makes it libFuzzer's entry point, the regression tests call it.
#ifdef LOBEVIEW_FUZZER
#define LOBEVIEW_FUZZ_ENTRY(NAME)                                                                  \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {            \
        return NAME(data, size);                                                                   \
    }
#else
#define LOBEVIEW_FUZZ_ENTRY(NAME)
#endif

namespace fuzz {} // namespace fuzz
