#include "schema.h"

#include "archive_strings.h"

namespace velmora {

std::string newerSchemaMessage(const std::string& where, long long version, int known)
{
    return archivetext::fill(archivetext::kNewerSchema, {where, std::to_string(version), std::to_string(known)});
}

std::string earlierSchemaReadOnlyMessage(const std::string& where, long long version, int known)
{
    return archivetext::fill(archivetext::kEarlierSchemaReadOnly,
                             {where, std::to_string(version), std::to_string(known)});
}

} // namespace velmora
