#pragma once
// The settings of a logger as the set-up pages show them, one key per control (or
// pair of controls): what `velmora-cli settings` prints and `velmora-cli setup` reads.
// Each page's descriptor row binds the keys it owns to members of its Values
// (page_bindings.h); the JSON form of the settings is velmora-cli's (settings_json.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// A number as the settings show it: the shortest text that reads back as the same
// number ("25", "14.4"), never "-0".
std::string settingsNumber(double value);

} // namespace velmora
