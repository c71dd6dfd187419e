#pragma once
// Logger names, units and download files are single-byte Windows-1252 text. These
// convert at the edges (display, JSON) and nowhere else.
#include <string>

namespace velmora {

std::string cp1252ToUtf8(const std::string& bytes);
// Characters that Windows-1252 cannot hold become '?'.
std::string utf8ToCp1252(const std::string& utf8);

} // namespace velmora
