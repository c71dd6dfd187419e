#!/usr/bin/env bash
# Builds the .deb from a configured build folder and checks it with Debian's own
# tools, as an administrator installing it would meet it: lintian (no error, no
# warning, nothing suppressed), then on the files the package installs
# desktop-file-validate (not even a hint) and appstreamcli (not even an info),
# and the fetch units and the udev rule as systemd and udev read them
# (scripts/check_units.sh).
#   scripts/check_package.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

rm -f "$build"/velmora_*.deb
cmake --build "$build" -j2 --target package
debs=("$build"/velmora_*.deb)
deb=${debs[0]}
echo "== lintian $deb =="
lintian --fail-on error,warning --display-info "$deb"

contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb --extract "$deb" "$contents"
echo "== desktop-file-validate =="
for entry in "$contents"/usr/share/applications/*.desktop; do
  complaints=$(desktop-file-validate "$entry" 2>&1) || true
  if [ -n "$complaints" ]; then
    echo "$complaints"
    exit 1
  fi
  echo "${entry##*/}: clean"
done
echo "== appstreamcli validate =="
appstreamcli validate --no-net --strict "$contents"/usr/share/metainfo/*.metainfo.xml
echo "== systemd-analyze verify, udevadm test =="
bash scripts/check_units.sh "$contents"
