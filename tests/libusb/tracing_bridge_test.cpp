#include "tracing_bridge.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "bridge_factory.h"
#include "clock.h"

namespace velmora {
namespace {

// Answers every call with fixed values and lets time pass, so the stamps move.
class ScriptedBridge final : public UsbBridge {
public:
    explicit ScriptedBridge(VirtualClock& clock) : clock_(clock) {}
    int getNumDevices(std::uint32_t& count) override { return step(), count = 2, bridge::kSuccess; }
    int getProductString(std::uint32_t, std::string& product) override
    {
        return step(), product = "Velmora Logger", bridge::kSuccess;
    }
    int open(std::uint32_t, BridgeHandle& handle) override { return step(), handle = 7, bridge::kSuccess; }
    int close(BridgeHandle) override { return step(), bridge::kSuccess; }
    int read(BridgeHandle, std::uint8_t* buffer, std::uint32_t count, std::uint32_t& bytesRead) override
    {
        step();
        bytesRead = std::min<std::uint32_t>(count, static_cast<std::uint32_t>(reply.size()));
        std::copy(reply.begin(), reply.begin() + bytesRead, buffer);
        return bytesRead == count ? bridge::kSuccess : bridge::kTimeout;
    }
    int write(BridgeHandle, const std::uint8_t*, std::uint32_t count, std::uint32_t& bytesWritten) override
    {
        return step(), bytesWritten = count, bridge::kSuccess;
    }
    int flushBuffers(BridgeHandle, bool, bool) override { return step(), bridge::kSuccess; }
    int setTimeouts(std::uint32_t, std::uint32_t) override { return step(), bridge::kSuccess; }
    int getTimeouts(std::uint32_t& r, std::uint32_t& w) override { return step(), r = 3000, w = 0, bridge::kSuccess; }
    int checkRxQueue(BridgeHandle, std::uint32_t& queued, std::uint32_t& status) override
    {
        return step(), queued = 0, status = 0, bridge::kDeviceIoFailed;
    }

    std::vector<std::uint8_t> reply;

private:
    void step() { clock_.advanceMs(1250); }
    VirtualClock& clock_;
};

TEST(TracingBridgeTest, LogsEveryCallAndEveryByte)
{
    VirtualClock clock(CivilTime{2026, 3, 4, 9, 8, 7});
    std::ostringstream out;
    auto inner = std::make_unique<ScriptedBridge>(clock);
    ScriptedBridge& script = *inner;
    {
        TracingBridge trace(std::move(inner), out, clock);
        std::uint32_t n = 0, a = 0, b = 0;
        std::string product;
        BridgeHandle h = kInvalidHandle;
        EXPECT_EQ(trace.getNumDevices(n), bridge::kSuccess);
        EXPECT_EQ(n, 2u);
        trace.getProductString(0, product);
        EXPECT_EQ(product, "Velmora Logger");
        trace.open(0, h);
        EXPECT_EQ(h, 7);
        trace.flushBuffers(h, true, true);
        trace.getTimeouts(a, b);
        trace.setTimeouts(0, 3000);
        const std::uint8_t frame[3] = {0x00, 0xFF, 0xFF};
        trace.write(h, frame, 3, n);
        script.reply = {0x00, 0x40, 0x00, 'V', 'e', 'l', 'm', 'o', 'r', 'a', ' ', 'L', 'o', 'g', 'g', 'e', 'r', 0x7F};
        std::uint8_t buffer[20] = {};
        EXPECT_EQ(trace.read(h, buffer, 20, n), bridge::kTimeout);
        EXPECT_EQ(n, 18u);
        EXPECT_EQ(buffer[3], 'V');
        EXPECT_EQ(trace.checkRxQueue(h, a, b), bridge::kDeviceIoFailed);
        trace.close(h);
    }
    EXPECT_EQ(out.str(), "velmora wire trace, started 2026-03-04 09:08:07\n"
                         "     1.250 getNumDevices -> 0, 2 device(s)\n"
                         "     2.500 getProductString(0) -> 0, \"Velmora Logger\"\n"
                         "     3.750 open(0) -> 0, handle 7\n"
                         "     5.000 flushBuffers(7, transmit, receive) -> 0\n"
                         "     6.250 getTimeouts -> 0, read 3000 ms, write 0 ms\n"
                         "     7.500 setTimeouts(read 0 ms, write 3000 ms) -> 0\n"
                         "     8.750 write(7, 3 bytes) -> 0, 3 written\n"
                         "           0000  00 FF FF                                         ...\n"
                         "    10.000 read(7, 20 bytes) -> 5 (time-out), 18 read\n"
                         "           0000  00 40 00 56 65 6C 6D 6F 72 61 20 4C 6F 67 67 65  .@.Velmora Logge\n"
                         "           0010  72 7F                                            r.\n"
                         "    11.250 checkRxQueue(7) -> 7 (device I/O failed)\n"
                         "    12.500 close(7) -> 0\n"
                         "trace ends\n");
}

TEST(TracingBridgeTest, TraceSettingChoosesTheSink)
{
    VirtualClock clock;
    const auto plain = [&] { return std::make_unique<ScriptedBridge>(clock); };

    // Off: the very same bridge comes back, with nothing written.
    for (const char* off : {static_cast<const char*>(nullptr), "", "0"}) {
        std::ostringstream errors;
        auto bridge = plain();
        UsbBridge* raw = bridge.get();
        EXPECT_EQ(wrapWithTrace(std::move(bridge), off, errors).get(), raw);
        EXPECT_TRUE(errors.str().empty());
    }

    // "1": the trace goes to the error stream.
    {
        std::ostringstream errors;
        auto traced = wrapWithTrace(plain(), "1", errors);
        std::uint32_t n = 0;
        traced->getNumDevices(n);
        EXPECT_NE(errors.str().find("getNumDevices -> 0, 2 device(s)\n"), std::string::npos) << errors.str();
    }

    // A path: appended to, so traces of earlier runs stay.
    char dir[] = "/tmp/velmora-trace-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/wire.log";
    for (int run = 0; run < 2; ++run) {
        std::ostringstream errors;
        auto traced = wrapWithTrace(plain(), path.c_str(), errors);
        std::uint32_t n = 0;
        traced->getNumDevices(n);
        EXPECT_TRUE(errors.str().empty());
    }
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    const std::string log = text.str();
    EXPECT_NE(log.find("getNumDevices"), std::string::npos);
    EXPECT_NE(log.find("getNumDevices", log.find("getNumDevices") + 1), std::string::npos) << log;
    std::remove(path.c_str());

    // A path that cannot be opened: said so, and the trace still goes somewhere.
    {
        std::ostringstream errors;
        const std::string bad = std::string(dir) + "/no/such/folder/wire.log";
        auto traced = wrapWithTrace(plain(), bad.c_str(), errors);
        std::uint32_t n = 0;
        traced->getNumDevices(n);
        EXPECT_NE(errors.str().find("Cannot open the trace file \"" + bad + "\""), std::string::npos) << errors.str();
        EXPECT_NE(errors.str().find("getNumDevices -> 0"), std::string::npos);
    }
    rmdir(dir);
}

} // namespace
} // namespace velmora
