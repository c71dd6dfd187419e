#pragma once
// The settings file of `velmora-cli settings --json` and `velmora-cli setup`: one JSON
// object whose keys stand for the set-up pages' controls (page_settings.h). This unit
// knows the schema only (names, JSON types, the words a key takes); which keys a logger
// type takes and which values its pages accept is the pages' business (their
// descriptor rows, read by settings_walk.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "page_settings.h"

namespace velmora {

// The keys the settings hold, in the schema's order.
std::vector<std::string> presentKeys(const LoggerSettings& settings);

// Why a file was refused: the key at fault (empty when the file is no JSON object) and
// the whole message, which names the line and the key.
struct SettingsProblem {
    std::string key;
    std::string message;
};

// The file's text (UTF-8) as settings; nothing, with `problem` set, for text that is
// not JSON, an unknown key, a value of the wrong JSON type or outside the schema.
std::optional<LoggerSettings> readSettings(std::string_view utf8, SettingsProblem& problem);

// The settings as a JSON object, one key a line, in the schema's order (UTF-8).
std::string settingsJson(const LoggerSettings& settings);
// The same as "key<TAB>value" lines: words for the words, "off" for an alarm switched
// off, "yes"/"no" for the switches, the scaling's members on lines of their own.
std::string settingsText(const LoggerSettings& settings);

} // namespace velmora
