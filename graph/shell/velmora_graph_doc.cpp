#include "velmora_graph_doc.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "graph_strings.h"

namespace velmora {

namespace {

std::string withPath(std::string_view pattern, const std::string& path)
{
    std::string text(pattern);
    const std::size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}

} // namespace

bool CVelmoraGraphDoc::canOpen(const std::string& path)
{
    // The open does not wait (a FIFO without a writer); the reader refuses what is not
    // a file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR || path.empty())
            prompts_.warn(withPath(graphtext::kCannotFindFile, path));
        else
            prompts_.warn(withPath(graphtext::kCannotOpenFile, path));
        return false;
    }
    ::close(fd);
    return true;
}

bool CVelmoraGraphDoc::OnOpenDocument(const std::string& path, const std::function<void()>& beforeChange)
{
    // The file must exist and be readable before the old contents are dropped.
    if (!canOpen(path))
        return false;
    if (beforeChange)
        beforeChange();
    ResetDocument();
    filePath_ = path;
    if (!reader_.ReadDataFile(path, data_))
        ResetDocument(); // the reader has told the user; nothing half-loaded stays
    return true;
}

void CVelmoraGraphDoc::ResetDocument()
{
    filePath_.clear();
    data_.reset();
    added_.clear();
}

bool CVelmoraGraphDoc::AddFile(const std::string& path, const std::function<void()>& beforeChange)
{
    if (!loaded())
        return OnOpenDocument(path, beforeChange);
    if (!canOpen(path))
        return false;
    auto data = std::make_unique<GraphData>();
    if (!reader_.ReadDataFile(path, *data))
        return false; // the reader has told the user
    UnitAxes axes = chartAxes();
    if (!axes.place(data->channel1.unit)) {
        prompts_.warn(axes.refusal(path, data->channel1.unit));
        return false;
    }
    if (beforeChange)
        beforeChange();
    added_.push_back({path, std::move(data)});
    return true;
}

void CVelmoraGraphDoc::RemoveFile(std::size_t index, const std::function<void()>& beforeChange)
{
    if (!loaded() || index > added_.size())
        return;
    if (beforeChange)
        beforeChange();
    if (index > 0) {
        added_.erase(added_.begin() + static_cast<std::ptrdiff_t>(index - 1));
        return;
    }
    if (added_.empty()) {
        ResetDocument();
        return;
    }
    data_ = std::move(*added_.front().data);
    filePath_ = std::move(added_.front().path);
    added_.erase(added_.begin());
}

std::vector<const GraphData*> CVelmoraGraphDoc::chartFiles() const
{
    std::vector<const GraphData*> files;
    if (!loaded())
        return files;
    files.push_back(&data_);
    for (const AddedFile& f : added_)
        files.push_back(f.data.get());
    return files;
}

std::vector<std::string> CVelmoraGraphDoc::chartPaths() const
{
    std::vector<std::string> paths;
    if (!loaded())
        return paths;
    paths.push_back(filePath_);
    for (const AddedFile& f : added_)
        paths.push_back(f.path);
    return paths;
}

UnitAxes CVelmoraGraphDoc::chartAxes(std::vector<AxisSide>* sides) const
{
    UnitAxes axes;
    const std::vector<const GraphData*> files = chartFiles();
    for (std::size_t f = 0; f < files.size(); ++f) {
        const std::optional<AxisSide> side = axes.place(files[f]->channel1.unit);
        if (sides)
            sides->push_back(side.value_or(AxisSide::Left));
        if (f == 0 && files[f]->channel2.present)
            axes.reserveRight(files[f]->channel2.unit);
    }
    return axes;
}

std::vector<AxisSide> CVelmoraGraphDoc::chartSides() const
{
    std::vector<AxisSide> sides;
    chartAxes(&sides);
    return sides;
}

} // namespace velmora
