#pragma once
// File > Save Report as PDF...: ask where the report goes (the download file's name
// with .pdf, in its folder), read the file again with its fingerprint, make sure it is
// still the file on show, and write the one-page report of the readings on show. With
// several files on the chart, the report compares them (as velmora-cli's report of
// several files does) over the stretch of time on show, each file read again and
// checked as the one file is.
#include <QPageSize>
#include <string>
#include <vector>

#include "document_statistics.h"

namespace velmora {

class Chart;
class FileDialogs;
class Prompts;

struct ReportRequest {
    std::vector<std::string> downloadFiles; // the files on the chart, the opened one first; none when none is loaded
    std::vector<const GraphData*> shown;    // what the chart shows of each
    const Chart* printChart = nullptr;      // the chart as it prints now
    double xMin = 0;                        // the range on show, seconds after the first file's start time
    double xMax = 0;
    StatisticsOptions options;
    QPageSize::PageSizeId paper = QPageSize::A4;
};

class ReportFlow {
public:
    ReportFlow(Prompts& prompts, FileDialogs& dialogs) : prompts_(prompts), dialogs_(dialogs) {}

    // The path of the report written, empty when none was (the user has been told why,
    // or cancelled).
    std::string run(const ReportRequest& request);

private:
    // The report of the one file, or of several compared, to `path`.
    std::string reportOne(const ReportRequest& request, const std::string& path);
    std::string reportSeveral(const ReportRequest& request, const std::string& path);

    Prompts& prompts_;
    FileDialogs& dialogs_;
};

} // namespace velmora
