#pragma once
// The viewer's reader: reads a download file into the document's GraphData and tells
// the user about every failure. An event logger's file is not charted; the user is
// offered the desktop's text editor for it instead.
#include <string>

#include "graph_data.h"
#include "process_launcher.h"
#include "prompts.h"

namespace velmora {

class DataFileReader {
public:
    // `programFolder` is the viewer's own folder: the text editor is started there.
    DataFileReader(Prompts& prompts, ProcessLauncher& launcher, std::string programFolder)
        : prompts_(prompts), launcher_(launcher), programFolder_(std::move(programFolder))
    {
    }

    // True when the graph was loaded; otherwise the user has been told and `data` is
    // reset.
    bool ReadDataFile(const std::string& path, GraphData& data);

    // Shows the file in the desktop's text editor, without waiting for it.
    void OpenInNotepad(const std::string& path);

private:
    Prompts& prompts_;
    ProcessLauncher& launcher_;
    std::string programFolder_;
};

// The program that opens a text file in the desktop's chosen editor.
inline constexpr const char* kTextEditorOpener = "xdg-open";

} // namespace velmora
