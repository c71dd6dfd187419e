#!/usr/bin/env bash
# velmora-cli's bash completion, loaded as bash-completion loads it (from
# share/bash-completion/completions in a data folder) and driven word by word in a
# folder holding one file of each kind the commands take.
#   bash_completion_test.sh COMPLETION_FILE HELP_TEXT
# The commands and each command's options are read from velmora-cli's help text:
# completion offers what --help shows, no more and no less.
set -uo pipefail
completion=$(realpath "$1") help_text=$(realpath "$2")
framework=/usr/share/bash-completion/bash_completion
if [ ! -r "$framework" ]; then
  echo "SKIP: bash-completion is not installed ($framework)"
  exit 77
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/data/bash-completion/completions" "$scratch/work/sub"
cp "$completion" "$scratch/data/bash-completion/completions/velmora-cli"
touch "$scratch/work/"{a.txt,B.TXT,c.json,d.xlsx,e.pdf,f.img,g.csv,h.xlsx.bak}

export XDG_DATA_DIRS="$scratch/data" BASH_COMPLETION_USER_DIR="$scratch/none"
# shellcheck source=/dev/null
source "$framework"
__load_completion velmora-cli || { echo "FAIL: bash-completion does not find velmora-cli's completion"; exit 1; }
function=$(complete -p velmora-cli | sed -n 's/.* -F \([^ ]*\) .*/\1/p')
[ -n "$function" ] || { echo "FAIL: no completion function for velmora-cli"; exit 1; }
cd "$scratch/work" || exit 1

# complete WORD...: what completing the last word offers, sorted, on one line.
complete_words() {
  COMP_WORDS=(velmora-cli "$@")
  COMP_CWORD=$#
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  "$function" velmora-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | xargs
}

failures=0
expect() { # expect "WANTED" WORD...
  local wanted got
  wanted=$(tr " " "\n" <<<"$1" | sort | xargs)
  shift
  got=$(complete_words "$@")
  if [ "$got" != "$wanted" ]; then
    echo "FAIL: velmora-cli $*<TAB> offers [$got], wanted [$wanted]"
    failures=$((failures + 1))
  fi
}

# From the help: the commands, and the options each command's synopsis line shows.
commands=$(sed -n '/^Commands:$/,/^$/s/^  \([a-z]\+\) .*/\1/p' "$help_text" | xargs)
[ -n "$commands" ] || { echo "FAIL: no commands in $help_text"; exit 1; }
options_of() {
  sed -n '/^usage:/,/^$/p' "$help_text" | tr -s ' \n' ' ' | sed 's/ velmora-cli /\n/g' |
    sed -E -n "s/^((\[?--simulate SPEC\]? )(\[--store URL\] )?)?(\[--serial S\] )?$1 //p" | grep -o '\[--[a-z-]*' |
    tr -d '[' | xargs
}

expect "$commands --simulate --serial --store --help --version" ''
expect "$commands --simulate --serial" --simulate 3 ''
expect "status" st
expect "settings setup" --simulate f.img se
for command in $commands; do
  expect "$(options_of "$command")" "$command" --
done
[ "$(options_of inspect)" = "--json --readout --from --to --activation-energy" ] ||
  { echo "FAIL: the help's inspect options read as [$(options_of inspect)]"; failures=$((failures + 1)); }

# --simulate: a type code or a logger image.
expect "$(echo {1..21}) f.img sub" --simulate ''
expect "1 10 11 12 13 14 15 16 17 18 19" --simulate 1
# Files by extension, whatever their case, and folders to go into.
expect "a.txt B.TXT sub" download ''
expect "a.txt B.TXT sub" download --stop ''
expect "c.json sub" setup --yes ''
expect "f.img sub" --simulate 3 image ''
expect "a.txt B.TXT sub" inspect --json ''
expect "a.txt B.TXT sub" export ''
expect "a.txt B.TXT d.xlsx sub" export a.txt ''
expect "a.txt B.TXT e.pdf sub" report a.txt ''
expect "a.txt B.TXT d.xlsx sub" export a.txt a.txt ''
expect "a.txt B.TXT sub" inspect a.txt ''
expect "" report a.txt a.txt e.pdf ''
expect "a.txt B.TXT e.pdf sub" report --from '"07/12/2026 14:00:00"' --to '"08/12/2026 14:00:00"' a.txt ''
expect "a.txt B.TXT e.pdf sub" report --activation-energy 83.144 a.txt ''
expect "a.txt B.TXT sub" --simulate 3 download ''
# The archive: its commands, their options, download files to add.
expect "add list readings report file verify" --store a.db archive ''
expect "--zone" archive add -
expect "a.txt B.TXT sub" archive add a.txt ''
expect "--serial --json" archive list ''
expect "csv json" archive readings --serial 12345 --format ''
expect "e.pdf sub" archive report --serial 12345 ''
# An option's value is typed, not completed; a command's last argument ends it.
expect "" inspect --readout ''
expect "" report --from ''
expect "" export a.txt d.xlsx ''
expect "--all --json" status ''
expect "--json" list ''
expect "$commands --simulate --serial" --simulate 3 --simulate 4 ''
expect "sub" download --all ''
expect "sub" fetch --dir ''

if ((failures)); then
  echo "$failures completion cases failed"
  exit 1
fi
echo "velmora-cli completion: all cases passed"
