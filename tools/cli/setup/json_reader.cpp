#include "json_reader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <unordered_set>

#include "json_text.h"

namespace velmora {

namespace {

// Deeper nesting than any settings file needs; the limit keeps a hostile file from
// exhausting the stack.
constexpr int kMaxDepth = 64;

void appendUtf8(std::string& out, std::uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool document(JsonValue& out)
    {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF")
            pos_ = 3;
        skipSpace();
        if (atEnd())
            return fail("the file holds no JSON value");
        if (!value(out, 0))
            return false;
        skipSpace();
        return atEnd() || fail("more text after the JSON value");
    }

    JsonError error;

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    unsigned char peek() const { return atEnd() ? 0 : static_cast<unsigned char>(text_[pos_]); }

    // Moves past one byte, counting lines and characters.
    void advance()
    {
        const unsigned char c = peek();
        ++pos_;
        if (c == '\n') {
            ++line_;
            column_ = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column_;
        }
    }

    bool fail(std::string message)
    {
        error = JsonError{line_, column_, std::move(message)};
        return false;
    }

    void skipSpace()
    {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            advance();
    }

    bool value(JsonValue& out, int depth)
    {
        out.line = line_;
        out.column = column_;
        switch (peek()) {
        case '{': return object(out, depth);
        case '[': return array(out, depth);
        case '"': out.kind = JsonValue::Kind::String; return string(out.text);
        case 't':
            out.kind = JsonValue::Kind::Boolean;
            out.boolean = true;
            return word("true");
        case 'f': out.kind = JsonValue::Kind::Boolean; return word("false");
        case 'n': out.kind = JsonValue::Kind::Null; return word("null");
        default:
            if (peek() == '-' || (peek() >= '0' && peek() <= '9')) {
                out.kind = JsonValue::Kind::Number;
                return number(out.number);
            }
            return fail("expected a JSON value");
        }
    }

    bool word(std::string_view w)
    {
        if (text_.substr(pos_, w.size()) != w)
            return fail("expected a JSON value");
        for (std::size_t i = 0; i < w.size(); ++i)
            advance();
        return true;
    }

    bool object(JsonValue& out, int depth)
    {
        if (depth >= kMaxDepth)
            return fail("nested too deeply");
        out.kind = JsonValue::Kind::Object;
        advance(); // {
        skipSpace();
        if (peek() == '}') {
            advance();
            return true;
        }
        // The names met so far, so that a file of many names is checked in one pass.
        std::unordered_set<std::string> names;
        for (;;) {
            if (peek() != '"')
                return fail("expected a name in double quotes");
            const int line = line_, column = column_;
            JsonMember member;
            if (!string(member.name))
                return false;
            if (!names.insert(member.name).second) {
                error = JsonError{line, column, jsonString(member.name) + " is given twice"};
                return false;
            }
            skipSpace();
            if (peek() != ':')
                return fail("expected ':' after the name");
            advance();
            skipSpace();
            if (!value(member.value, depth + 1))
                return false;
            out.members.push_back(std::move(member));
            skipSpace();
            if (peek() == ',') {
                advance();
                skipSpace();
                continue;
            }
            if (peek() == '}') {
                advance();
                return true;
            }
            return fail("expected ',' or '}'");
        }
    }

    bool array(JsonValue& out, int depth)
    {
        if (depth >= kMaxDepth)
            return fail("nested too deeply");
        out.kind = JsonValue::Kind::Array;
        advance(); // [
        skipSpace();
        if (peek() == ']') {
            advance();
            return true;
        }
        for (;;) {
            JsonValue item;
            if (!value(item, depth + 1))
                return false;
            out.items.push_back(std::move(item));
            skipSpace();
            if (peek() == ',') {
                advance();
                skipSpace();
                continue;
            }
            if (peek() == ']') {
                advance();
                return true;
            }
            return fail("expected ',' or ']'");
        }
    }

    bool hex4(std::uint32_t& unit)
    {
        unit = 0;
        for (int i = 0; i < 4; ++i) {
            const unsigned char c = peek();
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0)
                return fail("expected four hexadecimal digits after \\u");
            unit = unit * 16 + static_cast<std::uint32_t>(digit);
            advance();
        }
        return true;
    }

