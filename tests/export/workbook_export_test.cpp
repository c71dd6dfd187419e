// The workbook file as a whole: written beside its target and renamed, an earlier
// workbook untouched by a failed or cancelled export, nothing left behind, and every
// failure told with its reason. What the workbook holds, and the many-charts warning,
// are checked with outside tools (check_workbook.py).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "scripted_prompts.h"
#include "workbook_export.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct WorkbookExport : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("velmora-export-test-" + std::to_string(::getpid()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::path scratch = dir / "tmp";
    fs::path out = dir / "out" / "workbook.xlsx";
    std::string oldTmp;
    test::ScriptedPrompts prompts;
    const SheetDateFormat format = sheetDateFormat("%d/%m/%Y", "%H:%M:%S");

    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(scratch);
        fs::create_directories(out.parent_path());
        if (const char* t = std::getenv("TMPDIR"))
            oldTmp = t;
        ::setenv("TMPDIR", scratch.c_str(), 1); // where the workbook library's output goes first
    }
    void TearDown() override
    {
        if (oldTmp.empty())
            ::unsetenv("TMPDIR");
        else
            ::setenv("TMPDIR", oldTmp.c_str(), 1);
        fs::remove_all(dir);
    }

    std::string data(const char* name) { return std::string(VELMORA_TEST_DATA_DIR) + "/reader/" + name; }

    // A download file of `readings` lines after the header.
    std::string longFile(int readings)
    {
        const fs::path p = dir / ("long" + std::to_string(readings) + ".txt");
        std::ofstream f(p, std::ios::binary);
        f << "Fridge,Time,Celsius(\260C),Serial Number\r\n";
        for (int r = 1; r <= readings; ++r)
            f << r << ",07/12/2026 14:00:00," << (r % 50) * 0.5 << "\r\n";
        return p.string();
    }
};

TEST_F(WorkbookExport, IsWrittenInPlaceWithNothingLeftBehind)
{
    std::vector<std::pair<std::size_t, std::size_t>> steps;
    const auto progress = [&](std::size_t done, std::size_t total) {
        steps.emplace_back(done, total);
        return true;
    };
    ASSERT_EQ(exportWorkbook(data("humidity_alarms.txt"), out.string(), format, prompts, progress),
              ExportOutcome::Written);
    EXPECT_EQ(slurp(out).substr(0, 4), std::string("PK\x03\x04", 4)); // a zip container
    EXPECT_EQ(namesIn(out.parent_path()), std::vector<std::string>{"workbook.xlsx"});
    EXPECT_TRUE(namesIn(scratch).empty());
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.back().first, steps.back().second); // all the way at the end
    for (std::size_t i = 1; i < steps.size(); ++i) {
        EXPECT_LE(steps[i - 1].first, steps[i].first);
        EXPECT_EQ(steps[i - 1].second, steps[i].second);
    }
}

TEST_F(WorkbookExport, AFailedOrCancelledExportLeavesTheEarlierWorkbook)
{
    {
        std::ofstream(out, std::ios::binary) << "earlier workbook";
    }
    const std::string missing = (dir / "gone.txt").string();
    prompts.expect(missing + "\nThe file cannot be opened for reading.");
    EXPECT_EQ(exportWorkbook(missing, out.string(), format, prompts), ExportOutcome::Failed);

    const auto cancel = [](std::size_t, std::size_t) { return false; };
    EXPECT_EQ(exportWorkbook(longFile(5000), out.string(), format, prompts, cancel), ExportOutcome::Cancelled);

    EXPECT_EQ(slurp(out), "earlier workbook");
    EXPECT_EQ(namesIn(out.parent_path()), std::vector<std::string>{"workbook.xlsx"});
    EXPECT_TRUE(namesIn(scratch).empty());
}

TEST_F(WorkbookExport, ATargetThatCannotBeWrittenIsToldWithTheReason)
{
    const fs::path noFolder = dir / "no such folder" / "w.xlsx";
    prompts.expect("Failed opening file:\n" + noFolder.string() + "\n(No such file or directory)");
    EXPECT_EQ(exportWorkbook(data("temperature_alarms.txt"), noFolder.string(), format, prompts),
              ExportOutcome::Failed);

    prompts.expect("Failed opening file:\n" + out.parent_path().string() + "\n(Is a directory)");
    EXPECT_EQ(exportWorkbook(data("temperature_alarms.txt"), out.parent_path().string(), format, prompts),
              ExportOutcome::Failed);
    EXPECT_TRUE(namesIn(scratch).empty());
}

} // namespace
} // namespace velmora
