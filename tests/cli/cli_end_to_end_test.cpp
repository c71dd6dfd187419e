// Runs the velmora-cli program the way a script would: a logger image in, the
// download file's bytes, the printed status and the updated image out.
#include <gtest/gtest.h>

#include "cli_run_fixture.h"
#include "fridge_expectations.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using velmora::testing::CliRun;
using velmora::testing::slurp;

class CliTest : public velmora::testing::CliRunTest {
protected:
    CliTest() : CliRunTest("velmora-cli-test-") {}

    // A stopped type-1 logger named Fridge: Celsius (0.5 °C a count from -40 °C),
    // high alarm 8.0 and low alarm 2.0 enabled, 10 s interval, started 7 Dec 2026
    // 14:00:00, holding the given raw readings.
    fs::path writeFridgeImage(const std::vector<std::uint8_t>& raw, bool logging = false)
    {
        std::vector<std::uint8_t> record(64, 0);
        record[0] = 1;
        const char name[] = "Fridge";
        std::copy(name, name + 6, record.begin() + 2);
        record[18] = 14; // 14:00:00
        record[21] = 7;  // 7/12/2026
        record[22] = 12;
        record[23] = 26;
        record[28] = 10; // interval
        record[30] = static_cast<std::uint8_t>(raw.size());
        const std::uint16_t flags = 0x0003 | 0x0200 | (logging ? 0x0100 : 0); // alarms, undownloaded
        record[32] = flags & 0xFF;
        record[33] = flags >> 8;
        record[34] = 96; // 8.0 °C
        record[35] = 84; // 2.0 °C
        // calGain 0.5f = 0x3F000000, calOffset -40.0f = 0xC2200000, little-endian
        record[39] = 0x3F;
        record[42] = 0x20;
        record[43] = 0xC2;
        record[48] = 'V';
        record[49] = '1';
        record[50] = '.';
        record[51] = '0';
        record[52] = 0x39; // serial 12345
        record[53] = 0x30;
        record[60] = 0xFF; // capacity 16383
        record[61] = 0x3F;
        const fs::path image = dir_ / "fridge.img";
        std::ofstream f(image, std::ios::binary);
        f.write(reinterpret_cast<const char*>(record.data()), static_cast<std::streamsize>(record.size()));
        f.write(reinterpret_cast<const char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
        return image;
    }
};

} // namespace

