#!/usr/bin/env bash
# The main job: build, then show a simulated logger's status and download its
# readings into fridge.txt. With a display, velmora-usb can do the same by hand:
#   build/utility/shell/velmora-usb --simulate 1
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target velmora-cli
cli=build/tools/cli/velmora-cli
spec=${1:-1}
echo "== status of a simulated logger (type $spec) =="
"$cli" --simulate "$spec" status
echo "== download into fridge.txt =="
"$cli" --simulate "$spec" download fridge.txt
echo "wrote fridge.txt ($(wc -l < fridge.txt) lines):"
head -n 5 fridge.txt | iconv -f WINDOWS-1252 -t UTF-8
