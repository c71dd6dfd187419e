#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "download_task.h"

using namespace velmora;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void spit(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/velmora-download-XXXXXX";
        path = ::mkdtemp(pattern);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> n;
        for (const auto& e : fs::directory_iterator(path))
            n.push_back(e.path().filename().string());
        std::sort(n.begin(), n.end());
        return n;
    }
    fs::path path;
};

LoggerRecord fridge(std::uint16_t readings)
{
    LoggerRecord r;
    r.config.setType(1);
    r.config.setName("Fridge");
    r.config.setCalGain(0.5f);
    r.config.setCalOffset(-40.0f);
    r.config.setSerialNumber(12345);
    r.config.setSampleInterval(10);
    r.config.setStart(2026, 12, 7, 14, 0, 0);
    r.config.setReadingCount(readings);
    return r;
}

const std::string kFridgeFile = "Fridge,Time,Celsius(\260C),Serial Number\r\n"
                                "1,07/12/2026 14:00:00,4.5,000012345\r\n"
                                "2,07/12/2026 14:00:10,5.0\r\n";

} // namespace

TEST(DownloadTask, SuggestedFileNameDropsWhatAFileNameCannotHold)
{
    EXPECT_EQ(suggestedFileName("Fridge 2"), "Fridge 2");
    EXPECT_EQ(suggestedFileName("Fr:i/dge*1.0"), "Fridge10");
    EXPECT_EQ(suggestedFileName("\"%&*,./:<>?\\|"), "");
    EXPECT_EQ(suggestedFileName("Caf\xE9"), "Caf\xE9"); // Windows-1252 letters stay
}

TEST(DownloadTask, FolderOfTakesEitherSeparator)
{
    EXPECT_EQ(folderOf("/home/ann/data/f.txt"), "/home/ann/data");
    EXPECT_EQ(folderOf("C:\\Data\\f.txt"), "C:\\Data");
    EXPECT_EQ(folderOf("a\\b/c.txt"), "a\\b");
    EXPECT_EQ(folderOf("f.txt"), "");
}

TEST(DownloadTask, StartTimeAndInterval)
{
    LoggerRecord r = fridge(1);
    r.config.setType(12);
    r.config.setPushButtonStart(true);
    r.config.setStartDelay(75);
    EXPECT_EQ(downloadStartTime(r), (CivilTime{2026, 12, 7, 14, 1, 15, 0}));
    EXPECT_EQ(downloadInterval(r), 10u);
    r.config.setType(17);
    r.config.setCountPeriod(900);
    EXPECT_EQ(downloadInterval(r), 900u);
}

TEST(DownloadTask, SaveWritesTheFileAndLeavesNothingElse)
{
    TempFolder folder;
    const fs::path target = folder.path / "Fridge.txt";
    const SaveOutcome out = saveDownloadFile(target.string(), fridge(2), std::vector<float>{89, 90});
    EXPECT_EQ(out.result, SaveResult::Written);
    EXPECT_TRUE(out.message.empty());
    EXPECT_TRUE(out.fileWritten());
    EXPECT_EQ(slurp(target), kFridgeFile);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Fridge.txt"});
}

TEST(DownloadTask, SaveReplacesAnEarlierFileKeepingItsPermissions)
{
    TempFolder folder;
    const fs::path target = folder.path / "Fridge.txt";
    spit(target, "old contents");
    ::chmod(target.c_str(), 0640);
    fs::create_symlink(target, folder.path / "latest.txt");
    // Saving through a link replaces the file it names and keeps the link.
    const SaveOutcome out =
        saveDownloadFile((folder.path / "latest.txt").string(), fridge(2), std::vector<float>{89, 90});
    EXPECT_EQ(out.result, SaveResult::Written);
    EXPECT_TRUE(fs::is_symlink(folder.path / "latest.txt"));
    EXPECT_EQ(slurp(target).rfind("Fridge,Time", 0), 0u);
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"Fridge.txt", "latest.txt"}));
}

