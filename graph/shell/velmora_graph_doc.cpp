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

bool CVelmoraGraphDoc::OnOpenDocument(const std::string& path, const std::function<void()>& beforeChange)
{
    // The file must exist and be readable before the old contents are dropped. The
    // open does not wait (a FIFO without a writer); the reader refuses what is not a
    // file.
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
}

} // namespace velmora
