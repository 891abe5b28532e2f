#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang (ASan + UBSan) into build-fuzz/ and runs each in turn.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# SECONDS is the time per target (default 60). The corpora grow under build-fuzz/corpus/TARGET,
# seeded from the sample catalogue, tests/data/real-adf and fuzz/seeds; a crash, hang or
# sanitizer report is saved under build-fuzz/artifacts/TARGET/ and makes the script fail. Turn
# each one into a regression test under tests/data/fuzz-regressions/ (see tests/fuzz/).
# Runs one fuzzer at a time in a single process, so it shares the machine politely.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_pattern_reader fuzz_header fuzz_index_file fuzz_mask_table fuzz_gif_writer
    fuzz_angle_list fuzz_cli_args)
fi

# The fuzz build's own packages (not part of the normal bootstrap).
bash scripts/bootstrap.sh
fuzz_packages=(clang libclang-rt-14-dev)
missing=()
for p in "${fuzz_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  echo "fuzz: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

dir=build-fuzz
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DLOBEVIEW_FUZZ=ON -DLOBEVIEW_BUILD_TESTS=OFF -DLOBEVIEW_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --target fuzzers

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

# Seeds of each target and the longest input it is given.
seed() {
  local target=$1 corpus=$2
  case $target in
    fuzz_pattern_reader | fuzz_header)
      # The first byte of an input picks the read size; a seed is a data file behind one byte.
      for f in data/NSMAData/*.adf tests/data/real-adf/*.adf; do
        { printf '\x07'; cat "$f"; } >"$corpus/seed-$(basename "$f")"
      done ;;
    fuzz_index_file) cp fuzz/seeds/index/* "$corpus/" ;;
    fuzz_mask_table) cp data/masks/*.csv fuzz/seeds/masks/* "$corpus/" ;;
    fuzz_gif_writer) cp fuzz/seeds/gif/* "$corpus/" ;;
    fuzz_angle_list) cp fuzz/seeds/angles/* "$corpus/" ;;
    fuzz_cli_args) cp fuzz/seeds/cli/* "$corpus/" ;;
  esac
}
max_len() {
  case $1 in
    fuzz_pattern_reader | fuzz_header) echo 16384 ;;
    fuzz_gif_writer | fuzz_cli_args) echo 4096 ;;
    # Long lines, past any buffer a line might be read into.
    fuzz_mask_table) echo 65536 ;;
    *) echo 8192 ;;
  esac
}
# Options of one target: the batch tool's commands print on both streams at every run, which
# libFuzzer takes away from the target (it keeps its own reports).
extra() {
  case $1 in
    fuzz_cli_args) echo "-close_fd_mask=3" ;;
  esac
}
dict() {
  case $1 in
    fuzz_pattern_reader | fuzz_header) echo "-dict=fuzz/adf.dict" ;;
    fuzz_mask_table) echo "-dict=fuzz/masks.dict" ;;
    fuzz_cli_args) echo "-dict=fuzz/cli.dict" ;;
  esac
}

status=0
summary=()
for t in "${targets[@]}"; do
  corpus=$dir/corpus/$t
  artifacts=$dir/artifacts/$t
  mkdir -p "$corpus" "$artifacts"
  [ -n "$(ls -A "$corpus")" ] || seed "$t" "$corpus"
  log=$dir/logs/$t-$(date +%Y%m%d-%H%M%S).log
  mkdir -p "$dir/logs"
  echo "== $t for ${seconds}s (log $log) =="
  set +e
  # shellcheck disable=SC2046
  "$dir/bin/$t" "$corpus" $(dict "$t") $(extra "$t") -max_len="$(max_len "$t")" -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    >"$log" 2>&1
  rc=$?
  set -e
  execs=$(grep -ao 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  cov=$(grep -ao 'cov: [0-9]*' "$log" | tail -1)
  if [ $rc -ne 0 ]; then
    status=1
    summary+=("$t: FAILED (exit $rc) after ${execs:-?} runs, $cov; see $log and $artifacts")
    grep -aE 'ERROR|SUMMARY|fuzz check failed|runtime error|Test unit written' "$log" | head -5 || true
  else
    summary+=("$t: ${execs:-?} runs, $cov, no finding")
  fi
done
echo "== summary =="
printf '%s\n' "${summary[@]}"
exit $status
