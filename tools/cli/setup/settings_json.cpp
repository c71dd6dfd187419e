#include "settings_json.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "control_characters.h"
#include "json_reader.h"
#include "json_text.h"
#include "text_encoding.h"

namespace velmora {

namespace {

using Kind = JsonValue::Kind;

constexpr std::array<std::string_view, 2> kUnitWords{"C", "F"};
constexpr std::array<std::string_view, 3> kThermocoupleWords{"J", "K", "T"};
constexpr std::array<std::string_view, 3> kDisplayWords{"off", "30s", "on"};
constexpr std::array<std::string_view, 2> kStorageWords{"stop", "overwrite"};

// Whole numbers beyond this are not read as counts (a double holds every whole number
// up to 2^53 exactly).
constexpr double kLargestWhole = 9007199254740992.0;

// ---- reading ----

std::string quoted(std::span<const std::string_view> words)
{
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        text += i == 0 ? "" : (i + 1 == words.size() ? " or " : ", ");
        text += "\"" + std::string(words[i]) + "\"";
    }
    return text;
}

template <typename E>
bool readWord(const JsonValue& v, std::span<const std::string_view> words, std::optional<E>& out, std::string& why)
{
    if (v.kind == Kind::String)
        for (std::size_t i = 0; i < words.size(); ++i)
            if (v.text == words[i]) {
                out = static_cast<E>(i);
                return true;
            }
    why = "expected " + quoted(words);
    return false;
}

bool readBool(const JsonValue& v, std::optional<bool>& out, std::string& why)
{
    if (v.kind != Kind::Boolean) {
        why = "expected true or false";
        return false;
    }
    out = v.boolean;
    return true;
}

bool readAlarm(const JsonValue& v, std::optional<AlarmSetting>& out, std::string& why)
{
    if (v.kind == Kind::Null) {
        out = AlarmSetting{false, 0};
        return true;
    }
    if (v.kind != Kind::Number) {
        why = "expected a level (a number), or null for off";
        return false;
    }
    out = AlarmSetting{true, v.number};
    return true;
}

bool readWhole(const JsonValue& v, std::int64_t lowest, std::optional<std::int64_t>& out, std::string& why,
               const char* expected)
{
    if (v.kind != Kind::Number || v.number != std::trunc(v.number) || v.number < static_cast<double>(lowest) ||
        v.number > kLargestWhole) {
        why = expected;
        return false;
    }
    out = static_cast<std::int64_t>(v.number);
    return true;
}

// UTF-8 text the logger can keep: every character has a place in Windows-1252.
bool readRecordText(const JsonValue& v, std::optional<std::string>& out, std::string& why)
{
    if (v.kind != Kind::String) {
        why = "expected a string";
        return false;
    }
    const std::string bytes = utf8ToCp1252(v.text);
    if (cp1252ToUtf8(bytes) != v.text) {
        why = "holds a character the logger cannot keep (it keeps Windows-1252 text)";
        return false;
    }
    // The set-up pages refuse these too; a file is refused before any page is shown.
    if (const std::optional<unsigned char> c = firstControlCharacter(bytes)) {
        static const char hex[] = "0123456789ABCDEF";
        why = std::string("holds a control character (U+00") + hex[*c >> 4] + hex[*c & 0xF] +
              "): a name or unit may not hold tabs, line breaks or the like";
        return false;
    }
    out = bytes;
    return true;
}

bool twoDigits(std::string_view s, std::size_t at, int& out)
{
    if (s[at] < '0' || s[at] > '9' || s[at + 1] < '0' || s[at + 1] > '9')
        return false;
    out = (s[at] - '0') * 10 + (s[at + 1] - '0');
    return true;
}

// "YYYY-MM-DDTHH:MM:SS", a date and time that exists on the calendar.
std::optional<CivilTime> localTime(std::string_view s)
{
    if (s.size() != 19 || s[4] != '-' || s[7] != '-' || s[10] != 'T' || s[13] != ':' || s[16] != ':')
        return std::nullopt;
    int century = 0, year = 0;
    CivilTime t;
    if (!twoDigits(s, 0, century) || !twoDigits(s, 2, year) || !twoDigits(s, 5, t.month) || !twoDigits(s, 8, t.day) ||
        !twoDigits(s, 11, t.hour) || !twoDigits(s, 14, t.minute) || !twoDigits(s, 17, t.second))
        return std::nullopt;
    t.year = century * 100 + year;
    if (t.year < 1970 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > daysInMonth(t.year, t.month) ||
        t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

bool readStart(const JsonValue& v, std::optional<StartChoice>& out, std::string& why)
{
    if (v.kind == Kind::String) {
        if (v.text == "now") {
            out = StartChoice{StartMode::Now, {}};
            return true;
        }
        if (v.text == "button") {
            out = StartChoice{StartMode::Button, {}};
            return true;
        }
        if (const std::optional<CivilTime> at = localTime(v.text)) {
            out = StartChoice{StartMode::At, *at};
            return true;
        }
    }
    why = "expected \"now\", \"button\" or a local date and time \"YYYY-MM-DDTHH:MM:SS\"";
    return false;
}

bool readPoint(const JsonValue& v, std::optional<double>& out, std::string& why)
{
    if (v.kind != Kind::Number) {
        why = "expected a number";
        return false;
    }
    out = v.number;
    return true;
}

struct ScalingMember {
    std::string_view name;
    std::optional<double> ScalingSetting::*point; // nullptr for the unit
};
constexpr std::array<ScalingMember, 5> kScalingMembers{{{"unit", nullptr},
                                                        {"in1", &ScalingSetting::in1},
                                                        {"out1", &ScalingSetting::out1},
                                                        {"in2", &ScalingSetting::in2},
                                                        {"out2", &ScalingSetting::out2}}};

// The scaling's members are keys of their own in messages: "scaling.in1".
bool readScaling(const JsonValue& v, std::optional<ScalingSetting>& out, std::string& key, std::string& why)
{
    if (v.kind == Kind::String && v.text == "standard") {
        out = ScalingSetting{};
        return true;
    }
    if (v.kind != Kind::Object) {
        why = "expected \"standard\" or an object {\"unit\", \"in1\", \"out1\", \"in2\", \"out2\"}";
        return false;
    }
    ScalingSetting s;
    s.custom = true;
    for (const JsonMember& m : v.members) {
        key = "scaling." + m.name;
        const auto member = std::find_if(kScalingMembers.begin(), kScalingMembers.end(),
                                         [&](const ScalingMember& sm) { return sm.name == m.name; });
        if (member == kScalingMembers.end()) {
            why = "not a member of the scaling (unit, in1, out1, in2, out2)";
            return false;
        }
        const bool ok =
            member->point ? readPoint(m.value, s.*(member->point), why) : readRecordText(m.value, s.unit, why);
        if (!ok)
            return false;
    }
    key = std::string(key::kScaling);
    out = s;
    return true;
}

bool readKey(const JsonMember& m, LoggerSettings& s, std::string& key, std::string& why)
{
    const JsonValue& v = m.value;
    const std::string_view k = m.name;
    key = m.name;
    if (k == key::kName)
        return readRecordText(v, s.name, why);
    if (k == key::kUnit)
        return readWord(v, kUnitWords, s.unit, why);
    if (k == key::kInterval)
        return readWhole(v, 1, s.interval, why, "expected a whole number of seconds");
    if (k == key::kHighAlarm)
        return readAlarm(v, s.highAlarm, why);
    if (k == key::kLowAlarm)
        return readAlarm(v, s.lowAlarm, why);
    if (k == key::kHighHold)
        return readBool(v, s.highHold, why);
    if (k == key::kLowHold)
        return readBool(v, s.lowHold, why);
    if (k == key::kRhHighAlarm)
        return readAlarm(v, s.rhHighAlarm, why);
    if (k == key::kRhLowAlarm)
        return readAlarm(v, s.rhLowAlarm, why);
    if (k == key::kRhHighHold)
        return readBool(v, s.rhHighHold, why);
    if (k == key::kRhLowHold)
        return readBool(v, s.rhLowHold, why);
    if (k == key::kConsecutiveHigh)
        return readWhole(v, 0, s.consecutiveHigh, why, "expected a whole number of readings, 0 for off");
    if (k == key::kConsecutiveLow)
        return readWhole(v, 0, s.consecutiveLow, why, "expected a whole number of readings, 0 for off");
    if (k == key::kLedsDisabled)
        return readBool(v, s.ledsDisabled, why);
    if (k == key::kSounder)
        return readBool(v, s.sounder, why);
    if (k == key::kThermocouple)
        return readWord(v, kThermocoupleWords, s.thermocouple, why);
    if (k == key::kDisplay)
        return readWord(v, kDisplayWords, s.display, why);
    if (k == key::kStorage)
        return readWord(v, kStorageWords, s.storage, why);
    if (k == key::kScaling)
        return readScaling(v, s.scaling, key, why);
    if (k == key::kAgreeSafety)
        return readBool(v, s.agreeSafety, why);
    if (k == key::kStart)
        return readStart(v, s.start, why);
    why = "not a settings key";
    return false;
}

// ---- writing ----

std::string padded(int v, int width)
{
    std::string text = std::to_string(v);
    return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))), '0') + text;
}

