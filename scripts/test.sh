#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Test command: installs what is missing, builds with warnings as errors, runs every test with
# ctest, then runs the same tests again in an AddressSanitizer + UndefinedBehaviorSanitizer build
# with leak checks, and the tests of the worker threads in a ThreadSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh

export QT_QPA_PLATFORM=offscreen

echo "== source format =="
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
  # Every source file names its licence.
  unlicensed=$(git ls-files '*.cpp' '*.h' 'CMakeLists.txt' '*.cmake' '*.sh' |
    xargs grep -L 'SPDX-License-Identifier: MIT' || true)
  [ -z "$unlicensed" ] || { echo "no SPDX-License-Identifier line in: $unlicensed" >&2; exit 1; }
else
  find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run --Werror
fi

# ctest lists the skipped tests but not why; the reasons are in its log, after "Skipped".
skip_reasons() {
  awk '/^[0-9]+\/[0-9]+ Test: /{name=$3} /: Skipped$/{getline; print "skipped: " name ": " $0}' \
    "$1/Testing/Temporary/LastTest.log"
}

echo "== build and test (RelWithDebInfo) =="
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOBEVIEW_WERROR=ON
ctest --test-dir build --output-on-failure
skip_reasons build

echo "== build and test (ASan + UBSan) =="
bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DLOBEVIEW_SANITIZE=ON -DLOBEVIEW_BUILD_BENCH=OFF \
  -DLOBEVIEW_WERROR=ON
# Leaks are checked too, in the test programs and in every program they start; what other
# people's libraries keep is listed, with the reason, in scripts/lsan.supp.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure
skip_reasons build-asan

echo "== build and test (ThreadSanitizer: the catalogue export's worker threads, the GIF's halves) =="
# Only the core, the batch tool and the tests that run the workers on few pages: the sanitizer
# slows drawing and encoding tenfold, so the tests that export the sample catalogue in every
# format stay with the other two builds.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOBEVIEW_TSAN=ON \
  -DLOBEVIEW_BUILD_BENCH=OFF -DLOBEVIEW_WERROR=ON >/dev/null
cmake --build build-tsan --parallel "$(nproc)" --target test_export lobeview-cli
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan.supp" \
  ctest --test-dir build-tsan --output-on-failure -j "$(nproc)" \
  -R 'test_export\.(Catalogue(Run\.|Cli\.(DuplicateRpe|Interrupt|WrongArguments))|GifLzw\.InTwo|GifWriter\.PaletteHolds)'
skip_reasons build-tsan
