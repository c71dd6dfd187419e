#!/usr/bin/env bash
# Export benchmark: builds export_bench and velmora-cli (release), writes the largest
# humidity file a logger can fill (32,767 readings, two channels) and a 65,535-reading
# wide-type file once, then times our export and python3-xlsxwriter (constant-memory
# mode) writing the same workbook in one run, and prints velmora-cli export's peak memory.
source "$(dirname "$0")/bench_common.sh"
bench_build export_bench velmora-cli
LC_ALL=C "$build/bench/export_bench" --repeats "${REPEATS:-5}" "$(bench_file humidity 32767)" "$(bench_file wide 65535)"
