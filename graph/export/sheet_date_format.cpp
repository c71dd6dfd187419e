#include "sheet_date_format.h"

namespace velmora {

namespace {

struct Conversion {
    char directive;
    const char* code; // nullptr: expands to another pattern
    const char* expansion;
    int width;
};

// strftime conversions and the number-format codes that show the same.
constexpr Conversion kConversions[] = {
    {'d', "dd", nullptr, 2},       {'e', "d", nullptr, 2},        {'m', "mm", nullptr, 2},
    {'y', "yy", nullptr, 2},       {'Y', "yyyy", nullptr, 4},     {'b', "mmm", nullptr, 3},
    {'h', "mmm", nullptr, 3},      {'B', "mmmm", nullptr, 9},     {'a', "ddd", nullptr, 3},
    {'A', "dddd", nullptr, 9},     {'H', "hh", nullptr, 2},       {'k', "h", nullptr, 2},
    {'I', "hh", nullptr, 2},       {'l', "h", nullptr, 2},        {'M', "mm", nullptr, 2},
    {'S', "ss", nullptr, 2},       {'p', "AM/PM", nullptr, 2},    {'P', "am/pm", nullptr, 2},
    {'T', nullptr, "%H:%M:%S", 0}, {'R', nullptr, "%H:%M", 0},    {'r', nullptr, "%I:%M:%S %p", 0},
    {'D', nullptr, "%m/%d/%y", 0}, {'F', nullptr, "%Y-%m-%d", 0},
};

// Separators a number format shows as they are; any other literal text is quoted.
bool plainLiteral(char c) { return c == ' ' || c == '/' || c == ':' || c == '-' || c == '.' || c == ','; }

class Builder {
public:
    void pattern(std::string_view p, int depth = 0)
    {
        for (std::size_t i = 0; i < p.size(); ++i) {
            if (p[i] != '%' || i + 1 == p.size()) {
                literal(p[i]);
                continue;
            }
            char c = p[++i];
            // The GNU flags and modifiers (%-d, %_H, %0e, %Ey, %Od): only "no padding" shows.
            bool unpadded = false;
            while ((c == '-' || c == '_' || c == '0' || c == '^' || c == '#' || c == 'E' || c == 'O') &&
                   i + 1 < p.size()) {
                unpadded = unpadded || c == '-';
                c = p[++i];
            }
            if (c == '%' || c == 'n' || c == 't') {
                literal(c == '%' ? '%' : ' ');
                continue;
            }
            for (const Conversion& conversion : kConversions) {
                if (conversion.directive != c)
                    continue;
                if (conversion.code) {
                    closeQuote();
                    const std::string_view code = conversion.code;
                    const bool doubled = code.size() == 2 && code[0] == code[1];
                    format.code += unpadded && doubled ? code.substr(1) : code;
                    format.width += conversion.width;
                } else if (depth < 2) {
                    pattern(conversion.expansion, depth + 1);
                }
                break;
            }
        }
    }

    void literal(char c)
    {
        format.width += (static_cast<unsigned char>(c) & 0xC0) == 0x80 ? 0 : 1; // UTF-8 continuation bytes
        if (plainLiteral(c) || c == '"') {
            closeQuote();
            format.code += c == '"' ? "\\\"" : std::string(1, c); // a quote cannot stand inside quotes
            return;
        }
        if (!quoted_) {
            format.code += '"';
            quoted_ = true;
        }
        format.code += c;
    }

    void closeQuote()
    {
        if (quoted_)
            format.code += '"';
        quoted_ = false;
    }

    SheetDateFormat format;

private:
    bool quoted_ = false;
};

} // namespace

SheetDateFormat sheetDateFormat(std::string_view datePattern, std::string_view timePattern)
{
    Builder builder;
    builder.pattern(datePattern);
    builder.literal(' ');
    builder.pattern(timePattern);
    builder.closeQuote();
    return builder.format;
}

} // namespace velmora
