// The workbook of several files read back from its parts: the sheets and their names,
// one scatter series per file over its own rows, the second unit on the right-hand
// axis, the time axis spanning the files; what is refused writes nothing; and one file
// still gives the workbook it gave before several could be exported.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "scripted_prompts.h"
#include "time_zone.h"
#include "workbook_export.h"
#include "zip_entries.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string part(const std::vector<std::pair<std::string, std::string>>& entries, const std::string& name)
{
    for (const auto& [n, bytes] : entries)
        if (n == name)
            return bytes;
    ADD_FAILURE() << name << " missing";
    return {};
}

std::vector<std::string> matches(const std::string& text, const std::string& pattern)
{
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1].str());
    return found;
}

struct OverlayExport : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("velmora-overlay-test-" + std::to_string(::getpid()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::path out = dir / "study.xlsx";
    test::ScriptedPrompts prompts;
    const SheetDateFormat format = sheetDateFormat("%d/%m/%Y", "%H:%M:%S");

    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(dir / "other");
    }
    void TearDown() override { fs::remove_all(dir); }

    // hall 4 readings from 08:00 a minute apart (°C), damp 2 from 08:00 (%RH), door 4
    // from 08:01 five minutes apart (°C).
    std::string copy(const std::string& name, const fs::path& to)
    {
        fs::copy_file(std::string(VELMORA_TEST_DATA_DIR) + "/compare/" + name, to);
        return to.string();
    }
};

TEST_F(OverlayExport, ASheetPerFileAndASeriesPerFileOnItsOwnRows)
{
    const std::vector<std::string> files = {copy("hall.txt", dir / "hall.txt"), copy("damp.txt", dir / "damp.txt"),
                                            copy("door.txt", dir / "door.txt"),
                                            copy("hall.txt", dir / "other" / "HALL.txt")};
    // Progress runs forward through every file's passes, to the end and no further.
    std::vector<std::pair<std::size_t, std::size_t>> steps;
    const auto progress = [&](std::size_t done, std::size_t total) {
        steps.emplace_back(done, total);
        return true;
    };
    ASSERT_EQ(exportWorkbook(files, out.string(), format, prompts, progress), ExportOutcome::Written);
    ASSERT_GE(steps.size(), 8u); // the first line of each pass over each of the four files, and the end
    for (std::size_t i = 1; i < steps.size(); ++i) {
        EXPECT_LE(steps[i - 1].first, steps[i].first) << i;
        EXPECT_LE(steps[i].first, steps[i].second) << i;
    }
    // 557 bytes (hall twice, damp, door), and a tenth of each file for counting: 15 + 8 + 16 + 15.
    EXPECT_EQ(steps.back(), std::make_pair(std::size_t{611}, std::size_t{611}));
    const auto entries = test::zipEntries(out.string());

    EXPECT_EQ(matches(part(entries, "xl/workbook.xml"), "<sheet name=\"([^\"]*)\""),
              (std::vector<std::string>{"Chart1", "hall", "damp", "door", "HALL (2)"}));
    // Each file's sheet is its text import, as the one file's "Data" sheet is.
    EXPECT_NE(part(entries, "xl/worksheets/sheet3.xml").find("<c r=\"C5\"><v>3</v></c>"), std::string::npos); // door

    const std::string chart = part(entries, "xl/charts/chart1.xml");
    EXPECT_EQ(matches(chart, "<c:tx><c:v>([^<]*)</c:v></c:tx>"),
              (std::vector<std::string>{"hall.txt", "door.txt", "HALL.txt", "damp.txt"}));
    EXPECT_EQ(matches(chart, "<c:xVal><c:numRef><c:f>([^<]*)</c:f>"),
              (std::vector<std::string>{"hall!$B$2:$B$5", "door!$B$2:$B$5", "'HALL (2)'!$B$2:$B$5", "damp!$B$2:$B$3"}));
    EXPECT_EQ(matches(chart, "<c:yVal><c:numRef><c:f>([^<]*)</c:f>"),
              (std::vector<std::string>{"hall!$C$2:$C$5", "door!$C$2:$C$5", "'HALL (2)'!$C$2:$C$5", "damp!$C$2:$C$3"}));
    // The humidity in a second scatter chart of its own, against the right-hand axis.
    const auto second = chart.find("</c:scatterChart><c:scatterChart>");
    ASSERT_NE(second, std::string::npos);
    EXPECT_GT(chart.find("<c:v>damp.txt</c:v>"), second);
    EXPECT_LT(chart.find("<c:v>door.txt</c:v>"), second);
    EXPECT_NE(chart.find("<c:axPos val=\"r\"/><c:title><c:tx><c:rich><a:bodyPr rot=\"-5400000\" vert=\"horz\"/>"
                         "<a:lstStyle/><a:p><a:pPr><a:defRPr/></a:pPr><a:r><a:rPr lang=\"en-US\"/><a:t>%RH</a:t>"),
              std::string::npos);
    // 1 June 2026 is day 46174; the axis runs from 08:00 to the door's last reading at
    // 08:16, on both time axes so that the humidity stands at the same times.
    EXPECT_EQ(matches(chart, "<c:min val=\"([^\"]*)\"/>"), (std::vector<std::string>(2, "46174.33333333334")));
    EXPECT_EQ(matches(chart, "<c:max val=\"([^\"]*)\"/>"), (std::vector<std::string>(2, "46174.34444444445")));
    EXPECT_NE(chart.find("<a:t>4 files compared</a:t>"), std::string::npos);
}

