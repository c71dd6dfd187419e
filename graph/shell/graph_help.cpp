#include "graph_help.h"

#include "help_topics.h"

namespace velmora {

int graphHelpContext(const GraphData& data)
{
    const ChannelData& first = data.channel1;
    if (data.channel2.present)
        return helpctx::kChannelSecond;
    if (first.name == "Voltage")
        return helpctx::kChannelVoltage;
    if (first.name == "Current")
        return helpctx::kChannelCurrent;
    if (first.name == "CO")
        return helpctx::kChannelCo;
    if (first.decimals != 0)
        return helpctx::kChannelDecimal;
    return helpctx::kChannelTemperature; // also with no file loaded
}

} // namespace velmora
