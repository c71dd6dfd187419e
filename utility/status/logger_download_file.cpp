#include "logger_download_file.h"

#include "conversions.h"
#include "logger_dates.h"
#include "number_format.h"
#include "reading_rules.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

// A downloaded element as a raw code: truncated toward zero, and kept inside int32
// so a damaged element cannot make the conversion undefined.
std::int32_t truncated(double v)
{
    if (!(v >= -2147483648.0 && v < 2147483648.0))
        return v > 0 ? 2147483647 : (v < 0 ? -2147483647 - 1 : 0); // NaN reads as 0
    return static_cast<std::int32_t>(v);
}

FirstColumn temperatureColumn(bool fahrenheit) { return fahrenheit ? FirstColumn::Fahrenheit : FirstColumn::Celsius; }

EventMode eventMode(const LoggerConfig& c)
{
    switch (c.sampleMode()) {
    case 0: return (c.inputOptions() & 0x08) ? EventMode::Rising : EventMode::Falling;
    case 1: return EventMode::State;
    case 2: return EventMode::CountTotal;
    default: return EventMode::CountPer;
    }
}

struct Job {
    DownloadFileWriter& out;
    const LoggerRecord& record;
    std::span<const float> readings;
    const CivilTime& start;
    std::uint32_t interval;
    DownloadFileSummary& summary;
};

void writeReadingTable(const Job& job)
{
    const LoggerConfig& c = job.record.config;
    const LoggerType t = c.type();
    const bool humidity = isHumidity(t);
    // Elements per row: temperature and humidity, or the one value.
    const std::size_t step = static_cast<std::size_t>(valuesPerReading(t));
    const bool elementItself = isThermocouple(t) && (c.inputOptions() & 0x02) != 0;
    const ReadingRules rules(job.record);

    const std::size_t rows = downloadRowCount(c);
    std::size_t index = 0;
    if (hasWrappedRollOver(c)) {
        // The memory has been filled and overwritten: the oldest reading is the one
        // after the current position, and the rows run round to it.
        index = step * (c.readingCount() + 1u);
    }
    // The end of the ring, one reading past the rows; only a wrapped roll-over
    // memory reaches it.
    const std::size_t wrapAt = step * (rows + 1);
    job.summary.rowsExpected = rows;

    TimeStampText time(job.start);
    const std::uint32_t interval = job.interval;
    if (isEventLogger(t)) // a count covers the period before its time stamp
        time.advance(interval);

    // Locals, not the job's fields: the writer's stores of text may touch any memory as
    // far as the compiler knows, and locals need not be read again after each one.
    DownloadFileWriter& out = job.out;
    const float* const readings = job.readings.data();
    const std::size_t available = job.readings.size();
    std::size_t row = 1;
    for (; row <= rows && out.ok(); ++row) {
        if (index >= wrapAt)
            index %= wrapAt;
        if (index + (humidity ? 1 : 0) >= available)
            break; // the array ends here; the summary tells the caller
        const float element = readings[index];
        const auto value = [&](char* text) {
            return elementItself ? writeFixed(text, element, 0) : rules.write(truncated(element), text);
        };
        if (humidity) {
            HumidityFields fields{rhFromRaw(truncated(readings[index + 1])), std::nullopt};
            if (fields.humidity > 0) // no dew point without humidity
                fields.dewPoint = dewPoint(job.record, rules.value(truncated(element)), fields.humidity);
            out.readingLine(time, value, &fields);
        } else {
            out.readingLine(time, value);
        }
        index += step;
        time.advance(interval);
    }
    job.summary.rowsWritten = row - 1;
}

