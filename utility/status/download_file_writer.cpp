#include "download_file_writer.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "conversions.h"
#include "logger_dates.h"
#include "number_format.h"
#include "reading_rules.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

// Windows-1252: the degree sign is the byte B0.
constexpr std::string_view kCelsiusColumn = ",Celsius(\260C)";
constexpr std::string_view kFahrenheitColumn = ",Fahrenheit(\260F)";
constexpr std::size_t kBufferSize = 64 * 1024;

// A fixed buffer that lines are built in place in and that goes to the sink when the
// next line might not fit.
class Output {
public:
    Output(ByteSink& sink, std::size_t lineMax)
        : sink_(sink), buffer_(std::max(kBufferSize, 2 * lineMax)), lineMax_(lineMax)
    {
    }
    // Where the next line goes; there is room for lineMax bytes.
    char* line()
    {
        if (buffer_.size() - used_ < lineMax_)
            flush();
        return buffer_.data() + used_;
    }
    void done(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
    void flush()
    {
        if (used_ > 0 && ok_) {
            ok_ = sink_.write(buffer_.data(), used_);
            if (ok_)
                bytes_ += used_;
        }
        used_ = 0;
    }
    bool ok() const { return ok_; }
    std::uint64_t bytes() const { return bytes_; }

private:
    ByteSink& sink_;
    std::vector<char> buffer_;
    std::size_t lineMax_;
    std::size_t used_ = 0;
    bool ok_ = true;
    std::uint64_t bytes_ = 0;
};

char* put(char* p, std::string_view s)
{
    std::memcpy(p, s.data(), s.size());
    return p + s.size();
}

char* crlf(char* p)
{
    p[0] = '\r';
    p[1] = '\n';
    return p + 2;
}

// Two decimal digits per entry, "00" to "99".
constexpr char kDigitPairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

// "%02d"; every field of a time stamp is written once per line, so the common case
// is a table lookup.
char* twoDigits(char* p, int v)
{
    if (v < 0 || v > 99)
        return writeZeroPadded(p, v, 2);
    p[0] = kDigitPairs[2 * v];
    p[1] = kDigitPairs[2 * v + 1];
    return p + 2;
}

// "%d/%m/%Y %H:%M:%S"
char* writeStamp(char* p, const CivilTime& t)
{
    p = twoDigits(p, t.day);
    *p++ = '/';
    p = twoDigits(p, t.month);
    *p++ = '/';
    if (t.year >= 1000 && t.year <= 9999) {
        p = twoDigits(p, t.year / 100);
        p = twoDigits(p, t.year % 100);
    } else {
        p = writeZeroPadded(p, t.year, 4);
    }
    *p++ = ' ';
    p = twoDigits(p, t.hour);
    *p++ = ':';
    p = twoDigits(p, t.minute);
    *p++ = ':';
    return twoDigits(p, t.second);
}

char* writeSerial(char* p, std::uint32_t serial) { return writeZeroPadded(p, serial, 9); }

// A downloaded element as a raw code: truncated toward zero, and kept inside int32
// so a damaged element cannot make the conversion undefined.
std::int32_t truncated(double v)
{
    if (!(v >= -2147483648.0 && v < 2147483648.0))
        return v > 0 ? 2147483647 : (v < 0 ? -2147483647 - 1 : 0); // NaN reads as 0
    return static_cast<std::int32_t>(v);
}

std::string headerLine(const LoggerRecord& r)
{
    const LoggerConfig& c = r.config;
    const LoggerType t = c.type();
    const TypeInfo& row = typeRow(t);
    std::string h = c.name() + ",Time";
    if (row.measures == Measures::Voltage) {
        h += ",Voltage(" + c.units() + ")";
    } else if (row.measures == Measures::Current) {
        h += ",Current(" + c.units() + ")";
    } else if (row.measures == Measures::CarbonMonoxide) {
        h += ",CO(ppm)";
    } else if (row.measures == Measures::Events) {
        static const char* const kModes[] = {nullptr, "(State)", "(Count Total)", "(Count Per)"};
        h += ",Event";
        h += c.sampleMode() == 0 ? ((c.inputOptions() & 0x08) ? "(Rising)" : "(Falling)") : kModes[c.sampleMode()];
    } else if (row.unit == UnitOption::Bit0) {
        h += (c.inputOptions() & 0x01) ? kFahrenheitColumn : kCelsiusColumn;
    } else {
        // The whole byte is compared: any value but 1 heads the column in Celsius
        // (and so do codes outside the catalogue).
        h += c.inputOptions() == 1 ? kFahrenheitColumn : kCelsiusColumn;
    }
    if (c.hasFlag(flag::kHighEnabled))
        h += ",High Alarm";
    if (c.hasFlag(flag::kLowEnabled))
        h += isCo(t) ? ",Warning Level" : ",Low Alarm";
    if (isHumidity(t)) {
        h += ",Humidity(%rh)";
        if (c.hasFlag(flag::kRhHighEnabled))
            h += ",High Alarm rh";
        if (c.hasFlag(flag::kRhLowEnabled))
            h += ",Low Alarm rh";
        h += c.inputOptions() == 1 ? ",dew point(\260F)" : ",dew point(\260C)";
    }
    h += ",Serial Number";
    if (isCo(t)) {
        h += ",Sensor Life Expiry";
        if (c.calibrationDue().months != 0)
            h += ",Calibration Expiry";
        h += ",Overrange Exposure";
    }
    return h;
}

// The parts every data line repeats, made once per file.
struct LineParts {
    std::string alarms;   // ",8.0,2.0"
    std::string rhAlarms; // ",80.0,20.0"
    std::string firstRow; // ",000012345" and, for CO loggers, the service dates
};

LineParts lineParts(const LoggerRecord& r)
{
    const LoggerConfig& c = r.config;
    LineParts parts;
    if (c.hasFlag(flag::kHighEnabled))
        parts.alarms += "," + highAlarmText(r);
    if (c.hasFlag(flag::kLowEnabled))
        parts.alarms += "," + lowAlarmText(r);
    if (isHumidity(c.type())) {
        if (c.hasFlag(flag::kRhHighEnabled))
            parts.rhAlarms += "," + fixedText(c.rhHighAlarm(), 1);
        if (c.hasFlag(flag::kRhLowEnabled))
            parts.rhAlarms += "," + fixedText(c.rhLowAlarm(), 1);
    }
    char serial[32];
    parts.firstRow = "," + std::string(serial, writeSerial(serial, c.serialNumber()));
    if (isCo(c.type())) {
        // Straight from the stored bytes, as numbers, whatever their validity.
        parts.firstRow += "," + numericDate(expiryDate(c.sensorLife()));
        if (c.calibrationDue().months != 0)
            parts.firstRow += "," + numericDate(expiryDate(c.calibrationDue()));
        parts.firstRow += c.hasFlag(flag::kSensorFault) ? ",Yes" : ",No";
    }
    return parts;
}

struct Job {
    Output& out;
    const LoggerRecord& record;
    std::span<const float> readings;
    const CivilTime& start;
    std::uint32_t interval;
    const LineParts& parts;
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

