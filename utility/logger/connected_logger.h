#pragma once
// The one logger the utility works on: its record with the derived values, the link
// that reaches it, and the operations that read, stop, start and download it with
// verification. Messages go through the Prompts seam.
#include <string>
#include <string_view>
#include <vector>

#include "civil_time.h"
#include "logger_dates.h"
#include "logger_link.h"
#include "logger_record.h"

namespace velmora {

class ConnectedLogger : public LoggerRecord {
public:
    // `location`: the logger's, as the bridge lists it; empty: the first one listed.
    ConnectedLogger(UsbBridge& bridge, Clock& clock, Prompts& prompts, std::string location = {})
        : link(bridge, clock, prompts, std::move(location))
    {
    }

    LoggerLink link;

    bool readConfiguration();
    bool stopAndWrite();
    bool startAndWrite(int year, int month, int day, int hour, int minute, int second, std::uint32_t delaySeconds,
                       bool pushButton);
    bool readReadings(std::vector<float>& readings, const LoggerLink::Progress& progress = {});
    // The download's first steps: re-read the record, then read every reading. The
    // link has shown its message when this returns false, unless `progress` stopped it.
    bool downloadReadings(std::vector<float>& readings, const LoggerLink::Progress& progress = {});

    // Checks that show their messages through the link's Prompts.
    bool isCompatible();            // message 139 when refused
    bool checkBattery();            // 140 or 141; false when one was shown
    bool hasSensorFault(bool show); // 147 or 169, stop icon
    // Expiry checks against the clock's local date; messages 170/171 and 172/173
    // (stop icon) when `show`. The texts are made by expiryText() of the status core.
    ExpiryCheck sensorLifeCheck(bool show);
    ExpiryCheck calibrationDueCheck(bool show);

    CivilTime firstReadingTime() const;
    void restoreDefaults();

private:
    bool writeVerified(LoggerConfig& scratch);
    bool sameLoggerAttached(const LoggerConfig& scratch); // message 144 when not
    ExpiryCheck expiryCheck(const DatePeriod& period, bool show, std::string_view invalidMessage,
                            std::string_view expiredMessage);
};

} // namespace velmora
