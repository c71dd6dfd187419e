#pragma once
// Reads a download file into the viewer's GraphData, all or nothing: either every
// reading is loaded, or the data is left reset. The format's parser reads the file;
// this fills the chart's data sets from what it hands over. No messages are shown
// here: the caller (the viewer's reader, velmora-cli) decides how to tell the user.
#include <string>

#include "download_file_parser.h"
#include "graph_data.h"

namespace velmora {

// Reads the file at `path` into `data` (reset first).
ReadResult readDataFile(const std::string& path, GraphData& data);
ReadStatus parseDataFile(const std::string& path, GraphData& data);

// Reads the bytes of `source` into `data` (reset first). `sizeHint` (the byte count
// expected, 0 when unknown) lets the series be sized once instead of growing.
ReadResult readDataBytes(ByteSource& source, GraphData& data, std::size_t sizeHint = 0);
ReadStatus parseDataBytes(ByteSource& source, GraphData& data, std::size_t sizeHint = 0);

} // namespace velmora
