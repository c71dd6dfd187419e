#!/usr/bin/env bash
# Statistics benchmark: builds stats_bench (release), writes the 65,535-reading and
# the 1,000,000-reading humidity files (seven series) once, then times the reader and
# the statistics of the whole file on both in one run.
source "$(dirname "$0")/bench_common.sh"
bench_build stats_bench
"$build/bench/stats_bench" --repeats "${REPEATS:-20}" "$(bench_file humidity 65535)" "$(bench_file humidity 1000000)"
