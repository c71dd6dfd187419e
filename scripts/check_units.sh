#!/usr/bin/env bash
# Checks the receiving desk's files in an installed tree (the package's contents,
# or a `cmake --install` into a scratch root) as systemd and udev read them:
#   scripts/check_units.sh ROOT
# - systemd-analyze verify on both fetch units: their keys, and that the commands
#   they run are installed. Any complaint fails, warnings included. Verify cannot
#   read a user unit under another root, so the user unit is verified as a system
#   unit: it holds nothing a system unit would not take.
# - udevadm test reads the udev rule (Debian 12's udevadm has no verify): run in
#   a mount namespace where /etc/udev/rules.d holds only our rule and /etc/group
#   knows the group velmora, which the package makes when it is configured.
# Neither needs a running systemd or udev; the rule check needs root (unshare).
set -euo pipefail
root=$(realpath "${1:?usage: check_units.sh ROOT}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# verify loads the units' dependencies (sysinit.target and the like) from the same
# root: give it a copy of the tree with the system's own units beside ours.
cp -a "$root" "$work/root"
units=$work/root/usr/lib/systemd/system
cp -n /usr/lib/systemd/system/*.target /usr/lib/systemd/system/*.slice "$units/" 2>/dev/null || true
cp "$work/root/usr/lib/systemd/user/velmora-fetch@.service" "$units/velmora-user-fetch@.service"

failed=0
for unit in velmora-fetch@1-1.4.service velmora-user-fetch@1-1.4.service; do
  if complaints=$(systemd-analyze verify --man=no --root="$work/root" "$unit" 2>&1) && [ -z "$complaints" ]; then
    echo "$unit: clean"
  else
    echo "$unit:"
    echo "$complaints"
    failed=1
  fi
done

rule=$root/usr/lib/udev/rules.d/70-velmora-loggers.rules
if ! command -v udevadm >/dev/null; then
  echo "udevadm missing (the udev package): the rule was not checked" >&2
  exit 1
fi
if ! unshare --mount true 2>/dev/null; then
  # A container without the right to make a mount namespace cannot hide the
  # system's own rules; say so loudly rather than fail the units' check above.
  echo "70-velmora-loggers.rules: NOT CHECKED (no mount namespace here; run as root on a full system)"
  exit $failed
fi
mkdir "$work/rules"
cp "$rule" "$work/rules/"
cp /etc/group "$work/group"
grep -q '^velmora:' "$work/group" || echo 'velmora:x:990:' >>"$work/group"
# Any device will do: the rules are read before they are matched against it.
# shellcheck disable=SC2016 # $1 is the inner shell's
output=$(unshare --mount sh -c '
  mount --bind "$1/rules" /etc/udev/rules.d && mount --bind "$1/group" /etc/group &&
  udevadm test --action=add /sys/class/mem/null' sh "$work" 2>&1)
if ! grep -q 'Reading rules file: /etc/udev/rules.d/70-velmora-loggers.rules' <<<"$output"; then
  echo "udevadm did not read the rule:"
  echo "$output" | tail -20
  failed=1
elif complaints=$(grep '70-velmora-loggers.rules:' <<<"$output"); then
  echo "70-velmora-loggers.rules:"
  echo "$complaints"
  failed=1
else
  echo "70-velmora-loggers.rules: clean"
fi
exit $failed
