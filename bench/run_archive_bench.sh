#!/usr/bin/env bash
# Archive benchmark: builds velmora-cli (release), writes the 1,000,000-reading
# humidity file and its rows once, and races velmora-cli archive add against sqlite3's
# .import and psql's \copy on the same rows, then reads the readings back. The server
# is VELMORA_TEST_POSTGRES's, or a throw-away cluster started here and stopped after.
source "$(dirname "$0")/bench_common.sh"
bench_build velmora-cli
file=$(bench_file humidity 1000000)
[ -s "$data/archive_rows_sqlite.csv" ] ||
  python3 bench/archive_rows.py "$file" "$data/archive_rows_sqlite.csv" "$data/archive_rows_postgres.csv"
cluster=
if [ -z "${VELMORA_TEST_POSTGRES:-}" ]; then
  eval "$(bash scripts/postgres_cluster.sh start)"
  cluster=$VELMORA_TEST_POSTGRES_DIR
fi
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -z "$cluster" ] || bash scripts/postgres_cluster.sh stop "$cluster"' EXIT
python3 bench/archive_bench.py "$build/tools/cli/velmora-cli" "$file" "$data/archive_rows_sqlite.csv" \
  "$data/archive_rows_postgres.csv" "$work" "$VELMORA_TEST_POSTGRES" "${REPEATS:-3}"
