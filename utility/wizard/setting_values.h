#pragma once
// A setting's value as a control's value: a number of seconds as an entry of the rate
// list, a level as an entry of a level list or as the text of an edit box. A value a
// control cannot show is refused here, with `problem` naming the key and what the
// control does take; everything else is left to the page's own next().
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "logger_config.h"

namespace velmora {

class AlarmLevelList;

// The entry of the type's rate list that stores `seconds`; -1, with `problem` naming
// the list, when none does.
int rateEntryFor(LoggerType type, std::int64_t seconds, std::string_view key, std::string& problem);

// The entry of a level list that is `level`; -1, with `problem` naming the nearest
// entries, when none is.
int levelEntryFor(const AlarmLevelList& levels, double level, std::string_view key, std::string& problem);

// What an edit box showing `decimals` places and taking `length` characters holds for
// a number, as `shown` writes it; empty, with `problem` naming the nearest numbers the
// box takes, when it cannot hold it.
std::string editText(double value, int decimals, std::size_t length, const std::function<std::string(double)>& shown,
                     std::string_view key, std::string& problem);

// What the page says it set a refused value to, after its own message; empty when it
// kept the value as typed.
std::string correctedNote(std::string_view key, const std::string& typed, const std::string& shown);

} // namespace velmora
