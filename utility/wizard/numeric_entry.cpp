#include "numeric_entry.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "number_format.h"

namespace velmora {

bool numericKeyAccepted(std::string_view text, int caret, char ch, NumericFormat format)
{
    const auto uc = static_cast<unsigned char>(ch);
    const bool control = uc < 32;
    const bool digit = ch >= '0' && ch <= '9';
    if (!control && !digit && !(ch == '-' && format.negativeAllowed) && !(ch == '.' && format.decimals > 0))
        return false;
    if (ch == '-' && (text.find('-') != std::string_view::npos || caret != 0))
        return false;
    if (ch == '.' && (text.find('.') != std::string_view::npos || (!text.empty() && caret == 0)))
        return false;

    const std::size_t point = text.find('.');
    if (point != std::string_view::npos && ch != kBackspace) {
        const int p = static_cast<int>(point);
        const int length = static_cast<int>(text.size());
        const bool pastDecimals = caret > p + format.decimals;
        const bool insideFullDecimals = caret > p && caret < length && length - p - 1 >= format.decimals;
        if (pastDecimals || insideFullDecimals)
            return false;
    }
    return true;
}

namespace {

// The number the text starts with, after spaces and a plus sign, in the "C" locale
// whatever the user's locale says.
std::optional<double> leadingNumber(std::string_view text)
{
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    if (p < end && *p == '+')
        ++p;
    double value = 0;
    const auto [stop, ec] = std::from_chars(p, end, value, std::chars_format::general);
    if (ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

double numericTextValue(std::string_view text) { return leadingNumber(text).value_or(0.0); }

bool startsWithNumber(std::string_view text) { return leadingNumber(text).has_value(); }

std::string numericText(double value, int decimals) { return fixedText(value, decimals); }

} // namespace velmora
