#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "download_task.h"
#include "german_numbers.h"
#include "logger_download_file.h"

using namespace velmora;

namespace {

const CivilTime kStart{2026, 12, 7, 14, 0, 0, 0};

LoggerRecord logger(LoggerType type, const char* name, float gain = 0.5f, float offset = -40.0f)
{
    LoggerRecord r;
    r.config.setType(type);
    r.config.setName(name);
    r.config.setCalGain(gain);
    r.config.setCalOffset(offset);
    r.config.setSerialNumber(12345);
    r.config.setSampleInterval(10);
    return r;
}

struct Written {
    std::string bytes;
    DownloadFileSummary summary;
};

Written write(const LoggerRecord& r, const std::vector<float>& readings, CivilTime start = kStart,
              std::uint32_t interval = 10)
{
    StringSink sink;
    const DownloadFileSummary s = writeDownloadFile(sink, r, readings, start, interval);
    return {sink.bytes, s};
}

std::string lines(std::initializer_list<const char*> ls)
{
    std::string s;
    for (const char* l : ls)
        s += std::string(l) + "\r\n";
    return s;
}

float event(bool level, int tenths) { return static_cast<float>((level ? 0x8000 : 0) | tenths); }

} // namespace

TEST(DownloadFileWriter, TemperatureLoggerFridge)
{
    LoggerRecord r = logger(1, "Fridge");
    r.config.setU8(34, 96); // 8.0 °C
    r.config.setU8(35, 84); // 2.0 °C
    r.config.setHighAlarmEnabled(true);
    r.config.setLowAlarmEnabled(true);
    r.config.setReadingCount(3);
    const Written w = write(r, {89, 89, 90});
    EXPECT_EQ(w.bytes, lines({"Fridge,Time,Celsius(\260C),High Alarm,Low Alarm,Serial Number",
                              "1,07/12/2026 14:00:00,4.5,8.0,2.0,000012345", "2,07/12/2026 14:00:10,4.5,8.0,2.0",
                              "3,07/12/2026 14:00:20,5.0,8.0,2.0"}));
    EXPECT_TRUE(w.summary.complete());
    EXPECT_EQ(w.summary.rowsWritten, 3u);
    EXPECT_EQ(w.summary.bytes, w.bytes.size());
}

TEST(DownloadFileWriter, HumidityLoggerStoreWithDewPointAndError)
{
    LoggerRecord r = logger(3, "Store");
    r.config.setReadingCount(4);
    // Pairs of temperature and humidity codes: 20.0 °C 50 %rh, 15.0 °C 80 %rh,
    // -5.0 °C 30.5 %rh, and a humidity of 0 which has no dew point.
    const Written w = write(r, {120, 100, 110, 160, 70, 61, 120, 0});
    EXPECT_EQ(w.bytes, lines({"Store,Time,Celsius(\260C),Humidity(%rh),dew point(\260C),Serial Number",
                              "1,07/12/2026 14:00:00,20.0,50.0,9.3,000012345", "2,07/12/2026 14:00:10,15.0,80.0,11.6",
                              "3,07/12/2026 14:00:20,-5.0,30.5,-19.7", "4,07/12/2026 14:00:30,20.0,0.0,Error"}));
}

TEST(DownloadFileWriter, HumidityAlarmColumnsAndFahrenheit)
{
    LoggerRecord r = logger(13, "Lab", 1.0f, -40.0f);
    r.config.setInputOptions(1);
    r.config.setU8(34, 120); // 80 °F
    r.config.setHighAlarmEnabled(true);
    r.config.setRhHighAlarm(150); // 75.0 %rh
    r.config.setRhLowAlarm(41);   // 20.5 %rh
    r.config.setRhHighEnabled(true);
    r.config.setRhLowEnabled(true);
    r.config.setReadingCount(1);
    const Written w = write(r, {108, 100}); // 68 °F, 50 %rh: dew point 48.685 °F
    EXPECT_EQ(w.bytes, lines({"Lab,Time,Fahrenheit(\260F),High Alarm,Humidity(%rh),High Alarm rh,Low Alarm rh,"
                              "dew point(\260F),Serial Number",
                              "1,07/12/2026 14:00:00,68.0,80.0,50.0,75.0,20.5,48.7,000012345"}));
}

