#!/usr/bin/env python3
"""Writes a download file of a humidity logger with every alarm column (seven chart
series) in the exact layout the utility writes: Windows-1252, CRLF line ends, the
serial number on the first reading only, "Error" as the dew point of a 0 %rh reading.

usage: make_humidity_file.py READINGS PATH
"""
import datetime
import math
import sys


def dew_point(t, rh):
    a, b = 17.27, 237.7
    g = a * t / (b + t) + math.log(rh / 100.0)
    return b * g / (a - g)


def main():
    count, path = int(sys.argv[1]), sys.argv[2]
    start = datetime.datetime(2026, 12, 7, 14, 0, 0)
    step = datetime.timedelta(seconds=10)
    lines = ["Store,Time,Celsius(\u00b0C),High Alarm,Low Alarm,Humidity(%rh),High Alarm rh,"
             "Low Alarm rh,dew point(\u00b0C),Serial Number"]
    t = start
    for r in range(1, count + 1):
        temp = round(21.0 + 6.0 * math.sin(r / 900.0) + 0.1 * (r % 7), 1)
        rh = round(min(100.0, max(0.0, 50.0 + 52.0 * math.sin(r / 1300.0 + 1.0))) * 2) / 2
        dew = "Error" if rh == 0 else "%.1f" % dew_point(temp, rh)
        line = "%d,%s,%.1f,30.0,10.0,%.1f,80.0,20.0,%s" % (r, t.strftime("%d/%m/%Y %H:%M:%S"), temp, rh, dew)
        if r == 1:
            line += ",000012345"
        lines.append(line)
        t += step
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))


if __name__ == "__main__":
    main()
