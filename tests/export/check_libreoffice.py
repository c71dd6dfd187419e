#!/usr/bin/env python3
"""Workbooks from velmora-cli export, opened by LibreOffice (headless): the "Data"
sheet saved as CSV shows the download file's values (dates in the user's form,
"Error" cells empty), and the first chart sheet printed to PDF and rasterised shows
coloured lines across the plot.

usage: check_libreoffice.py VELMORA_CLI TEST_DATA_DIR
"""
import csv
import datetime
import glob
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import download_file_rules as rules  # noqa: E402

SOFFICE = rules.find("soffice") or rules.find("libreoffice")
rules.need(SOFFICE is None, "LibreOffice (libreoffice-calc-nogui)")
rules.need(rules.find("pdftoppm") is None, "pdftoppm (poppler-utils)")

CLI, DATA = sys.argv[1], sys.argv[2]
# Comma, double quote, UTF-8, from line 1, cells as shown, every sheet to a file of its own.
CSV_FILTER = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"


class OpenedByLibreOffice(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.profile = "file://" + os.path.join(self.dir.name, "profile")

    def tearDown(self):
        self.dir.cleanup()

    def convert(self, workbook, to):
        out = os.path.join(self.dir.name, "out")
        run = subprocess.run([SOFFICE, "-env:UserInstallation=" + self.profile, "--headless", "--convert-to", to,
                              "--outdir", out, workbook], capture_output=True, text=True, timeout=240)
        self.assertEqual(run.returncode, 0, run.stderr)
        return out

    def exported(self, source):
        workbook = os.path.join(self.dir.name, "export.xlsx")
        rules.export(CLI, source, workbook)
        return workbook

    def check_data_sheet(self, source):
        out = self.convert(self.exported(source), CSV_FILTER)
        with open(os.path.join(out, "export-Data.csv"), encoding="utf-8", newline="") as f:
            shown = list(csv.reader(f))
        expected = rules.expected_rows(source)
        self.assertEqual(len(shown), len(expected))
        for r, (want_row, got_row) in enumerate(zip(expected, shown), start=1):
            got_row = got_row + [""] * (len(want_row) - len(got_row))
            for c, want in enumerate(want_row):
                got, where = got_row[c], "%s%d" % (rules.column_letter(c), r)
                if want is None:
                    self.assertEqual(got, "", where)
                elif isinstance(want, datetime.datetime):
                    # The C locale's short date, as LibreOffice writes it (two- or four-digit year).
                    form = "%m/%d/%Y %H:%M:%S" if len(got.split(" ")[0]) == 10 else "%m/%d/%y %H:%M:%S"
                    self.assertEqual(datetime.datetime.strptime(got, form), want.replace(microsecond=0), where)
                elif isinstance(want, float):
                    self.assertAlmostEqual(float(got), want, places=9, msg=where)
                else:
                    self.assertEqual(got, want, where)
            self.assertEqual(got_row[len(want_row):], [""] * (len(got_row) - len(want_row)), r)

    def test_data_sheet_of_a_humidity_file(self):
        source = os.path.join(self.dir.name, "store.txt")
        rules.write_humidity_file(source, 500)
        self.check_data_sheet(source)

    def test_chart_sheet_shows_lines(self):
        source = os.path.join(self.dir.name, "store.txt")
        rules.write_humidity_file(source, 500)
        out = self.convert(self.exported(source), "pdf")
        picture = os.path.join(self.dir.name, "chart")
        subprocess.run(["pdftoppm", "-r", "50", "-f", "1", "-l", "1", os.path.join(out, "export.pdf"), picture],
                       check=True)
        width, height, pixels = read_ppm(glob.glob(picture + "*.ppm")[0])
        coloured, columns = 0, set()
        for y in range(height):
            row = pixels[y * width * 3:(y + 1) * width * 3]
            for x in range(width):
                r, g, b = row[3 * x], row[3 * x + 1], row[3 * x + 2]
                if max(r, g, b) - min(r, g, b) > 60:
                    coloured += 1
                    columns.add(x)
        # Lines run across the plot; a chart without them has only its legend's swatches.
        self.assertGreater(coloured, 500)
        self.assertGreater(len(columns), 0.4 * width)


def read_ppm(path):
    with open(path, "rb") as f:
        magic, size, depth, pixels = f.read().split(b"\n", 3)
    assert magic == b"P6" and depth == b"255", path
    width, height = (int(v) for v in size.split())
    return width, height, pixels


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
