#pragma once
// Filling a text's %1, %2, ... where no QString is at hand: the tables use Qt's
// placeholder style, so the viewer fills them with QString::arg and the code without
// Qt with this.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// `text` with each %1 to %9 replaced by that argument, in one pass, so an argument
// that itself holds "%2" (a file's name, say) comes out as it went in. A % not
// followed by the number of a given argument is kept.
inline std::string fillPlaceholders(std::string_view text, std::initializer_list<std::string> args)
{
    const std::vector<std::string> arg(args);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t n = (text[i] == '%' && i + 1 < text.size()) ? std::size_t(text[i + 1] - '0') : 0;
        if (n >= 1 && n <= 9 && n <= arg.size()) {
            out += arg[n - 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace velmora
