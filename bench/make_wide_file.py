#!/usr/bin/env python3
"""Writes the download file of a wide-type temperature logger (one value a reading,
up to 65,535 readings) with both alarms, in the exact layout the utility writes:
Windows-1252, CRLF line ends, the serial number on the first reading only.

usage: make_wide_file.py READINGS PATH
"""
import datetime
import math
import sys


def main():
    count, path = int(sys.argv[1]), sys.argv[2]
    t = datetime.datetime(2026, 12, 7, 14, 0, 0)
    step = datetime.timedelta(seconds=60)
    lines = ["Cold Store,Time,Celsius(\u00b0C),High Alarm,Low Alarm,Serial Number"]
    for r in range(1, count + 1):
        temp = round(-18.0 + 3.0 * math.sin(r / 700.0) + 0.1 * (r % 5), 1)
        line = "%d,%s,%.1f,-12.0,-25.0" % (r, t.strftime("%d/%m/%Y %H:%M:%S"), temp)
        if r == 1:
            line += ",000054321"
        lines.append(line)
        t += step
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))


if __name__ == "__main__":
    main()
