#pragma once
// velmora-cli inspect [--json] [--readout I] FILE
//
// Reads FILE with the viewer's reader and prints what the viewer would show: a
// summary by default, the whole document with --json, or the pointer readout of
// reading I with --readout. No display needed.
#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// `args` are the words after "inspect". Returns the exit status: 0 done, 1 the file
// could not be read (the viewer's message is on `err`), 2 a usage error.
int runInspect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace velmora
