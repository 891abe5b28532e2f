#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Packs a built tree into a Debian package and checks it as a Debian user would meet it:
#   - lintian prints no error and no warning;
#   - the AppStream metadata and the desktop file validate;
#   - both manual pages render without a warning;
#   - the unpacked batch tool checks the packaged catalogue with the packaged mask table.
# Nothing is installed on this machine (dpkg -x into a temporary root).
#   scripts/check-package.sh BUILD_DIR [OUT_DIR]   (OUT_DIR default: BUILD_DIR)
# Exit 77 when lintian or appstreamcli is missing (a test then counts as skipped).
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build}
mkdir -p "$out"
for tool in lintian appstreamcli desktop-file-validate; do
  command -v "$tool" >/dev/null || { echo "check-package: $tool is not installed" >&2; exit 77; }
done

(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls -t "$out"/lobeview_*.deb | head -1)
echo "package: $deb"
dpkg-deb -f "$deb" Package Version Architecture Maintainer Depends Recommends

# lintian refuses nothing as root but says so; that line is not a finding.
findings=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
if grep -qE '^[EW]: ' <<<"$findings"; then
  echo "$findings" >&2
  echo "check-package: lintian found errors or warnings" >&2
  exit 1
fi
echo "lintian: ${findings:-nothing}"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
share=$root/usr/share
for f in usr/bin/lobeview usr/bin/lobeview-cli usr/share/lobeview/masks/fcc-101-115.csv \
         usr/share/applications/lobeview.desktop usr/share/mime/packages/lobeview-nsma-adf.xml \
         usr/share/icons/hicolor/48x48/apps/lobeview.png \
         usr/share/metainfo/org.lobeview.lobeview.metainfo.xml \
         usr/share/man/man1/lobeview.1.gz usr/share/man/man1/lobeview-cli.1.gz \
         usr/share/bash-completion/completions/lobeview-cli \
         usr/share/doc/lobeview/copyright usr/share/doc/lobeview/changelog.gz; do
  [ -e "$root/$f" ] || { echo "check-package: $f is missing" >&2; exit 1; }
done
desktop-file-validate "$share/applications/lobeview.desktop"
appstreamcli validate --no-net --pedantic "$share/metainfo/org.lobeview.lobeview.metainfo.xml"

# Both pages render, and groff has nothing to say about them.
for page in lobeview lobeview-cli; do
  warnings=$(MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "check-package: $page(1): $warnings" >&2; exit 1; }
  MANWIDTH=80 man -l "$share/man/man1/$page.1.gz" 2>/dev/null | grep -q "^NAME" ||
    { echo "check-package: $page(1) does not render" >&2; exit 1; }
done
# Every command of the batch tool has its place in the page and in the completion.
for command in $("$root/usr/bin/lobeview-cli" --help | awk '/^commands:/{on=1; next} /^$/{on=0} on && /^  [a-z]/{print $1}' | sort -u); do
  MANWIDTH=200 man -l "$share/man/man1/lobeview-cli.1.gz" 2>/dev/null | grep -qE "^ +$command( |$)" ||
    { echo "check-package: lobeview-cli(1) does not cover '$command'" >&2; exit 1; }
  grep -qw "$command" "$share/bash-completion/completions/lobeview-cli" ||
    { echo "check-package: the completion does not know '$command'" >&2; exit 1; }
done
completed=$(bash -c 'source "$1"; COMP_WORDS=(lobeview-cli ex); COMP_CWORD=1; _lobeview_cli
  echo "${COMPREPLY[*]}"' _ "$share/bash-completion/completions/lobeview-cli")
[ "$completed" = export ] || { echo "check-package: 'lobeview-cli ex' completes to '$completed'" >&2; exit 1; }

# The unpacked batch tool reads the packaged catalogue with the packaged mask table.
HOME="$root/home" XDG_DATA_HOME="$root/home/data" \
  "$root/usr/bin/lobeview-cli" check --catalogue "$share/lobeview/NSMAData" -o "$root/report.csv" \
  && status=0 || status=$?
[ "$status" -le 1 ] || { echo "check-package: lobeview-cli check failed ($status)" >&2; exit 1; }
echo "package: $(($(wc -l <"$root/report.csv") - 1)) check rows from the unpacked program"
