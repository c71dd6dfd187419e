#pragma once
// Writes a download file: a header line, then one line per reading (or per event,
// or one count) with its number, time stamp, value, the alarm levels and, on the
// first line, the serial number and the service dates. Windows-1252 bytes, CRLF line
// ends, a full stop before the decimals whatever the locale.
//
// The writer knows the file's grammar, not the logger: what the columns are and how
// a value is printed come from the caller. Lines are built straight into a fixed
// buffer that goes to the sink whenever it fills, so the file is never held in memory
// whole, and numbers are printed by number_format's exact formatters, not printf.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "byte_sink.h"
#include "civil_time.h"
#include "number_format.h"
#include "time_stamp.h"

namespace velmora {

// The column after the time: what the logger measures.
enum class FirstColumn { Celsius, Fahrenheit, Voltage, Current, CarbonMonoxide, Event };
// An event logger's sample mode, which its column's title names.
enum class EventMode { Rising, Falling, State, CountTotal, CountPer };

// What the lines of one file have in common: its columns, and the texts that every
// line (or the first) repeats.
struct DownloadFileLayout {
    std::string loggerName;
    FirstColumn first = FirstColumn::Celsius;
    std::string units;                       // Voltage and Current: between the brackets (may be empty)
    EventMode eventMode = EventMode::Rising; // Event only
    // The alarm levels as every line writes them ("8.0"); each one given has a column.
    std::optional<std::string> highAlarm;
    std::optional<std::string> lowAlarm;
    bool lowIsWarningLevel = false; // a carbon monoxide logger's low alarm

    struct Humidity {
        std::optional<double> highAlarm; // %rh; each one given has a column
        std::optional<double> lowAlarm;
        bool dewPointFahrenheit = false;
    };
    std::optional<Humidity> humidity; // the humidity, its alarms and the dew point

    std::uint32_t serialNumber = 0; // on the first line
    struct ServiceDates {
        CivilTime sensorLifeExpiry; // dates: the time of day is not written
        std::optional<CivilTime> calibrationExpiry;
        bool overrangeExposure = false;
    };
    std::optional<ServiceDates> serviceDates; // a carbon monoxide logger's, on the first line
};

// The header line, without its line end.
std::string headerLine(const DownloadFileLayout& layout);

// The fields of a humidity logger's reading line after the first value.
struct HumidityFields {
    double humidity = 0;            // %rh
    std::optional<double> dewPoint; // none is written "Error"
};

class DownloadFileWriter {
public:
    // Writes the header line.
    DownloadFileWriter(ByteSink& sink, const DownloadFileLayout& layout);

    // A line of the reading table, numbered from 1, stamped `time`. `writeValue(out)`
    // writes the first value's text at `out` (kNumberBufferSize bytes at most) and
    // returns its end: the logger's rules decide that text. `humidity` is required by
    // a humidity layout.
    template <typename WriteValue>
    void readingLine(const TimeStampText& time, WriteValue&& writeValue, const HumidityFields* humidity = nullptr)
    {
        endReading(writeValue(startReading(time)), humidity);
    }

    // An edge logger's start line: number 0, the start time with ".0", an empty state
    // and the serial number.
    void edgeStartLine(const CivilTime& start);
    // An event record, numbered from 1: its time with tenths and the input's state.
    void eventLine(const CivilTime& time, bool state);
    // A count-total logger's one line: the start time and the total.
    void countTotalLine(const CivilTime& start, std::uint32_t total);

    // False once a write to the sink has failed; nothing more is written then.
    bool ok() const { return ok_; }
    // Hands what is left to the sink; false when any write failed.
    bool finish();
    std::uint64_t bytes() const { return bytes_; } // handed to the sink

private:
    // The number of the next data line, as text counted up in place.
    class LineNumber {
    public:
        LineNumber()
        {
            std::fill(std::begin(digits_), std::end(digits_), '0');
            digits_[kRoom - 1] = '1';
        }
        // Writes the number and counts on. The text is counted up after it is copied,
        // not before: a copy of bytes just stored one by one would have to wait for them.
        char* writeAndCount(char* out);
        static constexpr std::size_t kRoom = 24;

    private:
        char digits_[2 * kRoom];        // the number ends at kRoom; zeros before it
        std::size_t first_ = kRoom - 1; // its first digit
    };

    // A text that lines repeat, copied with a fixed length when it is short.
    class RepeatedText {
    public:
        explicit RepeatedText(std::string text);
        char* write(char* out) const;
        std::size_t size() const { return text_.size(); }
        static constexpr std::size_t kRoom = 32;

    private:
        std::string text_;
        char fixed_[kRoom] = {};
    };

    char* startReading(const TimeStampText& time);
    void endReading(char* p, const HumidityFields* humidity);
    char* firstLineFields(char* p); // once, on the first data line
    char* line();                   // where the next line goes
    void done(char* end);
    void flush();

    ByteSink& sink_;
    RepeatedText alarms_;   // ",8.0,2.0"
    RepeatedText rhAlarms_; // ",80.0,20.0"
    std::string firstLine_; // ",000012345" and, for a carbon monoxide logger, its service dates
    bool firstLineDone_ = false;
    LineNumber number_;
    std::vector<char> buffer_;
    std::size_t lineMax_ = 0;
    std::size_t used_ = 0;
    bool ok_ = true;
    std::uint64_t bytes_ = 0;
};

} // namespace velmora
