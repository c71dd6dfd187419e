#!/usr/bin/env python3
"""Workbooks from velmora-cli export, read back with openpyxl: sheets and their order,
the sheet on show, every cell of "Data" against the download file (types, values,
dates and their form), column widths, and per chart its title, series ranges and
names, axis groups, time axis and value-axis title.

usage: check_workbook.py VELMORA_CLI TEST_DATA_DIR
"""
import datetime
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import download_file_rules as rules  # noqa: E402

rules.need(not rules.system_python_has("openpyxl"), "python3-openpyxl")
import openpyxl  # noqa: E402

CLI, DATA = sys.argv[1], sys.argv[2]
DATE_FORM = "mm/dd/yy hh:mm:ss"  # the C locale's short date and time


def title_text(title):
    return "".join(r.t for p in title.tx.rich.p for r in (p.r or [])) if title else None


class ExportedWorkbook(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def exported(self, source):
        target = os.path.join(self.dir.name, os.path.basename(source) + ".xlsx")
        warning = rules.export(CLI, source, target)
        return openpyxl.load_workbook(target), warning

    def check(self, source, unit_title=None):
        wb, warning = self.exported(source)
        expected = rules.expected_rows(source)
        row_count = sum(1 for row in expected[1:] if isinstance(row[0], float)) + 1
        name, humidity = rules.header_columns(source)  # per series: a humidity column?
        charts = rules.chart_rows(row_count) if row_count > 1 and humidity else []

        # Chart sheets first, each added before "Data"; "Chart1" on show.
        self.assertEqual(wb.sheetnames, ["Chart%d" % (k + 1) for k in range(len(charts))] + ["Data"])
        self.assertEqual(wb.active.title, "Chart1" if charts else "Data")
        self.assertEqual(bool(warning), len(charts) > 1, warning)
        if len(charts) > 1:
            self.assertIn("Therefore %d charts will be generated" % len(charts), warning)

        data = wb["Data"]
        if charts:
            self.assertFalse(data.sheet_view.tabSelected)
        self.assertEqual(data.sheet_view.selection[0].activeCell, "A1")
        self.check_cells(data, expected)
        for k, (first, last, ticks) in enumerate(charts):
            self.check_chart(wb["Chart%d" % (k + 1)], name, humidity, first, last, ticks, unit_title)
        return wb

    def check_cells(self, data, expected):
        self.assertEqual(data.max_row, len(expected))
        widest = {}
        for r, row in enumerate(expected, start=1):
            for c, want in enumerate(row, start=1):
                cell = data.cell(row=r, column=c)
                where = "%s%d" % (rules.column_letter(c - 1), r)
                if isinstance(want, datetime.datetime):
                    self.assertTrue(cell.is_date, where)
                    self.assertEqual(cell.number_format, DATE_FORM, where)
                    self.assertLess(abs((cell.value - want).total_seconds()), 0.001, where)
                elif isinstance(want, float):
                    self.assertEqual(cell.data_type, "n", where)
                    self.assertAlmostEqual(cell.value, want, places=9, msg=where)
                else:
                    self.assertEqual(cell.value, want, where)
                if want is not None:
                    widest[c] = max(widest.get(c, 0), len(DATE_FORM) if isinstance(want, datetime.datetime)
                                    else len(want) if isinstance(want, str) else 1)
        for c, chars in widest.items():  # fitted: wide enough for the widest entry
            width = data.column_dimensions[rules.column_letter(c - 1)].width
            self.assertGreaterEqual(width, chars, rules.column_letter(c - 1))

    def check_chart(self, sheet, name, humidity, first, last, ticks, unit_title):
        self.assertEqual(len(sheet._charts), 1)
        chart = sheet._charts[0]
        self.assertEqual(title_text(chart.title), name)
        series = {s.idx: (group, s) for group in chart._charts for s in group.series}
        self.assertEqual(sorted(series), list(range(len(humidity))))
        for i, on_right in enumerate(humidity):
            group, s = series[i]
            column = rules.column_letter(i + 2)
            self.assertEqual(s.tx.strRef.f, "Data!$%s$1" % column)
            self.assertEqual(s.val.numRef.f, "Data!$%s$%d:$%s$%d" % (column, first, column, last))
            self.assertEqual(s.cat.numRef.f, "Data!$B$%d:$B$%d" % (first, last))
            self.assertIsNone(s.marker.symbol)  # openpyxl reads <c:symbol val="none"/> as None
            # The humidity columns against the value axis on the right, the rest on the left.
            self.assertEqual(group.y_axis.axPos, "r" if on_right and not all(humidity) else "l", column)
            self.assertEqual(group.y_axis.crosses, "max" if group.y_axis.axPos == "r" else "autoZero")
        axis = chart.x_axis
        self.assertFalse(axis.auto)  # a plain category axis, not a date axis
        self.assertEqual(axis.tickLblPos, "low")
        self.assertEqual(axis.number_format.formatCode, DATE_FORM)
        self.assertEqual(axis.tickLblSkip, ticks // 10 or None)
        self.assertEqual(axis.tickMarkSkip, ticks // 10 or None)
        self.assertEqual(chart.y_axis.crossBetween, "midCat")  # points on the ticks
        self.assertEqual(title_text(chart.y_axis.title), unit_title)

    def test_temperature_logger(self):
        self.check(os.path.join(DATA, "reader/temperature_alarms.txt"), unit_title="\u00b0C")

    def test_humidity_logger_errors_emptied_and_second_axis(self):
        wb = self.check(os.path.join(DATA, "reader/humidity_alarms.txt"))
        self.assertIsNone(wb["Data"]["I3"].value)
        self.assertEqual(wb["Data"]["J2"].value, 12345)  # the serial number as a number

    def test_carbon_monoxide_logger_columns_after_the_serial_number(self):
        wb = self.check(os.path.join(DATA, "reader/co_logger.txt"), unit_title="ppm")
        self.assertEqual(wb["Data"]["G2"].value, "06/12/2028")  # only the time column holds dates
        self.assertEqual(wb["Data"]["I2"].value, "No")

    def test_voltage_logger(self):
        self.check(os.path.join(DATA, "reader/voltage_logger.txt"), unit_title="mV")

    def test_error_texts_only_whole_cells(self):
        wb = self.check(os.path.join(DATA, "reader/error_texts.txt"))
        self.assertIsNone(wb["Data"]["E2"].value)
        self.assertEqual(wb["Data"]["E3"].value, "Error ")

    def test_event_logger_tenths_and_empty_field(self):
        wb = self.check(os.path.join(DATA, "reader/event_rising.txt"), unit_title="Rising")
        self.assertEqual(wb["Data"]["B3"].value.microsecond // 1000, 400)
        self.assertIsNone(wb["Data"]["C2"].value)

    def test_names_that_look_like_formulas_stay_texts(self):
        source = os.path.join(self.dir.name, "formula.txt")
        with open(source, "wb") as f:
            f.write(b"=Cold,Time,Voltage(=V),Serial Number\r\n1,07/12/2026 14:00:00,1.5,000000042\r\n"
                    b"2,07/12/2026 14:00:10,1.6\r\n")
        wb, _ = self.exported(source)
        chart = wb["Chart1"]._charts[0]
        self.assertEqual(title_text(chart.title).strip(), "=Cold")
        self.assertEqual(title_text(chart.y_axis.title).strip(), "=V")
        self.assertEqual(wb["Data"]["A1"].value, "=Cold")

    def test_largest_humidity_file_makes_two_charts(self):
        source = os.path.join(self.dir.name, "store.txt")
        rules.write_humidity_file(source, 32767)
        wb = self.check(source)
        self.assertEqual(len(wb.sheetnames), 3)

    def test_several_files_a_sheet_each_and_a_series_each(self):
        # hall and door in °C, damp in %RH: hall 4 readings, damp 2, door 4.
        sources = [os.path.join(DATA, "compare", n + ".txt") for n in ("hall", "damp", "door")]
        target = os.path.join(self.dir.name, "study.xlsx")
        rules.export(CLI, sources, target)
        wb = openpyxl.load_workbook(target)
        self.assertEqual(wb.sheetnames, ["Chart1", "hall", "damp", "door"])
        self.assertEqual(wb.active.title, "Chart1")
        for source, sheet in zip(sources, wb.sheetnames[1:]):
            self.check_cells(wb[sheet], rules.expected_rows(source))
        chart = wb["Chart1"]._charts[0]
        groups = {group.y_axis.axPos: group for group in chart._charts}
        self.assertEqual(sorted(groups), ["l", "r"])
        shown = {pos: [(s.tx.v, s.xVal.numRef.f, s.yVal.numRef.f) for s in g.series] for pos, g in groups.items()}
        self.assertEqual(shown["l"], [("hall.txt", "hall!$B$2:$B$5", "hall!$C$2:$C$5"),
                                      ("door.txt", "door!$B$2:$B$5", "door!$C$2:$C$5")])
        self.assertEqual(shown["r"], [("damp.txt", "damp!$B$2:$B$3", "damp!$C$2:$C$3")])
        self.assertEqual(groups["l"].x_axis.number_format.formatCode, DATE_FORM)
        self.assertTrue(groups["r"].x_axis.delete)  # the humidity's own time axis is hidden


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
