#pragma once
// velmora-cli's settings and setup: the connected logger's settings as the set-up
// pages show them, and a set-up from a settings file through the same pages, ending
// as the finish page ends: with the verified write that starts the logger.
//
// Exit codes: 0 success; 1 a refusal (a page's check, a question answered No, a value
// a page's control cannot take) or a failed read or write, with the message on the
// error stream; 2 a file that is not settings JSON or has a key the type does not take.
#include <iosfwd>
#include <string>

namespace velmora {

struct LoggerCommandContext;
class WallClock;

int runSettings(LoggerCommandContext& context, WallClock& clock, bool json);

// `file` "-" reads the settings from `in`. `yes` answers the questions Yes.
int runSetup(LoggerCommandContext& context, WallClock& clock, const std::string& file, bool yes, std::istream& in);

// Texts of our own.
inline constexpr const char* kAnsweredNo = "Answered No. Give setup --yes to answer Yes.";
inline constexpr const char* kConfigured = " has been configured successfully.";

} // namespace velmora
