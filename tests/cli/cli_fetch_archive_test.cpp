// fetch --archive on both engines, as the receiving desk runs it: each download is in
// the archive once it is saved, with the logger's type, which no file carries; and a
// --serial before `archive` picks the logger as `archive list --serial` does.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_run_fixture.h"
#include "store_fixture.h"

namespace velmora::test {
namespace {

using velmora::testing::CliRun;
using velmora::testing::runCli;

class FetchArchiveTest : public StoreTest {
protected:
    CliRun cli(const std::string& arguments)
    {
        const std::string environment =
            "LC_ALL=C TZ=UTC XDG_STATE_HOME='" + (folder() / "state").string() + "' env -u VELMORA_STORE";
        return runCli(folder(), environment, "--store '" + location() + "' " + arguments);
    }
};

TEST_P(FetchArchiveTest, EachDownloadIsAddedAsItIsSaved)
{
    // A type-4 and a type-9 logger: serial numbers 10404036 and 10409081.
    const std::filesystem::path desk = folder() / "desk";
    std::filesystem::create_directories(desk);
    const CliRun fetch = cli("--simulate 4 --simulate 9 fetch --archive --dir '" + desk.string() + "'");
    ASSERT_EQ(fetch.exitCode, 0) << fetch.out << fetch.err;
    EXPECT_NE(fetch.out.find("10404036\tok\t1440 readings saved; added 1440 readings\t"), std::string::npos)
        << fetch.out;
    EXPECT_NE(fetch.out.find("10409081\tok\t1440 readings saved; added 1440 readings\t"), std::string::npos)
        << fetch.out;

    const std::vector<Deployment> kept = open()->deployments(std::nullopt);
    ASSERT_EQ(kept.size(), 2u);
    for (const Deployment& d : kept) {
        SCOPED_TRACE(d.serial);
        EXPECT_EQ(d.readingCount, 1440);
        EXPECT_TRUE(std::filesystem::exists(desk / d.fileName)) << d.fileName;
        EXPECT_EQ(d.loggerType, d.serial == "010404036" ? 4 : 9);
    }

    // --serial before archive filters as archive list's own does; with the actions
    // that take no serial it is refused rather than ignored.
    const CliRun one = cli("--serial 10409081 archive list");
    EXPECT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 1) << one.out;
    EXPECT_NE(one.out.find("\t010409081\t"), std::string::npos) << one.out;
    EXPECT_EQ(cli("--serial 10409081 archive list --serial 10404036").exitCode, 2);
    EXPECT_EQ(cli("--serial 10409081 archive verify").exitCode, 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, FetchArchiveTest, ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
} // namespace velmora::test
