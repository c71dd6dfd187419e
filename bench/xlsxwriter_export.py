#!/usr/bin/env python3
"""The anchor for the export benchmark: python3-xlsxwriter in constant-memory mode
writing the same workbook from the same download file: chart sheets of up to 31,999
rows first, then "Data" with numbers as numbers, the times as date cells, "Error"
cells empty and fitted column widths; line charts with the humidity on a second axis.
Prints the best processor time and the best wall time, in seconds, of REPEATS runs.

usage: xlsxwriter_export.py PATH OUT.xlsx REPEATS
"""
import datetime
import sys
import time

import xlsxwriter

ROWS = 31999
HUMIDITY = {"humidity(%rh)", "high alarm rh", "low alarm rh"}


def stamp_time(stamp):
    """dd/mm/yyyy hh:mm:ss as a datetime, None for anything else."""
    if len(stamp) != 19 or stamp[2] != "/" or stamp[5] != "/":
        return None
    try:
        return datetime.datetime(int(stamp[6:10]), int(stamp[3:5]), int(stamp[0:2]), int(stamp[11:13]),
                                 int(stamp[14:16]), int(stamp[17:19]))
    except ValueError:
        return None


def cell(field, column):
    if field == "" or field.lower() == "error":
        return None
    if column == 1:
        when = stamp_time(field)
        if when is not None:
            return ("date", when)
    try:
        value = float(field)
        if value == value and abs(value) != float("inf"):
            return ("number", value)
    except ValueError:
        pass
    return ("text", field)


def export(path, out):
    with open(path, encoding="cp1252", newline="") as f:
        lines = f.read().splitlines()
    widths, readings = {}, 0
    for r, line in enumerate(lines):
        for c, field in enumerate(line.split(",")):
            kind = cell(field, c)
            if kind is None:
                continue
            width = 17 if kind[0] == "date" else len(field)
            widths[c] = max(widths.get(c, 0), width)
            if c == 0 and r > 0 and kind[0] == "number":
                readings += 1
    rows = readings + 1
    header = [f.strip() for f in lines[0].strip().split(",") if f]
    name, taken = header[0], []
    for f in header[1:]:
        taken.append(f)
        if f.lower() == "serial number":
            break
    else:
        taken.append("")
    series = taken[1:-1]
    units = [f[f.index("(") + 1:f.index(")")] for f in header[1:] if "(" in f and ")" in f]
    charts = 1 if rows <= ROWS else -(-rows // ROWS)

    wb = xlsxwriter.Workbook(out, {"constant_memory": True})
    sheets = [wb.add_chartsheet("Chart%d" % (k + 1)) for k in range(charts)]
    data = wb.add_worksheet("Data")
    dates = wb.add_format({"num_format": "mm/dd/yy hh:mm:ss"})
    for c, w in widths.items():
        data.set_column(c, c, w + 1)
    for r, line in enumerate(lines):
        for c, field in enumerate(line.split(",")):
            kind = cell(field, c)
            if kind is None:
                continue
            if kind[0] == "number":
                data.write_number(r, c, kind[1])
            elif kind[0] == "date":
                data.write_datetime(r, c, kind[1], dates)
            else:
                data.write_string(r, c, kind[1])
    for k, sheet in enumerate(sheets):
        first = 2 if k == 0 else k * ROWS + 1
        last = min(ROWS if k == 0 else k * ROWS + ROWS, rows)
        ticks = (rows if k == 0 else last - k * ROWS) // 10
        chart = wb.add_chart({"type": "line"})
        for i, title in enumerate(series):
            col = i + 2
            chart.add_series({"name": ["Data", 0, col], "categories": ["Data", first - 1, 1, last - 1, 1],
                              "values": ["Data", first - 1, col, last - 1, col], "marker": {"type": "none"},
                              "y2_axis": title.lower() in HUMIDITY})
        chart.set_title({"name": name})
        x_axis = {"label_position": "low", "position_axis": "on_tick", "num_format": "mm/dd/yy hh:mm:ss"}
        if ticks > 0:
            x_axis.update({"interval_unit": ticks, "interval_tick": ticks})
        chart.set_x_axis(x_axis)
        if "%rh" not in lines[0] and units:
            chart.set_y_axis({"name": units[0]})
        sheet.set_chart(chart)
    sheets[0].activate()
    wb.close()


def main():
    path, out, repeats = sys.argv[1], sys.argv[2], int(sys.argv[3])
    best_cpu = best_wall = float("inf")
    for _ in range(repeats):
        c0, w0 = time.process_time(), time.perf_counter()
        export(path, out)
        best_cpu = min(best_cpu, time.process_time() - c0)
        best_wall = min(best_wall, time.perf_counter() - w0)
    print("%.6f %.6f" % (best_cpu, best_wall))


if __name__ == "__main__":
    main()