std::string startText(const StartChoice& start)
{
    switch (start.mode) {
    case StartMode::Now: return "now";
    case StartMode::Button: return "button";
    case StartMode::At: break;
    }
    const CivilTime& t = start.at;
    return padded(t.year, 4) + "-" + padded(t.month, 2) + "-" + padded(t.day, 2) + "T" + padded(t.hour, 2) + ":" +
           padded(t.minute, 2) + ":" + padded(t.second, 2);
}

// One key's value as JSON and as plain text. Entries only for the plain text carry the
// scaling's members.
struct Entry {
    std::string key;
    std::string json;
    std::string plain;
    bool plainOnly = false;
};

class Entries {
public:
    std::vector<Entry> list;

    void text(std::string_view key, const std::optional<std::string>& v)
    {
        if (v)
            add(key, jsonString(cp1252ToUtf8(*v)), cp1252ToUtf8(*v));
    }
    template <typename E, std::size_t N>
    void word(std::string_view key, const std::optional<E>& v, const std::array<std::string_view, N>& words)
    {
        if (v) {
            const std::string w(words[static_cast<std::size_t>(*v)]);
            add(key, jsonString(w), w);
        }
    }
    void whole(std::string_view key, const std::optional<std::int64_t>& v)
    {
        if (v)
            add(key, std::to_string(*v), std::to_string(*v));
    }
    void alarm(std::string_view key, const std::optional<AlarmSetting>& v)
    {
        if (v)
            add(key, v->on ? settingsNumber(v->level) : "null", v->on ? settingsNumber(v->level) : "off");
    }
    void flag(std::string_view key, const std::optional<bool>& v)
    {
        if (v)
            add(key, *v ? "true" : "false", *v ? "yes" : "no");
    }
    void scaling(const std::optional<ScalingSetting>& v)
    {
        if (!v)
            return;
        if (!v->custom) {
            add(key::kScaling, "\"standard\"", "standard");
            return;
        }
        std::string json;
        std::vector<Entry> members;
        const auto member = [&](std::string_view name, const std::string& jsonValue, const std::string& plain) {
            json += (json.empty() ? "" : ", ") + jsonString(std::string(name)) + ": " + jsonValue;
            members.push_back(Entry{"scaling." + std::string(name), {}, plain, true});
        };
        if (v->unit)
            member("unit", jsonString(cp1252ToUtf8(*v->unit)), cp1252ToUtf8(*v->unit));
        for (const ScalingMember& m : kScalingMembers)
            if (m.point && ((*v).*(m.point)))
                member(m.name, settingsNumber(*((*v).*(m.point))), settingsNumber(*((*v).*(m.point))));
        add(key::kScaling, "{" + json + "}", "custom");
        list.insert(list.end(), members.begin(), members.end());
    }
    void start(const std::optional<StartChoice>& v)
    {
        if (v)
            add(key::kStart, jsonString(startText(*v)), startText(*v));
    }

private:
    void add(std::string_view key, std::string json, std::string plain)
    {
        list.push_back(Entry{std::string(key), std::move(json), std::move(plain)});
    }
};

