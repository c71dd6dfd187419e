#include "data_file_reader.h"

#include "graph_data_reader.h"
#include "graph_strings.h"

namespace velmora {

bool DataFileReader::ReadDataFile(const std::string& path, GraphData& data)
{
    const ReadResult result = readDataFile(path, data);
    switch (result.status) {
    case ReadStatus::Loaded: return true;
    case ReadStatus::EventFile:
        if (prompts_.askYesNo(std::string(graphtext::kEventFileQuestion)))
            OpenInNotepad(path);
        return false;
    default: prompts_.warn(readFailureMessage(result)); return false;
    }
}

void DataFileReader::OpenInNotepad(const std::string& path)
{
    if (!launcher_.startDetached(kTextEditorOpener, {path}, programFolder_))
        prompts_.warn(std::string(graphtext::kTextEditorFailed));
}

} // namespace velmora
