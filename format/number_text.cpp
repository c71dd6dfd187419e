#include "number_text.h"

#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace velmora {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Out-of-range texts (1e999, 1e-999) go to the C library for its exact answer,
// always in the "C" locale so that the user's decimal comma cannot change a file.
double strtodC(const char* begin, const char* end)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const std::string copy(begin, end);
    return strtod_l(copy.c_str(), nullptr, cLocale);
}

double slowConvert(const char* p, const char* end, bool& isNumber)
{
    isNumber = false;
    while (p != end && isSpace(*p))
        ++p;
    const char* numberStart = p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    if (p == end || *p == '+' || *p == '-')
        return 0.0;
    double value = 0.0;
    std::from_chars_result r{};
    if (end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        isNumber = true; // at least the "0" before the x
        r = std::from_chars(p + 2, end, value, std::chars_format::hex);
        if (r.ec == std::errc::invalid_argument)
            return negative ? -0.0 : 0.0;
    } else {
        r = std::from_chars(p, end, value, std::chars_format::general);
        if (r.ec == std::errc::invalid_argument)
            return 0.0;
        isNumber = true;
    }
    if (r.ec == std::errc::result_out_of_range)
        return strtodC(numberStart, r.ptr);
    return negative ? -value : value;
}

} // namespace

double textToDouble(std::string_view text)
{
    bool isNumber = false;
    return textToDouble(text, isNumber);
}

double textToDouble(std::string_view text, bool& isNumber)
{
    double value = 0;
    int decimals = 0;
    const char* end = text.data() + text.size();
    if (scanPlainDecimal(text.data(), end, value, decimals) == end) {
        isNumber = true;
        return value;
    }
    return slowConvert(text.data(), text.data() + text.size(), isNumber);
}

int textToInt(std::string_view text)
{
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end && isSpace(*p))
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    long long value = 0;
    for (; p != end && isDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // keeps growing digits from overflowing
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int decimalsOf(std::string_view text)
{
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

} // namespace velmora
