#include "virtual_logger_peer.h"

#include "clock.h"

namespace velmora {

void VirtualLoggerPeer::hostWrote(const std::vector<std::uint8_t>& bytes) { logger_.receive(bytes); }

std::vector<std::uint8_t> VirtualLoggerPeer::toHost(std::size_t max)
{
    if (logger_.pendingBytes() == 0 || clock_.tickMs() < logger_.replyReadyAtMs())
        return {};
    std::vector<std::uint8_t> bytes(max);
    bytes.resize(logger_.takeReply(bytes.data(), max));
    return bytes;
}

} // namespace velmora
