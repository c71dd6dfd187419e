#pragma once
// How inspect and report answer the reader: an event file or a failed read is said on
// `err` and ends the command; a file read whole but for a cut last line is kept, with
// a warning after `prefix`.
#include <ostream>
#include <string>

#include "graph_data_reader.h"

namespace velmora {

// False when the command cannot go on with `data`.
bool readOutcomeAccepted(const ReadResult& read, const GraphData& data, std::ostream& err, const std::string& prefix);

} // namespace velmora
