#include "logger_name_check.h"

#include <string_view>

#include "connected_logger.h"
#include "control_characters.h"
#include "prompts.h"
#include "utility_strings.h"
#include "wizard_core.h"

namespace velmora {

namespace {
// Characters a logger name may not hold: they would break the download file or the
// file names made from it.
constexpr std::string_view kUnsupported = "\"%&*,./:<>?\\|()";
constexpr std::size_t kMaxNameLength = 15;
} // namespace

std::string loggerNameProblem(std::string& name)
{
    const std::size_t first = name.find_first_not_of(' ');
    name.erase(0, first == std::string::npos ? name.size() : first);
    if (name.empty())
        return std::string(utilitytext::kNameMissing);
    if (name.size() > kMaxNameLength)
        return std::string(utilitytext::kNameTooLong);
    if (name.find_first_of(kUnsupported) != std::string::npos)
        return std::string(utilitytext::kNameUnsupported);
    if (firstControlCharacter(name))
        return std::string(utilitytext::kNameControlCharacter);
    return {};
}

bool takeLoggerName(WizardCore& core, std::string name)
{
    if (const std::string problem = loggerNameProblem(name); !problem.empty()) {
        core.prompts.warn(problem);
        return false;
    }
    core.logger.config.setName(name);
    return true;
}

} // namespace velmora