std::vector<Entry> entries(const LoggerSettings& s)
{
    Entries e;
    e.text(key::kName, s.name);
    e.word(key::kUnit, s.unit, kUnitWords);
    e.whole(key::kInterval, s.interval);
    e.alarm(key::kHighAlarm, s.highAlarm);
    e.alarm(key::kLowAlarm, s.lowAlarm);
    e.flag(key::kHighHold, s.highHold);
    e.flag(key::kLowHold, s.lowHold);
    e.alarm(key::kRhHighAlarm, s.rhHighAlarm);
    e.alarm(key::kRhLowAlarm, s.rhLowAlarm);
    e.flag(key::kRhHighHold, s.rhHighHold);
    e.flag(key::kRhLowHold, s.rhLowHold);
    e.whole(key::kConsecutiveHigh, s.consecutiveHigh);
    e.whole(key::kConsecutiveLow, s.consecutiveLow);
    e.flag(key::kLedsDisabled, s.ledsDisabled);
    e.flag(key::kSounder, s.sounder);
    e.word(key::kThermocouple, s.thermocouple, kThermocoupleWords);
    e.word(key::kDisplay, s.display, kDisplayWords);
    e.word(key::kStorage, s.storage, kStorageWords);
    e.scaling(s.scaling);
    e.flag(key::kAgreeSafety, s.agreeSafety);
    e.start(s.start);
    return e.list;
}

} // namespace

