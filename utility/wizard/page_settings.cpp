#include "page_settings.h"

#include <charconv>

namespace velmora {

std::string settingsNumber(double v)
{
    if (v == 0)
        v = 0;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

} // namespace velmora
