#pragma once
// velmora-cli run the way a script runs it: each test in a folder of its own, which
// also holds what the program keeps between runs (XDG_STATE_HOME), never the user's;
// the exit code and what the program printed come back. VELMORA_CLI is the program.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace velmora::testing {

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

inline std::string slurp(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs VELMORA_CLI with `arguments` (a shell's words) after `environment`; what it
// prints goes through files in `folder`.
inline CliRun runCli(const std::filesystem::path& folder, const std::string& environment, const std::string& arguments)
{
    const std::filesystem::path out = folder / "stdout", err = folder / "stderr";
    const std::string command =
        environment + " '" VELMORA_CLI "' " + arguments + " > '" + out.string() + "' 2> '" + err.string() + "'";
    const int status = std::system(command.c_str());
    return CliRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
}

class CliRunTest : public ::testing::Test {
protected:
    // `environment` goes before the program on each command line; the C locale keeps
    // the status page's date and time forms predictable.
    explicit CliRunTest(std::string folderPrefix, std::string environment = "LC_ALL=C")
        : prefix_(std::move(folderPrefix)), environment_(std::move(environment))
    {
    }

    void SetUp() override
    {
        dir_ =
            std::filesystem::temp_directory_path() / (prefix_ + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        ::setenv("XDG_STATE_HOME", (dir_ / "state").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // `as` goes before the program: another user to run it as, say.
    CliRun run(const std::string& arguments, const std::string& as = {})
    {
        return runCli(dir_, environment_ + " " + as, arguments);
    }

    std::filesystem::path dir_;

private:
    std::string prefix_;
    std::string environment_;
};

} // namespace velmora::testing
