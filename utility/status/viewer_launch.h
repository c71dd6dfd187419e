#pragma once
// Handing a download file on: to the graph viewer, which lies in the utility's own
// folder, or for an event logger's file (which the viewer cannot chart) to the
// desktop's text editor after asking. Programs get the path as one argument, never
// through a shell.
#include <string>

#include "logger_config.h"

namespace velmora {

class ProcessLauncher;
class Prompts;

inline constexpr const char* kViewerFileName = "velmora-graph";
// The desktop's opener: it starts the user's default application for text files.
inline constexpr const char* kTextEditorProgram = "xdg-open";

extern const char* const kEventFileQuestion;
extern const char* const kTextEditorFailed;

// The viewer's program file in `programFolder`.
std::string viewerProgram(const std::string& programFolder);

// Starts the viewer on `path` from `programFolder`; message 129 when it cannot start.
bool launchViewer(ProcessLauncher& launcher, Prompts& prompts, const std::string& programFolder,
                  const std::string& path);

// After a download: the viewer, or for an event logger the question and, on Yes, the
// text editor. Returns true when a program was started.
bool launchDownloadFile(ProcessLauncher& launcher, Prompts& prompts, const std::string& programFolder, LoggerType type,
                        const std::string& path);

} // namespace velmora