TEST_F(CliTest, DownloadWritesTheFileByteForByte)
{
    const fs::path image = writeFridgeImage({89, 89, 90});
    const fs::path file = dir_ / "fridge out.txt";
    const CliRun r = run("--simulate '" + image.string() + "' download '" + file.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(slurp(file), velmora::fridge::kDownloadFile);
    // The same image downloads to the same bytes again.
    const fs::path again = dir_ / "again.txt";
    ASSERT_EQ(run("--simulate '" + image.string() + "' download '" + again.string() + "'").exitCode, 0);
    EXPECT_EQ(slurp(again), slurp(file));
}

TEST_F(CliTest, AShortDownloadNeverReplacesAFile)
{
    // The record says three readings; the logger sends one.
    const fs::path image = writeFridgeImage({89, 89, 90});
    fs::resize_file(image, 64 + 1);
    const fs::path keep = dir_ / "keep.txt";
    std::ofstream(keep, std::ios::binary) << "a good download";
    const CliRun r = run("--simulate '" + image.string() + "' download '" + keep.string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    const fs::path partial = dir_ / "keep.partial.txt";
    EXPECT_EQ(r.err, "The logger sent fewer readings than it reported.\nOnly 1 of 3 readings arrived, so the download "
                     "was not saved as:\n" +
                         keep.string() + "\nThe readings that arrived were saved to:\n" + partial.string() + "\n");
    EXPECT_EQ(slurp(keep), "a good download");
    EXPECT_EQ(slurp(partial), "Fridge,Time,Celsius(\260C),High Alarm,Low Alarm,Serial Number\r\n"
                              "1,07/12/2026 14:00:00,4.5,8.0,2.0,000012345\r\n");
}

TEST_F(CliTest, AWrappedRollOverLoggerAtPositionZeroDownloadsItsRing)
{
    // A type-14 logger in roll-over storage that has gone round once and stands at
    // write position 0: its count says 0, its memory holds capacity - 1 readings.
    std::vector<std::uint8_t> record(256, 0);
    record[0] = 14;
    const char name[] = "Oven";
    std::copy(name, name + 4, record.begin() + 2);
    record[18] = 14; // 14:00:00, 7/12/2026
    record[21] = 7;
    record[22] = 12;
    record[23] = 26;
    record[28] = 60;   // interval
    record[36] = 0x0A; // calibration gain 0.01f = 0x3C23D70A
    record[37] = 0xD7;
    record[38] = 0x23;
    record[39] = 0x3C;
    record[42] = 0x20; // calibration offset -40.0f = 0xC2200000
    record[43] = 0xC2;
    record[47] = 0x10; // roll-over storage
    record[52] = 0x39; // serial 12345
    record[53] = 0x30;
    record[58] = 1; // wrapped once
    record[60] = 4; // capacity 4
    // Readings 4010, 4020, 4030, 4040, two bytes each, most significant first.
    const std::vector<std::uint8_t> memory{0x0F, 0xAA, 0x0F, 0xB4, 0x0F, 0xBE, 0x0F, 0xC8};
    const fs::path image = dir_ / "oven.img";
    {
        std::ofstream f(image, std::ios::binary);
        f.write(reinterpret_cast<const char*>(record.data()), static_cast<std::streamsize>(record.size()));
        f.write(reinterpret_cast<const char*>(memory.data()), static_cast<std::streamsize>(memory.size()));
    }
    const fs::path file = dir_ / "oven.txt";
    const CliRun r = run("--simulate '" + image.string() + "' download '" + file.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // The oldest reading is the one after the position; at 0.01 degree a count from -40.
    EXPECT_EQ(slurp(file), "Oven,Time,Celsius(\260C),Serial Number\r\n"
                           "1,07/12/2026 14:00:00,0.2,000012345\r\n"
                           "2,07/12/2026 14:01:00,0.3\r\n"
                           "3,07/12/2026 14:02:00,0.4\r\n");
}

TEST_F(CliTest, StatusPrintsThePageRows)
{
    const fs::path image = writeFridgeImage({89, 89, 90});
    const CliRun r = run("--simulate '" + image.string() + "' status");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, velmora::fridge::kStatusText);

    const CliRun j = run("--simulate '" + image.string() + "' status --json");
    ASSERT_EQ(j.exitCode, 0) << j.err;
    EXPECT_NE(j.out.find("{\"rows\": [{\"label\": \"Current Status of the KV-USB-1 Data Logger:-\", \"value\": \"\"}"),
              std::string::npos)
        << j.out;
    EXPECT_NE(j.out.find("{\"label\": \"High Alarm :\", \"value\": \"8.0 \302\260C\"}"), std::string::npos);
}

TEST_F(CliTest, ALoggingLoggerIsStoppedOnlyWhenAsked)
{
    const fs::path image = writeFridgeImage({89, 90}, /*logging=*/true);
    const fs::path file = dir_ / "out.txt";
    CliRun r = run("--simulate '" + image.string() + "' download '" + file.string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("The logger is logging."), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(static_cast<unsigned char>(slurp(image)[33]) & 0x01, 0x01); // still logging

    r = run("--simulate '" + image.string() + "' download --stop '" + file.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(static_cast<unsigned char>(slurp(image)[33]) & 0x01, 0x00); // stopped, and saved so
}

TEST_F(CliTest, EmptyLoggersAndBadUsageWriteNothing)
{
    const fs::path image = writeFridgeImage({});
    const fs::path file = dir_ / "out.txt";
    CliRun r = run("--simulate '" + image.string() + "' download '" + file.string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no readings"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(file));

    EXPECT_EQ(run("--simulate 1 download").exitCode, 2);
    EXPECT_EQ(run("--simulate 1 frobnicate").exitCode, 2);
    EXPECT_EQ(run("status --bogus").exitCode, 2);
    EXPECT_EQ(run("").exitCode, 2);
    r = run("--simulate '" + (dir_ / "missing.img").string() + "' status");
    EXPECT_NE(r.exitCode, 0);
    EXPECT_FALSE(r.err.empty());
}

namespace {
// The types the utility's main menu accepts; the others get message 139.
bool compatible(int type) { return type != 17 && type != 18 && type != 20; }
const std::string kNotCompatible =
    "The USB device currently connected is not compatible with this version of the software.\n"
    "Contact your supplier for further assistance.\n(See About box for contact details)\n";
} // namespace

TEST_F(CliTest, EveryCompatibleTypeDownloadsAFile)
{
    for (int type = 1; type <= 21; ++type) {
        const fs::path file = dir_ / ("type" + std::to_string(type) + ".txt");
        const CliRun r = run("--simulate " + std::to_string(type) + " download '" + file.string() + "'");
        if (!compatible(type)) {
            // As the main menu does: no status, no download, nothing written.
            EXPECT_EQ(r.exitCode, 1) << type;
            EXPECT_EQ(r.err, kNotCompatible) << type;
            EXPECT_FALSE(fs::exists(file)) << type;
            const CliRun status = run("--simulate " + std::to_string(type) + " status");
            EXPECT_EQ(status.exitCode, 1) << type;
            EXPECT_EQ(status.err, kNotCompatible) << type;
            EXPECT_EQ(status.out, "") << type;
            continue;
        }
        ASSERT_EQ(r.exitCode, 0) << "type " << type << ": " << r.err;
        const std::string bytes = slurp(file);
        // A header, at least one data line, every line ended by CR LF.
        const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
        EXPECT_GE(lines, 2u) << type;
        EXPECT_EQ(lines, static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r'))) << type;
        EXPECT_EQ(bytes.find(",Event"), std::string::npos) << type;
    }
}

namespace {

std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos)
            return fields;
        start = comma + 1;
    }
}

// The shortest text that reads back as the same double, as JSON writes it.
std::string shortest(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

} // namespace

TEST_F(CliTest, EveryTypeReadsBackWithInspect)
{
    for (int type = 1; type <= 21; ++type) {
        if (!compatible(type))
            continue;
        const fs::path file = dir_ / ("type" + std::to_string(type) + ".txt");
        ASSERT_EQ(run("--simulate " + std::to_string(type) + " download '" + file.string() + "'").exitCode, 0);
        const std::string bytes = slurp(file);
        std::vector<std::string> lines;
        for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(bytes.substr(at, end - at));
        const std::vector<std::string> header = splitFields(lines.at(0));

        const CliRun r = run("inspect --json '" + file.string() + "'");
        ASSERT_EQ(r.exitCode, 0) << "type " << type << ": " << r.err;

        // Every chart series from its column of the file, read here with strtod;
        // columns the file lacks are gaps in the series the reader fills, and no
        // points in the ones it leaves alone. One reading is drawn twice.
        auto column = [&](auto matches) -> int {
            for (std::size_t c = 2; c < header.size(); ++c)
                if (matches(header[c]))
                    return static_cast<int>(c);
            return -1;
        };
        const int humidity = column([](const std::string& h) { return h == "Humidity(%rh)"; });
        const auto beforeHumidity = [&](const char* a, const char* b) {
            return column([&](const std::string& h) { return h == a || h == b; });
        };
        int high = beforeHumidity("High Alarm", "High Alarm");
        int low = beforeHumidity("Low Alarm", "Warning Level");
        const int highRh = column([](const std::string& h) { return h == "High Alarm rh"; });
        const int lowRh = column([](const std::string& h) { return h == "Low Alarm rh"; });
        const int dew = column([](const std::string& h) { return h.rfind("dew point(", 0) == 0; });
        if (humidity >= 0 && high > humidity)
            high = -1;
        if (humidity >= 0 && low > humidity)
            low = -1;
        std::vector<std::string> rows(lines.begin() + 1, lines.end());
        if (rows.size() == 1)
            rows.push_back(rows[0]);
        auto series = [&](int col, bool filled) {
            std::string y;
            if (col < 0 && !filled)
                return std::string("{\"shown\":false,\"y\":[]}");
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const std::string field = col < 0 ? "Error" : splitFields(rows[i]).at(static_cast<std::size_t>(col));
                y += (i ? "," : "") +
                     (field == "Error" ? std::string("null") : shortest(std::strtod(field.c_str(), nullptr)));
            }
            return std::string("{\"shown\":") + (col >= 0 ? "true" : "false") + ",\"y\":[" + y + "]}";
        };
        const bool second = humidity >= 0;
        const std::string channel1 = "\"series\":[" + series(2, true) + "," + series(high, true) + "," +
                                     series(low, true) + "," + series(second ? dew : -1, false) + "]}";
        const std::string channel2 = "\"series\":[" + series(humidity, false) + "," + series(highRh, second) + "," +
                                     series(lowRh, second) + "]}";
        EXPECT_NE(r.out.find("\"count\":" + std::to_string(rows.size()) + ","), std::string::npos) << type;
        EXPECT_NE(r.out.find(channel1 + ",\"channel2\":{\"present\":" + (second ? "true" : "false")), std::string::npos)
            << "type " << type << "\n"
            << channel1.substr(0, 300) << "\n"
            << r.out.substr(0, 600);
        EXPECT_NE(r.out.find(channel2 + ",\"from_to\""), std::string::npos) << "type " << type;
        EXPECT_NE(r.out.find(std::string("\"has_third\":") + (second && dew >= 0 ? "true" : "false")),
                  std::string::npos)
            << type;
    }
}

TEST_F(CliTest, InspectSummarisesADownloadedFile)
{
    const fs::path image = writeFridgeImage({89, 89, 90});
    const fs::path file = dir_ / "fridge.txt";
    ASSERT_EQ(run("--simulate '" + image.string() + "' download '" + file.string() + "'").exitCode, 0);
    const CliRun r = run("inspect '" + file.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // 4.5 4.5 5.0: mean 14 / 3, standard deviation sqrt(1/18), MKT 4.6701 °C.
    EXPECT_EQ(r.out, "Logger: Fridge\n"
                     "Serial number: 000012345\n"
                     "Readings: 3\n"
                     "Interval: 10 s\n"
                     "Start: 07/12/2026 14:00:00\n"
                     "Channel 1: Celsius (°C); high alarm: High Alarm; low alarm: Low Alarm\n"
                     "Alarm levels:\n"
                     "  Celsius High Alarm: 8.0°C\n"
                     "  Celsius Low Alarm: 2.0°C\n"
                     "Statistics, 07/12/2026 14:00:00 to 07/12/2026 14:00:20:\n"
                     "                               Celsius (°C)\n"
                     "  Readings                     3\n"
                     "  Minimum                      4.5°C\n"
                     "  Minimum first reached        07/12/2026 14:00:00\n"
                     "  Maximum                      5.0°C\n"
                     "  Maximum first reached        07/12/2026 14:00:20\n"
                     "  Mean                         4.67°C\n"
                     "  Standard deviation           0.24°C\n"
                     "  Mean kinetic temperature     4.67°C\n"
                     "  Time above high alarm        0 s\n"
                     "  Excursions above high alarm  0\n"
                     "  Longest above high alarm     0 s\n"
                     "  Time below low alarm         0 s\n"
                     "  Excursions below low alarm   0\n"
                     "  Longest below low alarm      0 s\n"
                     "From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:00:20\n");
    EXPECT_EQ(run("inspect --readout 2 '" + file.string() + "'").out, " 07 December 2026 14:00:20 : 5.0°C\n");
}

TEST_F(CliTest, ExportWritesAWorkbookOrSaysWhyNot)
{
    const fs::path image = writeFridgeImage({89, 89, 90});
    const fs::path file = dir_ / "fridge.txt", workbook = dir_ / "fridge.xlsx";
    ASSERT_EQ(run("--simulate '" + image.string() + "' download '" + file.string() + "'").exitCode, 0);
    CliRun r = run("export '" + file.string() + "' '" + workbook.string() + "'");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(slurp(workbook).substr(0, 2), "PK"); // what it holds: tests/export/check_workbook.py

    r = run("export '" + (dir_ / "none.txt").string() + "' '" + workbook.string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, (dir_ / "none.txt").string() + "\nThe file cannot be opened for reading.\n");
    EXPECT_EQ(slurp(workbook).substr(0, 2), "PK"); // the earlier workbook stays

    // Several files: the first that cannot be read is named, and nothing is written.
    r = run("export '" + file.string() + "' '" + (dir_ / "none.txt").string() + "' '" + (dir_ / "two.xlsx").string() +
            "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, (dir_ / "none.txt").string() + "\nThe file cannot be opened for reading.\n");
    EXPECT_FALSE(fs::exists(dir_ / "two.xlsx"));

    for (const char* usage : {"export", "export one.txt", "export --json a b"}) {
        r = run(usage);
        EXPECT_EQ(r.exitCode, 2) << usage;
        EXPECT_NE(r.err.find("usage: velmora-cli export FILE.txt... OUT.xlsx"), std::string::npos) << usage;
    }
}

TEST_F(CliTest, NoOutputReplacesTheFileItIsMadeFrom)
{
    const fs::path image = writeFridgeImage({89, 89, 90});
    const fs::path file = dir_ / "fridge.txt";
    ASSERT_EQ(run("--simulate '" + image.string() + "' download '" + file.string() + "'").exitCode, 0);
    const std::string download = slurp(file), imageBytes = slurp(image);
    fs::create_symlink(file, dir_ / "fridge.xlsx");
    fs::create_hard_link(image, dir_ / "logger.txt");

    const std::string workbookRefusal = "The workbook cannot be saved as:\n%1\nThat is the download file it is made "
                                        "from: choose another name.\n";
    const std::string downloadRefusal = "The download file cannot be saved as:\n%1\nThat is the logger image it is "
                                        "downloaded from: choose another name.\n";
    const struct {
        std::string arguments, out, refusal;
    } cases[] = {
        {"export '" + file.string() + "' '%1'", (dir_ / "fridge.xlsx").string(), workbookRefusal}, // a link to it
        {"--simulate '" + image.string() + "' download '%1'", image.string(), downloadRefusal},
        {"--simulate '" + image.string() + "' download --stop '%1'", (dir_ / "logger.txt").string(), downloadRefusal},
    };
    for (const auto& c : cases) {
        std::string arguments = c.arguments, refusal = c.refusal;
        const CliRun r = run(arguments.replace(arguments.find("%1"), 2, c.out));
        EXPECT_EQ(r.exitCode, 1) << arguments;
        EXPECT_EQ(r.err, refusal.replace(refusal.find("%1"), 2, c.out)) << arguments;
        EXPECT_EQ(slurp(file), download) << arguments;
        EXPECT_EQ(slurp(image), imageBytes) << arguments;
    }
    EXPECT_EQ(run("--simulate '" + image.string() + "' download '" + (dir_ / "again.txt").string() + "'").exitCode, 0);
}
