#include "header_parser.h"

#include "download_columns.h"
#include "field_cursor.h"

namespace velmora {

namespace {

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

void declareChannel(std::string_view field, DownloadFileHeader& header)
{
    std::string_view name, unit;
    ChannelColumns& first = header.first;
    ChannelColumns& second = header.second;
    if (!first.present) {
        splitNameUnit(field, "()", name, unit);
        first.name = name;
        first.unit = unit;
        if (unit.empty()) {
            if (containsUpper(name, column::kCelsiusWord))
                first.unit = column::kDegreesCelsius;
            else if (containsUpper(name, column::kFahrenheitWord))
                first.unit = column::kDegreesFahrenheit;
        }
        first.present = true;
    } else if (!second.present) {
        splitNameUnit(field, ")", name, unit);
        second.name = name;
        second.unit = unit;
        second.present = true;
    } else {
        // A third trace shares the first channel's axis, so only a column in the
        // first channel's unit can be one; anything else is left out.
        splitNameUnit(field, ")", name, unit);
        if (unit != first.unit)
            return;
        first.thirdName = name;
        first.hasThird = true;
    }
}

void alarmColumn(std::string_view field, DownloadFileHeader& header)
{
    ChannelColumns& latest = header.second.present ? header.second : header.first;
    if (containsUpper(field, column::kHighWord)) {
        latest.highLabel = field;
        latest.hasHigh = true;
    } else if (containsUpper(field, column::kLowWord) || containsUpper(field, column::kWarningLevelWord)) {
        latest.lowLabel = field;
        latest.hasLow = true;
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

HeaderOutcome parseHeader(std::string_view line, DownloadFileHeader& header)
{
    FieldCursor cursor(line);
    std::string_view loggerName, timeTitle;
    if (!cursor.next(loggerName) || !cursor.next(timeTitle))
        return HeaderOutcome::Invalid;
    header.loggerName = loggerName;

    // An event logger's file names its sample mode in the first column after the
    // time: "Event(Rising)". The name and the time title are not searched.
    if (containsUpper(cursor.rest(), column::kEventWord))
        return HeaderOutcome::Event;

    // Every column title in turn, then the empty text that ends the line: a header
    // of only two fields still declares one unnamed channel.
    std::string_view field;
    bool more = true;
    for (int place = 2; more; ++place) {
        more = cursor.next(field);
        if (more && header.serialField < 0 && field == column::kSerialNumber)
            header.serialField = place;
        if (field.find('(') != std::string_view::npos || !header.first.present)
            declareChannel(field, header);
        else
            alarmColumn(field, header);
    }
    return HeaderOutcome::Columns;
}

} // namespace velmora
