#include "sheet_names.h"

#include <algorithm>
#include <cstdint>

namespace velmora {

namespace {

constexpr std::string_view kForbidden = "[]:*?/\\";

// The length of the UTF-8 sequence at `text[at]`, and its code point; 0 when the
// bytes there are not one.
std::size_t sequenceAt(std::string_view text, std::size_t at, std::uint32_t& codePoint)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0u) != 0x80u)
            return 0;
        codePoint = (codePoint << 6) | (byte(at + i) & 0x3Fu);
    }
    // Overlong forms, surrogates and code points beyond Unicode are not characters.
    const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < least[length] || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF)
        return 0;
    return length;
}

std::size_t utf16Units(std::uint32_t codePoint) { return codePoint > 0xFFFF ? 2 : 1; }

// `text` (valid UTF-8) cut to at most `units` UTF-16 units on a character's boundary.
std::string cutTo(const std::string& text, std::size_t units)
{
    std::size_t at = 0, used = 0;
    std::uint32_t codePoint = 0;
    while (at < text.size()) {
        const std::size_t length = sequenceAt(text, at, codePoint);
        if (used + utf16Units(codePoint) > units)
            break;
        used += utf16Units(codePoint);
        at += length;
    }
    return text.substr(0, at);
}

std::string folded(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

std::string validSheetName(std::string_view wanted, std::string_view fallback)
{
    std::string name;
    for (std::size_t at = 0; at < wanted.size();) {
        std::uint32_t codePoint = 0;
        const std::size_t length = sequenceAt(wanted, at, codePoint);
        const bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
        if (length == 0 || control ||
            (codePoint < 0x80 && kForbidden.find(static_cast<char>(codePoint)) != std::string_view::npos)) {
            name += '_';
            at += length == 0 ? 1 : length;
            continue;
        }
        name.append(wanted.substr(at, length));
        at += length;
    }
    name = cutTo(name, kMaxSheetNameLength);
    if (!name.empty() && name.front() == '\'')
        name.front() = '_';
    if (!name.empty() && name.back() == '\'')
        name.back() = '_';
    return name.empty() ? std::string(fallback) : name;
}

SheetNames::SheetNames(std::vector<std::string> taken)
{
    taken.emplace_back("History");
    for (const std::string& name : taken)
        folded_.push_back(folded(name));
}

bool SheetNames::isTaken(const std::string& name) const
{
    return std::find(folded_.begin(), folded_.end(), folded(name)) != folded_.end();
}

std::string SheetNames::unique(std::string_view wanted, std::string_view fallback)
{
    const std::string base = validSheetName(wanted, fallback);
    std::string name = base;
    for (int n = 2; isTaken(name); ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        name = cutTo(base, kMaxSheetNameLength - suffix.size()) + suffix;
    }
    folded_.push_back(folded(name));
    return name;
}

} // namespace velmora
