#include "fleet_naming.h"

#include <cstdio>
#include <string_view>

namespace velmora {

namespace {

void replaceAll(std::string& text, std::string_view what, const std::string& with)
{
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

bool unfit(unsigned char c)
{
    static constexpr std::string_view kRefused = "/\\\"*:<>?|";
    return c < 0x20 || c == 0x7F || kRefused.find(static_cast<char>(c)) != std::string_view::npos;
}

} // namespace

std::string startStamp(const CivilTime& start)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", start.year, start.month, start.day, start.hour,
                  start.minute, start.second);
    return stamp;
}

std::string downloadFileName(const std::string& pattern, const std::string& name, const std::string& serial,
                             const CivilTime& start)
{
    const std::string stamp = startStamp(start);
    // One pass per placeholder over the pattern only: a logger named "{serial}" stays so.
    std::string text;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern.compare(i, 6, "{name}") == 0) {
            text += name;
            i += 6;
        } else if (pattern.compare(i, 8, "{serial}") == 0) {
            text += serial;
            i += 8;
        } else if (pattern.compare(i, 7, "{start}") == 0) {
            text += stamp;
            i += 7;
        } else {
            text += pattern[i++];
        }
    }
    for (char& c : text)
        if (unfit(static_cast<unsigned char>(c)))
            c = '_';
    if (text.empty() || text == "." || text == "..")
        text = "logger";
    return text + ".txt";
}

std::string fillSerialAndNumber(const std::string& text, const std::string& serial, int n)
{
    std::string filled = text;
    replaceAll(filled, "{serial}", serial);
    replaceAll(filled, "{n}", std::to_string(n));
    return filled;
}

} // namespace velmora
