#pragma once
// A UTF-8 text as a JSON string literal. Every control character is written as an
// escape, the C1 controls and DEL included: JSON allows them raw, but a terminal
// would act on them, and a name taken from a file goes into messages too.
#include <string>

namespace velmora {

inline std::string jsonString(const std::string& utf8)
{
    static const char hex[] = "0123456789abcdef";
    const auto escaped = [](std::string& out, unsigned code) {
        out += "\\u00";
        out += hex[code >> 4];
        out += hex[code & 0xF];
    };
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                escaped(out, c);
            } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                       static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
                escaped(out, static_cast<unsigned char>(utf8[++i])); // U+0080 to U+009F
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

} // namespace velmora
