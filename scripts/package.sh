#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a Release build with Debian's hardening flags and checks it
# (scripts/check-package.sh): lintian, the AppStream and desktop files, the manual pages, and the
# unpacked program at work.
#   scripts/package.sh [BUILD_DIR]     -> BUILD_DIR/lobeview_VERSION_ARCH.deb (default build-release)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
dir=${1:-build-release}
bash scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DLOBEVIEW_BUILD_TESTS=OFF \
  -DLOBEVIEW_BUILD_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS) -Wl,-z,now"
bash scripts/check-package.sh "$dir"