TEST(DownloadTask, SaveThatCannotCreateTheFileLeavesEverythingAsItWas)
{
    TempFolder folder;
    const std::string missing = (folder.path / "no such folder" / "f.txt").string();
    SaveOutcome out = saveDownloadFile(missing, fridge(1), std::vector<float>{89});
    EXPECT_EQ(out.result, SaveResult::OpenFailed);
    // The system's reason follows, as it does for a failed write.
    EXPECT_EQ(out.message, "Failed opening file:\n" + missing + "\n(No such file or directory)");
    EXPECT_FALSE(out.fileWritten());

    // A folder where the file should be is not replaced.
    fs::create_directory(folder.path / "taken.txt");
    out = saveDownloadFile((folder.path / "taken.txt").string(), fridge(1), std::vector<float>{89});
    EXPECT_EQ(out.result, SaveResult::OpenFailed);
    EXPECT_EQ(out.message, "Failed opening file:\n" + (folder.path / "taken.txt").string() + "\n(Is a directory)");
    EXPECT_TRUE(fs::is_directory(folder.path / "taken.txt"));

    if (::geteuid() == 0)
        return; // permissions do not stop root; the cases above and below still run
    const fs::path old = folder.path / "old.txt";
    spit(old, "keep me");
    ::chmod(folder.path.c_str(), 0555);
    out = saveDownloadFile(old.string(), fridge(1), std::vector<float>{89});
    ::chmod(folder.path.c_str(), 0755);
    EXPECT_EQ(out.result, SaveResult::OpenFailed);
    EXPECT_EQ(slurp(old), "keep me");
}

TEST(DownloadTask, FailedWriteKeepsTheEarlierFileAndRemovesThePartOne)
{
    TempFolder folder;
    const fs::path target = folder.path / "Fridge.txt";
    spit(target, "keep me");
    // A file size limit makes the write fail part way, even for root.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 50000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::vector<float> readings(20000, 89.0f);
    const SaveOutcome out = saveDownloadFile(target.string(), fridge(20000), readings);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(out.result, SaveResult::WriteFailed);
    EXPECT_EQ(out.message.rfind("Failed writing file:\n" + target.string(), 0), 0u);
    EXPECT_FALSE(out.fileWritten());
    EXPECT_EQ(slurp(target), "keep me");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Fridge.txt"});
}

TEST(DownloadTask, PartialFileNamesSitBesideTheTarget)
{
    struct Case {
        const char* path;
        int attempt;
        const char* partial;
    };
    const Case cases[] = {
        {"/data/keep.txt", 1, "/data/keep.partial.txt"},   {"/data/keep.txt", 2, "/data/keep.partial-2.txt"},
        {"/data/keep", 1, "/data/keep.partial"},           {"/data/keep", 3, "/data/keep.partial-3"},
        {"/data/v1.2/keep", 1, "/data/v1.2/keep.partial"}, // a dot in the folder is not an extension
        {"/data/.keep", 1, "/data/.keep.partial"},         // nor is a leading dot
        {"keep.old.txt", 1, "keep.old.partial.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(partialFileName(c.path, c.attempt), c.partial) << c.path << " " << c.attempt;
}

TEST(DownloadTask, AShortDownloadNeverReplacesTheTargetAndKeepsWhatArrivedBesideIt)
{
    TempFolder folder;
    const fs::path target = folder.path / "Fridge.txt";
    spit(target, "an earlier download");
    const std::string partial = (folder.path / "Fridge.partial.txt").string();
    const std::string oneRow = "Fridge,Time,Celsius(\260C),Serial Number\r\n1,07/12/2026 14:00:00,4.5,000012345\r\n";

    SaveOutcome out = saveDownloadFile(target.string(), fridge(3), std::vector<float>{89});
    EXPECT_EQ(out.result, SaveResult::Incomplete);
    EXPECT_FALSE(out.fileWritten()) << "a short download is a failure: nothing to show in the viewer";
    EXPECT_EQ(out.message, "The logger sent fewer readings than it reported.\n"
                           "Only 1 of 3 readings arrived, so the download was not saved as:\n" +
                               target.string() + "\nThe readings that arrived were saved to:\n" + partial);
    EXPECT_EQ(out.partialPath, partial);
    EXPECT_EQ(slurp(target), "an earlier download");
    EXPECT_EQ(slurp(partial), oneRow);

    // Again: the first partial file stays, the second gets a name of its own.
    out = saveDownloadFile(target.string(), fridge(3), std::vector<float>{89, 90});
    const std::string second = (folder.path / "Fridge.partial-2.txt").string();
    EXPECT_EQ(out.partialPath, second);
    EXPECT_EQ(slurp(partial), oneRow);
    EXPECT_EQ(slurp(second), oneRow + "2,07/12/2026 14:00:10,5.0\r\n");
    EXPECT_EQ(slurp(target), "an earlier download");

    // Nothing arrived: nothing is written at all.
    out = saveDownloadFile((folder.path / "Empty.txt").string(), fridge(3), std::vector<float>{});
    EXPECT_EQ(out.result, SaveResult::Incomplete);
    EXPECT_EQ(out.partialPath, "");
    EXPECT_EQ(out.message, "The logger sent fewer readings than it reported.\n"
                           "Only 0 of 3 readings arrived, so the download was not saved as:\n" +
                               (folder.path / "Empty.txt").string());
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"Fridge.partial-2.txt", "Fridge.partial.txt", "Fridge.txt"}));
}

