#pragma once
// The settings file of `velmora-cli settings --json` and `velmora-cli setup`: one JSON
// object whose keys stand for the set-up pages' controls. This unit knows the schema
// only (names, JSON types, the words a key takes); which keys a logger type takes and
// which values its pages accept is the pages' business (settings_walk.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "finish_rules.h"

namespace velmora {

// An alarm switched off (null in the file), or on at a level in the units the page
// shows. A switched-off alarm keeps the level its page holds.
struct AlarmSetting {
    bool on = false;
    double level = 0;
    bool operator==(const AlarmSetting&) const = default;
};

// "standard", or the user's unit and two points (an object); members the object leaves
// out keep what the scaling page shows.
struct ScalingSetting {
    bool custom = false;
    std::optional<std::string> unit; // Windows-1252
    std::optional<double> in1, out1, in2, out2;
    bool operator==(const ScalingSetting&) const = default;
};

// The words of the keys that take one, in the order of the enumerators.
enum class TemperatureUnit { Celsius, Fahrenheit };       // "C", "F"
enum class Thermocouple { J, K, T };                      // "J", "K", "T"
enum class DisplayMode { Off, OnFor30Seconds, AlwaysOn }; // "off", "30s", "on"
enum class FullMemory { Stop, Overwrite };                // "stop", "overwrite"

// Every key is optional: a key the file leaves out keeps what the logger holds.
struct LoggerSettings {
    std::optional<std::string> name; // Windows-1252
    std::optional<TemperatureUnit> unit;
    std::optional<std::int64_t> interval; // seconds
    std::optional<AlarmSetting> highAlarm, lowAlarm;
    std::optional<bool> highHold, lowHold;
    std::optional<AlarmSetting> rhHighAlarm, rhLowAlarm;
    std::optional<bool> rhHighHold, rhLowHold;
    std::optional<std::int64_t> consecutiveHigh, consecutiveLow; // 0 = off
    std::optional<bool> ledsDisabled;
    std::optional<bool> sounder;
    std::optional<Thermocouple> thermocouple;
    std::optional<DisplayMode> display;
    std::optional<FullMemory> storage;
    std::optional<ScalingSetting> scaling;
    std::optional<bool> agreeSafety;
    std::optional<StartChoice> start; // Now, Button, or At a local date and time
};

namespace key {
inline constexpr std::string_view kName = "name", kUnit = "unit", kInterval = "interval", kHighAlarm = "high_alarm",
                                  kLowAlarm = "low_alarm", kHighHold = "high_hold", kLowHold = "low_hold",
                                  kRhHighAlarm = "rh_high_alarm", kRhLowAlarm = "rh_low_alarm",
                                  kRhHighHold = "rh_high_hold", kRhLowHold = "rh_low_hold",
                                  kConsecutiveHigh = "consecutive_high", kConsecutiveLow = "consecutive_low",
                                  kLedsDisabled = "leds_disabled", kSounder = "sounder", kThermocouple = "thermocouple",
                                  kDisplay = "display", kStorage = "storage", kScaling = "scaling",
                                  kAgreeSafety = "agree_safety", kStart = "start";
} // namespace key

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

// A number as the settings show it: the shortest text that reads back as the same
// number ("25", "14.4"), never "-0".
std::string settingsNumber(double value);

// The settings as a JSON object, one key a line, in the schema's order (UTF-8).
std::string settingsJson(const LoggerSettings& settings);
// The same as "key<TAB>value" lines: words for the words, "off" for an alarm switched
// off, "yes"/"no" for the switches, the scaling's members on lines of their own.
std::string settingsText(const LoggerSettings& settings);

} // namespace velmora
