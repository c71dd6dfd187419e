// velmora-cli over a tray of simulated loggers: the refusal without --serial, the
// choice by serial, a set-up of every logger with its own name, and watch taking a
// logger plugged in while it runs.
#include <gtest/gtest.h>

#include "cli_run_fixture.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using velmora::testing::CliRun;
using velmora::testing::slurp;

class CliFleetTest : public velmora::testing::CliRunTest {
protected:
    CliFleetTest() : CliRunTest("velmora-cli-fleet-") {}
};

TEST_F(CliFleetTest, SeveralLoggersNeedASerialForOneLoggerCommands)
{
    const std::string loggers = "--simulate 4 --simulate 4 --simulate 9 ";
    for (const char* command : {"status", "settings", "download x.txt", "setup --yes s.json"}) {
        SCOPED_TRACE(command);
        const CliRun refused = run(loggers + command);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_NE(refused.err.find("10404036, 10504036, 10409081"), std::string::npos) << refused.err;
    }
    const CliRun chosen = run(loggers + "--serial 10409081 status");
    EXPECT_EQ(chosen.exitCode, 0) << chosen.err;
    EXPECT_NE(chosen.out.find("KV-USB-5"), std::string::npos) << "the type-9 logger's page";
    EXPECT_EQ(run(loggers + "--serial 999 status").exitCode, 1);
    // With one logger nothing is asked.
    EXPECT_EQ(run("--simulate 9 status").exitCode, 0);
}

TEST_F(CliFleetTest, SetupAllGivesEachLoggerItsOwnName)
{
    // Three type-4 loggers: serial numbers 10404036, 10504036 and 10604036.
    std::ofstream(dir_ / "s.json") << R"({"name": "Bay {n} #{serial}", "interval": 60})";
    const CliRun setup =
        run("--simulate 4 --simulate 4 --simulate 4 setup --all --yes '" + (dir_ / "s.json").string() + "'");
    EXPECT_EQ(setup.exitCode, 0) << setup.out << setup.err;
    EXPECT_EQ(std::count(setup.out.begin(), setup.out.end(), '\n'), 3) << setup.out;
    for (const char* line :
         {"10404036\tok\t", "Bay 1 #10404036 has been configured", "10504036\tok\t",
          "Bay 2 #10504036 has been configured", "10604036\tok\t", "Bay 3 #10604036 has been configured"})
        EXPECT_NE(setup.out.find(line), std::string::npos) << line << "\n" << setup.out;

    // A logger whose type refuses the file fails alone: the others are set up, exit 1.
    const CliRun mixed =
        run("--simulate 4 --simulate 9 --simulate 4 setup --all --yes --json '" + (dir_ / "s.json").string() + "'");
    EXPECT_EQ(mixed.exitCode, 1);
    EXPECT_NE(mixed.out.find("{\"serial\": \"10404036\", \"ok\": true"), std::string::npos) << mixed.out;
    EXPECT_NE(mixed.out.find("{\"serial\": \"10409081\", \"ok\": false"), std::string::npos) << mixed.out;
    EXPECT_NE(mixed.out.find("{\"serial\": \"10504036\", \"ok\": true"), std::string::npos) << mixed.out;
}

// The logger forgets its readings are new once they have gone out: a fetch that could
// not save them must still leave them to the next fetch, run by another process.
TEST_F(CliFleetTest, AFetchThatCouldNotSaveLeavesTheReadingsToTheNextOne)
{
    const fs::path image = dir_ / "logger.img";
    ASSERT_EQ(run("--simulate 4 image '" + image.string() + "'").exitCode, 0);
    const std::string logger = "--simulate '" + image.string() + "' ";

    // Nothing can create a file in /proc, not even root.
    const CliRun unsaved = run(logger + "fetch --dir /proc");
    EXPECT_EQ(unsaved.exitCode, 1) << unsaved.out << unsaved.err;
    EXPECT_NE(unsaved.out.find("10404036\tfailed\tFailed opening file"), std::string::npos) << unsaved.out;

    fs::create_directories(dir_ / "desk");
    const CliRun saved = run(logger + "fetch --dir '" + (dir_ / "desk").string() + "'");
    EXPECT_EQ(saved.exitCode, 0) << saved.out << saved.err;
    EXPECT_NE(saved.out.find("10404036\tok\t1440 readings saved"), std::string::npos) << saved.out;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "desk"), fs::directory_iterator()), 1);

    // Then it has nothing new: said so, and not a failure.
    const CliRun again = run(logger + "fetch --dir '" + (dir_ / "desk").string() + "'");
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, "10404036\tok\tNo readings that were not downloaded already.\n");
}

// The file is what must not be lost: an archive that cannot take it fails the fetch,
// but the file stays where it was saved.
TEST_F(CliFleetTest, AnArchiveThatFailsKeepsTheFileAndFailsTheFetch)
{
    fs::create_directories(dir_ / "desk");
    const CliRun r =
        run("--store /proc/archive.sqlite --simulate 4 fetch --archive --dir '" + (dir_ / "desk").string() + "'");
    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    const std::string file = (dir_ / "desk" / "Battery Bank_10404036_").string();
    EXPECT_NE(r.out.find("10404036\tfailed\t1440 readings saved; not added to the archive (the file is kept): "),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find(file), std::string::npos) << r.out;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "desk"), fs::directory_iterator()), 1);
}

TEST_F(CliFleetTest, WatchFetchesALoggerPluggedInWhileItRunsAndStopsOnSigterm)
{
    fs::create_directories(dir_ / "desk");
    const fs::path out = dir_ / "watch.out";
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const std::string desk = (dir_ / "desk").string();
        std::freopen(out.c_str(), "w", stdout);
        ::execl(VELMORA_CLI, VELMORA_CLI, "--simulate", "9", "--simulate", "@1200:4", "watch", "--dir", desk.c_str(),
                static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(3000));
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::string events = slurp(out);
    EXPECT_NE(events.find("plugged in\tsim-1\n10409081\tok\t1440 readings saved"), std::string::npos) << events;
    EXPECT_NE(events.find("plugged in\tsim-2\n10404036\tok\t1440 readings saved"), std::string::npos) << events;
    EXPECT_EQ(events.substr(events.size() - 8), "stopped\n") << events;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "desk"), fs::directory_iterator()), 2);
}

} // namespace
