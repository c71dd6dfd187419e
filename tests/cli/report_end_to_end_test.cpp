// velmora-cli report, checked with tools nobody here wrote: pdftotext reads the
// page's words back (the logger, the figures, the SHA-256 that sha256sum gives for the
// file), pdftoppm rasterises it (the paper's shape, the chart's red first channel).
#include <algorithm>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string data(const std::string& name) { return std::string(VELMORA_TEST_DATA_DIR) + "/" + name; }

struct ShellRun {
    int exitCode;
    std::string out, err;
};

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("command -v pdftotext >/dev/null && command -v pdftoppm >/dev/null && "
                        "command -v sha256sum >/dev/null") != 0)
            GTEST_SKIP() << "poppler-utils missing (scripts/setup.sh installs them)";
        dir_ = fs::temp_directory_path() / ("velmora-report-test-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A shell command with standard output and error caught; the C locale's paper is A4.
    ShellRun shell(const std::string& command)
    {
        const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
        const std::string line = "LC_ALL=C " + command + " > '" + out.string() + "' 2> '" + err.string() + "'";
        const int status = std::system(line.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
    }
    ShellRun report(const std::string& arguments) { return shell("'" VELMORA_CLI "' report " + arguments); }

    fs::path dir_;
};

TEST_F(ReportTest, ThePageNamesTheLoggerItsFiguresAndTheFilesFingerprint)
{
    const std::string file = data("stats/fridge_excursions.txt");
    const fs::path pdf = dir_ / "fridge.pdf";
    const ShellRun r = report("'" + file + "' '" + pdf.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");

    const std::string sha = shell("sha256sum '" + file + "'").out.substr(0, 64);
    const std::string text = shell("pdftotext '" + pdf.string() + "' -").out;
    // 5 9 9.5 5 1 8.5 8 1.5 1.5 5 a minute apart, alarms 8.0 and 2.0: MKT 5.966 °C
    // (ΔH/R = 9999.9247 K), three minutes above and three below, two runs of each.
    for (const std::string& expected : std::vector<std::string>{
             "Logger: Fridge", "Serial number: 000012345", "Readings: 10", "Interval: 1 min (60 s)",
             "First reading: 07/12/2026 14:00:00", "Last reading: 07/12/2026 14:09:00", "Mean kinetic temperature",
             "5.97°C", "5.40°C", "3.10°C", "Celsius High Alarm: 8.0°C", "Celsius Low Alarm: 2.0°C",
             "activation energy of 83.144 kJ/mol",
             "Download file: fridge_excursions.txt, " + std::to_string(fs::file_size(file)) + " bytes",
             "SHA-256: " + sha, "sha256sum fridge_excursions.txt"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;

    // One A4 page (210 × 297 mm at 25.4 dots an inch: 210 × 297 dots, give or take the
    // rasteriser's rounding), with the first channel's red line in the chart.
    ASSERT_EQ(shell("pdftoppm -r 25.4 '" + pdf.string() + "' '" + (dir_ / "page").string() + "'").exitCode, 0);
    std::istringstream ppm(slurp(dir_ / "page-1.ppm"));
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    ppm >> magic >> width >> height >> maximum;
    ppm.get();
    EXPECT_EQ(magic, "P6");
    EXPECT_NEAR(width, 210, 1);
    EXPECT_NEAR(height, 297, 1);
    EXPECT_FALSE(fs::exists(dir_ / "page-2.ppm"));
    int red = 0;
    for (int i = 0; i < width * height; ++i) {
        const int r = ppm.get(), g = ppm.get(), b = ppm.get();
        red += r > 200 && g < 150 && b < 150;
    }
    EXPECT_GT(red, 50);
}

TEST_F(ReportTest, ARangeAndAnotherActivationEnergy)
{
    const fs::path pdf = dir_ / "part.pdf";
    // 14:01:30 to 14:03:00: 9.5 and 5; MKT 7.5499 °C at 83.144 kJ/mol, 7.6847 °C at 120
    // (shown with one decimal more than the readings).
    ShellRun r = report("--from '07/12/2026 14:01:30' --to '07/12/2026 14:03:00' '" +
                        data("stats/fridge_excursions.txt") + "' '" + pdf.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string text = shell("pdftotext '" + pdf.string() + "' -").out;
    for (const char* expected : {"Readings: 2 of 10 in the file", "First reading: 07/12/2026 14:02:00",
                                 "Last reading: 07/12/2026 14:03:00", "7.55°C", "7.25°C"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;

    r = report("--activation-energy 120 --from '07/12/2026 14:01:30' --to '07/12/2026 14:03:00' '" +
               data("stats/fridge_excursions.txt") + "' '" + pdf.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    text = shell("pdftotext '" + pdf.string() + "' -").out;
    EXPECT_NE(text.find("activation energy of 120 kJ/mol"), std::string::npos) << text;
    EXPECT_NE(text.find("7.68°C"), std::string::npos) << text;
}

TEST_F(ReportTest, FailuresLeaveNoReport)
{
    const fs::path pdf = dir_ / "r.pdf";
    const struct {
        std::string arguments;
        int exitCode;
        std::string err;
    } cases[] = {
        {"'" + data("reader/stamp_bad_line3.txt") + "' '" + pdf.string() + "'", 1,
         "The File contains invalid data (line 3).\n"},
        {"'" + data("reader/event_rising.txt") + "' '" + pdf.string() + "'", 1,
         "The file you are trying to open is an event log which cannot be displayed in Velmora USB Graph.\n"},
        {"'" + data("stats/all_equal.txt") + "' '" + (dir_ / "no-such-folder" / "r.pdf").string() + "'", 1,
         "Failed opening file:\n" + (dir_ / "no-such-folder" / "r.pdf").string() + "\n(No such file or directory)\n"},
        {"'" + data("stats/all_equal.txt") + "'", 2, ""},
        {"--to '01/01/2026 00:00:00' --from '02/01/2026 00:00:00' a.txt b.pdf", 2,
         "velmora-cli report: --from is later than --to\n"},
    };
    for (const auto& c : cases) {
        const ShellRun r = report(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.arguments;
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << c.arguments;
        EXPECT_FALSE(fs::exists(pdf)) << c.arguments;
    }

    // OUT is the download file under another spelling: it stays the download file.
    const fs::path file = dir_ / "fridge.txt", sameFile = dir_ / "." / "fridge.txt";
    fs::copy_file(data("stats/all_equal.txt"), file);
    const ShellRun r = report("'" + file.string() + "' '" + sameFile.string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "The report cannot be saved as:\n" + sameFile.string() +
                         "\nThat is the download file it reports on: choose another name.\n");
    EXPECT_EQ(slurp(file), slurp(data("stats/all_equal.txt")));
}

// Several files: hall 4 6 9 7 (°C, a minute apart, high alarm 8), damp 90 95 (%RH),
// door 5 10 11.5 3 (°C, five minutes apart from 08:01, high alarm 8).
TEST_F(ReportTest, SeveralFilesARowEachTheSummaryAndEveryFingerprint)
{
    const std::string hall = data("compare/hall.txt"), damp = data("compare/damp.txt"), door = data("compare/door.txt");
    const fs::path pdf = dir_ / "study.pdf";
    const ShellRun r = report("'" + hall + "' '" + damp + "' '" + door + "' '" + pdf.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = shell("pdftotext '" + pdf.string() + "' -").out;
    for (const std::string& expected : std::vector<std::string>{
             "3 files compared", "hall.txt", "damp.txt", "door.txt", "95.0%RH", "6.50°C", "7.38°C", "10 min",
             "Hottest: door.txt: 11.5°C at 01/06/2026 08:11:00", "Coolest mean: hall.txt: 6.50°C",
             "Longest excursion above high alarm: door.txt: 10 min", "hall.txt, 158 bytes",
             "SHA-256: b1dfd804495028cec794bd84acc48e9839b84b5c59e71cf7234e7a87e3241a9e", "door.txt, 160 bytes",
             "SHA-256: 9c7a9c5f00af75649743b29a37a0d212fe6d1d02ff3d51998239a95b5ec7f096"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST_F(ReportTest, ATableTooLongForOnePageRunsOnAndAThirdUnitIsRefused)
{
    // Sixty copies of hall: sixty rows and sixty fingerprints do not fit on A4.
    std::string arguments;
    for (int i = 0; i < 60; ++i) {
        const fs::path copy = dir_ / ("logger" + std::to_string(i) + ".txt");
        fs::copy_file(data("compare/hall.txt"), copy);
        arguments += "'" + copy.string() + "' ";
    }
    const fs::path pdf = dir_ / "many.pdf";
    ASSERT_EQ(report(arguments + "'" + pdf.string() + "'").exitCode, 0);
    const std::string text = shell("pdftotext '" + pdf.string() + "' -").out;
    EXPECT_GE(std::count(text.begin(), text.end(), '\f'), 2) << "pages";
    EXPECT_NE(text.find("logger59.txt, 158 bytes"), std::string::npos);

    const std::string warm = data("reader/fahrenheit_without_unit.txt");
    const fs::path refused = dir_ / "refused.pdf";
    const ShellRun r = report("'" + data("compare/hall.txt") + "' '" + data("compare/damp.txt") + "' '" + warm + "' '" +
                              refused.string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, warm + "\nThis file cannot join the chart: its unit °F fits neither axis (°C on the left, %RH "
                            "on the right).\n");
    EXPECT_FALSE(fs::exists(refused));
}

} // namespace
