#pragma once
// The archive's texts: velmora-cli's archive commands print them; the store's engines
// fill in %1, %2 and %3.
#include <string>
#include <string_view>

#include "placeholders.h"

namespace velmora::archivetext {

inline constexpr std::string_view kAdded = "added %1 readings";
inline constexpr std::string_view kAlreadyArchived = "already archived";
inline constexpr std::string_view kCannotOpen = "Cannot open the archive %1: %2";
inline constexpr std::string_view kNewerSchema =
    "The archive %1 was made by a newer version of velmora (schema version %2; this version knows up to %3): "
    "it is left as it is.";
inline constexpr std::string_view kEarlierSchemaReadOnly =
    "The archive %1 was made by an earlier version of velmora (schema version %2) and must be brought forward to "
    "version %3, which this user may not do: open it once as a user who may change it. Nothing was changed.";
inline constexpr std::string_view kReadOnly = "The archive %1 is read-only: nothing was added.";
inline constexpr std::string_view kStoreFailed = "The archive %1 failed: %2";
inline constexpr std::string_view kUnknownZone = "Unknown time zone %1: give a name such as Europe/Berlin.";
inline constexpr std::string_view kSkippedStart =
    "The first reading's time %1 does not exist in the time zone %2 (the clocks went forward over it): give the "
    "zone the logger was started in with --zone. Nothing was added.";
inline constexpr std::string_view kFileChanged = "The file changed while it was being read: nothing was added.";
inline constexpr std::string_view kNoDeployment = "The archive has no deployment %1.";
inline constexpr std::string_view kTargetExists = "%1 already exists: the archive writes no file over another.";
inline constexpr std::string_view kCannotWrite = "Cannot write %1: %2";
inline constexpr std::string_view kFileDiffers = "deployment %1 (%2): the stored file does not match its SHA-256";
inline constexpr std::string_view kVerified = "%1 files verified";
// The report from the archive: a row's name, and a deployment's line above its size and SHA-256.
inline constexpr std::string_view kReportDeployment = "Deployment %1";
inline constexpr std::string_view kReportDeploymentFile = "Deployment %1: %2, readings %3 to %4 (%5)";
inline constexpr std::string_view kReportNoDeployments =
    "The archive holds no readings of the logger %1 in that range: no report was written.";
inline constexpr std::string_view kReportNotWritten = "No report was written.";
inline constexpr std::string_view kReportOverArchive = "%1 is the archive itself: the report is not written over it.";

// `text` with %1, %2, ... replaced by `args` in order.
inline std::string fill(std::string_view text, std::initializer_list<std::string> args)
{
    return fillPlaceholders(text, args);
}

} // namespace velmora::archivetext
