#!/usr/bin/env bash
# Builds the download-file fuzz target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs it for a fixed time (seconds, default 45) over
# the kept corpus. New inputs go to a temporary folder; a crash leaves its input in
# build-fuzz/ to be added to tests/fuzz/data_file_corpus/ with the fix.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-45}"
out=build-fuzz
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -Igraph/shell -Igraph/chart -Iplatform -Iresources/strings)
clang++ "${flags[@]}" tests/fuzz/data_file_fuzz.cpp \
  graph/shell/data_file_parser.cpp graph/shell/file_byte_source.cpp graph/shell/header_parser.cpp \
  graph/shell/line_reader.cpp graph/shell/number_text.cpp graph/shell/time_stamp.cpp \
  platform/civil_time.cpp -o "$out/data_file_fuzz"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$out/data_file_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=1024 \
  -artifact_prefix="$out/" -print_final_stats=1 \
  "$work" tests/fuzz/data_file_corpus tests/data/reader

# The link against arbitrary logger replies; a crash input goes to
# tests/fuzz/logger_reply_corpus/ with the fix.
clang++ "${flags[@]}" -Iutility/link -Iutility/model tests/fuzz/logger_reply_fuzz.cpp \
  utility/link/logger_link.cpp utility/model/type_catalogue.cpp utility/model/logger_config.cpp \
  resources/strings/utility_strings.cpp platform/clock.cpp platform/civil_time.cpp -o "$out/logger_reply_fuzz"
replies="$(mktemp -d)"
trap 'rm -rf "$work" "$replies"' EXIT
"$out/logger_reply_fuzz" -max_total_time=30 -max_len=4096 -timeout=10 -rss_limit_mb=1024 \
  -artifact_prefix="$out/" -print_final_stats=1 "$replies" tests/fuzz/logger_reply_corpus
