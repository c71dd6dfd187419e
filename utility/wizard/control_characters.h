#pragma once
// The texts the pages take as typed (a logger name, a unit) go into the record and
// from there into the download file's header lines, where a line break would split a
// line and a NUL would cut the text short. No such text may hold a control character.
#include <optional>
#include <string_view>

namespace velmora {

// The first control character in a Windows-1252 text: the C0 controls (NUL, tab,
// line feed, carriage return, escape, ...), DEL, and the five bytes the code page
// leaves unassigned, which stand for the C1 controls of the same number. Nothing when
// the text holds none.
std::optional<unsigned char> firstControlCharacter(std::string_view cp1252);

} // namespace velmora
