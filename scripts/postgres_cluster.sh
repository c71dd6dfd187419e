#!/usr/bin/env bash
# A throw-away PostgreSQL 15 cluster for the archive's tests and benchmark, on
# 127.0.0.1 only, in a temporary folder, run as the postgres user.
#   postgres_cluster.sh start   prints the export line of VELMORA_TEST_POSTGRES (its URL)
#                               and of VELMORA_TEST_POSTGRES_DIR (its folder)
#   postgres_cluster.sh stop DIR
set -euo pipefail
bin=/usr/lib/postgresql/15/bin
case "${1:-}" in
start)
  dir=$(mktemp -d /tmp/velmora-postgres.XXXXXX)
  chown postgres: "$dir"
  chmod 700 "$dir"
  # A free port: the kernel's choice for a socket bound to port 0.
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  as_postgres() { if [ "$(id -un)" = postgres ]; then "$@"; else runuser -u postgres -- "$@"; fi; }
  as_postgres "$bin/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; exit 1; }
  as_postgres "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
    -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c max_locks_per_transaction=256" start >/dev/null ||
    { cat "$dir/server.log" >&2; exit 1; }
  as_postgres "$bin/createdb" -h 127.0.0.1 -p "$port" -U postgres velmora_test
  echo "export VELMORA_TEST_POSTGRES=postgresql://postgres@127.0.0.1:$port/velmora_test"
  echo "export VELMORA_TEST_POSTGRES_DIR=$dir"
  ;;
stop)
  dir=${2:?the cluster folder}
  if [ "$(id -un)" = postgres ]; then
    "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null || true
  else
    runuser -u postgres -- "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null || true
  fi
  rm -rf "$dir"
  ;;
*)
  echo "usage: postgres_cluster.sh start | stop DIR" >&2
  exit 2
  ;;
esac
