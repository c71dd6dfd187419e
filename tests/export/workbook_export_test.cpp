// The workbook file as a whole: written beside its target and renamed, an earlier
// workbook untouched by a failed, refused, cancelled or killed export, nothing left
// behind where no later save clears it up, and every failure told with its reason. What the workbook holds, and the
// many-charts warning, are checked with outside tools (check_workbook.py).
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
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

TEST_F(WorkbookExport, WhatTheReaderCannotReadIsRefusedAndTheEarlierWorkbookStays)
{
    const fs::path in = dir / "in";
    fs::create_directories(in);
    const std::string header = "Fridge,Time,Celsius(\260C)\r\n";
    const std::string twoReadings = header + "1,07/12/2026 14:00:00,4.5\r\n2,07/12/2026 14:00:10,5.0\r\n";
    const struct {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"empty.txt", "", "The File contains invalid data (line 1)."},
        {"header.txt", header, "The File contains invalid data (line 2)."},
        {"workbook.txt", std::string("PK\x03\x04\x14\x00\x00\x00\x08\x00", 10), // not text at all
         "The File contains invalid data (line 1)."},
        // A line longer than any the reader takes (1 MiB), where a damaged file has one.
        {"long.txt", twoReadings + "3,07/12/2026 14:00:20," + std::string(2 << 20, '5') + "\r\n",
         "The File contains invalid data (line 4)."},
    };
    std::ofstream(out, std::ios::binary) << "earlier workbook";
    for (const auto& c : cases) {
        std::ofstream(in / c.name, std::ios::binary) << c.bytes;
        prompts.expect(c.message);
        EXPECT_EQ(exportWorkbook((in / c.name).string(), out.string(), format, prompts), ExportOutcome::Failed)
            << c.name;
        EXPECT_EQ(slurp(out), "earlier workbook") << c.name;
        EXPECT_EQ(namesIn(out.parent_path()), std::vector<std::string>{"workbook.xlsx"}) << c.name;
        EXPECT_TRUE(namesIn(scratch).empty()) << c.name;
    }
}

TEST_F(WorkbookExport, TheDownloadFileIsNeverReplacedByItsOwnWorkbook)
{
    const fs::path file = out.parent_path() / "fridge.txt";
    fs::copy_file(data("temperature_alarms.txt"), file);
    // A link spelt as a workbook's name that leads back to the download file.
    fs::create_symlink("fridge.txt", out);
    prompts.expect("The workbook cannot be saved as:\n" + out.string() +
                   "\nThat is the download file it is made from: choose another name.");
    EXPECT_EQ(exportWorkbook(file.string(), out.string(), format, prompts), ExportOutcome::Failed);
    EXPECT_EQ(slurp(file), slurp(data("temperature_alarms.txt")));
    EXPECT_EQ(namesIn(out.parent_path()), (std::vector<std::string>{"fridge.txt", "workbook.xlsx"}));
}

TEST_F(WorkbookExport, AKilledExportLeavesItsFilesWhereTheNextSaveClearsThemUp)
{
    const std::string file = longFile(5000);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) { // killed part way through writing the sheet
        const auto kill = [](std::size_t done, std::size_t total) {
            if (done > total / 2)
                ::raise(SIGKILL);
            return true;
        };
        exportWorkbook(file, out.string(), format, prompts, kill);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    EXPECT_TRUE(namesIn(scratch).empty()) << "nothing in the temporary folder, which nothing of ours clears";
    const std::vector<std::string> left = namesIn(out.parent_path());
    EXPECT_FALSE(left.empty());
    for (const std::string& name : left) {
        EXPECT_EQ(name.rfind(".velmora-workbook.xlsx.", 0), 0u) << name;
        // As old as a killed export's files get before the next save comes.
        const timespec old[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
        ::utimensat(AT_FDCWD, (out.parent_path() / name).c_str(), old, 0);
    }
    ASSERT_EQ(exportWorkbook(file, out.string(), format, prompts), ExportOutcome::Written);
    EXPECT_EQ(namesIn(out.parent_path()), std::vector<std::string>{"workbook.xlsx"});
}

} // namespace
} // namespace velmora
