// velmora-cli without --simulate, against the fake USB device: the program lists
// the logger through libusb, prints its status and writes the download file, with
// a virtual logger at the far end. The program runs as a child process that
// inherits the umockdev preload and test bed from this one.
#include <gtest/gtest.h>

#include "fridge_expectations.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "clock.h"
#include "logger_image.h"
#include "virtual_logger.h"
#include "virtual_logger_peer.h"

namespace fs = std::filesystem;

namespace velmora {
namespace {

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A stopped type-1 logger named Fridge: Celsius (0.5 °C a count from -40 °C), high
// alarm 8.0 and low alarm 2.0 enabled, 10 s interval, started 7 Dec 2026 14:00:00,
// serial number 12345, firmware V1.0, holding the raw readings 89, 89, 90.
LoggerImage fridge()
{
    std::vector<std::uint8_t> bytes(64, 0);
    bytes[0] = 1;
    const char name[] = "Fridge";
    std::copy(name, name + 6, bytes.begin() + 2);
    bytes[18] = 14;
    bytes[21] = 7;
    bytes[22] = 12;
    bytes[23] = 26;
    bytes[28] = 10;
    bytes[30] = 3;
    bytes[32] = 0x03; // both alarms enabled
    bytes[33] = 0x02; // readings not yet downloaded
    bytes[34] = 96;   // (96 × 0.5) - 40 = 8.0 °C
    bytes[35] = 84;   // 2.0 °C
    bytes[39] = 0x3F; // calibration gain 0.5f
    bytes[42] = 0x20; // calibration offset -40.0f
    bytes[43] = 0xC2;
    bytes[48] = 'V';
    bytes[49] = '1';
    bytes[50] = '.';
    bytes[51] = '0';
    bytes[52] = 0x39; // 12345
    bytes[53] = 0x30;
    bytes[60] = 0xFF; // capacity 16383
    bytes[61] = 0x3F;
    for (std::uint8_t r : {89, 89, 90})
        bytes.push_back(r);
    LoggerImage image;
    std::string error;
    EXPECT_TRUE(decodeLoggerImage(bytes, image, error)) << error;
    return image;
}

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

class CliOverLibusbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("velmora-cli-usb-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "config");
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the program with the C locale (predictable date forms) and a settings
    // folder of its own; `environment` is put in front, e.g. "VELMORA_TRACE=x".
    CliRun run(const std::string& arguments, const std::string& environment = {})
    {
        const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
        const std::string command = "LC_ALL=C XDG_CONFIG_HOME='" + (dir_ / "config").string() + "' " + environment +
                                    " '" VELMORA_CLI "' " + arguments + " > '" + out.string() + "' 2> '" +
                                    err.string() + "'";
        const int status = std::system(command.c_str());
        return CliRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
    }

    fs::path dir_;
};

TEST_F(CliOverLibusbTest, StatusAndDownloadOverLibusb)
{
    SteadyClock clock;
    VirtualLogger logger(fridge(), clock);
    VirtualLoggerPeer peer(logger, clock);
    FakeUsbDevice device(peer);
    ASSERT_EQ(device.setupError(), "");

    CliRun r = run("list");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Serial, type code, model, name, state, readings held.
    EXPECT_EQ(r.out, "12345\t1\tKV-USB-1\tFridge\tstopped\t3\n");

    r = run("status");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, fridge::kStatusText);

