#!/usr/bin/env bash
# Builds the fuzz targets in the fuzz configuration (clang, VELMORA_FUZZ:
# libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer) and runs each for a
# fixed time (seconds, default 45) over its kept corpus:
#   data_file_fuzz      the download-file reader; a crash input goes to tests/fuzz/data_file_corpus/
#   logger_reply_fuzz   the link against arbitrary logger replies; tests/fuzz/logger_reply_corpus/
#   settings_file_fuzz  velmora-cli's settings files; tests/fuzz/settings_file_corpus/
#   export_report_fuzz  the workbook export's and the report's passes over a download file;
#                       tests/fuzz/export_report_corpus/
# New inputs go to a temporary folder; a crash leaves its input in build-fuzz/ to be
# added to the target's corpus with the fix.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-45}"
out=build-fuzz

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$out" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DVELMORA_FUZZ=ON -DVELMORA_GUI=OFF -DVELMORA_BENCH=OFF "${launcher[@]}"
cmake --build "$out" -j2 --target data_file_fuzz logger_reply_fuzz settings_file_fuzz export_report_fuzz

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# fuzz TARGET CORPUS...: new inputs go to a fresh folder of the scratch space.
fuzz() {
  local target="$1"
  shift
  mkdir "$scratch/$target"
  "$out/tests/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=1024 \
    -artifact_prefix="$out/" -print_final_stats=1 "$scratch/$target" "$@"
}

fuzz data_file_fuzz tests/fuzz/data_file_corpus tests/data/reader
fuzz logger_reply_fuzz tests/fuzz/logger_reply_corpus
fuzz settings_file_fuzz tests/fuzz/settings_file_corpus
fuzz export_report_fuzz tests/fuzz/export_report_corpus
