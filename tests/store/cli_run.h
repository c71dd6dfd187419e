#pragma once
// velmora-cli run for the archive's command tests: in the test's folder (file names on
// the command line are relative to it), TZ UTC and VELMORA_STORE unset unless `env`
// sets it. The shared runner does the rest.
#include <filesystem>
#include <string>

#include "cli_run_fixture.h"

namespace velmora::test {

using velmora::testing::CliRun;

inline std::string readWholeFile(const std::filesystem::path& file) { return velmora::testing::slurp(file); }

inline CliRun runCli(const std::filesystem::path& folder, const std::string& args, const std::string& env = "")
{
    return velmora::testing::runCli(folder, "cd '" + folder.string() + "' && env -u VELMORA_STORE TZ=UTC " + env, args);
}

} // namespace velmora::test