    const fs::path file = dir_ / "fridge.txt";
    r = run("download '" + file.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(slurp(file), fridge::kDownloadFile);
    EXPECT_FALSE(logger.record().hasFlag(flag::kUndownloaded)) << "the logger knows it was downloaded";
    EXPECT_EQ(device.claimedInterfaces(), 0);
    EXPECT_TRUE(device.unexpectedRequests().empty());
}

// watch learns of a logger plugged in while it runs through libusb's hot-plug, which
// listens for the kernel's "add" uevent: umockdev sends one as it adds the device.
TEST_F(CliOverLibusbTest, WatchFetchesALoggerPluggedInWhileItRuns)
{
    // Something that is not a logger is on the bus from the start: the test bed
    // must exist before the program's libusb starts listening for uevents.
    class Silent final : public UsbPeer {
        void hostWrote(const std::vector<std::uint8_t>&) override {}
        std::vector<std::uint8_t> toHost(std::size_t) override { return {}; }
    } silent;
    FakeUsbDevice other(silent, "Keyboard", UsbId{0x1234, 0x5678}, 2);
    ASSERT_EQ(other.setupError(), "");

    const fs::path desk = dir_ / "desk", out = dir_ / "watch.out";
    fs::create_directories(desk);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::setenv("LC_ALL", "C", 1);
        ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (dir_ / "state").c_str(), 1);
        std::freopen(out.c_str(), "w", stdout);
        ::execl(VELMORA_CLI, VELMORA_CLI, "watch", "--dir", desk.c_str(), static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    const auto waitFor = [&](const std::string& text) {
        for (int i = 0; i < 100 && slurp(out).find(text) == std::string::npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return slurp(out).find(text) != std::string::npos;
    };
    EXPECT_TRUE(waitFor("watching\n"));

    SteadyClock clock;
    VirtualLogger logger(fridge(), clock);
    VirtualLoggerPeer peer(logger, clock);
    FakeUsbDevice device(peer, "Velmora USB Data Logger", kLoggerUsbId, 3);
    ASSERT_EQ(device.setupError(), "");
    EXPECT_TRUE(waitFor("12345\tok\t3 readings saved"));

    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::string events = slurp(out);
    EXPECT_NE(events.find("plugged in\t1-3\n12345\tok\t3 readings saved\t"), std::string::npos) << events;
    EXPECT_EQ(events.substr(events.size() - 8), "stopped\n") << events;
    EXPECT_EQ(slurp(desk / "Fridge_12345_20261207-140000.txt"), fridge::kDownloadFile);
}

TEST_F(CliOverLibusbTest, UnknownTypeCodesGetTheMainMenusRefusal)
{
    const std::string notCompatible =
        "The USB device currently connected is not compatible with this version of the software.\n"
        "Contact your supplier for further assistance.\n(See About box for contact details)\n";
    for (LoggerType type : {0, 22, 255}) {
        SCOPED_TRACE(static_cast<int>(type));
        LoggerImage image = fridge();
        image.record.setType(type); // the rest of the reply is the Fridge's record
        SteadyClock clock;
        VirtualLogger logger(image, clock);
        VirtualLoggerPeer peer(logger, clock);
        FakeUsbDevice device(peer);
        ASSERT_EQ(device.setupError(), "");

        CliRun r = run("status");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, notCompatible);
        EXPECT_EQ(r.out, "");
        const fs::path file = dir_ / "unknown.txt";
        r = run("download '" + file.string() + "'");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, notCompatible);
        EXPECT_FALSE(fs::exists(file)) << "no Celsius file for a logger we do not know";
    }
}

TEST_F(CliOverLibusbTest, OtherIdsComeFromTheSettingOrTheEnvironment)
{
    SteadyClock clock;
    VirtualLogger logger(fridge(), clock);
    VirtualLoggerPeer peer(logger, clock);
    FakeUsbDevice device(peer, "Rebadged Logger", UsbId{0x1234, 0xABCD});
    ASSERT_EQ(device.setupError(), "");

    CliRun r = run("list");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("No Velmora USB Data Logger found"), std::string::npos) << r.err;

    r = run("list", "VELMORA_USB_IDS=1234:abcd");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "12345\t1\tKV-USB-1\tFridge\tstopped\t3\n"); // the Fridge's record behind another id

    // A typing slip is reported and does not stop the good entry from working.
    r = run("list", "VELMORA_USB_IDS='12345:abcd, 1234:abcd'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Ignored USB device id \"12345:abcd\" in VELMORA_USB_IDS"), std::string::npos) << r.err;

    // The utility's setting, typed into its file by hand.
    fs::create_directories(dir_ / "config" / "Oskenby Electronics");
    std::ofstream(dir_ / "config" / "Oskenby Electronics" / "Velmora USB.conf")
        << "[Settings]\nUSB%20Device%20IDs=0001:0002, 1234:ABCD\n";
    r = run("list");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "12345\t1\tKV-USB-1\tFridge\tstopped\t3\n"); // the Fridge's record behind another id
}

TEST_F(CliOverLibusbTest, TraceGoesToTheNamedFile)
{
    SteadyClock clock;
    VirtualLogger logger(fridge(), clock);
    VirtualLoggerPeer peer(logger, clock);
    FakeUsbDevice device(peer);
    ASSERT_EQ(device.setupError(), "");

    const fs::path trace = dir_ / "wire trace.log";
    const CliRun r = run("status", "VELMORA_TRACE='" + trace.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = slurp(trace);
    EXPECT_EQ(text.rfind("velmora wire trace, started ", 0), 0u) << text;
    EXPECT_NE(text.find("write(port 1, 3 bytes) -> 0, 3 written\n"
                        "           0000  00 FF FF                                         ...\n"),
              std::string::npos)
        << text;
    // The 64-byte record of a narrow logger, its name in the text column.
    EXPECT_NE(text.find("read(port 1, 64 bytes) -> 0, 64 read\n"
                        "           0000  01 00 46 72 69 64 67 65 00 00 00 00 00 00 00 00  ..Fridge........\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("trace ends\n"), std::string::npos);
}

} // namespace
} // namespace velmora
