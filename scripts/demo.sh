#!/usr/bin/env bash
# The main job against a simulated logger (type code 1..21 or a logger image, default
# 1). With a display: velmora-usb, to check its status, stop it and download its
# readings, and set it up and start it again, by hand. Without one: the same work
# through velmora-cli, on a copy of the logger kept in build/demo/logger.img — its
# status, a download of the readings it holds into build/demo/fridge.txt, its
# settings, a set-up from a settings file that starts a new log, and its status
# again. Everything it writes stays in build/demo, which git ignores.
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
demo=build/demo
mkdir -p "$demo"
logger=$demo/logger.img
readings=$demo/fridge.txt
# An image keeps what setup and download --stop write from one command to the next.
"$cli" --simulate "$spec" image "$logger"
echo "== status of a simulated logger (type $spec) =="
"$cli" --simulate "$logger" status
echo "== stop it and download its readings into $readings =="
"$cli" --simulate "$logger" download --stop "$readings"
echo "wrote $readings ($(wc -l < "$readings") lines):"
head -n 5 "$readings" | iconv -f WINDOWS-1252 -t UTF-8
if "$cli" --simulate "$logger" settings >/dev/null 2>&1; then
  echo "== its settings =="
  "$cli" --simulate "$logger" settings
  echo "== set it up and start a new log: a new name, everything else as it was =="
  "$cli" --simulate "$logger" settings --json |
    sed -e 's/"name": "[^"]*"/"name": "Demo Logger"/' -e 's/"agree_safety": false/"agree_safety": true/' \
      > "$demo/settings.json"
  "$cli" --simulate "$logger" setup "$demo/settings.json"
  echo "== status =="
  "$cli" --simulate "$logger" status
else
  echo "(the utility does not set up a logger of type $spec)"
fi