TEST(DownloadFileWriter, EdgeEventsDoor)
{
    LoggerRecord r = logger(17, "Door");
    r.config.setInputOptions(0x08); // edge mode, rising edge
    r.config.setReadingCount(4);
    // 192.4 s to the first rising edge; a falling record moves the clock but is not
    // written; 7 tenths carry into the next second.
    const Written w = write(r, {event(true, 1924), event(false, 50), event(true, 100), event(true, 7)});
    EXPECT_EQ(w.bytes, lines({"Door,Time,Event(Rising),Serial Number", "0,07/12/2026 14:00:00.0,,000012345",
                              "1,07/12/2026 14:03:12.4,1", "2,07/12/2026 14:03:27.4,1", "3,07/12/2026 14:03:28.1,1"}));
    EXPECT_TRUE(w.summary.complete());

    r.config.setInputOptions(0x00); // falling edge: the edge records read 0
    r.config.setReadingCount(1);
    EXPECT_EQ(write(r, {event(true, 5)}).bytes,
              lines({"Door,Time,Event(Falling),Serial Number", "0,07/12/2026 14:00:00.0,,000012345",
                     "1,07/12/2026 14:00:00.5,0"}));
}

TEST(DownloadFileWriter, StateChangeEvents)
{
    LoggerRecord r = logger(17, "Door");
    r.config.setInputOptions(0x10);
    r.config.setReadingCount(5);
    const Written w =
        write(r, {event(false, 0), event(false, 30), event(true, 25), event(true, 10), event(false, 600)});
    EXPECT_EQ(w.bytes, lines({"Door,Time,Event(State),Serial Number", "1,07/12/2026 14:00:00.0,0,000012345",
                              "2,07/12/2026 14:00:05.5,1", "3,07/12/2026 14:01:06.5,0"}));
}

TEST(DownloadFileWriter, CountTotalAndCountPerPeriod)
{
    LoggerRecord total = logger(17, "Counter");
    total.config.setInputOptions(0x20);
    total.config.setCountPeriod(1234567); // holds the total in this mode
    total.config.setReadingCount(0);
    EXPECT_EQ(write(total, {}).bytes,
              lines({"Counter,Time,Event(Count Total),Serial Number", "1,07/12/2026 14:00:00,1234567,000012345"}));

    LoggerRecord per = logger(17, "Counter");
    per.config.setInputOptions(0x30);
    per.config.setCountPeriod(900);
    per.config.setReadingCount(2);
    // The first count is stamped at the end of its period.
    EXPECT_EQ(write(per, {12, 0}, kStart, downloadInterval(per)).bytes,
              lines({"Counter,Time,Event(Count Per),Serial Number", "1,07/12/2026 14:15:00,12,000012345",
                     "2,07/12/2026 14:30:00,0"}));
}

TEST(DownloadFileWriter, WrappedRollOverStartsAfterTheCurrentPosition)
{
    LoggerRecord r = logger(14, "Oven", 0.01f, -40.0f);
    r.config.setOverwriteMode(true);
    r.config.setWrapCount(1);
    r.config.setMemoryCapacity(5);
    r.config.setReadingCount(2); // the logger's position
    r.config.setSampleInterval(60);
    r.config.setStart(2026, 12, 7, 14, 0, 0);
    // 4 rows from element 3, wrapping after element 4; the first is stamped at the
    // start advanced by 2 intervals.
    const Written w = write(r, {4010, 4020, 4030, 4040, 4050}, downloadStartTime(r), downloadInterval(r));
    EXPECT_EQ(w.bytes, lines({"Oven,Time,Celsius(\260C),Serial Number", "1,07/12/2026 14:02:00,0.4,000012345",
                              "2,07/12/2026 14:03:00,0.5", "3,07/12/2026 14:04:00,0.1", "4,07/12/2026 14:05:00,0.2"}));
    EXPECT_EQ(w.summary.rowsExpected, 4u);
}

