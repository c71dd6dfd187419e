#include "page_sequence.h"

#include <algorithm>
#include <iterator>

namespace velmora {

bool pageShown(const LoggerConfig& config, int p)
{
    const PageDescriptor* d = pageDescriptor(p);
    return !d || !d->shownFor || d->shownFor(config);
}

int nextPage(const LoggerConfig& config, int p)
{
    const std::span<const int> row = pageRow(config.type());
    auto it = std::find(row.begin(), row.end(), p);
    if (it == row.end())
        return -1;
    for (++it; it != row.end(); ++it)
        if (pageShown(config, *it))
            return *it;
    return -1;
}

int previousPage(const LoggerConfig& config, int p)
{
    const std::span<const int> row = pageRow(config.type());
    const auto it = std::find(row.begin(), row.end(), p);
    if (it == row.end())
        return -1;
    for (auto back = std::make_reverse_iterator(it); back != row.rend(); ++back)
        if (pageShown(config, *back))
            return *back;
    return -1;
}

} // namespace velmora
