#pragma once
// velmora-cli archive report: the several-file report of one logger's deployments in
// a time range, each file taken out of the archive byte for byte and checked against
// its SHA-256 first, each named by its deployment (id, file, first and last reading).
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "archive_store.h"
#include "document_statistics.h"

namespace velmora {

struct ArchiveReportRequest {
    std::string serial; // as the file writes it
    std::optional<std::int64_t> fromUtc, toUtc;
    StatisticsOptions options;
    std::string out; // the PDF
};

// 0 written, 1 a failure (said on `err`; nothing is written then).
int writeArchiveReport(ArchiveStore& store, const ArchiveReportRequest& request, std::ostream& err);

} // namespace velmora