TEST(DownloadFileWriter, WrappedHumidityRollOverSkipsTheCurrentPair)
{
    LoggerRecord r = logger(12, "Cellar");
    r.config.setOverwriteMode(true);
    r.config.setWrapCount(3);
    r.config.setMemoryCapacity(3);
    r.config.setReadingCount(1);
    // Pairs 0, 1 (current), 2: rows are pair 2, then pair 0.
    const Written w = write(r, {100, 120, 102, 122, 104, 124});
    EXPECT_EQ(w.bytes, lines({"Cellar,Time,Celsius(\260C),Humidity(%rh),dew point(\260C),Serial Number",
                              "1,07/12/2026 14:00:00,12.0,62.0,5.0,000012345", "2,07/12/2026 14:00:10,10.0,60.0,2.6"}));
}

TEST(DownloadFileWriter, HeaderAndValueRules)
{
    // A byte of 3 is not "1": the header says Celsius.
    LoggerRecord odd = logger(1, "Odd");
    odd.config.setInputOptions(3);
    odd.config.setReadingCount(1);
    EXPECT_EQ(write(odd, {89}).bytes,
              lines({"Odd,Time,Celsius(\260C),Serial Number", "1,07/12/2026 14:00:00,4.5,000012345"}));

    // Thermocouple with bit 1: the element itself, no decimals.
    LoggerRecord tc = logger(10, "Kiln");
    tc.config.setInputOptions(0x03);
    tc.config.setReadingCount(1);
    EXPECT_EQ(write(tc, {1234.6f}).bytes,
              lines({"Kiln,Time,Fahrenheit(\260F),Serial Number", "1,07/12/2026 14:00:00,1235,000012345"}));

    LoggerRecord volts = logger(4, "Supply", 1.0f / 2048.0f, 0.0f);
    volts.config.setInputScalar(1.0f);
    volts.config.setText(TextSlot::Units, "V");
    volts.displayStep = 0.05f;
    volts.displayDecimals = 2;
    volts.config.setReadingCount(1);
    EXPECT_EQ(write(volts, {2100}).bytes,
              lines({"Supply,Time,Voltage(V),Serial Number", "1,07/12/2026 14:00:00,1.05,000012345"}));

    LoggerRecord current = logger(7, "Loop");
    current.config.setText(TextSlot::Units, "mA");
    EXPECT_EQ(write(current, {}).bytes, lines({"Loop,Time,Current(mA),Serial Number"}));
}

TEST(DownloadFileWriter, CarbonMonoxideFirstRowCarriesTheServiceDates)
{
    LoggerRecord r = logger(9, "Boiler", 0.1f, 0.0f);
    r.config.setU16(56, 350); // 35.0 ppm
    r.config.setLowAlarmEnabled(true);
    r.config.setSensorLife(DatePeriod{31, 1, 126, 12});    // 30/01/2027
    r.config.setCalibrationDue(DatePeriod{1, 3, 125, 12}); // 28/02/2026
    r.config.setFlag(flag::kSensorFault, true);
    r.config.setReadingCount(2);
    EXPECT_EQ(write(r, {33, 27}).bytes,
              lines({"Boiler,Time,CO(ppm),Warning Level,Serial Number,Sensor Life Expiry,Calibration Expiry,"
                     "Overrange Exposure",
                     "1,07/12/2026 14:00:00,3.5,35.0,000012345,30/01/2027,28/02/2026,Yes",
                     "2,07/12/2026 14:00:10,0.0,35.0"}));

    r.config.setCalibrationDue(DatePeriod{});
    r.config.setFlag(flag::kSensorFault, false);
    r.config.setLowAlarmEnabled(false);
    r.config.setReadingCount(1);
    EXPECT_EQ(write(r, {30}).bytes, lines({"Boiler,Time,CO(ppm),Serial Number,Sensor Life Expiry,Overrange Exposure",
                                           "1,07/12/2026 14:00:00,3.0,000012345,30/01/2027,No"}));
}

