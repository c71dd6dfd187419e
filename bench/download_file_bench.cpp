// The download file writer against a plain writer that prints every field with
// fprintf, on the two largest files a logger can produce: 65,535 readings of a
// wide (16-bit) voltage logger and 32,767 readings of a humidity logger (two
// values per reading, a dew point per line). Both write real files side by side in
// one run; the files must be byte-identical, and ours should be at least 10x faster
// in processor time (the wall clock is printed beside it: on a shared machine it
// also counts the time other programs held the processor).
//
//   download_file_bench [repetitions]     (exit code 1 when the bytes differ)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench_support.h"
#include "byte_sink.h"
#include "conversions.h"
#include "download_columns.h"
#include "download_task.h"
#include "logger_download_file.h"
#include "type_catalogue.h"

using namespace velmora;

namespace {

// A column title of the format, after its comma.
void title(std::FILE* f, std::string_view text)
{
    std::fprintf(f, ",%.*s", static_cast<int>(text.size()), text.data());
}

// The reference: the same rules, every field through fprintf, stdio buffering; the
// column titles are the format's. It covers the reading table of the non-event types
// used below.
void referenceWrite(std::FILE* f, const LoggerRecord& r, const std::vector<float>& readings, CivilTime t,
                    std::uint32_t interval)
{
    const LoggerConfig& c = r.config;
    const bool humidity = c.type() == 3;
    std::fprintf(f, "%s", c.name().c_str());
    title(f, column::kTime);
    if (c.type() == 4)
        std::fprintf(f, ",%.*s(%s)", static_cast<int>(column::kVoltage.size()), column::kVoltage.data(),
                     c.units().c_str());
    else
        title(f, c.inputOptions() == 1 ? column::kFahrenheit : column::kCelsius);
    if (c.hasFlag(flag::kHighEnabled))
        title(f, column::kHighAlarm);
    if (c.hasFlag(flag::kLowEnabled))
        title(f, column::kLowAlarm);
    if (humidity) {
        title(f, column::kHumidity);
        if (c.hasFlag(flag::kRhHighEnabled))
            title(f, column::kHumidityHighAlarm);
        if (c.hasFlag(flag::kRhLowEnabled))
            title(f, column::kHumidityLowAlarm);
        title(f, c.inputOptions() == 1 ? column::kDewPointFahrenheit : column::kDewPointCelsius);
    }
    title(f, column::kSerialNumber);
    std::fprintf(f, "\r\n");
    const std::string high = highAlarmText(r), low = lowAlarmText(r);
    std::size_t i = 0;
    for (int row = 1; row <= c.readingCount(); ++row) {
        std::fprintf(f, "%d,", row);
        std::fprintf(f, "%02d/%02d/%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute, t.second);
        const auto raw = static_cast<std::int32_t>(readings[i]);
        const double value = rawToValue(r, raw);
        if (isScaled(c.type()))
            std::fprintf(f, ",%.*f", r.displayDecimals, roundToStep(r, value));
        else
            std::fprintf(f, ",%.1f", value);
        if (c.hasFlag(flag::kHighEnabled))
            std::fprintf(f, ",%s", high.c_str());
        if (c.hasFlag(flag::kLowEnabled))
            std::fprintf(f, ",%s", low.c_str());
        if (humidity) {
            const double rh = static_cast<std::int32_t>(readings[i + 1]) * 0.5;
            std::fprintf(f, ",%.1f", rh);
            if (c.hasFlag(flag::kRhHighEnabled))
                std::fprintf(f, ",%.1f", c.rhHighAlarm());
            if (c.hasFlag(flag::kRhLowEnabled))
                std::fprintf(f, ",%.1f", c.rhLowAlarm());
            if (rh == 0)
                title(f, column::kNoDewPoint);
            else
                std::fprintf(f, ",%.1f", dewPoint(r, value, rh));
        }
        if (row == 1)
            std::fprintf(f, ",%09d", static_cast<int>(c.serialNumber()));
        std::fprintf(f, "\r\n");
        i += humidity ? 2 : 1;
        addSeconds(t, interval);
    }
}

LoggerRecord voltageLogger()
{
    LoggerRecord r;
    LoggerConfig& c = r.config;
    c.setType(4);
    c.setName("Supply rail");
    c.setCalGain(30.0f / 65472.0f);
    c.setInputScalar(1.0f);
    c.setInputOptions(1); // user scaling 0..30 V shown as 0..30 V
    c.setText(TextSlot::ScaleIn1, "0");
    c.setText(TextSlot::ScaleOut1, "0");
    c.setText(TextSlot::ScaleIn2, "30");
    c.setText(TextSlot::ScaleOut2, "30");
    c.setText(TextSlot::Units, "V");
    c.setStart(2026, 12, 7, 14, 0, 0);
    c.setSampleInterval(10);
    c.setReadingCount(65535);
    c.setSerialNumber(12345);
    c.setHighAlarmEnabled(true);
    c.setLowAlarmEnabled(true);
    refreshDerivedValues(r);
    c.setHighAlarmRaw(static_cast<std::uint16_t>(valueToRaw(r, 24.0)));
    c.setLowAlarmRaw(static_cast<std::uint16_t>(valueToRaw(r, 3.3)));
    return r;
}

LoggerRecord humidityLogger()
{
    LoggerRecord r;
    LoggerConfig& c = r.config;
    c.setType(3);
    c.setName("Store room");
    c.setCalGain(0.5f);
    c.setCalOffset(-40.0f);
    c.setStart(2026, 12, 7, 14, 0, 0);
    c.setSampleInterval(60);
    c.setReadingCount(32767);
    c.setSerialNumber(12345);
    c.setU8(34, 140); // 30 °C
    c.setU8(35, 84);  // 2 °C
    c.setHighAlarmEnabled(true);
    c.setLowAlarmEnabled(true);
    c.setRhHighAlarm(160);
    c.setRhLowAlarm(40);
    c.setRhHighEnabled(true);
    c.setRhLowEnabled(true);
    return r;
}

struct Race {
    bench::Timing ours, reference;
    std::size_t bytes = 0;
    bool identical = true;
};

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Race measure(const LoggerRecord& r, const std::vector<float>& readings, const std::string& folder, int reps)
{
    Race race;
    const std::string oursPath = folder + "/ours.txt", referencePath = folder + "/reference.txt";
    const CivilTime start = downloadStartTime(r);
    const std::uint32_t interval = downloadInterval(r);
    for (int rep = 0; rep < reps; ++rep) {
        // Fresh files each time: truncating the last run's file would time the file
        // system, not the writers.
        std::remove(oursPath.c_str());
        std::remove(referencePath.c_str());
        race.ours.best([&] {
            const int fd = ::open(oursPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            FdSink sink(fd);
            if (!writeDownloadFile(sink, r, readings, start, interval).complete())
                race.identical = false;
            ::close(fd);
        });
        race.reference.best([&] {
            std::FILE* f = std::fopen(referencePath.c_str(), "wb");
            referenceWrite(f, r, readings, start, interval);
            std::fclose(f);
        });

        const std::string ours = slurp(oursPath), reference = slurp(referencePath);
        race.bytes = ours.size();
        if (ours != reference)
            race.identical = false;
    }
    return race;
}

bool report(const char* what, const Race& r)
{
    std::printf("%-44s %8.2f %8.2f | %8.2f %8.2f | %5.1fx %5.1fx | %8zu  %s\n", what, r.ours.cpu * 1e3,
                r.ours.wall * 1e3, r.reference.cpu * 1e3, r.reference.wall * 1e3, r.reference.cpu / r.ours.cpu,
                r.reference.wall / r.ours.wall, r.bytes, r.identical ? "identical" : "BYTES DIFFER");
    return r.identical;
}

} // namespace

int main(int argc, char** argv)
{
    const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    char pattern[] = "/tmp/velmora-bench-XXXXXX";
    const char* folder = ::mkdtemp(pattern);
    if (!folder) {
        std::perror("mkdtemp");
        return 2;
    }
    std::mt19937 rng(7);

    const LoggerRecord volts = voltageLogger();
    std::vector<float> voltReadings(65536);
    std::uniform_int_distribution<int> code(0, 65472);
    for (float& v : voltReadings)
        v = static_cast<float>(code(rng));

    const LoggerRecord store = humidityLogger();
    std::vector<float> storeReadings(65536);
    std::uniform_int_distribution<int> temperature(60, 160), humidity(0, 200);
    for (std::size_t i = 0; i < storeReadings.size(); i += 2) {
        storeReadings[i] = static_cast<float>(temperature(rng));
        storeReadings[i + 1] = static_cast<float>(humidity(rng));
    }

    std::printf("download file writer, best of %d runs\n", reps);
    std::printf("%-44s %-17s | %-17s | %-13s |\n", "", "ours ms", "fprintf ms", "ratio");
    std::printf("%-44s %8s %8s | %8s %8s | %6s %6s | %8s\n", "file", "cpu", "wall", "cpu", "wall", "cpu", "wall",
                "bytes");
    bool ok = report("voltage logger, 65,535 readings", measure(volts, voltReadings, folder, reps));
    ok = report("humidity logger, 32,767 readings (2 values)", measure(store, storeReadings, folder, reps)) && ok;

    std::remove((std::string(folder) + "/ours.txt").c_str());
    std::remove((std::string(folder) + "/reference.txt").c_str());
    ::rmdir(folder);
    std::printf("target: ours at least 10x the fprintf reference in processor time, byte-identical\n");
    return ok ? 0 : 1;
}