    bool escape(std::string& out)
    {
        advance(); // backslash
        const unsigned char c = peek();
        const char* simple = nullptr;
        switch (c) {
        case '"': simple = "\""; break;
        case '\\': simple = "\\"; break;
        case '/': simple = "/"; break;
        case 'b': simple = "\b"; break;
        case 'f': simple = "\f"; break;
        case 'n': simple = "\n"; break;
        case 'r': simple = "\r"; break;
        case 't': simple = "\t"; break;
        case 'u': break;
        default: return fail("an unknown escape in a string");
        }
        advance();
        if (simple) {
            out += simple;
            return true;
        }
        std::uint32_t unit = 0;
        if (!hex4(unit))
            return false;
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return fail("a \\u escape that is half of a pair");
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            std::uint32_t low = 0;
            if (text_.substr(pos_, 2) != "\\u")
                return fail("a \\u escape that is half of a pair");
            advance();
            advance();
            if (!hex4(low))
                return false;
            if (low < 0xDC00 || low > 0xDFFF)
                return fail("a \\u escape that is half of a pair");
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        appendUtf8(out, unit);
        return true;
    }

    // One UTF-8 character of two to four bytes, checked for the forms UTF-8 allows.
    bool multiByte(std::string& out)
    {
        const unsigned char lead = peek();
        int more = 0;
        unsigned char low = 0x80, high = 0xBF; // the second byte's range
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED) // no surrogates
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return fail("text that is not UTF-8");
        }
        if (text_.size() - pos_ <= static_cast<std::size_t>(more))
            return fail("text that is not UTF-8");
        for (int i = 1; i <= more; ++i) {
            const auto b = static_cast<unsigned char>(text_[pos_ + static_cast<std::size_t>(i)]);
            if (i == 1 ? (b < low || b > high) : (b & 0xC0) != 0x80)
                return fail("text that is not UTF-8");
        }
        for (int i = 0; i <= more; ++i) {
            out += static_cast<char>(peek());
            advance();
        }
        return true;
    }

    bool string(std::string& out)
    {
        advance(); // opening quote
        for (;;) {
            if (atEnd())
                return fail("a string without its closing quote");
            const unsigned char c = peek();
            if (c == '"') {
                advance();
                return true;
            }
            if (c < 0x20)
                return fail("a control character in a string (write it as an escape)");
            if (c == '\\') {
                if (!escape(out))
                    return false;
            } else if (c >= 0x80) {
                if (!multiByte(out))
                    return false;
            } else {
                out += static_cast<char>(c);
                advance();
            }
        }
    }

    bool digits()
    {
        if (!(peek() >= '0' && peek() <= '9'))
            return false;
        while (peek() >= '0' && peek() <= '9')
            advance();
        return true;
    }

    bool number(double& out)
    {
        const std::size_t start = pos_;
        if (peek() == '-')
            advance();
        if (peek() == '0') {
            advance();
        } else if (!digits()) {
            return fail("expected a digit");
        }
        if (peek() == '.') {
            advance();
            if (!digits())
                return fail("expected a digit after the decimal point");
        }
        if (peek() == 'e' || peek() == 'E') {
            advance();
            if (peek() == '+' || peek() == '-')
                advance();
            if (!digits())
                return fail("expected a digit in the exponent");
        }
        if (peek() >= '0' && peek() <= '9')
            return fail("a number with a leading zero");
        // from_chars reads the "C" locale's numbers whatever the user's locale says.
        const char* first = text_.data() + start;
        const char* last = text_.data() + pos_;
        const auto [stop, ec] = std::from_chars(first, last, out, std::chars_format::general);
        if (ec != std::errc() || stop != last || !std::isfinite(out))
            return fail("a number too large or too small to hold");
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int column_ = 1;
};

} // namespace

std::optional<JsonValue> readJson(std::string_view text, JsonError& error)
{
    Reader reader(text);
    JsonValue value;
    if (!reader.document(value)) {
        error = reader.error;
        return std::nullopt;
    }
    return value;
}

} // namespace velmora
