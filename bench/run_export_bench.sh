#!/usr/bin/env bash
# Export benchmark: builds export_bench and velmora-cli (release), writes the largest
# humidity file a logger can fill (32,767 readings, two channels) and a 65,535-reading
# wide-type file once, then times our export and python3-xlsxwriter (constant-memory
# mode) writing the same workbook in one run, and prints velmora-cli export's peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_GUI=OFF >/dev/null
cmake --build "$build" -j2 --target export_bench velmora-cli
data="$build/bench-data"
mkdir -p "$data"
[ -s "$data/humidity_32767.txt" ] || python3 bench/make_humidity_file.py 32767 "$data/humidity_32767.txt"
[ -s "$data/wide_65535.txt" ] || python3 bench/make_wide_file.py 65535 "$data/wide_65535.txt"
LC_ALL=C "$build/bench/export_bench" --repeats "${REPEATS:-5}" "$data/humidity_32767.txt" "$data/wide_65535.txt"
