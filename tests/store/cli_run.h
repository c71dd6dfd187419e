#pragma once
// velmora-cli run as a user runs it, for the archive's command tests: its exit status
// and what it printed on each stream.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace velmora::test {

struct CliRun {
    int status = -1;
    std::string out, err;
};

inline std::string readWholeFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// velmora-cli with `args` (a shell's words) in `folder`, TZ UTC and VELMORA_STORE unset
// unless `env` sets it.
inline CliRun runCli(const std::filesystem::path& folder, const std::string& args, const std::string& env = "")
{
    const std::string command = "cd '" + folder.string() + "' && env -u VELMORA_STORE TZ=UTC " + env + " " +
                                VELMORA_CLI + " " + args + " >out.txt 2>err.txt";
    CliRun r;
    r.status = WEXITSTATUS(std::system(command.c_str()));
    r.out = readWholeFile(folder / "out.txt");
    r.err = readWholeFile(folder / "err.txt");
    return r;
}

} // namespace velmora::test