namespace {

// A folder for a link's target: on a memory file system (/dev/shm) where the machine
// has one apart from `near`'s, so that no rename can cross from one to the other;
// without one, another folder beside `near`, where the cases still run.
fs::path folderForTarget(const fs::path& near)
{
    struct stat here {
    }, memory{};
    ::stat(near.c_str(), &here);
    const bool apart =
        ::stat("/dev/shm", &memory) == 0 && memory.st_dev != here.st_dev && ::access("/dev/shm", W_OK) == 0;
    std::string pattern = std::string(apart ? "/dev/shm" : "/tmp") + "/velmora-elsewhere-XXXXXX";
    return ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
}

} // namespace

TEST(DownloadTask, AShortDownloadThroughALinkKeepsWhatArrivedBesideTheFileItNamesOrElseBesideTheLink)
{
    TempFolder folder;
    const fs::path elsewhere = folderForTarget(folder.path);
    ASSERT_FALSE(elsewhere.empty());
    const std::string oneRow = "Fridge,Time,Celsius(\260C),Serial Number\r\n1,07/12/2026 14:00:00,4.5,000012345\r\n";
    const fs::path target = elsewhere / "Fridge.txt", link = folder.path / "Fridge.txt";
    spit(target, "an earlier download");
    fs::create_symlink(target, link);

    struct Case {
        int namesTakenBesideTarget;
        fs::path partial;
    };
    const Case cases[] = {
        {0, elsewhere / "Fridge.partial.txt"},
        {1, elsewhere / "Fridge.partial-2.txt"},
        {100, folder.path / "Fridge.partial.txt"}, // no name left there: beside the link
    };
    for (const Case& c : cases) {
        for (int n = 1; n <= c.namesTakenBesideTarget; ++n)
            spit(partialFileName(target.string(), n), "taken");
        const SaveOutcome out = saveDownloadFile(link.string(), fridge(3), std::vector<float>{89});
        EXPECT_EQ(out.result, SaveResult::Incomplete);
        EXPECT_EQ(out.partialPath, c.partial.string()) << out.message;
        EXPECT_EQ(slurp(c.partial), oneRow);
        EXPECT_TRUE(out.message.ends_with("were saved to:\n" + c.partial.string())) << out.message;
        EXPECT_EQ(slurp(target), "an earlier download");
        EXPECT_TRUE(fs::is_symlink(link));
        fs::remove(c.partial);
        for (int n = 1; n <= c.namesTakenBesideTarget; ++n)
            fs::remove(partialFileName(target.string(), n));
    }
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Fridge.txt"});
    fs::remove_all(elsewhere);
}
