#include "file_fingerprint.h"

#include <QCryptographicHash>
#include <cstring>
#include <filesystem>

#include "file_byte_source.h"

namespace velmora {

namespace {

// Hands the file's bytes to the reader and to the hash alike.
class HashingSource final : public ByteSource {
public:
    explicit HashingSource(FileByteSource& file) : file_(file), hash_(QCryptographicHash::Sha256) {}

    long read(char* buffer, std::size_t size) override
    {
        const long n = file_.read(buffer, size);
        if (n == 0)
            sawEnd_ = true;
        if (n > 0) {
            hash_.addData(QByteArrayView(buffer, n));
            bytes_ += static_cast<std::uint64_t>(n);
        }
        return n;
    }
    bool endedEarly() const override { return file_.endedEarly(); }

    // Whatever the reader left unread (it stops at a blank third line), so that the
    // fingerprint covers the whole file. False on a read error, or when bytes arrive
    // after the end was seen: the file grew while it was read.
    bool drain()
    {
        const bool ended = sawEnd_;
        char buffer[1 << 16];
        for (;;) {
            const long n = read(buffer, sizeof buffer);
            if (n == 0)
                return true;
            if (n < 0 || ended)
                return false;
        }
    }

    std::uint64_t bytes() const { return bytes_; }
    std::string hex() const { return hash_.result().toHex().toStdString(); }

private:
    FileByteSource& file_;
    QCryptographicHash hash_;
    std::uint64_t bytes_ = 0;
    bool sawEnd_ = false;
};

bool sameChannel(const ChannelData& a, const ChannelData& b)
{
    if (a.name != b.name || a.unit != b.unit || a.highLabel != b.highLabel || a.lowLabel != b.lowLabel ||
        a.thirdName != b.thirdName || a.present != b.present || a.hasHigh != b.hasHigh || a.hasLow != b.hasLow ||
        a.hasThird != b.hasThird || a.decimals != b.decimals || a.data.seriesCount() != b.data.seriesCount())
        return false;
    for (int s = 0; s < a.data.seriesCount(); ++s) {
        const ChartDataSet::Values& x = a.data.values(s);
        const ChartDataSet::Values& y = b.data.values(s);
        // Bit for bit: the same text always reads back to the same double.
        if (x.size() != y.size() || (!x.empty() && std::memcmp(x.data(), y.data(), x.size() * sizeof(double)) != 0))
            return false;
    }
    return true;
}

} // namespace

ReadResult readFingerprinted(const std::string& path, GraphData& data, FileFingerprint& fingerprint)
{
    data.reset();
    fingerprint = {};
    FileByteSource file;
    if (!file.open(path))
        return {ReadStatus::CannotOpen};
    HashingSource source(file);
    const ReadResult read = readDataBytes(source, data, file.sizeAtOpen());
    if (read.status != ReadStatus::Loaded)
        return read;
    if (!source.drain()) {
        data.reset();
        return {ReadStatus::ReadError};
    }
    fingerprint.name = std::filesystem::path(path).filename().string();
    fingerprint.size = source.bytes();
    fingerprint.sha256 = source.hex();
    return read;
}

bool sameDocument(const GraphData& a, const GraphData& b)
{
    return a.loggerName == b.loggerName && a.readingCount == b.readingCount && a.startTime == b.startTime &&
           a.sampleInterval == b.sampleInterval && a.singleReading == b.singleReading &&
           a.serialNumber == b.serialNumber && sameChannel(a.channel1, b.channel1) &&
           sameChannel(a.channel2, b.channel2);
}

} // namespace velmora
