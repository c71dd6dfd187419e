#pragma once
// Every rule that turns a raw code into an engineering value and back, rounds and
// prints values, derives the user scaling and computes the dew point.
#include <cstdint>
#include <string>

#include "logger_record.h"
#include "number_format.h"

namespace velmora {

double rawToValue(const LoggerRecord& r, double raw);
std::int32_t valueToRaw(LoggerRecord& r, double value); // sets r.scaleError
double roundToStep(const LoggerRecord& r, double value);
int decimalsForType(const LoggerRecord& r);
// The text of one reading as the download file writes it.
std::string formatReading(const LoggerRecord& r, std::int32_t raw);
// The same text written into `out` (at least kNumberBufferSize bytes); returns the end.
// The download file writer uses this on every row.
char* writeReading(const LoggerRecord& r, std::int32_t raw, char* out);

double highAlarmValue(const LoggerRecord& r);
double lowAlarmValue(const LoggerRecord& r);
std::string highAlarmText(const LoggerRecord& r); // number only, no unit
std::string lowAlarmText(const LoggerRecord& r);

// An alarm level's code as the record's alarm slot holds it: valueToRaw (which sets
// r.scaleError), kept inside the slot's 8 or 16 bits so an odd calibration cannot wrap
// a level round to the other end of the scale.
std::uint16_t alarmLevelToRaw(LoggerRecord& r, double value);

struct ValueRange {
    double bottom;
    double top;
};
// The levels a typed alarm level may take, by the type's row: the values of the
// thermocouple codes 0 and 27000; -40 to 125 °C (257 °F) for the high-temperature
// logger and -40 to 87.5 °C (189 °F) for the display temperature loggers, by
// inputOptions not 0; the user-scaled values of zero and of full-scale input; any
// value for a type whose levels are not typed.
ValueRange typedAlarmRange(const LoggerRecord& r);

double rhFromRaw(std::int32_t raw);
std::int32_t rhToRaw(double value);
// NaN when the humidity is 0 or less (no logarithm); the file writes "Error" then.
double dewPoint(const LoggerRecord& r, double temperature, double humidity);

// Scaling error codes and the messages the scaling page shows for them.
namespace scaleerr {
inline constexpr int kNone = 0, kAboveFullScale = 1, kInputsEqual = 3, kOutputsEqual = 4, kRange = 5, kEmptyOut1 = 6,
                     kEmptyIn1 = 7, kEmptyOut2 = 8, kEmptyIn2 = 9, kIn1AboveFull = 10, kIn1Negative = 11,
                     kIn2AboveFull = 12, kIn2Negative = 13, kBelowZeroRaw = 14, kBelowZeroCalibrated = 15;
}

void computeScaling(LoggerRecord& r);
void scaledRange(const LoggerRecord& r, double& upper, double& lower);
// Re-encodes calGain, calOffset and both alarm codes of the loggers whose
// calibration carries the temperature unit, so the alarms keep their temperatures in
// the new unit; other types keep their codes. Leaves inputOptions to the caller.
void reencodeAlarmLevels(LoggerRecord& r, bool fahrenheit);
// The unit change with its guards: nothing for types without a unit or when the unit
// is already in force; otherwise the re-encoding and the new unit in inputOptions.
void changeTemperatureUnit(LoggerRecord& r, bool fahrenheit);
void restoreDefaults(LoggerRecord& r); // factory units and scaling texts, then computeScaling
// After a read of the configuration: computeScaling for scaled types, reset otherwise.
void refreshDerivedValues(LoggerRecord& r);

} // namespace velmora
