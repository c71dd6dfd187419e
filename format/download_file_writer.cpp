#include "download_file_writer.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "download_columns.h"
#include "time_stamp.h"

namespace velmora {

namespace {

constexpr std::size_t kBufferSize = 128 * 1024;

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

// "%d/%m/%Y %H:%M:%S.%d": an event record's time with its tenths.
char* writeEventStamp(char* p, const CivilTime& t)
{
    p = writeTimeStamp(p, t);
    *p++ = '.';
    return writeUnsigned(p, static_cast<unsigned>(t.tenths));
}

std::string_view eventModeTitle(EventMode mode)
{
    switch (mode) {
    case EventMode::Rising: return column::kRising;
    case EventMode::Falling: return column::kFalling;
    case EventMode::State: return column::kState;
    case EventMode::CountTotal: return column::kCountTotal;
    case EventMode::CountPer: return column::kCountPer;
    }
    return {};
}

std::string firstColumnTitle(const DownloadFileLayout& l)
{
    switch (l.first) {
    case FirstColumn::Celsius: return std::string(column::kCelsius);
    case FirstColumn::Fahrenheit: return std::string(column::kFahrenheit);
    case FirstColumn::Voltage: return std::string(column::kVoltage) + "(" + l.units + ")";
    case FirstColumn::Current: return std::string(column::kCurrent) + "(" + l.units + ")";
    case FirstColumn::CarbonMonoxide: return std::string(column::kCarbonMonoxide);
    case FirstColumn::Event: return std::string(column::kEvent) + std::string(eventModeTitle(l.eventMode));
    }
    return {};
}

} // namespace

std::string headerLine(const DownloadFileLayout& l)
{
    std::string h = l.loggerName;
    const auto add = [&h](std::string_view title) {
        h += ',';
        h += title;
    };
    add(column::kTime);
    add(firstColumnTitle(l));
    if (l.highAlarm)
        add(column::kHighAlarm);
    if (l.lowAlarm)
        add(l.lowIsWarningLevel ? column::kWarningLevel : column::kLowAlarm);
    if (l.humidity) {
        add(column::kHumidity);
        if (l.humidity->highAlarm)
            add(column::kHumidityHighAlarm);
        if (l.humidity->lowAlarm)
            add(column::kHumidityLowAlarm);
        add(l.humidity->dewPointFahrenheit ? column::kDewPointFahrenheit : column::kDewPointCelsius);
    }
    add(column::kSerialNumber);
    if (l.serviceDates) {
        add(column::kSensorLifeExpiry);
        if (l.serviceDates->calibrationExpiry)
            add(column::kCalibrationExpiry);
        add(column::kOverrangeExposure);
    }
    return h;
}

namespace {

// ",8.0,2.0": the levels every line writes.
std::string alarmsText(const DownloadFileLayout& l)
{
    std::string text;
    for (const std::optional<std::string>* level : {&l.highAlarm, &l.lowAlarm})
        if (*level)
            (text += ',') += **level;
    return text;
}

// ",80.0,20.0": the humidity levels every humidity line writes.
std::string humidityAlarmsText(const DownloadFileLayout& l)
{
    std::string text;
    char number[kNumberBufferSize];
    if (l.humidity)
        for (const std::optional<double>* level : {&l.humidity->highAlarm, &l.humidity->lowAlarm})
            if (*level)
                (text += ',').append(number, writeFixed(number, **level, 1));
    return text;
}

// ",000012345" and, for a carbon monoxide logger, its service dates.
std::string firstLineText(const DownloadFileLayout& l)
{
    char text[kNumberBufferSize];
    std::string fields;
    const auto field = [&fields](std::string_view value) { (fields += ',') += value; };
    field({text, writeZeroPadded(text, l.serialNumber, 9)});
    if (l.serviceDates) {
        // Dates as numbers straight from what is stored, whatever their validity.
        field({text, writeDate(text, l.serviceDates->sensorLifeExpiry)});
        if (l.serviceDates->calibrationExpiry)
            field({text, writeDate(text, *l.serviceDates->calibrationExpiry)});
        field(l.serviceDates->overrangeExposure ? column::kYes : column::kNo);
    }
    return fields;
}

} // namespace

DownloadFileWriter::RepeatedText::RepeatedText(std::string text) : text_(std::move(text))
{
    if (text_.size() <= kRoom)
        std::memcpy(fixed_, text_.data(), text_.size());
}

char* DownloadFileWriter::RepeatedText::write(char* out) const
{
    if (text_.size() > kRoom)
        return put(out, text_);
    std::memcpy(out, fixed_, kRoom); // a fixed length: a few moves
    return out + text_.size();
}

DownloadFileWriter::DownloadFileWriter(ByteSink& sink, const DownloadFileLayout& l)
    : sink_(sink), alarms_(alarmsText(l)), rhAlarms_(humidityAlarmsText(l)), firstLine_(firstLineText(l))
{
    const std::string header = headerLine(l);
    // The longest line: number, stamp, three printed values, the repeated parts, and
    // the room the number and the stamp are copied with.
    lineMax_ = 64 + LineNumber::kRoom + TimeStampText::kRoom + 2 * RepeatedText::kRoom + 3 * kNumberBufferSize +
               alarms_.size() + rhAlarms_.size() + firstLine_.size() + header.size() + 16;
    buffer_.resize(std::max(kBufferSize, 2 * lineMax_));
    done(crlf(put(line(), header)));
}

char* DownloadFileWriter::line()
{
    if (buffer_.size() - used_ < lineMax_)
        flush();
    return buffer_.data() + used_;
}

void DownloadFileWriter::done(char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

void DownloadFileWriter::flush()
{
    if (used_ > 0 && ok_) {
        ok_ = sink_.write(buffer_.data(), used_);
        if (ok_)
            bytes_ += used_;
    }
    used_ = 0;
}

bool DownloadFileWriter::finish()
{
    flush();
    return ok_;
}

char* DownloadFileWriter::firstLineFields(char* p)
{
    if (firstLineDone_)
        return p;
    firstLineDone_ = true;
    return put(p, firstLine_);
}

char* DownloadFileWriter::LineNumber::writeAndCount(char* out)
{
    std::memcpy(out, digits_ + first_, kRoom); // a fixed length: the copy is a few moves
    out += kRoom - first_;
    std::size_t i = kRoom - 1;
    while (digits_[i] == '9')
        digits_[i--] = '0';
    ++digits_[i]; // a '0' before the first digit when the number gains one
    first_ = std::min(first_, i);
    return out;
}

char* DownloadFileWriter::startReading(const TimeStampText& time)
{
    char* p = number_.writeAndCount(line());
    *p++ = ',';
    p = time.write(p);
    *p++ = ',';
    return p;
}

void DownloadFileWriter::endReading(char* p, const HumidityFields* humidity)
{
    p = alarms_.write(p);
    if (humidity) {
        *p++ = ',';
        p = writeFixed(p, humidity->humidity, 1);
        p = rhAlarms_.write(p);
        *p++ = ',';
        p = humidity->dewPoint ? writeFixed(p, *humidity->dewPoint, 1) : put(p, column::kNoDewPoint);
    }
    done(crlf(firstLineFields(p)));
}

void DownloadFileWriter::edgeStartLine(const CivilTime& start)
{
    char* p = put(line(), "0,");
    p = writeTimeStamp(p, start);
    p = put(p, ".0,");
    done(crlf(firstLineFields(p)));
}

void DownloadFileWriter::eventLine(const CivilTime& time, bool state)
{
    char* p = number_.writeAndCount(line());
    *p++ = ',';
    p = writeEventStamp(p, time);
    p = put(p, state ? ",1" : ",0");
    done(crlf(firstLineFields(p)));
}

void DownloadFileWriter::countTotalLine(const CivilTime& start, std::uint32_t total)
{
    char* p = number_.writeAndCount(line());
    *p++ = ',';
    p = writeTimeStamp(p, start);
    *p++ = ',';
    p = writeUnsigned(p, total);
    done(crlf(firstLineFields(p)));
}

} // namespace velmora
