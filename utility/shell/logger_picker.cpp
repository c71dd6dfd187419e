#include "logger_picker.h"

#include <cctype>

#include "text_encoding.h"
#include "type_catalogue.h"
#include "utility_strings.h"

namespace velmora {

PickerRow pickerRow(const FleetLogger& logger)
{
    PickerRow row;
    if (!logger.readable) {
        row.state = utilitytext::kCannotBeRead;
        return row;
    }
    row.serial = logger.serial();
    row.name = cp1252ToUtf8(logger.config.name());
    row.type = std::to_string(logger.config.type()) + " (" + modelName(logger.config.type()) + ")";
    // The listing's words, as a column of a table shows them.
    row.state = stateName(logger.config);
    if (!row.state.empty())
        row.state[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(row.state[0])));
    return row;
}

} // namespace velmora
