#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Run command: installs what is missing, builds, and starts Lobeview on the sample catalogue.
# Without a display it says so and runs the batch tool on the sample catalogue instead.
#   scripts/run.sh [ARGUMENT]   (ARGUMENT: a data file or a model number to open at once)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo

bin="$PWD/build/bin"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting $bin/lobeview (settings in ~/.config/Quelda.conf, catalogue in $bin/NSMAData)"
  exec "$bin/lobeview" "$@"
fi

echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): Lobeview's windows cannot open."
echo "Running the batch tool on the sample catalogue instead."
echo
shopt -s nullglob
files=("$bin"/NSMAData/*.adf)
echo "Sample catalogue: $bin/NSMAData (${#files[@]} files)"
echo
QT_QPA_PLATFORM=offscreen "$bin/lobeview-cli" show "${files[@]}"
echo

# The chart and the data sheet of one sample antenna as PDF documents, made as the graph window
# makes them (through htmldoc), in the default PDF folder beside the program.
sample="$bin/NSMAData/ZZX10-60L.adf"
pdfdir="$bin/PDF"
mkdir -p "$pdfdir"
echo "Chart and data sheet of $(basename "$sample") as PDF:"
made=0
for page in chart data; do
  if QT_QPA_PLATFORM=offscreen "$bin/lobeview-cli" export "$sample" --page "$page" \
       --format pdf --color -o "$pdfdir/ZZX10-60L-$page.pdf"; then
    made=$((made + 1))
  fi
done
if [ "$made" -eq 2 ]; then
  echo "Both PDF files are in $pdfdir"
else
  echo "Not every PDF could be made (see above); htmldoc must be installed (scripts/bootstrap.sh)."
fi
echo
echo "The batch tool is $bin/lobeview-cli; run it with --help for its commands."