TEST(DownloadFileWriter, TimeStampsCarryThroughMonthEnds)
{
    LoggerRecord r = logger(2, "Van");
    r.config.setReadingCount(2);
    const Written w = write(r, {80, 80}, CivilTime{2028, 2, 28, 23, 59, 50, 0}, 3600);
    EXPECT_EQ(w.bytes, lines({"Van,Time,Celsius(\260C),Serial Number", "1,28/02/2028 23:59:50,0.0,000012345",
                              "2,29/02/2028 00:59:50,0.0"}));
}

TEST(DownloadFileWriter, ShortReadingsWriteTheRowsThatExistAndSaySo)
{
    LoggerRecord r = logger(1, "Short");
    r.config.setReadingCount(5);
    const Written w = write(r, {89, 90, 91});
    EXPECT_EQ(w.summary.rowsExpected, 5u);
    EXPECT_EQ(w.summary.rowsWritten, 3u);
    EXPECT_TRUE(w.summary.shortOfReadings());
    EXPECT_EQ(std::count(w.bytes.begin(), w.bytes.end(), '\n'), 4);

    LoggerRecord rh = logger(3, "Half");
    rh.config.setReadingCount(2);
    const Written half = write(rh, {120, 100, 120}); // the second humidity is missing
    EXPECT_EQ(half.summary.rowsWritten, 1u);

    LoggerRecord events = logger(17, "Door");
    events.config.setInputOptions(0x10);
    events.config.setReadingCount(3);
    EXPECT_EQ(write(events, {event(true, 1)}).summary.rowsWritten, 1u);
}

TEST(DownloadFileWriter, NumbersKeepTheirFullStopInAGermanSession)
{
    test::GermanNumbers german;
    ASSERT_TRUE(german.active()) << "no German locale could be set up (Debian package: locales)";
    // 1024 x 2^50 = 2^60: too large to print from its scaled digits; printf in a German
    // session would write "1152921504606846976,0", an extra field.
    LoggerRecord huge = logger(1, "Huge", 0x1p50f, 0.0f);
    huge.config.setU8(34, 96);
    huge.config.setHighAlarmEnabled(true);
    huge.config.setReadingCount(2);
    EXPECT_EQ(write(huge, {1024, 0.5f}).bytes,
              lines({"Huge,Time,Celsius(\260C),High Alarm,Serial Number",
                     "1,07/12/2026 14:00:00,1152921504606846976.0,108086391056891904.0,000012345",
                     "2,07/12/2026 14:00:10,0.0,108086391056891904.0"}));
}

namespace {
// Accepts a number of bytes, then fails; remembers the chunks it was given.
class LimitedSink final : public ByteSink {
public:
    explicit LimitedSink(std::size_t limit) : limit_(limit) {}
    bool write(const char*, std::size_t size) override
    {
        ++chunks;
        largest = std::max(largest, size);
        if (taken + size > limit_)
            return false;
        taken += size;
        return true;
    }
    std::size_t taken = 0, chunks = 0, largest = 0;

private:
    std::size_t limit_;
};
} // namespace

TEST(DownloadFileWriter, StreamsInBoundedChunksAndStopsWhenTheSinkFails)
{
    LoggerRecord r = logger(1, "Big");
    r.config.setReadingCount(65535);
    const std::vector<float> readings(65535, 89.0f);

    LimitedSink all(SIZE_MAX);
    const DownloadFileSummary ok = writeDownloadFile(all, r, readings, kStart, 10);
    EXPECT_TRUE(ok.complete());
    EXPECT_GT(all.chunks, 10u);           // about 2.3 MB in pieces,
    EXPECT_LE(all.largest, 128u * 1024u); // never the whole file at once
    EXPECT_EQ(ok.bytes, all.taken);

    LimitedSink failing(100000);
    const DownloadFileSummary failed = writeDownloadFile(failing, r, readings, kStart, 10);
    EXPECT_FALSE(failed.sinkOk);
    EXPECT_FALSE(failed.complete());
    EXPECT_LT(failing.chunks, 5u); // it gave up at the first failure
}
