#pragma once
// velmora-cli --simulate SPEC image FILE: the (first) simulated logger saved as a
// logger image file, so the commands that change a logger (setup, download --stop)
// have one that keeps their changes from one run to the next.
#include <iosfwd>
#include <string>

namespace velmora {

class Clock;

// 0 when the image was written; 1 with the reason on `err`; 2 for a SPEC that names no
// logger.
int runSaveImage(const std::string& spec, const std::string& path, Clock& clock, std::ostream& err);

} // namespace velmora
