#include "read_outcome.h"

#include "graph_strings.h"

namespace velmora {

bool readOutcomeAccepted(const ReadResult& read, const GraphData& data, std::ostream& err, const std::string& prefix)
{
    if (read.status == ReadStatus::EventFile) {
        err << graphtext::kEventFileNotCharted << "\n";
        return false;
    }
    if (read.status != ReadStatus::Loaded) {
        err << readFailureMessage(read) << "\n";
        return false;
    }
    if (data.lastLineUnterminated)
        err << prefix << "warning: " << graphtext::kLastLineCut << "\n";
    return true;
}

} // namespace velmora
