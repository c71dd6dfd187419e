#include "tracing_bridge.h"

#include <cstdio>
#include <string>

#include "clock.h"

namespace velmora {

std::string bridgeStatusName(int status)
{
    switch (status) {
    case bridge::kSuccess: return "ok";
    case bridge::kInvalidHandleStatus: return "invalid handle";
    case bridge::kReadError: return "read error";
    case bridge::kWriteError: return "write error";
    case bridge::kDeviceNotFound: return "device not found";
    case bridge::kTimeout: return "time-out";
    case bridge::kInvalidParameter: return "invalid parameter";
    case bridge::kDeviceIoFailed: return "device I/O failed";
    default: return "status " + std::to_string(status);
    }
}

TracingBridge::TracingBridge(std::unique_ptr<UsbBridge> inner, std::ostream& out, Clock& clock)
    : inner_(std::move(inner)), out_(out), clock_(clock)
{
    start();
}

TracingBridge::TracingBridge(std::unique_ptr<UsbBridge> inner, std::unique_ptr<std::ostream> out,
                             std::unique_ptr<Clock> clock)
    : inner_(std::move(inner)), ownedOut_(std::move(out)), ownedClock_(std::move(clock)), out_(*ownedOut_),
      clock_(*ownedClock_)
{
    start();
}

TracingBridge::~TracingBridge()
{
    out_ << "trace ends\n";
    out_.flush();
}

void TracingBridge::start()
{
    startMs_ = clock_.tickMs();
    const CivilTime t = clock_.localNow();
    char text[80];
    std::snprintf(text, sizeof text, "velmora wire trace, started %04d-%02d-%02d %02d:%02d:%02d\n", t.year, t.month,
                  t.day, t.hour, t.minute, t.second);
    out_ << text;
    out_.flush();
}

void TracingBridge::line(const std::string& call, int status, const std::string& detail)
{
    const std::uint64_t ms = clock_.tickMs() - startMs_;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%6llu.%03llu ", static_cast<unsigned long long>(ms / 1000),
                  static_cast<unsigned long long>(ms % 1000));
    out_ << stamp << call << " -> " << status;
    if (status != bridge::kSuccess)
        out_ << " (" << bridgeStatusName(status) << ")";
    if (!detail.empty())
        out_ << ", " << detail;
    out_ << '\n';
    out_.flush(); // a trace must survive the program being killed mid-exchange
}

void TracingBridge::dump(const std::uint8_t* bytes, std::uint32_t count)
{
    for (std::uint32_t row = 0; row < count; row += 16) {
        char text[100];
        int n = std::snprintf(text, sizeof text, "           %04X ", static_cast<unsigned>(row));
        for (std::uint32_t i = 0; i < 16; ++i) {
            if (row + i < count)
                n += std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), " %02X",
                                   static_cast<unsigned>(bytes[row + i]));
            else
                n += std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), "   ");
        }
        n += std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), "  ");
        for (std::uint32_t i = 0; i < 16 && row + i < count; ++i) {
            const std::uint8_t c = bytes[row + i];
            text[n++] = c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.';
        }
        text[n] = '\0';
        out_ << text << '\n';
    }
    out_.flush();
}

int TracingBridge::getNumDevices(std::uint32_t& count)
{
    const int status = inner_->getNumDevices(count);
    line("getNumDevices", status, status == bridge::kSuccess ? std::to_string(count) + " device(s)" : "");
    return status;
}

int TracingBridge::getProductString(std::uint32_t index, std::string& product)
{
    const int status = inner_->getProductString(index, product);
    line("getProductString(" + std::to_string(index) + ")", status,
         status == bridge::kSuccess ? "\"" + product + "\"" : "");
    return status;
}

int TracingBridge::open(std::uint32_t index, BridgeHandle& handle)
{
    const int status = inner_->open(index, handle);
    line("open(" + std::to_string(index) + ")", status,
         status == bridge::kSuccess ? "handle " + std::to_string(handle) : "");
    return status;
}

int TracingBridge::close(BridgeHandle handle)
{
    const int status = inner_->close(handle);
    line("close(" + std::to_string(handle) + ")", status);
    return status;
}

int TracingBridge::read(BridgeHandle handle, std::uint8_t* buffer, std::uint32_t count, std::uint32_t& bytesRead)
{
    bytesRead = 0;
    const int status = inner_->read(handle, buffer, count, bytesRead);
    line("read(" + std::to_string(handle) + ", " + std::to_string(count) + " bytes)", status,
         std::to_string(bytesRead) + " read");
    dump(buffer, bytesRead <= count ? bytesRead : count);
    return status;
}

int TracingBridge::write(BridgeHandle handle, const std::uint8_t* buffer, std::uint32_t count,
                         std::uint32_t& bytesWritten)
{
    bytesWritten = 0;
    const int status = inner_->write(handle, buffer, count, bytesWritten);
    line("write(" + std::to_string(handle) + ", " + std::to_string(count) + " bytes)", status,
         std::to_string(bytesWritten) + " written");
    dump(buffer, count);
    return status;
}

int TracingBridge::flushBuffers(BridgeHandle handle, bool transmit, bool receive)
{
    const int status = inner_->flushBuffers(handle, transmit, receive);
    line("flushBuffers(" + std::to_string(handle) + (transmit ? ", transmit" : "") + (receive ? ", receive" : "") + ")",
         status);
    return status;
}

int TracingBridge::setTimeouts(std::uint32_t readMs, std::uint32_t writeMs)
{
    const int status = inner_->setTimeouts(readMs, writeMs);
    line("setTimeouts(read " + std::to_string(readMs) + " ms, write " + std::to_string(writeMs) + " ms)", status);
    return status;
}

int TracingBridge::getTimeouts(std::uint32_t& readMs, std::uint32_t& writeMs)
{
    const int status = inner_->getTimeouts(readMs, writeMs);
    line("getTimeouts", status,
         status == bridge::kSuccess ? "read " + std::to_string(readMs) + " ms, write " + std::to_string(writeMs) + " ms"
                                    : "");
    return status;
}

int TracingBridge::checkRxQueue(BridgeHandle handle, std::uint32_t& queuedBytes, std::uint32_t& status)
{
    const int result = inner_->checkRxQueue(handle, queuedBytes, status);
    line("checkRxQueue(" + std::to_string(handle) + ")", result,
         result == bridge::kSuccess ? std::to_string(queuedBytes) + " queued, status " + std::to_string(status) : "");
    return result;
}

} // namespace velmora
