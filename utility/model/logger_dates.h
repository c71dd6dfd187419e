#pragma once
// Dates computed from the record: sensor life and calibration expiry, and the time
// of the oldest stored reading.
#include <optional>
#include <string>

#include "civil_time.h"
#include "logger_config.h"

namespace velmora {

// Start date plus the number of months, less one day (day clamped to the month).
// Computed straight from the bytes, with no validity checks.
CivilTime expiryDate(const DatePeriod& period);

// A stored period that names a real start date (2000 or later, month 1..12, day
// 1..31). An invalid period shows "Error".
bool isValidPeriod(const DatePeriod& period);

enum class ExpiryState { NoDateSet, Invalid, Valid, Expired };

struct ExpiryCheck {
    ExpiryState state = ExpiryState::NoDateSet;
    CivilTime date; // the expiry date when state is Valid or Expired
    bool passes() const { return state == ExpiryState::NoDateSet || state == ExpiryState::Valid; }
};

// `today` is the computer's local date; the time of day is ignored.
ExpiryCheck checkExpiry(const DatePeriod& period, const CivilTime& today);

// "%02d/%02d/%04d" of day, month, year.
std::string numericDate(const CivilTime& t);

// The date and time of the oldest stored reading: start fields, plus the kept
// start delay of a pressed push-button logger, plus the roll-over advance.
CivilTime firstReadingTime(const LoggerConfig& c);

} // namespace velmora
