// The atomic file's housekeeping: temporary files that a killed save left behind go,
// everything else stays.
#include "atomic_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace velmora {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    AtomicFileTest()
    {
        char pattern[] = "/tmp/velmora-atomic-XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    ~AtomicFileTest() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> n;
        for (const auto& e : fs::directory_iterator(dir))
            n.push_back(e.path().filename().string());
        std::sort(n.begin(), n.end());
        return n;
    }
    // Sets the modification time `minutes` back, of a link itself rather than its target.
    void age(const std::string& name, int minutes) const
    {
        const timespec times[2] = {{std::time(nullptr) - minutes * 60, 0}, {std::time(nullptr) - minutes * 60, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, (dir / name).c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << name;
    }

    fs::path dir;
};

TEST_F(AtomicFileTest, SavingRemovesOnlyOurTemporaryFilesThatNoSaveIsUsing)
{
    struct Case {
        const char* name;
        enum Kind { File, Link, Folder, Locked } kind;
        int minutesOld;
        bool removed;
    };
    const Case cases[] = {
        {".velmora-Fridge.txt.1a2b3c4d.part", Case::File, 60, true},
        {".velmora-logger.img.0000ffff.part", Case::File, 10, true},     // whatever the target was
        {".velmora-download.deadbeef.part", Case::File, 6, true},        // the name used for over-long ones
        {".velmora-Cellar.txt.12345678.part", Case::File, 1, false},     // a save may have only just made it
        {".velmora-Freezer.txt.87654321.part", Case::Locked, 60, false}, // a save is still using it
        {".velmora-Oven.txt.1a2b3c4d.part", Case::Link, 60, false},      // not a file of ours
        {".velmora-Kiln.txt.1a2b3c4d.part", Case::Folder, 60, false},
        {".notes.txt.deadbeef.part", Case::File, 60, false},         // another program's, or an older version's
        {"velmora-Fridge.txt.1a2b3c4d.part", Case::File, 60, false}, // no leading dot
        {".velmora-.1a2b3c4d.part", Case::File, 60, false},          // no name between
        {".velmora-Van.txt.1a2b3c4g.part", Case::File, 60, false},   // not eight hex digits
        {".velmora-Van.txt.1a2b3c4.part", Case::File, 60, false},
        {".velmora-Van.txt.1A2B3C4D.part", Case::File, 60, false}, // we write lower case
        {".velmora-Van.txt.1a2b3c4d.part.txt", Case::File, 60, false},
    };
    std::vector<std::string> kept;
    std::vector<int> locks;
    for (const Case& c : cases) {
        const fs::path p = dir / c.name;
        if (c.kind == Case::File || c.kind == Case::Locked)
            std::ofstream(p) << "half a file";
        else if (c.kind == Case::Link)
            fs::create_symlink(dir / "elsewhere", p);
        else
            fs::create_directory(p);
        if (c.kind == Case::Locked) {
            locks.push_back(::open(p.c_str(), O_RDONLY | O_CLOEXEC));
            ASSERT_EQ(::flock(locks.back(), LOCK_EX | LOCK_NB), 0);
        }
        age(c.name, c.minutesOld);
        if (!c.removed)
            kept.push_back(c.name);
    }
    if (::geteuid() == 0) { // root can give a file away: another user's is left alone
        std::ofstream(dir / ".velmora-Theirs.txt.1a2b3c4d.part") << "theirs";
        ASSERT_EQ(::chown((dir / ".velmora-Theirs.txt.1a2b3c4d.part").c_str(), 4242, 4242), 0);
        age(".velmora-Theirs.txt.1a2b3c4d.part", 60);
        kept.push_back(".velmora-Theirs.txt.1a2b3c4d.part");
    }

    AtomicFile file;
    ASSERT_TRUE(file.create((dir / "Fridge.txt").string()));
    ASSERT_TRUE(file.commit());
    for (int fd : locks)
        ::close(fd);
    kept.push_back("Fridge.txt");
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(names(), kept);
}

TEST_F(AtomicFileTest, ALongSaveKeepsItsTemporaryFileWhileOtherSavesComeAndGo)
{
    // An export writes its file only at the end, so the file can be older than any age
    // the clean-up would wait for; it is still in use.
    AtomicFile slow;
    ASSERT_TRUE(slow.create((dir / "year.xlsx").string()));
    const std::string temporary = fs::path(slow.temporaryPath()).filename().string();
    EXPECT_EQ(temporary.rfind(".velmora-year.xlsx.", 0), 0u) << temporary;
    age(temporary, 60);

    AtomicFile quick;
    ASSERT_TRUE(quick.create((dir / "Fridge.txt").string()));
    ASSERT_EQ(writeAll(quick.fd(), "readings", 8), 0);
    ASSERT_TRUE(quick.commit());

    ASSERT_EQ(writeAll(slow.fd(), "workbook", 8), 0);
    ASSERT_TRUE(slow.commit()) << std::strerror(slow.error());
    EXPECT_EQ(names(), (std::vector<std::string>{"Fridge.txt", "year.xlsx"}));
    std::ifstream in(dir / "year.xlsx");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "workbook");
}

} // namespace
} // namespace velmora
