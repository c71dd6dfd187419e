// Fuzz target for the link's handling of a logger's replies: whatever bytes a logger
// sends, each exchange ends (on a virtual clock), never reads or writes out of bounds,
// and reports success only for a reply that fits the protocol.
//
// Input: byte 0 picks the exchange (configuration read, write, readings download),
// byte 1 the logger type of a download; the rest is what the logger answers, handed
// out in whatever pieces the link asks for. When it runs out, reads time out.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "clock.h"
#include "logger_link.h"
#include "prompts.h"
#include "type_catalogue.h"

namespace {

using namespace velmora;

void check(bool ok)
{
    if (!ok)
        std::abort();
}

class ReplyBridge final : public UsbBridge {
public:
    ReplyBridge(const std::uint8_t* bytes, std::size_t size, Clock& clock) : bytes_(bytes), size_(size), clock_(clock)
    {
    }
    std::uint8_t lastHeader[3] = {0, 0, 0}; // the header of the last reply read in full

    int getNumDevices(std::uint32_t& count) override
    {
        count = 1;
        return 0;
    }
    int getProductString(std::uint32_t, std::string& product) override
    {
        product = "fuzz";
        return 0;
    }
    int open(std::uint32_t, BridgeHandle& handle) override
    {
        handle = 1;
        return 0;
    }
    int close(BridgeHandle) override { return 0; }
    int read(BridgeHandle, std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override
    {
        done = static_cast<std::uint32_t>(std::min<std::size_t>(count, size_ - pos_));
        std::memcpy(buffer, bytes_ + pos_, done);
        pos_ += done;
        if (afterCommand_ && done == 3)
            std::memcpy(lastHeader, buffer, 3);
        afterCommand_ = false;
        if (done == count)
            return 0;
        clock_.sleepMs(readMs_);
        return bridge::kTimeout;
    }
    int write(BridgeHandle, const std::uint8_t*, std::uint32_t count, std::uint32_t& done) override
    {
        done = count;
        afterCommand_ = count == 3;
        return 0;
    }
    int flushBuffers(BridgeHandle, bool, bool) override { return 0; }
    int setTimeouts(std::uint32_t r, std::uint32_t w) override
    {
        readMs_ = r;
        writeMs_ = w;
        return 0;
    }
    int getTimeouts(std::uint32_t& r, std::uint32_t& w) override
    {
        r = readMs_;
        w = writeMs_;
        return 0;
    }
    int checkRxQueue(BridgeHandle, std::uint32_t& queued, std::uint32_t& status) override
    {
        queued = static_cast<std::uint32_t>(size_ - pos_);
        status = queued ? kRxQueueDataReady : 0;
        return queued ? 0 : bridge::kDeviceIoFailed;
    }

private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool afterCommand_ = false;
    Clock& clock_;
    std::uint32_t readMs_ = 0, writeMs_ = 0;
};

class CountingPrompts final : public Prompts {
public:
    int shown = 0;
    PromptAnswer ask(const std::string&, PromptIcon, PromptButtons, PromptAnswer) override
    {
        ++shown;
        return PromptAnswer::Ok;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    VirtualClock clock;
    ReplyBridge bridge(data + 2, size - 2, clock);
    CountingPrompts prompts;
    LoggerLink link(bridge, clock, prompts);
    switch (data[0] % 3) {
    case 0: {
        LoggerConfig out;
        out.bytes.fill(0xA5);
        const bool ok = link.readConfigBlock(0, out);
        check(ok == (prompts.shown == 0));
        if (ok) {
            // The announced length fitted and the record is zero beyond it.
            const std::size_t length = bridge.lastHeader[1] | (bridge.lastHeader[2] << 8);
            check(length <= 256);
            // ... and held the whole record of the type it names.
            check(length >= (isKnownType(out.type()) ? configLength(out.type()) : LoggerConfig::kNarrowSize));
            check(std::all_of(out.bytes.begin() + static_cast<std::ptrdiff_t>(length), out.bytes.end(),
                              [](std::uint8_t b) { return b == 0; }));
        } else {
            check(std::all_of(out.bytes.begin(), out.bytes.end(), [](std::uint8_t b) { return b == 0xA5; }));
        }
        break;
    }
    case 1: {
        LoggerConfig record;
        const bool ok = link.writeConfigBlock(0, record, 256, true);
        check(ok == (prompts.shown == 0));
        if (ok)
            check(std::find(data + 2, data + size, 0xFF) != data + size);
        break;
    }
    default: {
        const auto type = static_cast<LoggerType>(data[1] % 23);
        std::vector<float> readings;
        const bool ok = link.readReadings(0, type, readings);
        check(ok == (prompts.shown == 0));
        // Never more values than the bytes that came, each a whole raw code.
        const std::size_t perValue = isNarrow(type) ? 1 : 2;
        check(readings.size() <= (size - 2) / perValue);
        for (float v : readings)
            check(v >= 0.0f && v <= (perValue == 1 ? 255.0f : 65535.0f) &&
                  v == static_cast<float>(static_cast<int>(v)));
        break;
    }
    }
    // Every exchange ends in bounded time: a time-out ends it, and a configuration
    // read makes at most two attempts.
    check(clock.tickMs() <= 2u * (3000u + 48u));
    return 0;
}
