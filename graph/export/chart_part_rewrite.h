#pragma once
// The one place where the workbook's chart parts are edited after the workbook
// library has written them. Why: the library we build on (libxlsxwriter 1.1.4, as
// Debian ships it) can neither put series on a second value axis nor make a category
// axis a plain one. Without the plain axis (<c:auto val="0"/>) spreadsheet programs
// turn the time column into a date axis and stack the readings of one day onto one
// category; without the second axis the humidity shares the temperature's scale.
// Everything else in the workbook is copied byte for byte.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One chart part (xl/charts/chartN.xml) as the library writes a line chart: the
// category axis made plain, and the series whose <c:idx> is in `secondaryIdx`
// moved into a second line chart drawn against a value axis on the right (with a
// hidden category axis of its own). Nothing moves when that would leave no series on
// the first axis. Nothing when the part is not shaped as expected: a newer library
// may write it differently, and a chart we do not understand is not edited blind.
std::optional<std::string> rewriteChartPart(std::string_view xml, const std::vector<int>& secondaryIdx);

// The overlay chart part of a workbook of several files, a scatter chart as the
// library writes one: the series whose <c:idx> is in `secondaryIdx` moved into a
// second scatter chart drawn against a value axis on the right titled
// `secondaryTitle` (UTF-8; none when empty), with a hidden time axis of its own.
// Nothing when the part is not shaped as expected.
std::optional<std::string> rewriteScatterPart(std::string_view xml, const std::vector<int>& secondaryIdx,
                                              const std::string& secondaryTitle);

// Copies the workbook at `source` into the file open at `fd` (written from where it
// stands), passing every chart part through rewriteChartPart (rewriteScatterPart for
// a scatter chart, with `secondaryTitle`). False, with `error`
// set, when the source cannot be read, a chart part cannot be rewritten or the copy
// cannot be written.
bool copyWithChartsRewritten(const std::string& source, int fd, const std::vector<int>& secondaryIdx,
                             std::string& error, const std::string& secondaryTitle = {});

} // namespace velmora
