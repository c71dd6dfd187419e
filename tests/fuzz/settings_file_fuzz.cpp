// Fuzz target for the settings files velmora-cli reads: any bytes must give either
// settings or a refusal that names where, never a crash or a read out of bounds; and
// settings written back must read back as the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    velmora::SettingsProblem problem;
    const std::optional<velmora::LoggerSettings> settings = velmora::readSettings(text, problem);
    if (!settings) {
        if (problem.message.rfind("line ", 0) != 0)
            std::abort();
        return 0;
    }
    const std::string written = velmora::settingsJson(*settings);
    const std::optional<velmora::LoggerSettings> again = velmora::readSettings(written, problem);
    if (!again || velmora::settingsJson(*again) != written)
        std::abort();
    return 0;
}
