// File > Save Report as PDF... with several files on the chart, through the report's
// steps without the window: the range on show is each file's own stretch of the same
// time, and a file changed since it was shown stops the report. The page's words are
// read back with pdftotext. (The one file's report is the window's own test.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "comparison_report.h"
#include "data_file_reader.h"
#include "report_flow.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompts.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string data(const std::string& name) { return std::string(VELMORA_TEST_DATA_DIR) + "/compare/" + name; }

struct SeveralFilesReport : ::testing::Test {
    test::ScriptedPrompts prompts;
    test::ScriptedFileDialogs dialogs;
    fs::path dir = fs::temp_directory_path() / ("velmora-report-flow-" + std::to_string(::getpid()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    // hall 4 6 9 7 from 08:00, damp 90 95 from 08:00, door 5 10 11.5 3 from 08:01 five
    // minutes apart: all a minute apart but the door.
    std::vector<std::string> paths;
    std::vector<std::unique_ptr<GraphData>> shown;
    std::vector<const GraphData*> shownPointers;
    Chart printChart;

    void SetUp() override
    {
        if (std::system("command -v pdftotext >/dev/null") != 0)
            GTEST_SKIP() << "pdftotext missing (scripts/setup.sh installs poppler-utils)";
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const char* name : {"hall.txt", "damp.txt", "door.txt"}) {
            paths.push_back((dir / name).string());
            fs::copy_file(data(name), paths.back());
            shown.push_back(std::make_unique<GraphData>());
            ASSERT_EQ(readDataFile(paths.back(), *shown.back()).status, ReadStatus::Loaded);
            shownPointers.push_back(shown.back().get());
        }
        ComparisonFiles files;
        std::string error;
        ASSERT_TRUE(readComparisonFiles(
            paths, [](std::size_t, const ReadResult&, const GraphData&) { return true; }, files, error));
        printChart = comparisonReportChart(files);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Saves the report of what is shown from `xMin` to `xMax` seconds after the hall's
    // first reading; its words, or nothing when none was written.
    std::string reportWords(double xMin, double xMax)
    {
        const fs::path pdf = dir / "study.pdf";
        dialogs.answer(pdf.string());
        ReportRequest request;
        request.downloadFiles = paths;
        request.shown = shownPointers;
        request.printChart = &printChart;
        request.xMin = xMin;
        request.xMax = xMax;
        if (ReportFlow(prompts, dialogs).run(request).empty())
            return {};
        const fs::path text = dir / "study.txt";
        EXPECT_EQ(std::system(("pdftotext '" + pdf.string() + "' '" + text.string() + "'").c_str()), 0);
        std::ifstream in(text);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(SeveralFilesReport, CoversTheSameStretchOfTimeInEveryFile)
{
    // 08:01 to 08:03: the hall's 6 9 7, the damp's 95 and the door's first 5.
    const std::string words = reportWords(60, 180);
    ASSERT_FALSE(words.empty());
    EXPECT_EQ(dialogs.calls.at(0).request.suggestedName, "hall.pdf");
    for (const char* expected : {"3 files compared", "Hottest: hall.txt: 9.0\u00b0C at 01/06/2026 08:02:00",
                                 "Coldest: door.txt: 5.0\u00b0C at 01/06/2026 08:01:00",
                                 "Warmest mean: hall.txt: 7.33\u00b0C", "95.0%RH", "door.txt, 160 bytes"})
        EXPECT_NE(words.find(expected), std::string::npos) << expected << "\n" << words;
}

TEST_F(SeveralFilesReport, AFileChangedSinceItWasShownStopsTheReport)
{
    std::ofstream(paths[2], std::ios::app) << "5,01/06/2026 08:21:00,4.0,8.0\r\n";
    prompts.expect(paths[2] + "\nThe data file has changed since it was opened. Open it again before saving a report.");
    EXPECT_EQ(reportWords(0, 1200), "");
    EXPECT_FALSE(fs::exists(dir / "study.pdf"));
}

} // namespace
} // namespace velmora
