#pragma once
// velmora-cli's commands that talk to a logger: list, status, download. Each returns
// the process exit code: 0 success, 1 failure (the message is on the error stream).
// status and download refuse, as the utility's main menu does, a logger whose type
// this software does not support (message 139).
#include <string>
#include <vector>

#include "logger_command_context.h"

#include "logger_command_context.h"

namespace velmora {

int runList(LoggerCommandContext& context);
int runStatus(LoggerCommandContext& context, bool json);
// `images`: the logger image files being simulated, which the download file must not
// replace under any name.
int runDownload(LoggerCommandContext& context, const std::string& path, bool stopFirst,
                const std::vector<std::string>& images = {});

// Texts of our own for what only the command-line tool can run into.
inline constexpr const char* kLoggingRefusal = "The logger is logging. Stop it first: velmora-cli download --stop FILE";
inline constexpr const char* kNoReadings = "The logger holds no readings. No file was written.";
inline constexpr const char* kDownloadOverImage =
    "The download file cannot be saved as:\n%1\nThat is the logger image it is downloaded from: choose another name.";

} // namespace velmora