TEST_F(OverlayExport, WhatCannotBeExportedIsNamedAndNothingIsWritten)
{
    const std::string hall = copy("hall.txt", dir / "hall.txt"), damp = copy("damp.txt", dir / "damp.txt");
    const std::string headerOnly = (dir / "header.txt").string();
    std::ofstream(headerOnly, std::ios::binary) << "Fridge,Time,Celsius(\260C)\r\n";
    const std::string volts = copy("../reader/voltage_logger.txt", dir / "volts.txt");
    std::ofstream(out, std::ios::binary) << "earlier workbook";

    prompts.expect(headerOnly + "\nThe File contains invalid data (line 2).");
    EXPECT_EQ(exportWorkbook({hall, headerOnly}, out.string(), format, prompts), ExportOutcome::Failed);
    prompts.expect(volts + "\nThis file cannot join the chart: its unit mV fits neither axis (\302\260C on the left, "
                           "%RH on the right).");
    EXPECT_EQ(exportWorkbook({hall, damp, volts}, out.string(), format, prompts), ExportOutcome::Failed);
    // A humidity logger's second channel keeps the right-hand axis, as on the screen.
    const std::string store = copy("../reader/humidity_alarms.txt", dir / "store.txt");
    prompts.expect(volts + "\nThis file cannot join the chart: its unit mV fits neither axis (\302\260C on the left, "
                           "%rh on the right).");
    EXPECT_EQ(exportWorkbook({store, volts}, out.string(), format, prompts), ExportOutcome::Failed);
    // The target is one of the files, under another name.
    fs::create_symlink("hall.txt", dir / "hall.xlsx");
    prompts.expect("The workbook cannot be saved as:\n" + (dir / "hall.xlsx").string() +
                   "\nThat is the download file it is made from: choose another name.");
    EXPECT_EQ(exportWorkbook({damp, hall}, (dir / "hall.xlsx").string(), format, prompts), ExportOutcome::Failed);

    std::ifstream in(out, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "earlier workbook");
    EXPECT_EQ(fs::file_size(hall), fs::file_size(std::string(VELMORA_TEST_DATA_DIR) + "/compare/hall.txt"));
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_EQ(entry.path().filename().string().rfind(".velmora-", 0), std::string::npos) << entry.path();
}

