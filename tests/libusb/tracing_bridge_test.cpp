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
class ScriptedPort final : public UsbPort {
public:
    ScriptedPort(VirtualClock& clock, std::vector<std::uint8_t>& reply)
        : UsbPort({3000, 0}), clock_(clock), reply_(reply)
    {
    }
    PortStatus read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override
    {
        step();
        done = std::min<std::uint32_t>(count, static_cast<std::uint32_t>(reply_.size()));
        std::copy(reply_.begin(), reply_.begin() + done, buffer);
        return done == count ? PortStatus::Ok : PortStatus::Timeout;
    }
    PortStatus write(const std::uint8_t*, std::uint32_t count, std::uint32_t& done) override
    {
        return step(), done = count, PortStatus::Ok;
    }
    PortStatus purge() override { return step(), PortStatus::Ok; }
    PortStatus waiting(std::uint32_t& bytes) override { return step(), bytes = 0, PortStatus::IoFailed; }
    PortStatus close() override { return step(), PortStatus::Ok; }
    PortStatus setTimeouts(PortTimeouts t) override { return step(), UsbPort::setTimeouts(t); }

private:
    void step() { clock_.advanceMs(1250); }
    VirtualClock& clock_;
    std::vector<std::uint8_t>& reply_;
};

class ScriptedBridge final : public UsbBridge {
public:
    explicit ScriptedBridge(VirtualClock& clock) : clock_(clock) {}
    PortStatus listDevices(std::vector<UsbDevice>& devices) override
    {
        step();
        devices = {{"1-2", "Velmora Logger", PortStatus::Ok}, {"1-3", "", PortStatus::IoFailed}};
        return PortStatus::Ok;
    }
    PortStatus open(const std::string&, std::unique_ptr<UsbPort>& port) override
    {
        step();
        port = std::make_unique<ScriptedPort>(clock_, reply);
        return PortStatus::Ok;
    }
    bool waitForChange(std::uint32_t) override { return step(), true; }

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
        std::vector<UsbDevice> devices;
        EXPECT_EQ(trace.listDevices(devices), PortStatus::Ok);
        EXPECT_EQ(devices.size(), 2u);
        std::unique_ptr<UsbPort> port;
        ASSERT_EQ(trace.open("1-2", port), PortStatus::Ok);
        port->purge();
        EXPECT_EQ(port->timeouts(), (PortTimeouts{3000, 0}));
        port->setTimeouts({0, 3000});
        EXPECT_EQ(port->timeouts(), (PortTimeouts{0, 3000})) << "the time-outs are those of the port traced";
        const std::uint8_t frame[3] = {0x00, 0xFF, 0xFF};
        std::uint32_t n = 0;
        port->write(frame, 3, n);
        script.reply = {0x00, 0x40, 0x00, 'V', 'e', 'l', 'm', 'o', 'r', 'a', ' ', 'L', 'o', 'g', 'g', 'e', 'r', 0x7F};
        std::uint8_t buffer[20] = {};
        EXPECT_EQ(port->read(buffer, 20, n), PortStatus::Timeout);
        EXPECT_EQ(n, 18u);
        EXPECT_EQ(buffer[3], 'V');
        EXPECT_EQ(port->waiting(n), PortStatus::IoFailed);
        port.reset(); // closing by destruction is traced too
        std::unique_ptr<UsbPort> second;
        trace.open("", second);
    }
    EXPECT_EQ(out.str(), "velmora wire trace, started 2026-03-04 09:08:07\n"
                         "     1.250 listDevices -> 0, 2 device(s); 1-2 \"Velmora Logger\"; 1-3 (device I/O failed)\n"
                         "     2.500 open(1-2) -> 0, port 1\n"
                         "     3.750 purge(port 1) -> 0\n"
                         "     5.000 setTimeouts(port 1, read 0 ms, write 3000 ms) -> 0\n"
                         "     6.250 write(port 1, 3 bytes) -> 0, 3 written\n"
                         "           0000  00 FF FF                                         ...\n"
                         "     7.500 read(port 1, 20 bytes) -> 5 (time-out), 18 read\n"
                         "           0000  00 40 00 56 65 6C 6D 6F 72 61 20 4C 6F 67 67 65  .@.Velmora Logge\n"
                         "           0010  72 7F                                            r.\n"
                         "     8.750 waiting(port 1) -> 7 (device I/O failed)\n"
                         "    10.000 close(port 1) -> 0\n"
                         "    11.250 open(first) -> 0, port 2\n"
                         "    12.500 close(port 2) -> 0\n"
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
        std::vector<UsbDevice> devices;
        traced->listDevices(devices);
        EXPECT_NE(errors.str().find("listDevices -> 0, 2 device(s)"), std::string::npos) << errors.str();
    }

    // A path: appended to, so traces of earlier runs stay.
    char dir[] = "/tmp/velmora-trace-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/wire.log";
    for (int run = 0; run < 2; ++run) {
        std::ostringstream errors;
        auto traced = wrapWithTrace(plain(), path.c_str(), errors);
        std::vector<UsbDevice> devices;
        traced->listDevices(devices);
        EXPECT_TRUE(errors.str().empty());
    }
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    const std::string log = text.str();
    EXPECT_NE(log.find("listDevices"), std::string::npos);
    EXPECT_NE(log.find("listDevices", log.find("listDevices") + 1), std::string::npos) << log;
    std::remove(path.c_str());

    // A path that cannot be opened: said so, and the trace still goes somewhere.
    {
        std::ostringstream errors;
        const std::string bad = std::string(dir) + "/no/such/folder/wire.log";
        auto traced = wrapWithTrace(plain(), bad.c_str(), errors);
        std::vector<UsbDevice> devices;
        traced->listDevices(devices);
        EXPECT_NE(errors.str().find("Cannot open the trace file \"" + bad + "\""), std::string::npos) << errors.str();
        EXPECT_NE(errors.str().find("listDevices -> 0"), std::string::npos);
    }
    rmdir(dir);
}

} // namespace
} // namespace velmora
