#include "download_file_writer.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "download_columns.h"
#include "time_stamp.h"

namespace velmora {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

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

std::string fixed(double value) { return fixedText(value, 1); }

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

DownloadFileWriter::DownloadFileWriter(ByteSink& sink, const DownloadFileLayout& l) : sink_(sink)
{
    if (l.highAlarm)
        alarms_ += "," + *l.highAlarm;
    if (l.lowAlarm)
        alarms_ += "," + *l.lowAlarm;
    if (l.humidity) {
        if (l.humidity->highAlarm)
            rhAlarms_ += "," + fixed(*l.humidity->highAlarm);
        if (l.humidity->lowAlarm)
            rhAlarms_ += "," + fixed(*l.humidity->lowAlarm);
    }
    char text[32];
    firstLine_ = "," + std::string(text, writeZeroPadded(text, l.serialNumber, 9));
    if (l.serviceDates) {
        // Dates as numbers straight from what is stored, whatever their validity.
        firstLine_ += "," + std::string(text, writeDate(text, l.serviceDates->sensorLifeExpiry));
        if (l.serviceDates->calibrationExpiry)
            firstLine_ += "," + std::string(text, writeDate(text, *l.serviceDates->calibrationExpiry));
        firstLine_ += ",";
        firstLine_ += l.serviceDates->overrangeExposure ? column::kYes : column::kNo;
    }

    const std::string header = headerLine(l);
    // The longest line: number, stamp, three printed values, the repeated parts.
    lineMax_ = 64 + 3 * kNumberBufferSize + alarms_.size() + rhAlarms_.size() + firstLine_.size() + header.size() + 16;
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

char* DownloadFileWriter::startReading(const CivilTime& time)
{
    char* p = line();
    p = writeUnsigned(p, ++number_);
    *p++ = ',';
    p = writeTimeStamp(p, time);
    *p++ = ',';
    return p;
}

void DownloadFileWriter::endReading(char* p, const HumidityFields* humidity)
{
    p = put(p, alarms_);
    if (humidity) {
        *p++ = ',';
        p = writeFixed(p, humidity->humidity, 1);
        p = put(p, rhAlarms_);
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
    char* p = line();
    p = writeUnsigned(p, ++number_);
    *p++ = ',';
    p = writeEventStamp(p, time);
    p = put(p, state ? ",1" : ",0");
    done(crlf(firstLineFields(p)));
}

void DownloadFileWriter::countTotalLine(const CivilTime& start, std::uint32_t total)
{
    char* p = line();
    p = writeUnsigned(p, ++number_);
    *p++ = ',';
    p = writeTimeStamp(p, start);
    *p++ = ',';
    p = writeUnsigned(p, total);
    done(crlf(firstLineFields(p)));
}

} // namespace velmora
