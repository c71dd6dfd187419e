#pragma once
// Writes the report as a one-page PDF (Qt's QPdfWriter) on the paper of the user's
// locale, atomically: the page is made in memory and goes through AtomicFile, so a
// failed save never leaves half a report in place of an earlier one.
#include <QPageSize>
#include <functional>
#include <string>
#include <vector>

#include "report_page.h"

namespace velmora {

// A4, or Letter where the locale's paper (LC_PAPER) is Letter.
QPageSize::PageSizeId localePaper();
// The paper of a size in millimetres as LC_PAPER gives it: Letter for 216 × 279,
// A4 for anything else.
QPageSize::PageSizeId paperForSize(int widthMm, int heightMm);

// Writes the report of `downloadFile` to `path`. False with the user's message in
// `error` ("Failed writing file: ..."); refused, with nothing written, when `path`
// names the download file itself under whatever name.
// Draws a report's pages: `area` is a page's printable area in device pixels of
// `dotsPerMillimetre`; `newPage` starts the next page.
using ReportDrawing = std::function<void(QPainter& painter, const QRectF& area, double dotsPerMillimetre,
                                         const std::function<void()>& newPage)>;

// Writes the pages `draw` makes to `path` as for writeReportPdf, refusing a path that
// names any of `downloadFiles`.
bool writeReportPages(const std::string& path, const std::vector<std::string>& downloadFiles,
                      QPageSize::PageSizeId paper, const ReportDrawing& draw, std::string& error);

bool writeReportPdf(const std::string& path, const std::string& downloadFile, const ReportContent& content,
                    QPageSize::PageSizeId paper, std::string& error);

} // namespace velmora
