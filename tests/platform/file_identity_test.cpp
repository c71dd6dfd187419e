// Whether an output would replace an input, whatever the spelling of either path.
#include "file_identity.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(FileIdentity, AFileIsItselfUnderEveryNameAndNothingElse)
{
    char pattern[] = "/tmp/velmora-identity-XXXXXX";
    const fs::path dir = ::mkdtemp(pattern);
    const fs::path file = dir / "x.txt";
    std::ofstream(file) << "readings";
    std::ofstream(dir / "copy.txt") << "readings";
    fs::create_directory(dir / "sub");
    fs::create_symlink(file, dir / "link.xlsx");
    fs::create_hard_link(file, dir / "hard.txt");
    const fs::path oldCwd = fs::current_path();
    fs::current_path(dir);

    const struct {
        std::string other;
        bool same;
    } cases[] = {
        {file.string(), true},  {"x.txt", true},        {"./x.txt", true},
        {"sub/../x.txt", true}, {"link.xlsx", true}, // a symbolic link to it
        {"hard.txt", true},                          // another name of the same inode
        {"copy.txt", false},                         // the same bytes are not the same file
        {"sub", false},         {"missing.txt", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sameExistingFile(file.string(), c.other), c.same) << c.other;
    EXPECT_FALSE(sameExistingFile("missing.txt", "missing.txt")) << "nothing there to replace";

    fs::current_path(oldCwd);
    fs::remove_all(dir);
}

} // namespace
} // namespace velmora
