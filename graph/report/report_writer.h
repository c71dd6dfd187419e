#pragma once
// Writes the report as a one-page PDF (Qt's QPdfWriter) on the paper of the user's
// locale, atomically: the page is made in memory and goes through AtomicFile, so a
// failed save never leaves half a report in place of an earlier one.
#include <QPageSize>
#include <string>

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
bool writeReportPdf(const std::string& path, const std::string& downloadFile, const ReportContent& content,
                    QPageSize::PageSizeId paper, std::string& error);

} // namespace velmora
