#include "schema.h"

#include "archive_strings.h"

namespace velmora {

std::string newerSchemaMessage(const std::string& where, long long version)
{
    return archivetext::fill(archivetext::kNewerSchema,
                             {where, std::to_string(version), std::to_string(kSchemaVersion)});
}

} // namespace velmora