// A logger's stamps are its own clock. In Berlin the clocks went from 02:00 to 03:00
// on 29 March 2026 (day 46110): loggers started at 01:30 and 03:30 were started an
// hour apart, so the second is drawn at 02:30 on the first's clock, from a column of
// its own, whichever was first. Loggers started on the same side keep column B.
TEST_F(OverlayExport, ALoggerStartedAcrossAChangeOfTheClocksIsDrawnWhereTheViewerDrawsIt)
{
    const test::ScopedTimeZone berlin("Europe/Berlin");
    const auto logger = [&](const std::string& name, int startHour) {
        std::ofstream text(dir / name, std::ios::binary);
        text << "Fridge,Time,Celsius(\260C),High Alarm\r\n";
        for (int i = 0; i < 3; ++i)
            text << i + 1 << ",29/03/2026 0" << startHour << ":" << i + 3 << "0:00,5.0,8.0\r\n";
        return (dir / name).string(); // written when `text` closes, before the export
    };
    const auto dayIn = [](const std::string& sheet, const std::string& cell) {
        return std::stod(matches(sheet, "<c r=\"" + cell + "\"[^>]*><v>([^<]*)</v>").at(0));
    };
    struct Case {
        int first, second;
        char secondTimes;
        double secondDrawnAt, axisFrom;
    };
    for (const Case& c : {Case{1, 3, 'E', 46110 + 2.5 / 24, 46110 + 1.5 / 24}, // an hour earlier than its stamps
                          Case{3, 1, 'E', 46110 + 2.5 / 24, 46110 + 2.5 / 24}, // an hour later
                          Case{3, 4, 'B', 46110 + 4.5 / 24, 46110 + 3.5 / 24}}) {
        const std::vector<std::string> files = {logger("a.txt", c.first), logger("b.txt", c.second)};
        ASSERT_EQ(exportWorkbook(files, out.string(), format, prompts), ExportOutcome::Written);
        const auto entries = test::zipEntries(out.string());
        const std::string chart = part(entries, "xl/charts/chart1.xml");
        const std::string column(1, c.secondTimes), sheetB = part(entries, "xl/worksheets/sheet2.xml");
        EXPECT_EQ(matches(chart, "<c:xVal><c:numRef><c:f>([^<]*)</c:f>"),
                  (std::vector<std::string>{"a!$B$2:$B$4", "b!$" + column + "$2:$" + column + "$4"}))
            << c.first << c.second;
        EXPECT_NEAR(dayIn(sheetB, column + "2"), c.secondDrawnAt, 1e-9) << c.first << c.second;
        EXPECT_NEAR(std::stod(matches(chart, "<c:min val=\"([^\"]*)\"/>").at(0)), c.axisFrom, 1e-9);
        // Only a moved file gains the column.
        EXPECT_EQ(part(entries, "xl/worksheets/sheet1.xml").find("Time on chart"), std::string::npos);
        EXPECT_EQ(sheetB.find("<t>Time on chart</t>") != std::string::npos, c.secondTimes == 'E');
    }
}

// The workbooks in tests/data/export were written by the export before it took several
// files (velmora-cli export in the C locale): one file must still give every part the
// same, but for the moment the workbook was made.
TEST_F(OverlayExport, OneFileGivesTheWorkbookItAlwaysGave)
{
    const SheetDateFormat cLocale = sheetDateFormat("%m/%d/%y", "%H:%M:%S");
    const std::regex moment("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ");
    for (const std::string name : {"temperature_alarms", "humidity_alarms"}) {
        const std::string source = std::string(VELMORA_TEST_DATA_DIR) + "/reader/" + name + ".txt";
        ASSERT_EQ(exportWorkbook(std::vector<std::string>{source}, out.string(), cLocale, prompts),
                  ExportOutcome::Written);
        auto made = test::zipEntries(out.string());
        auto before = test::zipEntries(std::string(VELMORA_TEST_DATA_DIR) + "/export/" + name + ".xlsx");
        ASSERT_EQ(made.size(), before.size()) << name;
        for (std::size_t i = 0; i < made.size(); ++i) {
            EXPECT_EQ(made[i].first, before[i].first) << name;
            EXPECT_EQ(std::regex_replace(made[i].second, moment, "T"),
                      std::regex_replace(before[i].second, moment, "T"))
                << name << ": " << made[i].first;
        }
    }
}

} // namespace
} // namespace velmora
