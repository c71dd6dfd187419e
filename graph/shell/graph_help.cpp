#include "graph_help.h"

#include "download_columns.h"
#include "help_topics.h"

namespace velmora {

int graphHelpContext(const GraphData& data)
{
    const ChannelData& first = data.channel1;
    if (data.channel2.present)
        return helpctx::kChannelSecond;
    if (first.name == column::kVoltage)
        return helpctx::kChannelVoltage;
    if (first.name == column::kCurrent)
        return helpctx::kChannelCurrent;
    if (first.name == column::nameOf(column::kCarbonMonoxide))
        return helpctx::kChannelCo;
    if (first.decimals != 0)
        return helpctx::kChannelDecimal;
    return helpctx::kChannelTemperature; // also with no file loaded
}

} // namespace velmora
