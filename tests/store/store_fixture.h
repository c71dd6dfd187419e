#pragma once
// The same archive tests on both engines: a temporary SQLite file always, and the
// PostgreSQL server that VELMORA_TEST_POSTGRES names (a URL; CI starts a throw-away
// cluster and sets it). Without it the PostgreSQL runs are skipped, saying so.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "archive_store.h"

namespace velmora::test {

enum class Engine { Sqlite, Postgres };

std::string engineName(const ::testing::TestParamInfo<Engine>& info);

class StoreTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override;
    void TearDown() override;

    // The store's location: the SQLite file, or the server's URL.
    const std::string& location() const { return location_; }
    std::unique_ptr<ArchiveStore> open() const;
    // Runs SQL on the store behind the program's back (to damage it).
    void rawSql(const std::string& sql) const;
    // The rows of `table`, counted behind the program's back.
    long long countRows(const std::string& table) const;
    // The readings kept, counted behind the program's back (PostgreSQL packs them in blocks).
    long long countReadings() const;
    // A file of `bytes` in the test's folder.
    std::string writeFile(const std::string& name, const std::string& bytes) const;
    const std::filesystem::path& folder() const { return folder_; }

private:
    long long number(const std::string& sql) const;

    std::filesystem::path folder_;
    std::string location_;
};

// Lines joined with CRLF, as the utility writes them, the last one ended too.
std::string downloadFile(std::initializer_list<std::string> lines);

} // namespace velmora::test
