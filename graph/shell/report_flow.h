#pragma once
// File > Save Report as PDF...: ask where the report goes (the download file's name
// with .pdf, in its folder), read the file again with its fingerprint, make sure it is
// still the file on show, and write the one-page report of the readings on show.
#include <QPageSize>
#include <string>

#include "document_statistics.h"

namespace velmora {

class Chart;
class FileDialogs;
class Prompts;

struct ReportRequest {
    std::string downloadFile; // the file loaded; empty when none is
    const GraphData* shown = nullptr;
    const Chart* printChart = nullptr; // the chart as it prints now
    double xMin = 0;                   // the range on show, seconds after the start time
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
    Prompts& prompts_;
    FileDialogs& dialogs_;
};

} // namespace velmora
