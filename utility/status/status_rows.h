#pragma once
// The texts of the status page as a pure function of the record. The status page
// and `velmora-cli status` both show exactly these rows.
#include <string>
#include <vector>

#include "civil_time.h"
#include "locale_format.h"
#include "logger_config.h"
#include "logger_record.h"

namespace velmora {

struct StatusRow {
    int labelControl = 0; // control id of the label, e.g. 1106
    int valueControl = 0; // control id of the value, 0 for the heading row
    std::string label;    // Windows-1252 text
    std::string value;    // Windows-1252 text
};

// Heading, name, status, start time, start date, readings, sample rate, scale, high
// alarm, low alarm, serial number, firmware version, in that order; dates and times
// in `format`'s short forms.
std::vector<StatusRow> statusRows(const LoggerRecord& record, const LocaleFormat& format);

// A sensor-life or calibration expiry date as the status page shows it: "No Date
// Set" when none is stored, "Error" when the stored date is invalid, else the date
// in `format`'s short date form.
std::string expiryText(const DatePeriod& period, const LocaleFormat& format);

} // namespace velmora
