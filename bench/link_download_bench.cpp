// A readings download of a full wide logger: 65,535 readings, the most a logger's
// memory can hold, in 256 blocks of 512 bytes behind a 24-bit total (type 20).
//
//   LinkDownload/prebuilt   the link and the decoding alone: the bridge hands out reply
//                           bytes built once beforehand, so the device costs a memcpy.
//   LinkDownload/virtual    the same download from a virtual logger on the simulated
//                           bridge (the device's own work included), for comparison.
//   Anchor/decodeOnly       the anchor: a bare loop turning the same bytes into floats,
//                           no link, no bridge. The link's figure is judged against it.
//
// Each prints per_reading: the CPU time per reading.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "clock.h"
#include "logger_link.h"
#include "prompts.h"
#include "simulated_bridge.h"

using namespace velmora;

namespace {

constexpr std::size_t kReadings = 65535;
constexpr LoggerType kType = 20;
constexpr std::size_t kBlock = 512;

std::vector<std::uint8_t> memoryBytes()
{
    std::vector<std::uint8_t> bytes(kReadings * 2);
    for (std::size_t i = 0; i < kReadings; ++i) {
        const auto raw = static_cast<std::uint16_t>((i * 37) % 65472);
        bytes[2 * i] = static_cast<std::uint8_t>(raw >> 8);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(raw & 0xFF);
    }
    return bytes;
}

// The reply to a readings command exactly as a logger sends it: 4-byte header with
// the 24-bit total, then whole blocks.
std::vector<std::uint8_t> readingsReply(const std::vector<std::uint8_t>& memory)
{
    const auto total = static_cast<std::uint32_t>(memory.size());
    std::vector<std::uint8_t> reply{0x03, static_cast<std::uint8_t>(total & 0xFF),
                                    static_cast<std::uint8_t>((total >> 8) & 0xFF),
                                    static_cast<std::uint8_t>(total >> 16)};
    reply.insert(reply.end(), memory.begin(), memory.end());
    reply.resize(4 + (memory.size() + kBlock - 1) / kBlock * kBlock, 0);
    return reply;
}

// A bridge that plays back a reply built in advance.
class PlaybackBridge final : public UsbBridge {
public:
    explicit PlaybackBridge(std::vector<std::uint8_t> reply) : reply_(std::move(reply)) {}

    int getNumDevices(std::uint32_t& count) override
    {
        count = 1;
        return 0;
    }
    int getProductString(std::uint32_t, std::string& product) override
    {
        product = "playback";
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
        done = static_cast<std::uint32_t>(std::min<std::size_t>(count, reply_.size() - pos_));
        std::memcpy(buffer, reply_.data() + pos_, done);
        pos_ += done;
        return done == count ? 0 : bridge::kTimeout;
    }
    int write(BridgeHandle, const std::uint8_t*, std::uint32_t count, std::uint32_t& done) override
    {
        pos_ = 0; // a new command: the reply starts again
        done = count;
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
        queued = static_cast<std::uint32_t>(reply_.size() - pos_);
        status = queued ? kRxQueueDataReady : 0;
        return 0;
    }

private:
    std::vector<std::uint8_t> reply_;
    std::size_t pos_ = 0;
    std::uint32_t readMs_ = 0, writeMs_ = 0;
};

class SilentPrompts final : public Prompts {
public:
    PromptAnswer ask(const std::string&, PromptIcon, PromptButtons, PromptAnswer) override { return PromptAnswer::Ok; }
};

void perReading(benchmark::State& state)
{
    // CPU seconds per reading, printed with an SI prefix ("1.3n" is 1.3 ns).
    state.counters["per_reading"] = benchmark::Counter(
        static_cast<double>(kReadings), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void download(benchmark::State& state, UsbBridge& bridge, Clock& clock)
{
    SilentPrompts prompts;
    LoggerLink link(bridge, clock, prompts);
    std::vector<float> readings;
    for (auto _ : state) {
        if (!link.readReadings(0, kType, readings) || readings.size() != kReadings) {
            state.SkipWithError("download failed");
            break;
        }
        benchmark::DoNotOptimize(readings.data());
    }
    perReading(state);
}

void BM_LinkDownloadPrebuilt(benchmark::State& state)
{
    VirtualClock clock;
    PlaybackBridge bridge(readingsReply(memoryBytes()));
    download(state, bridge, clock);
}

void BM_LinkDownloadVirtual(benchmark::State& state)
{
    VirtualClock clock;
    SimulatedBridge bridge(clock);
    LoggerImage image;
    image.record.setType(kType);
    image.record.setMemoryCapacity(static_cast<std::uint16_t>(kReadings));
    image.record.setReadingCount(static_cast<std::uint16_t>(kReadings));
    image.memory = memoryBytes();
    bridge.attach(std::move(image));
    download(state, bridge, clock);
}

void BM_AnchorDecodeOnly(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = memoryBytes();
    std::vector<float> readings;
    for (auto _ : state) {
        readings.clear();
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            readings.push_back(static_cast<float>((bytes[i] << 8) | bytes[i + 1]));
        benchmark::DoNotOptimize(readings.data());
    }
    perReading(state);
}

} // namespace

BENCHMARK(BM_LinkDownloadPrebuilt)->Name("LinkDownload/prebuilt")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LinkDownloadVirtual)->Name("LinkDownload/virtual")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnchorDecodeOnly)->Name("Anchor/decodeOnly")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
