#include "logger_commands.h"

#include <ostream>
#include <string_view>
#include <vector>

#include "connected_logger.h"
#include "download_task.h"
#include "file_identity.h"
#include "json_text.h"
#include "status_rows.h"
#include "stream_prompts.h"
#include "text_encoding.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

// The opening of the utility's logger commands: read the record, then refuse a type
// this software does not know how to read (message 139) before anything else is
// shown or written.
bool openLogger(ConnectedLogger& logger) { return logger.readConfiguration() && logger.isCompatible(); }

} // namespace

int runList(LoggerCommandContext& context)
{
    StreamPrompts prompts(context.err);
    LoggerLink link(context.bridge, context.clock, prompts);
    link.listDevices();
    if (!link.requireDevice())
        return 1;
    for (int i = 0; i < link.deviceCount(); ++i)
        context.out << i << '\t' << link.productString(i) << '\n';
    return 0;
}

int runStatus(LoggerCommandContext& context, bool json)
{
    StreamPrompts prompts(context.err);
    ConnectedLogger logger(context.bridge, context.clock, prompts);
    if (!openLogger(logger))
        return 1;
    const std::vector<StatusRow> rows = statusRows(logger, context.format);
    if (json) {
        context.out << "{\"rows\": [";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            context.out << (i ? ", " : "") << "{\"label\": " << jsonString(cp1252ToUtf8(rows[i].label))
                        << ", \"value\": " << jsonString(cp1252ToUtf8(rows[i].value)) << '}';
        }
        context.out << "]}\n";
    } else {
        for (const StatusRow& row : rows)
            context.out << cp1252ToUtf8(row.label) << '\t' << cp1252ToUtf8(row.value) << '\n';
    }
    return 0;
}

int runDownload(LoggerCommandContext& context, const std::string& path, bool stopFirst,
                const std::vector<std::string>& images)
{
    for (const std::string& image : images) {
        if (sameExistingFile(image, path)) {
            const std::string_view message = kDownloadOverImage;
            const std::size_t at = message.find("%1");
            context.err << message.substr(0, at) << path << message.substr(at + 2) << '\n';
            return 1;
        }
    }
    StreamPrompts prompts(context.err);
    ConnectedLogger logger(context.bridge, context.clock, prompts);
    if (!openLogger(logger))
        return 1;
    if (logger.config.isLogging()) {
        if (!stopFirst) {
            context.err << kLoggingRefusal << '\n';
            return 1;
        }
        if (!logger.stopAndWrite())
            return 1;
    }
    // The stop page offers no download for an empty logger; neither do we. A wrapped
    // roll-over memory at write position 0 is full, not empty.
    if (downloadRowCount(logger.config) == 0) {
        context.err << kNoReadings << '\n';
        return 1;
    }
    std::vector<float> readings;
    if (!logger.downloadReadings(readings))
        return 1;
    const SaveOutcome outcome = saveDownloadFile(path, logger, readings);
    if (outcome.result != SaveResult::Written) {
        context.err << outcome.message << '\n';
        return 1;
    }
    return 0;
}

} // namespace velmora
