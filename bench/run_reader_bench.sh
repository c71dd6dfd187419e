#!/usr/bin/env bash
# Reader benchmark: builds reader_bench (release), writes a 65,535-reading and a
# 1,000,000-reading humidity file (seven series) once, then times our reader and
# pandas.read_csv on both in one run and prints the peak memory of inspect.
source "$(dirname "$0")/bench_common.sh"
bench_build reader_bench
"$build/bench/reader_bench" --repeats "${REPEATS:-5}" "$(bench_file humidity 65535)" "$(bench_file humidity 1000000)"
