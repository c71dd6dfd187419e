// The atomic file's housekeeping: temporary files that a killed save left behind.
#include "atomic_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
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

TEST_F(AtomicFileTest, SavingRemovesStaleTemporaryFilesOfOurOwnOnly)
{
    struct Case {
        const char* name;
        enum Kind { File, Link, Folder } kind;
        int minutesOld;
        bool removed;
    };
    const Case cases[] = {
        {".Fridge.txt.1a2b3c4d.part", Case::File, 60, true},
        {".logger.img.0000ffff.part", Case::File, 10, true},      // whatever the target was
        {".velmora-download.deadbeef.part", Case::File, 6, true}, // the name used for over-long ones
        {".Cellar.txt.12345678.part", Case::File, 1, false},      // a save may still be writing it
        {".Oven.txt.1a2b3c4d.part", Case::Link, 60, false},       // not a file of ours
        {".Kiln.txt.1a2b3c4d.part", Case::Folder, 60, false},
        {"Fridge.txt.1a2b3c4d.part", Case::File, 60, false}, // no leading dot
        {".notes.part", Case::File, 60, false},
        {".Van.txt.1a2b3c4g.part", Case::File, 60, false}, // not eight hex digits
        {".Van.txt.1a2b3c4.part", Case::File, 60, false},
        {".Van.txt.1A2B3C4D.part", Case::File, 60, false}, // we write lower case
        {".Van.txt.1a2b3c4d.part.txt", Case::File, 60, false},
        {"..1a2b3c4d.part", Case::File, 60, false}, // no name between
    };
    std::vector<std::string> kept;
    for (const Case& c : cases) {
        const fs::path p = dir / c.name;
        if (c.kind == Case::File)
            std::ofstream(p) << "half a file";
        else if (c.kind == Case::Link)
            fs::create_symlink(dir / "elsewhere", p);
        else
            fs::create_directory(p);
        age(c.name, c.minutesOld);
        if (!c.removed)
            kept.push_back(c.name);
    }
    if (::geteuid() == 0) { // root can give a file away: another user's is left alone
        std::ofstream(dir / ".Theirs.txt.1a2b3c4d.part") << "theirs";
        ASSERT_EQ(::chown((dir / ".Theirs.txt.1a2b3c4d.part").c_str(), 4242, 4242), 0);
        age(".Theirs.txt.1a2b3c4d.part", 60);
        kept.push_back(".Theirs.txt.1a2b3c4d.part");
    }

    AtomicFile file;
    ASSERT_TRUE(file.create((dir / "Fridge.txt").string()));
    ASSERT_TRUE(file.commit());
    kept.push_back("Fridge.txt");
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(names(), kept);
}

} // namespace
} // namespace velmora