// Edge (mode 0) and state-change (mode 1) records: each element is a 16-bit word,
// bit 15 the input level and bits 0-14 the tenths of a second since the record before.
void writeEvents(const Job& job)
{
    const LoggerConfig& c = job.record.config;
    const bool stateMode = c.sampleMode() == 1;
    const bool rising = (c.inputOptions() & 0x08) != 0;
    CivilTime time = job.start;
    time.tenths = 0;
    if (!stateMode)
        job.out.edgeStartLine(time);
    const std::size_t records = c.readingCount();
    job.summary.rowsExpected = records;
    bool anyWritten = false;
    bool lastLevel = false;
    for (std::size_t k = 0; k < records && job.out.ok(); ++k) {
        if (k >= job.readings.size())
            break;
        const auto word = static_cast<std::uint32_t>(truncated(job.readings[k] + 0.001)) & 0xFFFFu;
        const bool level = (word & 0x8000u) != 0;
        addTenths(time, word & 0x7FFFu); // every record moves the clock, written or not
        job.summary.rowsWritten = k + 1;
        const bool write = stateMode ? (!anyWritten || level != lastLevel) : level;
        if (!write)
            continue;
        job.out.eventLine(time, stateMode ? level : rising);
        anyWritten = true;
        lastLevel = level;
    }
}

void writeCountTotal(const Job& job)
{
    job.out.countTotalLine(job.start, job.record.config.countPeriod()); // the total count in this mode
    job.summary.rowsExpected = job.summary.rowsWritten = 1;
}

} // namespace

DownloadFileLayout downloadFileLayout(const LoggerRecord& r)
{
    const LoggerConfig& c = r.config;
    const LoggerType t = c.type();
    const TypeInfo& row = typeRow(t);
    DownloadFileLayout l;
    l.loggerName = c.name();
    if (row.measures == Measures::Voltage || row.measures == Measures::Current) {
        l.first = row.measures == Measures::Voltage ? FirstColumn::Voltage : FirstColumn::Current;
        l.units = c.units();
    } else if (row.measures == Measures::CarbonMonoxide) {
        l.first = FirstColumn::CarbonMonoxide;
    } else if (row.measures == Measures::Events) {
        l.first = FirstColumn::Event;
        l.eventMode = eventMode(c);
    } else if (row.unit == UnitOption::Bit0) {
        l.first = temperatureColumn((c.inputOptions() & 0x01) != 0);
    } else {
        // The whole byte is compared: any value but 1 heads the column in Celsius
        // (and so do codes outside the catalogue).
        l.first = temperatureColumn(c.inputOptions() == 1);
    }
    if (c.hasFlag(flag::kHighEnabled))
        l.highAlarm = highAlarmText(r);
    if (c.hasFlag(flag::kLowEnabled))
        l.lowAlarm = lowAlarmText(r);
    l.lowIsWarningLevel = isCo(t);
    if (isHumidity(t)) {
        // Assigned rather than emplace()d: clang does not count a nested struct with
        // member initialisers as default-constructible for std::optional.
        l.humidity = DownloadFileLayout::Humidity{};
        DownloadFileLayout::Humidity& h = *l.humidity;
        if (c.hasFlag(flag::kRhHighEnabled))
            h.highAlarm = c.rhHighAlarm();
        if (c.hasFlag(flag::kRhLowEnabled))
            h.lowAlarm = c.rhLowAlarm();
        h.dewPointFahrenheit = c.inputOptions() == 1;
    }
    l.serialNumber = c.serialNumber();
    if (isCo(t)) {
        l.serviceDates = DownloadFileLayout::ServiceDates{};
        DownloadFileLayout::ServiceDates& dates = *l.serviceDates;
        dates.sensorLifeExpiry = expiryDate(c.sensorLife());
        if (c.calibrationDue().months != 0) // a calibration expiry is stored
            dates.calibrationExpiry = expiryDate(c.calibrationDue());
        dates.overrangeExposure = c.hasFlag(flag::kSensorFault);
    }
    return l;
}

DownloadFileSummary writeDownloadFile(ByteSink& sink, const LoggerRecord& record, std::span<const float> readings,
                                      const CivilTime& start, std::uint32_t interval)
{
    DownloadFileSummary summary;
    DownloadFileWriter out(sink, downloadFileLayout(record));
    const Job job{out, record, readings, start, interval, summary};
    const bool events = isEventLogger(record.type());
    const int mode = record.config.sampleMode();
    if (events && mode == 2)
        writeCountTotal(job);
    else if (events && mode != 3)
        writeEvents(job);
    else
        writeReadingTable(job);

    summary.sinkOk = out.finish();
    summary.bytes = out.bytes();
    return summary;
}

} // namespace velmora
