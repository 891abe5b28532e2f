#!/usr/bin/env bash
# Builds the Debian package into build/ and checks it: its dependencies, its files, and that the
# unpacked program runs (dpkg -x into a temporary root; nothing is installed on this machine).
#   scripts/package.sh            -> build/lobeview_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build && cpack -G DEB >/dev/null)
deb=$(ls -t build/lobeview_*.deb | head -1)
echo "package: $deb"
dpkg-deb -f "$deb" Package Version Architecture Depends Recommends

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
for f in usr/bin/lobeview usr/bin/lobeview-cli usr/share/lobeview/masks/fcc-101-115.csv \
         usr/share/applications/lobeview.desktop usr/share/mime/packages/lobeview-nsma-adf.xml \
         usr/share/icons/hicolor/48x48/apps/lobeview.png; do
  [ -e "$root/$f" ] || { echo "package: $f is missing" >&2; exit 1; }
done
desktop-file-validate "$root/usr/share/applications/lobeview.desktop"
# The unpacked batch tool reads the packaged catalogue with the packaged mask table.
HOME="$root/home" XDG_DATA_HOME="$root/home/data" \
  "$root/usr/bin/lobeview-cli" check --catalogue "$root/usr/share/lobeview/NSMAData" -o "$root/report.csv" \
  && status=0 || status=$?
[ "$status" -le 1 ] || { echo "package: lobeview-cli check failed ($status)" >&2; exit 1; }
echo "package: $(($(wc -l <"$root/report.csv") - 1)) check rows from the unpacked program"
