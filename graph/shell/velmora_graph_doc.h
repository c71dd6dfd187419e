#pragma once
// The viewer's one document: the GraphData of the opened download file and the path
// it came from. Plain C++: the window shows it, the tests drive it without a display.
#include <functional>
#include <string>

#include "data_file_reader.h"
#include "graph_data.h"

namespace velmora {

class CVelmoraGraphDoc {
public:
    CVelmoraGraphDoc(Prompts& prompts, ProcessLauncher& launcher, std::string programFolder)
        : prompts_(prompts), reader_(prompts, launcher, std::move(programFolder))
    {
    }

    const GraphData& data() const { return data_; }
    // The file now loaded; empty when none is (the export checks it).
    const std::string& filePath() const { return filePath_; }

    // A new, empty document.
    void OnNewDocument() { ResetDocument(); }

    // Opens a download file. False only when the file cannot be opened at all (the
    // user has been told, and the previous contents stay); a file that opens but
    // cannot be read leaves an empty document and still counts as opened.
    // `beforeChange` runs once the file is known to open, just before the contents
    // change: a window showing them lets go of them there.
    bool OnOpenDocument(const std::string& path, const std::function<void()>& beforeChange = {});

    void ResetDocument();

private:
    Prompts& prompts_;
    DataFileReader reader_;
    GraphData data_;
    std::string filePath_;
};

} // namespace velmora
