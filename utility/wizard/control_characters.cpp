#include "control_characters.h"

namespace velmora {

namespace {

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

} // namespace

std::optional<unsigned char> firstControlCharacter(std::string_view cp1252)
{
    for (const char ch : cp1252)
        if (isControl(static_cast<unsigned char>(ch)))
            return static_cast<unsigned char>(ch);
    return std::nullopt;
}

} // namespace velmora