    CivilTime time = job.start;
    if (isEventLogger(t)) // a count covers the period before its time stamp
        addSeconds(time, job.interval);

    for (std::size_t row = 1; row <= rows && job.out.ok(); ++row) {
        if (index >= wrapAt)
            index %= wrapAt;
        if (index + (humidity ? 1 : 0) >= job.readings.size())
            break; // the array ends here; the summary tells the caller
        char* p = job.out.line();
        p = writeUnsigned(p, row);
        *p++ = ',';
        p = writeStamp(p, time);
        *p++ = ',';
        const float element = job.readings[index];
        if (elementItself)
            p = writeFixed(p, element, 0);
        else
            p = rules.write(truncated(element), p);
        p = put(p, job.parts.alarms);
        if (humidity) {
            const double rh = rhFromRaw(truncated(job.readings[index + 1]));
            *p++ = ',';
            p = writeFixed(p, rh, 1);
            p = put(p, job.parts.rhAlarms);
            if (rh > 0) {
                const double temperature = rules.value(truncated(element));
                *p++ = ',';
                p = writeFixed(p, dewPoint(job.record, temperature, rh), 1);
            } else {
                p = put(p, ",Error"); // no dew point without humidity
            }
        }
        if (row == 1)
            p = put(p, job.parts.firstRow);
        job.out.done(crlf(p));
        job.summary.rowsWritten = row;
        index += step;
        addSeconds(time, job.interval);
    }
}

char* writeEventStamp(char* p, const CivilTime& t)
{
    p = writeStamp(p, t);
    *p++ = '.';
    return writeUnsigned(p, static_cast<unsigned>(t.tenths));
}

// Edge (mode 0) and state-change (mode 1) records: each element is a 16-bit word,
// bit 15 the input level and bits 0-14 the tenths of a second since the record before.
void writeEvents(const Job& job)
{
    const LoggerConfig& c = job.record.config;
    const bool stateMode = c.sampleMode() == 1;
    const std::string_view edgeState = (c.inputOptions() & 0x08) ? ",1" : ",0";
    CivilTime time = job.start;
    time.tenths = 0;
    if (!stateMode) {
        char* p = job.out.line();
        p = put(p, "0,");
        p = writeEventStamp(p, time);
        p = put(p, ",");
        job.out.done(crlf(put(p, job.parts.firstRow)));
    }
    const std::size_t records = c.readingCount();
    job.summary.rowsExpected = records;
    std::size_t number = 0;
    bool lastLevel = false;
    for (std::size_t k = 0; k < records && job.out.ok(); ++k) {
        if (k >= job.readings.size())
            break;
        const auto word = static_cast<std::uint32_t>(truncated(job.readings[k] + 0.001)) & 0xFFFFu;
        const bool level = (word & 0x8000u) != 0;
        addTenths(time, word & 0x7FFFu); // every record moves the clock, written or not
        job.summary.rowsWritten = k + 1;
        const bool write = stateMode ? (number == 0 || level != lastLevel) : level;
        if (!write)
            continue;
        char* p = job.out.line();
        p = writeUnsigned(p, ++number);
        *p++ = ',';
        p = writeEventStamp(p, time);
        p = put(p, stateMode ? (level ? std::string_view(",1") : std::string_view(",0")) : edgeState);
        if (stateMode && number == 1)
            p = put(p, job.parts.firstRow);
        job.out.done(crlf(p));
        lastLevel = level;
    }
}

void writeCountTotal(const Job& job)
{
    char* p = job.out.line();
    p = put(p, "1,");
    p = writeStamp(p, job.start);
    *p++ = ',';
    p = writeUnsigned(p, job.record.config.countPeriod()); // the total count in this mode
    p = put(p, job.parts.firstRow);                        // the serial number (no CO fields here)
    job.out.done(crlf(p));
    job.summary.rowsExpected = job.summary.rowsWritten = 1;
}

} // namespace

DownloadFileSummary writeDownloadFile(ByteSink& sink, const LoggerRecord& record, std::span<const float> readings,
                                      const CivilTime& start, std::uint32_t interval)
{
    DownloadFileSummary summary;
    const std::string header = headerLine(record);
    const LineParts parts = lineParts(record);
    // The longest line: number, stamp, three printed values, the repeated parts.
    const std::size_t lineMax = 64 + 3 * kNumberBufferSize + parts.alarms.size() + parts.rhAlarms.size() +
                                parts.firstRow.size() + header.size() + 16;
    Output out(sink, lineMax);
    out.done(crlf(put(out.line(), header)));

    const Job job{out, record, readings, start, interval, parts, summary};
    const bool events = isEventLogger(record.type());
    const int mode = record.config.sampleMode();
    if (events && mode == 2)
        writeCountTotal(job);
    else if (events && mode != 3)
        writeEvents(job);
    else
        writeReadingTable(job);

    out.flush();
    summary.sinkOk = out.ok();
    summary.bytes = out.bytes();
    return summary;
}

} // namespace velmora
