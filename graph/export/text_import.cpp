#include "text_import.h"

#include <algorithm>
#include <charconv>

#include "download_columns.h"

namespace velmora {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view withoutSpaces(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Reads 1 to `most` digits at `p`; the count read, 0 when there were none.
int digits(std::string_view text, std::size_t& p, int most, int& value)
{
    int count = 0;
    value = 0;
    while (p < text.size() && count < most && isDigit(text[p])) {
        value = value * 10 + (text[p++] - '0');
        ++count;
    }
    return count;
}

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : days[m - 1];
}

// Days from 1 January 1970 to a date of the proleptic Gregorian calendar.
long daysFromCivil(int y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace

bool ImportFields::next(std::string_view& field)
{
    if (done_)
        return false;
    if (rest_.empty() || rest_.front() != '"') {
        const auto comma = rest_.find(',');
        field = rest_.substr(0, comma);
        if (comma == std::string_view::npos)
            done_ = true;
        else
            rest_.remove_prefix(comma + 1);
        return true;
    }
    // Quoted: "" stands for one quote; text after the closing quote up to the comma
    // still belongs to the field.
    unquoted_.clear();
    std::size_t p = 1;
    while (p < rest_.size()) {
        if (rest_[p] == '"') {
            if (p + 1 < rest_.size() && rest_[p + 1] == '"') {
                unquoted_ += '"';
                p += 2;
                continue;
            }
            ++p;
            break;
        }
        unquoted_ += rest_[p++];
    }
    const auto comma = rest_.find(',', p);
    unquoted_.append(rest_.substr(p, comma == std::string_view::npos ? std::string_view::npos : comma - p));
    if (comma == std::string_view::npos)
        done_ = true;
    else
        rest_.remove_prefix(comma + 1);
    field = unquoted_;
    return true;
}

bool importNumber(std::string_view field, double& value)
{
    std::string_view text = withoutSpaces(field);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::size_t p = 0;
    if (p < text.size() && text[p] == '-')
        ++p;
    std::size_t mantissaDigits = 0;
    while (p < text.size() && isDigit(text[p]))
        ++p, ++mantissaDigits;
    if (p < text.size() && text[p] == '.') {
        ++p;
        while (p < text.size() && isDigit(text[p]))
            ++p, ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return false;
    if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
        ++p;
        if (p < text.size() && (text[p] == '+' || text[p] == '-'))
            ++p;
        const std::size_t start = p;
        while (p < text.size() && isDigit(text[p]))
            ++p;
        if (p == start)
            return false;
    }
    if (p != text.size())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return false;
    if (value == 0)
        value = 0; // no negative zero on the sheet
    return true;
}

bool importDate(std::string_view field, double& day)
{
    const std::string_view text = withoutSpaces(field);
    std::size_t p = 0;
    int d = 0, m = 0, y = 0;
    if (digits(text, p, 2, d) == 0 || p >= text.size())
        return false;
    const char separator = text[p];
    if (separator != '/' && separator != '-' && separator != '.')
        return false;
    ++p;
    if (digits(text, p, 2, m) == 0 || p >= text.size() || text[p++] != separator)
        return false;
    const int yearDigits = digits(text, p, 4, y);
    if (yearDigits == 2)
        y += y < 30 ? 2000 : 1900;
    else if (yearDigits != 4)
        return false;

    int hour = 0, minute = 0, second = 0;
    double fraction = 0;
    if (p < text.size()) {
        const std::size_t spaces = p;
        while (p < text.size() && text[p] == ' ')
            ++p;
        if (p == spaces || digits(text, p, 2, hour) == 0 || p >= text.size() || text[p++] != ':' ||
            digits(text, p, 2, minute) != 2)
            return false;
        if (p < text.size() && text[p] == ':') {
            ++p;
            if (digits(text, p, 2, second) != 2)
                return false;
            if (p < text.size() && text[p] == '.') {
                double scale = 0.1;
                ++p;
                if (p == text.size() || !isDigit(text[p]))
                    return false;
                while (p < text.size() && isDigit(text[p])) {
                    fraction += (text[p++] - '0') * scale;
                    scale /= 10;
                }
            }
        }
        if (p != text.size())
            return false;
    }
    if (m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m) || hour > 23 || minute > 59 || second > 59)
        return false;
    // Before March 1900 the spreadsheet's day numbers count a 29 February 1900 that
    // never was; such dates stay text rather than land a day out.
    const long serial = daysFromCivil(y, m, d) - daysFromCivil(1899, 12, 30);
    if (serial < 61)
        return false;
    day = static_cast<double>(serial) + (hour * 3600.0 + minute * 60.0 + second + fraction) / 86400.0;
    return true;
}

ImportedCell importCell(std::string_view field, bool timeColumn)
{
    ImportedCell cell;
    if (field.empty())
        return cell;
    if (timeColumn && importDate(field, cell.value)) {
        cell.kind = CellKind::Date;
        return cell;
    }
    if (importNumber(field, cell.value)) {
        cell.kind = CellKind::Number;
        return cell;
    }
    // "Error" (in any case, the whole cell) is cleared: the dew point of a humidity
    // reading of 0 has no value.
    const auto lower = [](char c) { return static_cast<char>(c | 0x20); };
    if (std::equal(field.begin(), field.end(), column::kNoDewPoint.begin(), column::kNoDewPoint.end(),
                   [&](char a, char b) { return lower(a) == lower(b); }))
        return cell;
    cell.kind = CellKind::Text;
    cell.text = field;
    return cell;
}

std::size_t numberWidth(std::string_view field)
{
    std::string_view text = withoutSpaces(field);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    // General shows no leading zeros and no trailing zeros after the point.
    while (text.size() > 1 && text.front() == '0' && text[1] != '.')
        text.remove_prefix(1);
    if (text.find_first_of("eE") == std::string_view::npos && text.find('.') != std::string_view::npos) {
        while (!text.empty() && text.back() == '0')
            text.remove_suffix(1);
        if (!text.empty() && text.back() == '.')
            text.remove_suffix(1);
    }
    const std::size_t width = text.size() + (negative ? 1 : 0);
    return width == 0 ? 1 : (width > 11 ? 11 : width);
}

} // namespace velmora