std::vector<std::string> presentKeys(const LoggerSettings& settings)
{
    std::vector<std::string> keys;
    for (const Entry& e : entries(settings))
        if (!e.plainOnly)
            keys.push_back(e.key);
    return keys;
}

std::optional<LoggerSettings> readSettings(std::string_view utf8, SettingsProblem& problem)
{
    JsonError error;
    const std::optional<JsonValue> document = readJson(utf8, error);
    if (!document) {
        problem = SettingsProblem{{},
                                  "line " + std::to_string(error.line) + ", column " + std::to_string(error.column) +
                                      ": " + error.message};
        return std::nullopt;
    }
    if (document->kind != Kind::Object) {
        problem = SettingsProblem{
            {}, "line " + std::to_string(document->line) + ": the settings are one JSON object, {\"name\": ..., ...}"};
        return std::nullopt;
    }
    LoggerSettings settings;
    for (const JsonMember& m : document->members) {
        std::string key, why;
        if (!readKey(m, settings, key, why)) {
            // The key as an escape-quoted string: an unknown one may hold anything.
            problem =
                SettingsProblem{key, "line " + std::to_string(m.value.line) + ": " + jsonString(key) + ": " + why};
            return std::nullopt;
        }
    }
    return settings;
}

std::string settingsJson(const LoggerSettings& settings)
{
    std::string out = "{";
    bool first = true;
    for (const Entry& e : entries(settings)) {
        if (e.plainOnly)
            continue;
        out += first ? "\n" : ",\n";
        out += "  " + jsonString(e.key) + ": " + e.json;
        first = false;
    }
    return out + (first ? "}\n" : "\n}\n");
}

std::string settingsText(const LoggerSettings& settings)
{
    std::string out;
    for (const Entry& e : entries(settings))
        out += e.key + "\t" + e.plain + "\n";
    return out;
}

} // namespace velmora
