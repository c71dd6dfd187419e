#include "page_bindings.h"

namespace velmora::bind_detail {

std::string withModel(std::string_view words, const std::string& model)
{
    std::string text(words);
    if (const std::size_t at = text.find("{}"); at != std::string::npos)
        text.replace(at, 2, model);
    return text;
}

std::string joined(const std::string& a, const std::string& b) { return a.empty() ? b : b.empty() ? a : a + "\n" + b; }

std::string countNeeds(std::string_view key, std::string_view needs)
{
    return std::string(key) + ": a count other than 0 needs " + std::string(needs) + " on.";
}

bool takePoint(std::string& box, const std::optional<double>& value, const std::string& key, int decimals, int length,
               std::string& problem)
{
    if (!value || numericTextValue(box) == *value)
        return true;
    // Typed as briefly as the number can be written: "2.5", not "2.500".
    const auto typed = [decimals](double v) {
        std::string text = numericText(v == 0 ? 0.0 : v, decimals);
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
        return text;
    };
    box = editText(*value, decimals, static_cast<std::size_t>(length), typed, key, problem);
    return !box.empty();
}

} // namespace velmora::bind_detail
