#pragma once
// The download file's column titles and the words of its fields, written once: the
// writer puts them in the file; the parser, the export and the archive recognise them.
// Windows-1252 text: the degree sign is the byte B0 ("\260").
#include <string_view>

namespace velmora::column {

// Titles of the header line, in the order they can follow the logger's name. The
// numbers are the viewer's string table entries of the titles it looks for.
inline constexpr std::string_view kTime = "Time"; // 130
inline constexpr std::string_view kCelsius = "Celsius(\260C)";
inline constexpr std::string_view kFahrenheit = "Fahrenheit(\260F)";
inline constexpr std::string_view kVoltage = "Voltage"; // then the units in brackets
inline constexpr std::string_view kCurrent = "Current";
inline constexpr std::string_view kCarbonMonoxide = "CO(ppm)";
inline constexpr std::string_view kEvent = "Event"; // then the sample mode, with no comma
inline constexpr std::string_view kRising = "(Rising)";
inline constexpr std::string_view kFalling = "(Falling)";
inline constexpr std::string_view kState = "(State)";
inline constexpr std::string_view kCountTotal = "(Count Total)";
inline constexpr std::string_view kCountPer = "(Count Per)";
inline constexpr std::string_view kHighAlarm = "High Alarm";
inline constexpr std::string_view kLowAlarm = "Low Alarm";
inline constexpr std::string_view kWarningLevel = "Warning Level";      // a carbon monoxide logger's low alarm
inline constexpr std::string_view kHumidity = "Humidity(%rh)";          // 141
inline constexpr std::string_view kHumidityUnit = "%rh";                // 138
inline constexpr std::string_view kHumidityHighAlarm = "High Alarm rh"; // 142
inline constexpr std::string_view kHumidityLowAlarm = "Low Alarm rh";   // 143
inline constexpr std::string_view kDewPointCelsius = "dew point(\260C)";
inline constexpr std::string_view kDewPointFahrenheit = "dew point(\260F)";
inline constexpr std::string_view kSerialNumber = "Serial Number"; // 136
inline constexpr std::string_view kSensorLifeExpiry = "Sensor Life Expiry";
inline constexpr std::string_view kCalibrationExpiry = "Calibration Expiry";
inline constexpr std::string_view kOverrangeExposure = "Overrange Exposure";

// The name part of a title, before its bracket: "CO" of "CO(ppm)", as the parser
// splits a title into a channel's name and unit.
constexpr std::string_view nameOf(std::string_view title) { return title.substr(0, title.find('(')); }

// Texts of fields.
inline constexpr std::string_view kNoDewPoint = "Error"; // a dew point without humidity
inline constexpr std::string_view kYes = "Yes";          // overrange exposure
inline constexpr std::string_view kNo = "No";

// What the parser looks for in a title it has upper-cased, so that it also takes the
// files of other spellings: an event logger's file, an alarm column, a temperature
// column without a unit in brackets.
inline constexpr std::string_view kEventWord = "EVENT";
inline constexpr std::string_view kHighWord = "HIGH";
inline constexpr std::string_view kLowWord = "LOW";
inline constexpr std::string_view kWarningLevelWord = "WARNING LEVEL";
inline constexpr std::string_view kCelsiusWord = "CELSIUS";
inline constexpr std::string_view kFahrenheitWord = "FAHRENHEIT";
inline constexpr std::string_view kDegreesCelsius = "\260C";
inline constexpr std::string_view kDegreesFahrenheit = "\260F";

} // namespace velmora::column
