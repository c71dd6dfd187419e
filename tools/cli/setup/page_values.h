#pragma once
// A settings file's value as a control's value: a number of seconds as an entry of the
// rate list, a level as an entry of a level list or as the text of an edit box. This
// is the CLI's own part of driving the pages; a value a control cannot show is refused
// here in the CLI's words, and everything else is left to the pages' next().
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "logger_config.h"

namespace velmora {

class AlarmLevelList;

// The entry of the type's rate list that stores `seconds`; -1, with `problem` naming
// the list, when none does.
int rateEntryFor(LoggerType type, std::int64_t seconds, std::string& problem);

// The entry of a level list that is `level`; -1, with `problem` naming the nearest
// entries, when none is.
int levelEntryFor(const AlarmLevelList& levels, double level, std::string_view key, std::string& problem);

// What an edit box showing `decimals` places and taking `length` characters holds for
// a number, as `shown` writes it; empty, with `problem` naming the nearest numbers the
// box takes, when it cannot hold it.
std::string editText(double value, int decimals, std::size_t length, const std::function<std::string(double)>& shown,
                     std::string_view key, std::string& problem);

} // namespace velmora
