#!/usr/bin/env bash
# The main job against a simulated logger (type code 1..21 or a logger image, default
# 1). With a display: velmora-usb, to check its status, stop it and download its
# readings by hand. Without one: the same work through velmora-cli — the status,
# then a download of the readings into fridge.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
spec=${1:-1}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cmake --build build -j2 --target velmora-usb velmora-graph
  echo "Starting velmora-usb with a simulated logger (type $spec)."
  exec build/utility/shell/velmora-usb --simulate "$spec"
fi
cmake --build build -j2 --target velmora-cli
cli=build/tools/cli/velmora-cli
echo "== status of a simulated logger (type $spec) =="
"$cli" --simulate "$spec" status
echo "== download into fridge.txt =="
"$cli" --simulate "$spec" download fridge.txt
echo "wrote fridge.txt ($(wc -l < fridge.txt) lines):"
head -n 5 fridge.txt | iconv -f WINDOWS-1252 -t UTF-8
