#include "header_parser.h"

#include "field_cursor.h"
#include "graph_strings.h"

namespace velmora {

namespace {

constexpr char kDegreeCelsius[] = "\260C"; // Windows-1252 degree sign
constexpr char kDegreeFahrenheit[] = "\260F";

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Name before the first "(" (all of it when there is none) and the unit after it,
// ending at the first of `stops` or at the end of the field.
void splitNameUnit(std::string_view field, std::string_view stops, std::string_view& name, std::string_view& unit)
{
    const std::size_t open = field.find('(');
    if (open == std::string_view::npos) {
        name = field;
        unit = {};
        return;
    }
    name = field.substr(0, open);
    unit = field.substr(open + 1);
    unit = unit.substr(0, unit.find_first_of(stops));
}

void declareChannel(std::string_view field, GraphData& data)
{
    std::string_view name, unit;
    ChannelData& first = data.channel1;
    ChannelData& second = data.channel2;
    if (!first.present) {
        splitNameUnit(field, "()", name, unit);
        first.name = name;
        first.unit = unit;
        if (unit.empty()) {
            if (containsUpper(name, "CELSIUS"))
                first.unit = kDegreeCelsius;
            else if (containsUpper(name, "FAHRENHEIT"))
                first.unit = kDegreeFahrenheit;
        }
        first.present = true;
        first.data.setShown(0, true);
    } else if (!second.present) {
        splitNameUnit(field, ")", name, unit);
        second.name = name;
        second.unit = unit;
        second.present = true;
        second.data.setShown(0, true);
    } else {
        // A third trace shares the first channel's axis, so only a column in the
        // first channel's unit can be one; anything else is left out.
        splitNameUnit(field, ")", name, unit);
        if (unit != first.unit)
            return;
        first.thirdName = name;
        first.hasThird = true;
        first.data.setShown(3, true);
    }
}

void alarmColumn(std::string_view field, GraphData& data)
{
    ChannelData& latest = data.channel2.present ? data.channel2 : data.channel1;
    if (containsUpper(field, "HIGH")) {
        latest.highLabel = field;
        latest.hasHigh = true;
        latest.data.setShown(1, true);
    } else if (containsUpper(field, "LOW") || containsUpper(field, "WARNING LEVEL")) {
        latest.lowLabel = field;
        latest.hasLow = true;
        latest.data.setShown(2, true);
    }
}

} // namespace

bool containsUpper(std::string_view text, std::string_view upperNeedle)
{
    if (upperNeedle.size() > text.size())
        return false;
    for (std::size_t i = 0; i + upperNeedle.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < upperNeedle.size() && upper(text[i + k]) == upperNeedle[k])
            ++k;
        if (k == upperNeedle.size())
            return true;
    }
    return false;
}

HeaderOutcome parseHeader(std::string_view line, GraphData& data, int* serialField)
{
    if (serialField)
        *serialField = -1;
    FieldCursor cursor(line);
    std::string_view loggerName, timeTitle;
    if (!cursor.next(loggerName) || !cursor.next(timeTitle))
        return HeaderOutcome::Invalid;
    data.loggerName = loggerName;

    // An event logger's file names its sample mode in the first column after the
    // time: "Event(Rising)". The name and the time title are not searched.
    if (containsUpper(cursor.rest(), "EVENT"))
        return HeaderOutcome::Event;

    // Every column title in turn, then the empty text that ends the line: a header
    // of only two fields still declares one unnamed channel.
    std::string_view field;
    bool more = true;
    for (int place = 2; more; ++place) {
        more = cursor.next(field);
        if (more && serialField && *serialField < 0 && field == graphtext::kSerialNumberColumn)
            *serialField = place;
        if (field.find('(') != std::string_view::npos || !data.channel1.present)
            declareChannel(field, data);
        else
            alarmColumn(field, data);
    }
    return HeaderOutcome::Columns;
}

} // namespace velmora
