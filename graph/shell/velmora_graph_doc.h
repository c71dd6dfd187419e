#pragma once
// The viewer's one document: the GraphData of the opened download file and the path
// it came from, and the other files added to its chart to compare with it. Plain C++:
// the window shows it, the tests drive it without a display.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data_file_reader.h"
#include "graph_data.h"
#include "unit_axes.h"

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

    // --- other files on the chart ----------------------------------------------------
    // Adds a download file to the chart, or opens it when none is loaded. False when
    // it is not added: the user has been told why (it cannot be found or read, or its
    // unit fits neither value axis). `beforeChange` as for OnOpenDocument.
    bool AddFile(const std::string& path, const std::function<void()>& beforeChange = {});
    // Takes file `index` of chartPaths() off the chart; the opened file's place goes
    // to the next one.
    void RemoveFile(std::size_t index, const std::function<void()>& beforeChange = {});

    // Every file on the chart, the opened one first; empty when none is loaded.
    std::vector<const GraphData*> chartFiles() const;
    std::vector<std::string> chartPaths() const;
    // The value axis of each file's first channel, in the same order.
    std::vector<AxisSide> chartSides() const;

private:
    struct AddedFile {
        std::string path;
        std::unique_ptr<GraphData> data; // stays where it is while the list changes
    };
    bool loaded() const { return !filePath_.empty() && data_.readingCount > 0; }
    bool canOpen(const std::string& path);
    // The axes the files on the chart take (and, when asked, each one's side).
    UnitAxes chartAxes(std::vector<AxisSide>* sides = nullptr) const;

    Prompts& prompts_;
    DataFileReader reader_;
    GraphData data_;
    std::string filePath_;
    std::vector<AddedFile> added_;
};

} // namespace velmora
