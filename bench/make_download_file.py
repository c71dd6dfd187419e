#!/usr/bin/env python3
"""Writes a download file in the exact layout the utility writes (Windows-1252, CRLF
line ends, the serial number on the first reading only) for the benchmarks:

  humidity  a humidity logger with every alarm column (seven chart series), "Error"
            as the dew point of a 0 %rh reading, a reading every 10 s;
  wide      a wide-type temperature logger (one value a reading, up to 65,535
            readings) with both alarms, a reading a minute.
"""
import argparse
import datetime
import math
import os
import sys


def dew_point(t, rh):
    a, b = 17.27, 237.7
    g = a * t / (b + t) + math.log(rh / 100.0)
    return b * g / (a - g)


def humidity_row(r):
    temp = round(21.0 + 6.0 * math.sin(r / 900.0) + 0.1 * (r % 7), 1)
    rh = round(min(100.0, max(0.0, 50.0 + 52.0 * math.sin(r / 1300.0 + 1.0))) * 2) / 2
    dew = "Error" if rh == 0 else "%.1f" % dew_point(temp, rh)
    return "%.1f,30.0,10.0,%.1f,80.0,20.0,%s" % (temp, rh, dew)


def wide_row(r):
    return "%.1f,-12.0,-25.0" % round(-18.0 + 3.0 * math.sin(r / 700.0) + 0.1 * (r % 5), 1)


KINDS = {
    "humidity": ("Store,Time,Celsius(\u00b0C),High Alarm,Low Alarm,Humidity(%rh),High Alarm rh,"
                 "Low Alarm rh,dew point(\u00b0C),Serial Number", 10, humidity_row, "000012345"),
    "wide": ("Cold Store,Time,Celsius(\u00b0C),High Alarm,Low Alarm,Serial Number", 60, wide_row, "000054321"),
}


def reading_count(text):
    try:
        count = int(text)
    except ValueError:
        count = 0
    if count < 1:
        raise argparse.ArgumentTypeError("%r is not a reading count (1 or more)" % text)
    return count


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("kind", choices=sorted(KINDS), help="the logger whose file to write")
    parser.add_argument("readings", type=reading_count, metavar="READINGS", help="how many readings (1 or more)")
    parser.add_argument("path", metavar="PATH", help="the file to write")
    return parser.parse_args()


def main():
    args = parse_arguments()
    header, seconds, row, serial = KINDS[args.kind]
    count, path = args.readings, args.path
    t = datetime.datetime(2026, 12, 7, 14, 0, 0)
    step = datetime.timedelta(seconds=seconds)
    lines = [header]
    for r in range(1, count + 1):
        line = "%d,%s,%s" % (r, t.strftime("%d/%m/%Y %H:%M:%S"), row(r))
        if r == 1:
            line += "," + serial
        lines.append(line)
        t += step
    # Written beside the target and renamed over it: the benchmark scripts reuse any
    # file that is there, so a half-written one must never stand under its name.
    part = path + ".part"
    try:
        with open(part, "wb") as f:
            f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))
        os.replace(part, path)
    except OSError as e:
        if os.path.exists(part):
            os.remove(part)
        sys.exit("make_download_file.py: cannot write %s: %s" % (path, e.strerror))


if __name__ == "__main__":
    main()
