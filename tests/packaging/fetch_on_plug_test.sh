#!/usr/bin/env bash
# The fetch-on-plug services' command (packaging/systemd/velmora-fetch) as the
# units run it: fetch.conf's keys in the environment, as EnvironmentFile= puts
# them, and velmora-cli replaced by a script that records its arguments.
#   fetch_on_plug_test.sh VELMORA_FETCH FETCH_CONF
set -uo pipefail
fetch=$(realpath "$1") shipped_conf=$(realpath "$2")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

cat >"$scratch/cli" <<'CLI'
#!/bin/sh
printf '%s\n' "$@" >"$(dirname "$0")/args"
CLI
chmod +x "$scratch/cli"
export VELMORA_CLI=$scratch/cli VELMORA_SYSTEM_FETCH_CONF=$scratch/system.conf
clean_env() {
  unset VELMORA_FETCH_ON_PLUG VELMORA_FETCH_DIR VELMORA_FETCH_NAME VELMORA_FETCH_RESTART VELMORA_FETCH_ARCHIVE \
    VELMORA_FETCH_STORE STATE_DIRECTORY
  rm -f "$scratch/args" "$scratch/system.conf"
}

# run_with EXPECTED_STATUS EXPECTED_ARGS KEY=VALUE...: velmora-fetch run with the
# keys set; EXPECTED_ARGS is velmora-cli's arguments joined by "|" ("-" when it
# must not be started at all).
run_with() {
  local status=$1 expected=$2
  shift 2
  clean_env
  env "$@" "$fetch" run 2>"$scratch/err"
  local got=$?
  local args=-
  [ -f "$scratch/args" ] && args=$(paste -sd'|' "$scratch/args")
  [ "$got" -eq "$status" ] || fail "run $*: status $got, expected $status ($(cat "$scratch/err"))"
  [ "$args" = "$expected" ] || fail "run $*: velmora-cli got [$args], expected [$expected]"
}
run_with 0 "fetch" VELMORA_FETCH_DIR= VELMORA_FETCH_NAME= VELMORA_FETCH_RESTART=
run_with 0 "fetch|--restart|--dir|/srv/cold room|--name|{name} {serial}" \
  VELMORA_FETCH_RESTART=yes "VELMORA_FETCH_DIR=/srv/cold room" "VELMORA_FETCH_NAME={name} {serial}"
run_with 0 "fetch|--name|{serial}_{start}" VELMORA_FETCH_RESTART=no "VELMORA_FETCH_NAME={serial}_{start}"
# A misspelt restart choice is refused rather than read as "no": the loggers
# would be left stopped without anyone noticing.
run_with 2 "-" VELMORA_FETCH_RESTART=Yes VELMORA_FETCH_DIR=/srv
grep -q 'VELMORA_FETCH_RESTART' "$scratch/err" || fail "a refused VELMORA_FETCH_RESTART is not named in the message"
# The archive: --store goes before the command, or velmora-cli refuses it.
run_with 0 "--store|postgresql:///velmora?host=/run/postgresql|fetch|--archive" VELMORA_FETCH_ARCHIVE=yes \
  "VELMORA_FETCH_STORE=postgresql:///velmora?host=/run/postgresql"
run_with 0 "fetch|--archive" VELMORA_FETCH_ARCHIVE=yes VELMORA_FETCH_STORE=
run_with 0 "fetch" VELMORA_FETCH_ARCHIVE=no VELMORA_FETCH_STORE=/srv/a.sqlite
grep -q 'VELMORA_FETCH_ARCHIVE is not yes' "$scratch/err" || fail "a store without the archive switched on is not pointed out"
run_with 2 "-" VELMORA_FETCH_ARCHIVE=true

# check_with EXPECTED_STATUS SYSTEM_CONF_LINE SCOPE KEY=VALUE...: velmora-fetch
# check (SCOPE "" for the system's service, --user for a desktop user's) with
# SYSTEM_CONF_LINE in the system's fetch.conf.
check_with() {
  local status=$1 system_line=$2 scope=()
  [ -n "$3" ] && scope=("$3")
  shift 3
  clean_env
  [ -n "$system_line" ] && printf '# fetch.conf\n%s\n' "$system_line" >"$scratch/system.conf"
  env "$@" "$fetch" check "${scope[@]}" 2>/dev/null
  local got=$?
  [ "$got" -eq "$status" ] || fail "check ${scope[*]} [$system_line] $*: status $got, expected $status"
}
check_with 1 "" "" VELMORA_FETCH_ON_PLUG=
check_with 1 "" "" VELMORA_FETCH_ON_PLUG=no
check_with 0 "" "" VELMORA_FETCH_ON_PLUG=yes
check_with 0 "VELMORA_FETCH_ON_PLUG=no" --user VELMORA_FETCH_ON_PLUG=yes
# A desktop user's service stands aside while the system's is on, however the
# administrator quoted it: two fetches would talk to one logger at once.
check_with 1 "VELMORA_FETCH_ON_PLUG=yes" --user VELMORA_FETCH_ON_PLUG=yes
check_with 1 'VELMORA_FETCH_ON_PLUG="yes"' --user VELMORA_FETCH_ON_PLUG=yes
check_with 1 "  VELMORA_FETCH_ON_PLUG='yes'" --user VELMORA_FETCH_ON_PLUG=yes
check_with 0 "#VELMORA_FETCH_ON_PLUG=yes" --user VELMORA_FETCH_ON_PLUG=yes
# The system's own service does not look at the user's files.
check_with 0 "VELMORA_FETCH_ON_PLUG=yes" "" VELMORA_FETCH_ON_PLUG=yes

# The fetch.conf the package installs leaves plugged-in loggers alone (installing
# the package must not stop a logger someone is checking), and once switched on
# saves into the service's state folder.
clean_env
# shellcheck source=/dev/null
(set -a; . "$shipped_conf"; "$fetch" check) 2>/dev/null && fail "the shipped fetch.conf switches fetch on plug-in on"
# shellcheck source=/dev/null
(set -a; . "$shipped_conf"; "$fetch" run) 2>"$scratch/err" || fail "run with the shipped fetch.conf failed: $(cat "$scratch/err")"
[ "$(paste -sd'|' "$scratch/args" 2>/dev/null)" = "fetch|--dir|/var/lib/velmora/downloads" ] ||
  fail "the shipped fetch.conf gives velmora-cli [$(paste -sd'|' "$scratch/args" 2>/dev/null)]"

# One instance starts per logger plugged in: the second waits on the state
# folder's lock until the first has finished with the loggers.
clean_env
mkdir "$scratch/state"
mkfifo "$scratch/release"
# shellcheck disable=SC2016 # $1 is the inner shell's
flock "$scratch/state" sh -c 'read -r _ <"$1"' sh "$scratch/release" &
holder=$!
sleep 0.2
(export STATE_DIRECTORY="$scratch/state:$scratch/state/downloads"; "$fetch" run) &
waiter=$!
sleep 0.5
[ -f "$scratch/args" ] && fail "velmora-cli ran while another fetch held the lock"
echo >"$scratch/release"
wait "$holder"
wait "$waiter" || fail "the waiting fetch failed"
[ -f "$scratch/args" ] || fail "the waiting fetch did not run velmora-cli after the lock was freed"

[ "$failures" -eq 0 ] && echo "fetch on plug-in: all cases passed"
exit $((failures > 0))
