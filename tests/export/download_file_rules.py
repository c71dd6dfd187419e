"""What a workbook exported from a download file must hold, stated from the rules
and the file alone: the cells of the "Data" sheet, the charts and their rows. Shared
by the end-to-end checks that read the workbook with openpyxl and with LibreOffice.
"""
import datetime
import os
import re
import shutil
import subprocess
import sys

ROWS_PER_CHART = 31999
HUMIDITY_COLUMNS = {"humidity(%rh)", "high alarm rh", "low alarm rh"}
STAMP = re.compile(r"^(\d{1,2})/(\d{1,2})/(\d{4}) (\d{1,2}):(\d\d):(\d\d)(\.\d+)?$")
NUMBER = re.compile(r"^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$")
SKIP = 77


def need(tool_missing, what):
    """Skips the test (exit 77) when a tool is missing here; in CI it fails instead."""
    if not tool_missing:
        return
    if os.environ.get("CI"):
        print("FAILED: %s is missing, and CI must run this test (scripts/setup.sh installs it)" % what)
        sys.exit(1)
    print("SKIPPED: %s is not installed (scripts/setup.sh installs it)" % what)
    sys.exit(SKIP)


def lines_of(path):
    with open(path, "rb") as f:
        text = f.read().decode("cp1252")
    return text.replace("\r\n", "\n").split("\n")[:-1] if text.endswith("\n") else text.split("\n")


def expected_cell(field, column):
    """A field as the text import reads it: None (empty), a datetime, a float or text."""
    if field == "" or field.lower() == "error":
        return None
    if column == 1:
        m = STAMP.match(field.strip())
        if m:
            d, mo, y, h, mi, s = (int(g) for g in m.groups()[:6])
            micro = round(float(m.group(7)) * 1e6) if m.group(7) else 0
            return datetime.datetime(y, mo, d, h, mi, s, micro)
    if NUMBER.match(field):
        return float(field)
    return field


def expected_rows(path):
    return [[expected_cell(f, c) for c, f in enumerate(line.split(","))] for line in lines_of(path)]


def header_columns(path):
    """(logger name, chart columns B.. as 0-based indexes of the header's fields, humidity
    flag per series): fields after the name up to "Serial Number" or the end."""
    fields = [f for f in lines_of(path)[0].strip().split(",") if f != ""]
    taken = []
    for f in fields[1:]:
        taken.append(f.strip())
        if f.strip().lower() == "serial number":
            break
    else:
        taken.append("")
    series = taken[1:len(taken) - 1]  # after Time, before the last field taken
    return fields[0], [s.lower() in HUMIDITY_COLUMNS for s in series]


def chart_rows(row_count):
    """1-based sheet rows (first value row, last row, rows for the tick spacing) per chart."""
    if row_count <= ROWS_PER_CHART:
        return [(2, row_count, row_count)]
    charts = -(-row_count // ROWS_PER_CHART)
    rows = [(2, ROWS_PER_CHART, row_count)]
    for k in range(1, charts):
        last = min(k * ROWS_PER_CHART + ROWS_PER_CHART, row_count)
        rows.append((k * ROWS_PER_CHART + 1, last, last - k * ROWS_PER_CHART))
    return rows


def column_letter(index):
    letters = ""
    index += 1
    while index:
        index, rest = divmod(index - 1, 26)
        letters = chr(ord("A") + rest) + letters
    return letters


def write_humidity_file(path, readings):
    """A humidity logger's file with every alarm column, 10 s apart, "Error" where the
    humidity is 0, the serial number on the first line."""
    start = datetime.datetime(2026, 12, 7, 14, 0, 0)
    lines = ["Store,Time,Celsius(\u00b0C),High Alarm,Low Alarm,Humidity(%rh),High Alarm rh,Low Alarm rh,"
             "dew point(\u00b0C),Serial Number"]
    for r in range(1, readings + 1):
        t = start + datetime.timedelta(seconds=10 * (r - 1))
        rh = (r * 7) % 101
        dew = "Error" if rh == 0 else "%.1f" % (10 + (r % 90) / 10)
        line = "%d,%s,%.1f,30.0,10.0,%.1f,80.0,20.0,%s" % (r, t.strftime("%d/%m/%Y %H:%M:%S"),
                                                            15 + (r % 100) / 10, rh, dew)
        lines.append(line + (",000012345" if r == 1 else ""))
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))


def export(cli, source, target):
    """velmora-cli export of the download file `source` (or a list of them) to `target`."""
    env = dict(os.environ, LC_ALL="C")
    sources = source if isinstance(source, list) else [source]
    run = subprocess.run([cli, "export"] + sources + [target], env=env, capture_output=True, text=True)
    if run.returncode != 0:
        raise AssertionError("velmora-cli export %s failed (%d): %s" % (source, run.returncode, run.stderr))
    return run.stderr


def system_python_has(module):
    try:
        __import__(module)
        return True
    except ImportError:
        return False


def find(program):
    return shutil.which(program)
