#pragma once
// velmora-cli report [--from T] [--to T] [--activation-energy KJ_PER_MOL] FILE... OUT.pdf
//
// The viewer's "Save Report as PDF..." without a window: a one-page report of FILE
// over the range (the whole file by default), drawn on Qt's offscreen platform. Given
// several files, the report compares them (an overlay chart, a row per file, the
// summary, each file's fingerprint) on as many pages as it takes.
#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// `args` are the words after "report". Returns 0 written, 1 a failure (said on `err`),
// 2 a usage error.
int runReport(const std::vector<std::string>& args, std::ostream& err);

} // namespace velmora
