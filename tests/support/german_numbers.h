#pragma once
// Puts the process's LC_NUMERIC into German (a decimal comma) for as long as the object
// lives, as Qt does for velmora-usb in a German session. A machine without a German
// locale gets one compiled from the system's locale sources (the Debian package
// "locales") into a folder of its own that LOCPATH then names; it is built once and
// kept for the test runs after.
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace velmora::test {

class GermanNumbers {
public:
    GermanNumbers()
    {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        saved_ = current ? current : "C";
        if (!std::setlocale(LC_NUMERIC, kName) && build())
            std::setlocale(LC_NUMERIC, kName);
    }
    ~GermanNumbers() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    GermanNumbers(const GermanNumbers&) = delete;
    GermanNumbers& operator=(const GermanNumbers&) = delete;

    // True when printf now writes a decimal comma; a test that needs it asserts it.
    bool active() const
    {
        const std::lconv* l = std::localeconv();
        return l && l->decimal_point && l->decimal_point[0] == ',';
    }

private:
    static constexpr const char* kName = "de_DE.UTF-8";

    static bool build()
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        const fs::path folder = fs::temp_directory_path(ec) / ("velmora-locales-" + std::to_string(::getuid()));
        if (!fs::exists(folder / kName / "LC_NUMERIC", ec)) {
            // Built beside and renamed into place, so parallel test runs never see half a locale.
            const fs::path scratch = folder.string() + "." + std::to_string(::getpid());
            fs::create_directories(scratch, ec);
            const std::string command =
                "localedef -i de_DE -f UTF-8 '" + (scratch / kName).string() + "' >/dev/null 2>&1";
            if (std::system(command.c_str()) != 0 || !fs::exists(scratch / kName / "LC_NUMERIC", ec)) {
                fs::remove_all(scratch, ec);
                return false;
            }
            fs::rename(scratch, folder, ec); // fails harmlessly when another run got there first
            fs::remove_all(scratch, ec);
        }
        return ::setenv("LOCPATH", folder.c_str(), 1) == 0;
    }

    std::string saved_;
};

} // namespace velmora::test
