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

// One stream of reply bytes for the whole run: every port opened reads on from
// where the last one stopped.
class ReplyBridge final : public UsbBridge {
public:
    ReplyBridge(const std::uint8_t* bytes, std::size_t size, Clock& clock) : bytes_(bytes), size_(size), clock_(clock)
    {
    }
    std::uint8_t lastHeader[3] = {0, 0, 0}; // the header of the last reply read in full

    PortStatus listDevices(std::vector<UsbDevice>& devices) override
    {
        devices = {UsbDevice{"fuzz-1", "fuzz", PortStatus::Ok}};
        return PortStatus::Ok;
    }
    PortStatus open(const std::string&, std::unique_ptr<UsbPort>& port) override
    {
        port = std::make_unique<Port>(*this);
        return PortStatus::Ok;
    }
    bool waitForChange(std::uint32_t) override { return false; }

private:
    class Port final : public UsbPort {
    public:
        explicit Port(ReplyBridge& b) : b_(b) {}
        PortStatus read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override
        {
            done = static_cast<std::uint32_t>(std::min<std::size_t>(count, b_.size_ - b_.pos_));
            std::memcpy(buffer, b_.bytes_ + b_.pos_, done);
            b_.pos_ += done;
            if (b_.afterCommand_ && done == 3)
                std::memcpy(b_.lastHeader, buffer, 3);
            b_.afterCommand_ = false;
            if (done == count)
                return PortStatus::Ok;
            b_.clock_.sleepMs(timeouts().readMs);
            return PortStatus::Timeout;
        }
        PortStatus write(const std::uint8_t*, std::uint32_t count, std::uint32_t& done) override
        {
            done = count;
            b_.afterCommand_ = count == 3;
            return PortStatus::Ok;
        }
        PortStatus purge() override { return PortStatus::Ok; }
        PortStatus waiting(std::uint32_t& bytes) override
        {
            bytes = static_cast<std::uint32_t>(b_.size_ - b_.pos_);
            return bytes ? PortStatus::Ok : PortStatus::IoFailed;
        }
        PortStatus close() override { return PortStatus::Ok; }

    private:
        ReplyBridge& b_;
    };

    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool afterCommand_ = false;
    Clock& clock_;
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
        const bool ok = link.readConfigBlock(out);
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
        const bool ok = link.writeConfigBlock(record, 256, true);
        check(ok == (prompts.shown == 0));
        if (ok)
            check(std::find(data + 2, data + size, 0xFF) != data + size);
        break;
    }
    default: {
        const auto type = static_cast<LoggerType>(data[1] % 23);
        std::vector<float> readings;
        const bool ok = link.readReadings(type, readings);
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
