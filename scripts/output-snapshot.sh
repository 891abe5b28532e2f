#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes everything the batch tool makes of the sample catalogue into a folder, so that two builds
# can be compared byte for byte (diff -r A B) before and after a change that must not change what
# the program writes: pages as PNG, GIF, JPG, SVG, vector PDF and htmldoc PDF, text copies, the
# screen chart, show --json, the compliance reports, the index and its listing.
# PDFs carry their time of making; those lines are blanked.
#   scripts/output-snapshot.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
cli="$build/bin/lobeview-cli"
samples="$(cd "$(dirname "$0")/.." && pwd)/data/NSMAData"
rm -rf "${out:?}"/*
# A fixed hash seed keeps the order of the fonts in a vector PDF from run to run.
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 QT_HASH_SEED=0
for f in "$samples"/*.adf; do
  n=$(basename "$f" .adf)
  d="$out/$n"
  mkdir -p "$d"
  for page in chart data; do
    "$cli" export "$f" --page $page --format png --color -o "$d/$page-color.png" >/dev/null
    "$cli" export "$f" --page $page --format png -o "$d/$page-mono.png" >/dev/null
    "$cli" export "$f" --page $page --format svg --color -o "$d/$page.svg" >/dev/null
    "$cli" export "$f" --page $page --format vector-pdf -o "$d/$page-vector.pdf" >/dev/null
    "$cli" export "$f" --page $page --format pdf -o "$d/$page-htmldoc.pdf" >/dev/null
  done
  "$cli" export "$f" --page chart --format gif --color -o "$d/chart.gif" >/dev/null
  "$cli" export "$f" --page chart --format jpg -o "$d/chart.jpg" >/dev/null
  "$cli" export "$f" --page data --format txt -o "$d/copy.txt" >/dev/null
  "$cli" screen "$f" -o "$d/screen.png" >/dev/null
  "$cli" show "$f" > "$d/show.txt"
  "$cli" show "$f" --json > "$d/show.json"
  "$cli" check "$f" > "$d/check.txt" || true
  "$cli" check "$f" --json > "$d/check.json" || true
done
cd "$out"
"$cli" index "$samples" -o FileIndx.dat > index.txt
"$cli" list FileIndx.dat > list.txt
"$cli" check --catalogue "$samples" -o report.csv > report.txt || true
sed -i "s#$out/##g" index.txt report.txt # the folder differs from snapshot to snapshot
cd - >/dev/null
# The catalogue's folder is the checkout's own.
find "$out" \( -name '*.json' -o -name '*.txt' -o -name '*.csv' \) -print0 |
  xargs -0 sed -i "s#$samples#SAMPLES#g"
# The PDFs' times of making (and the IDs derived from them) differ from run to run.
find "$out" -name '*.pdf' -print0 | xargs -0 sed -i -E \
  -e 's#/(CreationDate|ModDate) ?\([^)]*\)#/\1 ()#g' \
  -e 's#^(CreationDate|ModDate).*#\1#' \
  -e 's#/ID ?\[[^]]*\]#/ID []#g'
