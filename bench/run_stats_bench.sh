#!/usr/bin/env bash
# Statistics benchmark: builds stats_bench (release), writes the 65,535-reading and
# the 1,000,000-reading humidity files (seven series) once, then times the reader and
# the statistics of the whole file on both in one run.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_GUI=OFF >/dev/null
cmake --build "$build" -j2 --target stats_bench
data="$build/bench-data"
mkdir -p "$data"
for n in 65535 1000000; do
  f="$data/humidity_$n.txt"
  [ -s "$f" ] || python3 bench/make_humidity_file.py "$n" "$f"
done
"$build/bench/stats_bench" --repeats "${REPEATS:-20}" "$data/humidity_65535.txt" "$data/humidity_1000000.txt"
