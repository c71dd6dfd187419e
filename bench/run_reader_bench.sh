#!/usr/bin/env bash
# Reader benchmark: builds reader_bench (release), writes a 65,535-reading and a
# 1,000,000-reading humidity file (seven series) once, then times our reader and
# pandas.read_csv on both in one run and prints the peak memory of inspect.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_GUI=OFF >/dev/null
cmake --build "$build" -j2 --target reader_bench
data="$build/bench-data"
mkdir -p "$data"
for n in 65535 1000000; do
  f="$data/humidity_$n.txt"
  [ -s "$f" ] || python3 bench/make_humidity_file.py "$n" "$f"
done
"$build/bench/reader_bench" --repeats "${REPEATS:-5}" "$data/humidity_65535.txt" "$data/humidity_1000000.txt"
