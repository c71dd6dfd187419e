#include "workbook_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "chart_part_rewrite.h"
#include "graph_strings.h"
#include "placeholders.h"

namespace velmora {

namespace {

constexpr std::size_t kRowBufferSize = 1 << 20;

std::string withArguments(std::string_view text, const std::string& path, const std::string& why)
{
    return fillPlaceholders(text, {path, why});
}

} // namespace

WorkbookFiles::~WorkbookFiles()
{
    if (workbook_)
        lxw_workbook_free(workbook_); // after a failure: nothing more is written
}

std::string WorkbookFiles::create(const std::string& workbookPath)
{
    path_ = workbookPath;
    if (!target_.create(workbookPath))
        return withArguments(graphtext::kWorkbookOpenFailed, workbookPath, std::strerror(target_.error()));
    if (!scratch_.create(workbookPath))
        return withArguments(graphtext::kWorkbookWriteFailed, workbookPath, std::strerror(scratch_.error()));
    return {};
}

lxw_workbook* WorkbookFiles::open()
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows go out as they are written
    workbook_ = workbook_new_opt(scratch_.temporaryPath().c_str(), &options);
    return workbook_;
}

lxw_worksheet* WorkbookFiles::addWorksheet(const std::string& name)
{
    lxw_worksheet* sheet = workbook_add_worksheet(workbook_, name.c_str());
    if (sheet && sheet->optimize_tmpfile) {
        rowBuffers_.push_back(std::make_unique<char[]>(kRowBufferSize));
        std::setvbuf(sheet->optimize_tmpfile, rowBuffers_.back().get(), _IOFBF, kRowBufferSize);
    }
    return sheet;
}

std::string WorkbookFiles::finish(const std::vector<int>& secondaryIdx, const std::string& secondaryTitle)
{
    const lxw_error closed = workbook_close(workbook_);
    workbook_ = nullptr;
    if (closed != LXW_NO_ERROR)
        return withArguments(graphtext::kWorkbookWriteFailed, path_, lxw_strerror(closed));
    std::string why;
    if (!copyWithChartsRewritten(scratch_.temporaryPath(), target_.fd(), secondaryIdx, why, secondaryTitle))
        return withArguments(graphtext::kWorkbookWriteFailed, path_, why);
    if (!target_.commit())
        return withArguments(graphtext::kWorkbookWriteFailed, path_, std::strerror(target_.error()));
    return {};
}

} // namespace velmora
