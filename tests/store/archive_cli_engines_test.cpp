// velmora-cli archive on each engine, where the engine's own behaviour matters: a
// store failure in one file of several.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "store_fixture.h"

namespace velmora::test {
namespace {

using ArchiveCliEngineTest = StoreTest;

// One file of three fails inside the store halfway through its readings: that file
// gets its own message and nothing of it stays, the files after it are still added,
// and the exit status says one failed.
TEST_P(ArchiveCliEngineTest, StoreFailureInOneFileLeavesTheOthers)
{
    const std::string header = "Cold,Time,Celsius(\260C),Serial Number";
    writeFile("a.txt", downloadFile({header, "1,01/06/2026 10:00:00,4.5,000000071", "2,01/06/2026 10:10:00,4.6"}));
    writeFile("b.txt", downloadFile({header, "1,02/06/2026 10:00:00,4.5,000000072", "2,02/06/2026 10:10:00,4.6",
                                     "3,02/06/2026 10:20:00,4.7"}));
    writeFile("c.txt", downloadFile({header, "1,03/06/2026 10:00:00,4.5,000000073", "2,03/06/2026 10:10:00,4.6"}));
    open();                                          // the schema, for the trigger to stand on
    const std::string failingInstant = "1780395000"; // b's second reading, 2026-06-02 10:10:00 UTC
    if (GetParam() == Engine::Sqlite)
        rawSql("CREATE TRIGGER refuse BEFORE INSERT ON readings WHEN NEW.t = " + failingInstant +
               " BEGIN SELECT RAISE(ABORT, 'the disk is full'); END;");
    else
        rawSql("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF to_timestamp(" +
               failingInstant +
               ") BETWEEN NEW.first_t AND NEW.last_t THEN RAISE EXCEPTION 'the disk is full'; END IF; RETURN NEW; "
               "END $$; CREATE TRIGGER refuse BEFORE INSERT ON reading_blocks FOR EACH ROW EXECUTE FUNCTION refuse();");

    const CliRun r = runCli(folder(), "--store '" + location() + "' archive add --zone UTC a.txt b.txt c.txt");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "a.txt: added 2 readings\nc.txt: added 2 readings\n");
    EXPECT_TRUE(r.err.starts_with("b.txt: The archive ")) << r.err;
    EXPECT_NE(r.err.find("the disk is full"), std::string::npos) << r.err;
    EXPECT_EQ(countRows("deployments"), 2);
    EXPECT_EQ(countReadings(), 4);
}

INSTANTIATE_TEST_SUITE_P(Engines, ArchiveCliEngineTest, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         engineName);

} // namespace
} // namespace velmora::test
