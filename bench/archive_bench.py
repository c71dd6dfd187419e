#!/usr/bin/env python3
"""Archive benchmark: adds one download file to SQLite and to PostgreSQL with
velmora-cli archive add, side by side with each engine's own bulk loader on the same
rows (sqlite3's .import of a CSV, psql's \\copy), then reads the logger's readings back
with velmora-cli archive readings. Every step is a process of its own: wall time and
its peak memory (getrusage through wait4) are printed; the best of REPEATS runs counts.

  archive_bench.py VELMORA_CLI FILE SQLITE.csv POSTGRES.csv FOLDER POSTGRES_URL [REPEATS]
"""
import os
import subprocess
import sys
import time

SCHEMA_COLUMNS = (
    "deployment bigint NOT NULL, t {time} NOT NULL, first_value float8, first_high float8, first_low float8, "
    "second_value float8, second_high float8, second_low float8, third_value float8, PRIMARY KEY (deployment, t)"
)


def run(command, stdin=None, stdout=subprocess.DEVNULL):
    """Wall seconds, peak memory (MB) and processor seconds of one process."""
    start = time.monotonic()
    process = subprocess.Popen(command, stdin=subprocess.PIPE if stdin else None, stdout=stdout,
                               stderr=subprocess.PIPE)
    if stdin:
        process.stdin.write(stdin.encode())
        process.stdin.close()
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.monotonic() - start
    error = process.stderr.read().decode()
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(command), error))
    return wall, usage.ru_maxrss / 1024.0, usage.ru_utime + usage.ru_stime


def psql(url, sql):
    subprocess.run(["psql", "-X", "-q", "-v", "ON_ERROR_STOP=1", url, "-c", sql], check=True,
                   stdout=subprocess.DEVNULL)


def best(times):
    return min(times, key=lambda t: t[0])


def main():
    if len(sys.argv) not in (7, 8):
        sys.exit(__doc__)
    cli, file, sqlite_rows, postgres_rows, folder, url = sys.argv[1:7]
    repeats = int(sys.argv[7]) if len(sys.argv) == 8 else 3
    # Nothing large in this process: a child's peak memory starts from what it forked.
    with open(sqlite_rows) as rows:
        readings = sum(1 for _ in rows)
    with open(file, encoding="cp1252") as f:
        f.readline()
        serial = f.readline().rstrip("\r\n").split(",")[-1]
    print("archive_bench: %s, %d readings, best of %d" % (os.path.basename(file), readings, repeats))

    ours_sqlite, anchor_sqlite, ours_pg, anchor_pg = [], [], [], []
    back_sqlite, back_pg = [], []
    store = os.path.join(folder, "archive.sqlite")
    anchor_store = os.path.join(folder, "anchor.sqlite")
    for _ in range(repeats):
        for path in (store, anchor_store):
            for suffix in ("", "-wal", "-shm"):
                if os.path.exists(path + suffix):
                    os.remove(path + suffix)
        ours_sqlite.append(run([cli, "--store", store, "archive", "add", "--zone", "UTC", file]))
        anchor_sqlite.append(run(["sqlite3", anchor_store],
                                 "PRAGMA journal_mode = WAL;\nCREATE TABLE readings (%s) WITHOUT ROWID;\n"
                                 ".import --csv %s readings\n" % (SCHEMA_COLUMNS.format(time="INTEGER"), sqlite_rows)))
        back_sqlite.append(run([cli, "--store", store, "archive", "readings", "--serial", serial]))

        psql(url, "DROP SCHEMA public CASCADE; CREATE SCHEMA public;")
        ours_pg.append(run([cli, "--store", url, "archive", "add", "--zone", "UTC", file]))
        # The anchor's table: a row a reading, partitioned by month as ours is, its
        # partitions made beforehand for the months our add covered.
        psql(url, "CREATE TABLE anchor (%s) PARTITION BY RANGE (t); "
                  "DO $$ DECLARE m date; BEGIN FOR m IN SELECT generate_series(date_trunc('month', min(first_t)), "
                  "max(last_t), '1 month')::date FROM reading_blocks LOOP EXECUTE format('CREATE TABLE %%I PARTITION OF anchor "
                  "FOR VALUES FROM (%%L) TO (%%L)', 'anchor_' || to_char(m, 'YYYYMM'), m, m + interval '1 month'); "
                  "END LOOP; END $$;" % SCHEMA_COLUMNS.format(time="timestamptz"))
        anchor_pg.append(run(["psql", "-X", "-q", url, "-c", "\\copy anchor FROM '%s' WITH (FORMAT csv)" % postgres_rows]))
        back_pg.append(run([cli, "--store", url, "archive", "readings", "--serial", serial]))

    ok = True
    for engine, ours, anchor, back in (("SQLite", ours_sqlite, anchor_sqlite, back_sqlite),
                                       ("PostgreSQL", ours_pg, anchor_pg, back_pg)):
        o, a, b = best(ours), best(anchor), best(back)
        loader = "sqlite3 .import" if engine == "SQLite" else "psql \\copy"
        ratio = o[0] / a[0]
        peak = max(max(m for _, m, _ in ours), max(m for _, m, _ in back))
        print("%-10s add (parsing included) %6.2f s wall %5.2f s cpu | %-15s %6.2f s wall %5.2f s cpu | "
              "ratio %.2f (target <= 2) | read back %d readings %5.2f s wall %5.2f s cpu (target <= 1 s) | "
              "peak %5.1f MB (target <= 100)"
              % (engine, o[0], o[2], loader, a[0], a[2], ratio, readings, b[0], b[2], peak))
        ok = ok and ratio <= 2 and b[0] <= 1 and peak <= 100
    print("targets met" if ok else "targets NOT met")


if __name__ == "__main__":
    main()
