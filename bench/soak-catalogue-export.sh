#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Soak of the whole-catalogue export: N synthetic antennas (make_catalogue) exported by the batch
# tool with two workers, once to PNG and once to vector PDF, with the process's resident memory
# sampled every second. Checks that
#   - after the first 500 antennas the resident memory grows by at most 10 % (the catalogue's
#     one- and two-sided antennas mixed, so that both page sizes come early);
#   - every file is complete (a PNG ends in its IEND chunk, a PDF in %%EOF) and the summary's
#     count is the count of files on disk;
#   - a run stopped half way with SIGINT leaves no partial file and its summary says how far it got.
#   bench/soak-catalogue-export.sh [N] [BUILD_DIR]        (defaults: 10000, build)
set -euo pipefail
n=${1:-10000}
build=$(cd "${2:-build}" && pwd)
cli=$build/bin/lobeview-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
"$build/bin/make_catalogue" "$work/cat" "$n" --seed 7 >/dev/null
# make_catalogue names its files by series, and the export takes them in name order: the one-sided
# series (portrait pages) would all come before the two-sided ones (landscape pages of twice the
# pixels), and the memory of the larger pages would be first needed after some 1,300 antennas. A
# prefix from each name's checksum mixes the two from the start.
for f in "$work"/cat/*.adf; do
  name=${f##*/}
  mv "$f" "$work/cat/$(printf '%s' "$name" | md5sum | cut -c1-6)-$name"
done
# Job control on: a background job of a script otherwise starts with SIGINT ignored.
set -m
status=0
fail() { echo "soak: $*" >&2; status=1; }

# Runs one export in the background; prints "antennas-done rss-kB" every second into $1.samples.
run() { # name format [signal-at]
  local name=$1 format=$2 stop_at=${3:-0} log=$work/$1.log
  "$cli" export --catalogue "$work/cat" --page chart --format "$format" -o "$work/$name" -j 2 \
    >"$log" 2>"$work/$name.err" &
  local pid=$! signalled=0
  : >"$work/$name.samples"
  while kill -0 "$pid" 2>/dev/null; do
    local done rss
    done=$(grep -c '^\[' "$log" || true)
    rss=$(awk '/^VmRSS/{print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    echo "$done $rss" >>"$work/$name.samples"
    if [ "$stop_at" -gt 0 ] && [ "$signalled" -eq 0 ] && [ "$done" -ge "$stop_at" ]; then
      kill -INT "$pid"
      signalled=1
    fi
    sleep 1
  done
  wait "$pid" || true
}

# The files written are whole: the summary's count is on disk and each file ends as it must.
check_files() { # name extension
  local dir=$work/$1 ext=$2 summary on_disk bad=0
  summary=$(grep -Eo '^[0-9]+ of [0-9]+ antennas exported' "$work/$1.log" | awk '{print $1}')
  on_disk=$(find "$dir" -type f | wc -l)
  [ "$summary" = "$on_disk" ] || fail "$1: the summary says $summary files, $on_disk are on disk"
  [ -z "$(find "$dir" -type f ! -name "*.$ext")" ] || fail "$1: files other than .$ext are left"
  for f in "$dir"/*."$ext"; do
    if [ "$ext" = png ]; then
      [ "$(tail -c 8 "$f" | head -c 4)" = IEND ] || { bad=$((bad + 1)); continue; }
    else
      tail -c 64 "$f" | grep -q '%%EOF' || bad=$((bad + 1))
    fi
  done
  [ "$bad" -eq 0 ] || fail "$1: $bad incomplete files"
  echo "$summary"
}

for format in png vector-pdf; do
  ext=${format#vector-}
  start=$(date +%s.%N)
  run "$format" "$format"
  seconds=$(echo "$(date +%s.%N) - $start" | bc)
  written=$(check_files "$format" "$ext")
  # Resident memory after the first 500 antennas, and at most after it.
  read -r base peak < <(awk -v from=500 '$1 >= from && $2 > 0 { if (!b) b = $2; if ($2 > p) p = $2 }
    END { print b + 0, p + 0 }' "$work/$format.samples")
  growth=$(awk -v b="$base" -v p="$peak" 'BEGIN { if (b > 0) printf "%.1f", (p - b) * 100 / b; else print "n/a" }')
  printf '%-10s %s of %s antennas in %.0f s (%.1f/s); resident memory %s kB after 500, peak %s kB: +%s %%\n' \
    "$format" "$written" "$n" "$seconds" "$(echo "$written / $seconds" | bc -l)" "$base" "$peak" "$growth"
  if [ "$growth" != n/a ] && awk -v g="$growth" 'BEGIN { exit !(g > 10) }'; then
    fail "$format: resident memory grew by $growth % after the first 500 antennas (at most 10 %)"
  fi
done

# Stopped half way: the files in hand are finished, the summary says how far it got.
run stopped png $((n / 2))
written=$(check_files stopped png)
grep -q "^Stopped: $((n - written)) antennas were not exported" "$work/stopped.log" ||
  fail "stopped: the summary does not say how far the run got: $(cat "$work/stopped.log" | tail -3)"
echo "stopped    by SIGINT after $written of $n antennas: every file whole, the summary says so"
exit $status
