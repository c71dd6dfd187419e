#include "connected_logger.h"

#include "clock.h"
#include "conversions.h"
#include "prompts.h"
#include "type_catalogue.h"
#include "utility_strings.h"

namespace velmora {

namespace {

constexpr int kWriteAttempts = 3;
constexpr std::uint32_t kWriteSettleMs = 100;

// Whether the record read back carries what was written: the fields a logger that
// took the record reports unchanged.
bool verified(const LoggerConfig& written, const LoggerConfig& readBack)
{
    if (written.type() != readBack.type() || written.name() != readBack.name())
        return false;
    for (std::size_t at = cfg::kStartHour; at <= cfg::kStartYear; ++at)
        if (written.u8(at) != readBack.u8(at))
            return false;
    return written.sampleInterval() == readBack.sampleInterval() && written.serialNumber() == readBack.serialNumber() &&
           written.firmwareText() == readBack.firmwareText();
}

} // namespace

bool ConnectedLogger::readConfiguration()
{
    link.listDevices();
    if (!link.requireDevice())
        return false;
    LoggerConfig read;
    if (!link.readConfigBlock(read))
        return false;
    config = read;
    refreshDerivedValues(*this);
    return true;
}

bool ConnectedLogger::sameLoggerAttached(const LoggerConfig& scratch)
{
    if (scratch.type() == config.type() && scratch.serialNumber() == config.serialNumber())
        return true;
    link.prompts().warn(std::string(utilitytext::kLoggerReplaced));
    return false;
}

bool ConnectedLogger::writeVerified(LoggerConfig& scratch)
{
    Clock& clock = link.clock();
    for (int attempt = 1; attempt <= kWriteAttempts; ++attempt) {
        const bool last = attempt == kWriteAttempts;
        config.setCommand(0);
        // The length follows the type at the moment of writing.
        const bool written = link.writeConfigBlock(config, configLength(config.type()), last);
        clock.waitMs(kWriteSettleMs);
        if (written) {
            if (!link.readConfigBlock(scratch))
                return false;
            if (verified(config, scratch))
                return true;
            if (last) {
                link.prompts().warn(std::string(utilitytext::kConfigureError));
                return false;
            }
            clock.waitMs(kWriteSettleMs);
        }
    }
    return false;
}

bool ConnectedLogger::stopAndWrite()
{
    LoggerConfig scratch;
    if (!link.readConfigBlock(scratch) || !sameLoggerAttached(scratch))
        return false;
    config.setFlag(flag::kLogging, false);
    // A push-button logger reports how long after the write its button was pressed;
    // that is part of its first reading's time and must survive the stop.
    if (!config.isPushButtonStart())
        config.setStartDelay(0);
    if (!writeVerified(scratch))
        return false;
    config = scratch;
    refreshDerivedValues(*this);
    return true;
}

bool ConnectedLogger::startAndWrite(int year, int month, int day, int hour, int minute, int second,
                                    std::uint32_t delaySeconds, bool pushButton)
{
    config.setStartDelay(pushButton ? 0 : delaySeconds);
    config.setStart(year, month, day, hour, minute, second);
    config.setFlag(flag::kLogging, true);
    config.setPushButtonStart(pushButton);

    link.listDevices();
    if (!link.requireDevice())
        return false;
    LoggerConfig scratch;
    if (!link.readConfigBlock(scratch) || !sameLoggerAttached(scratch))
        return false;
    return writeVerified(scratch);
}

bool ConnectedLogger::readReadings(std::vector<float>& readings, const LoggerLink::Progress& progress)
{
    return link.readReadings(config.type(), readings, progress);
}

bool ConnectedLogger::downloadReadings(std::vector<float>& readings, const LoggerLink::Progress& progress)
{
    return readConfiguration() && readReadings(readings, progress);
}

bool ConnectedLogger::isCompatible()
{
    if (velmora::isCompatible(config.type()))
        return true;
    link.prompts().warn(std::string(utilitytext::kIncompatible));
    return false;
}

bool ConnectedLogger::checkBattery()
{
    if (config.hasFlag(flag::kBatteryCritical)) {
        link.prompts().warn(std::string(utilitytext::kBatteryCritical));
        return false;
    }
    if (config.hasFlag(flag::kBatteryLow)) {
        link.prompts().warn(std::string(utilitytext::kBatteryLow));
        return false;
    }
    return true;
}

bool ConnectedLogger::hasSensorFault(bool show)
{
    const LoggerType type = config.type();
    std::string_view message;
    if (isHumidity(type))
        message = utilitytext::kHumiditySensorFault;
    else if (isCo(type))
        message = utilitytext::kCoOverExposure;
    if (message.empty() || !config.hasFlag(flag::kSensorFault))
        return false;
    if (show)
        link.prompts().stop(std::string(message));
    return true;
}

ExpiryCheck ConnectedLogger::expiryCheck(const DatePeriod& period, bool show, std::string_view invalidMessage,
                                         std::string_view expiredMessage)
{
    const ExpiryCheck check = checkExpiry(period, link.clock().localNow());
    if (show && check.state == ExpiryState::Invalid)
        link.prompts().stop(std::string(invalidMessage));
    else if (show && check.state == ExpiryState::Expired)
        link.prompts().stop(std::string(expiredMessage));
    return check;
}

ExpiryCheck ConnectedLogger::sensorLifeCheck(bool show)
{
    return expiryCheck(config.sensorLife(), show, utilitytext::kSensorLifeInvalid, utilitytext::kSensorLifeExceeded);
}

ExpiryCheck ConnectedLogger::calibrationDueCheck(bool show)
{
    return expiryCheck(config.calibrationDue(), show, utilitytext::kCalibrationInvalid,
                       utilitytext::kCalibrationExceeded);
}

CivilTime ConnectedLogger::firstReadingTime() const { return velmora::firstReadingTime(config); }

void ConnectedLogger::restoreDefaults() { velmora::restoreDefaults(*this); }

} // namespace velmora
