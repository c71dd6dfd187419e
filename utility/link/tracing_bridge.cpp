#include "tracing_bridge.h"

#include <cstdio>
#include <string>

#include "clock.h"

namespace velmora {

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

void TracingBridge::line(const std::string& call, PortStatus status, const std::string& detail)
{
    std::lock_guard lock(mutex_);
    const std::uint64_t ms = clock_.tickMs() - startMs_;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%6llu.%03llu ", static_cast<unsigned long long>(ms / 1000),
                  static_cast<unsigned long long>(ms % 1000));
    out_ << stamp << call << " -> " << static_cast<int>(status);
    if (status != PortStatus::Ok)
        out_ << " (" << portStatusName(status) << ")";
    if (!detail.empty())
        out_ << ", " << detail;
    out_ << '\n';
    out_.flush(); // a trace must survive the program being killed mid-exchange
}

void TracingBridge::dump(const std::uint8_t* bytes, std::uint32_t count)
{
    std::lock_guard lock(mutex_);
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

namespace {

// A port whose every call is written to its bridge's trace.
class TracingPort final : public UsbPort {
public:
    TracingPort(std::unique_ptr<UsbPort> inner, TracingBridge& trace, std::string name)
        : inner_(std::move(inner)), trace_(trace), name_(std::move(name))
    {
    }
    ~TracingPort() override { close(); }

    PortStatus read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override
    {
        done = 0;
        const PortStatus status = inner_->read(buffer, count, done);
        trace_.line("read(" + name_ + ", " + std::to_string(count) + " bytes)", status, std::to_string(done) + " read");
        trace_.dump(buffer, done <= count ? done : count);
        return status;
    }
    PortStatus write(const std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override
    {
        done = 0;
        const PortStatus status = inner_->write(buffer, count, done);
        trace_.line("write(" + name_ + ", " + std::to_string(count) + " bytes)", status,
                    std::to_string(done) + " written");
        trace_.dump(buffer, count);
        return status;
    }
    PortStatus purge() override
    {
        const PortStatus status = inner_->purge();
        trace_.line("purge(" + name_ + ")", status);
        return status;
    }
    PortStatus waiting(std::uint32_t& bytes) override
    {
        const PortStatus status = inner_->waiting(bytes);
        trace_.line("waiting(" + name_ + ")", status, status == PortStatus::Ok ? std::to_string(bytes) + " bytes" : "");
        return status;
    }
    PortStatus close() override
    {
        if (closed_)
            return PortStatus::Closed;
        closed_ = true;
        const PortStatus status = inner_->close();
        trace_.line("close(" + name_ + ")", status);
        return status;
    }
    PortStatus setTimeouts(PortTimeouts timeouts) override
    {
        const PortStatus status = inner_->setTimeouts(timeouts);
        trace_.line("setTimeouts(" + name_ + ", read " + std::to_string(timeouts.readMs) + " ms, write " +
                        std::to_string(timeouts.writeMs) + " ms)",
                    status);
        return status;
    }
    PortTimeouts timeouts() const override { return inner_->timeouts(); }

private:
    std::unique_ptr<UsbPort> inner_;
    TracingBridge& trace_;
    std::string name_;
    bool closed_ = false;
};

} // namespace

PortStatus TracingBridge::listDevices(std::vector<UsbDevice>& devices)
{
    const PortStatus status = inner_->listDevices(devices);
    std::string detail = std::to_string(devices.size()) + " device(s)";
    for (const UsbDevice& d : devices)
        detail += "; " + d.location +
                  (d.productStatus == PortStatus::Ok ? " \"" + d.product + "\""
                                                     : " (" + portStatusName(d.productStatus) + ")");
    line("listDevices", status, detail);
    return status;
}

PortStatus TracingBridge::open(const std::string& location, std::unique_ptr<UsbPort>& port)
{
    const PortStatus status = inner_->open(location, port);
    std::string name;
    if (status == PortStatus::Ok && port) {
        std::lock_guard lock(mutex_);
        name = "port " + std::to_string(++portsOpened_);
        port = std::make_unique<TracingPort>(std::move(port), *this, name);
    }
    line("open(" + (location.empty() ? std::string("first") : location) + ")", status, name);
    return status;
}

bool TracingBridge::waitForChange(std::uint32_t ms)
{
    const bool changed = inner_->waitForChange(ms);
    if (changed)
        line("waitForChange(" + std::to_string(ms) + " ms)", PortStatus::Ok, "changed");
    return changed;
}

} // namespace velmora
