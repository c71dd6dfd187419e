#include "usb_id_list.h"

#include <cstdio>

namespace velmora {
namespace {

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool parseHex16(std::string_view text, std::uint16_t& value)
{
    if (text.empty() || text.size() > 4)
        return false;
    unsigned result = 0;
    for (char c : text) {
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        result = result * 16 + static_cast<unsigned>(digit);
    }
    value = static_cast<std::uint16_t>(result);
    return true;
}

} // namespace

bool parseUsbId(std::string_view text, UsbId& id)
{
    text = trimmed(text);
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return false;
    UsbId parsed;
    if (!parseHex16(text.substr(0, colon), parsed.vendor) || !parseHex16(text.substr(colon + 1), parsed.product))
        return false;
    id = parsed;
    return true;
}

std::string formatUsbId(UsbId id)
{
    char text[10];
    std::snprintf(text, sizeof text, "%04X:%04X", id.vendor, id.product);
    return text;
}

UsbIdList::UsbIdList() { add(kLoggerUsbId); }

void UsbIdList::add(UsbId id)
{
    if (known_.insert(key(id)).second)
        ids_.push_back(id);
}

std::vector<std::string> UsbIdList::addList(std::string_view text, std::string_view origin)
{
    std::vector<std::string> messages;
    std::size_t rejected = 0;
    while (true) {
        const auto comma = text.find(',');
        const std::string_view entry = trimmed(text.substr(0, comma));
        if (!entry.empty()) {
            UsbId id;
            if (parseUsbId(entry, id))
                add(id);
            else if (++rejected <= kListedRejections)
                messages.push_back("Ignored USB device id \"" + std::string(entry) + "\" in " + std::string(origin) +
                                   ": expected VVVV:PPPP in hexadecimal, e.g. 10C4:EA61.");
        }
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    // A damaged setting can hold millions of entries: a few examples say what is
    // wrong, the count says how much.
    if (rejected > kListedRejections)
        messages.push_back("Ignored " + std::to_string(rejected - kListedRejections) + " more USB device ids in " +
                           std::string(origin) + ".");
    return messages;
}

bool UsbIdList::contains(std::uint16_t vendor, std::uint16_t product) const
{
    return known_.count(key(UsbId{vendor, product})) != 0;
}

} // namespace velmora
