#!/usr/bin/env python3
"""Writes the readings of a download file as the rows the archive stores, for the
engines' own bulk loaders to load side by side with velmora-cli archive add:

  archive_rows.py FILE SQLITE.csv POSTGRES.csv

Both files hold deployment, instant and the seven value columns (empty for no value);
the instant is Unix seconds for SQLite and an ISO 8601 time in UTC for PostgreSQL. The
file's first time is taken in UTC and each later reading one interval on, as the
archive takes them with --zone UTC."""
import datetime
import sys


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    source, sqlite_rows, postgres_rows = sys.argv[1:]
    with open(source, encoding="cp1252", newline="") as f, open(sqlite_rows, "w") as s, open(
        postgres_rows, "w"
    ) as p:
        f.readline()  # the header
        start = interval = None
        epoch = datetime.datetime(1970, 1, 1)
        for n, line in enumerate(f):
            fields = line.rstrip("\r\n").split(",")
            if n == 0:
                start = datetime.datetime.strptime(fields[1], "%d/%m/%Y %H:%M:%S")
                fields = fields[:-1]  # the serial number
            elif n == 1:
                second = datetime.datetime.strptime(fields[1], "%d/%m/%Y %H:%M:%S")
                interval = int((second - start).total_seconds())
            t = start + datetime.timedelta(seconds=n * (interval or 0))
            values = ["" if v == "Error" else v for v in fields[2:]]
            s.write("1,%d,%s\n" % (int((t - epoch).total_seconds()), ",".join(values)))
            p.write("1,%s+00,%s\n" % (t.strftime("%Y-%m-%d %H:%M:%S"), ",".join(values)))


if __name__ == "__main__":
    main()
