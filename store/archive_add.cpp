#include "archive_add.h"

#include <filesystem>

#include "archive_strings.h"
#include "download_columns.h"
#include "file_byte_source.h"
#include "file_bytes.h"
#include "graph_strings.h"
#include "text_encoding.h"
#include "time_zone.h"

namespace velmora {

namespace {

// The file's bytes as the parser reads them, hashed and compressed on the way, so the
// bytes kept are the bytes read.
class KeepingSource final : public ByteSource {
public:
    explicit KeepingSource(FileByteSource& file) : file_(file) {}

    long read(char* buffer, std::size_t size) override
    {
        const long n = file_.read(buffer, size);
        if (n > 0) {
            hash_.update(buffer, static_cast<std::size_t>(n));
            compressor_.update(buffer, static_cast<std::size_t>(n));
        }
        return n;
    }
    bool endedEarly() const override { return file_.endedEarly(); }

    // Reads what the parser left (it stops at an empty third line); false on a read error.
    bool drain()
    {
        char buffer[1 << 16];
        long n;
        while ((n = read(buffer, sizeof buffer)) > 0) {}
        return n == 0;
    }
    std::string sha256() { return hash_.hex(); }
    std::string compressed() { return compressor_.finish(); }

private:
    FileByteSource& file_;
    Sha256 hash_;
    Compressor compressor_;
};

unsigned columnsOf(const DownloadFileHeader& h)
{
    unsigned c = 1u << kFirstValue;
    c |= h.first.hasHigh ? 1u << kFirstHigh : 0;
    c |= h.first.hasLow ? 1u << kFirstLow : 0;
    if (h.second.present) {
        c |= 1u << kSecondValue;
        c |= h.second.hasHigh ? 1u << kSecondHigh : 0;
        c |= h.second.hasLow ? 1u << kSecondLow : 0;
        c |= h.first.hasThird ? 1u << kThirdTrace : 0;
    }
    return c;
}

// The kind of logger the columns show; the file does not name its type.
std::string modelOf(const DownloadFileHeader& h)
{
    const std::string& name = h.first.name;
    std::string kind;
    if (name == column::nameOf(column::kCelsius) || name == column::nameOf(column::kFahrenheit))
        kind = "temperature";
    else if (name == column::kVoltage)
        kind = "voltage";
    else if (name == column::kCurrent)
        kind = "current";
    else if (name == column::nameOf(column::kCarbonMonoxide))
        kind = "carbon monoxide";
    else
        kind = cp1252ToUtf8(name);
    return h.second.present ? kind + " and humidity" : kind;
}

std::vector<StoredChannel> channelsOf(const DownloadFileHeader& h)
{
    std::vector<StoredChannel> channels;
    channels.push_back({1, cp1252ToUtf8(h.first.name), cp1252ToUtf8(h.first.unit), {}, {}});
    if (h.second.present)
        channels.push_back({2, cp1252ToUtf8(h.second.name), cp1252ToUtf8(h.second.unit), {}, {}});
    if (h.second.present && h.first.hasThird)
        channels.push_back({3, cp1252ToUtf8(h.first.thirdName), cp1252ToUtf8(h.first.unit), {}, {}});
    return channels;
}

class ArchiveVisitor final : public ReadingVisitor {
public:
    ArchiveVisitor(ArchiveStore& store, Deployment& d, std::int64_t now) : store_(store), d_(d), now_(now) {}

    void header(const DownloadFileHeader& h) override
    {
        d_.name = cp1252ToUtf8(h.loggerName);
        d_.model = modelOf(h);
        d_.channels = channelsOf(h);
        d_.columns = columnsOf(h);
        writer_ = store_.beginAdd(d_);
        if (!writer_)
            stopped_ = alreadyArchived_ = true;
    }

    void reading(const Reading& r) override
    {
        if (stopped_)
            return;
        if (d_.readingCount == 0 && !startReading(r))
            return;
        StoredReading s;
        s.deployment = writer_->id();
        s.timeUtc = offset_ + r.time;
        s.nulls = r.notNumbers;
        for (int c = 0; c < kReadingColumns; ++c) {
            s.values[c] = r.values[c];
            if (r.values[c] == kNoReading)
                s.nulls |= 1u << c;
        }
        s.nulls &= d_.columns;
        writer_->append(s);
        if (d_.readingCount == 0)
            d_.firstUtc = s.timeUtc;
        d_.lastUtc = s.timeUtc;
        ++d_.readingCount;
    }

    bool alreadyArchived() const { return alreadyArchived_; }
    const std::string& skippedStart() const { return skippedStart_; }
    DeploymentWriter* writer() { return writer_.get(); }

private:
    // The first reading's local time through the zone; the alarm levels it holds.
    bool startReading(const Reading& r)
    {
        const std::optional<std::int64_t> instant = instantOfLocal(r.time, d_.zone, now_);
        if (!instant) {
            skippedStart_ = wallStampText(r.time);
            stopped_ = true;
            return false;
        }
        offset_ = *instant - r.time;
        auto level = [&](int c) -> std::optional<double> {
            if (!(d_.columns & (1u << c)) || r.values[c] == kNoReading || (r.notNumbers & (1u << c)))
                return std::nullopt;
            return r.values[c];
        };
        for (StoredChannel& ch : d_.channels) {
            if (ch.position == 1) {
                ch.highAlarm = level(kFirstHigh);
                ch.lowAlarm = level(kFirstLow);
            } else if (ch.position == 2) {
                ch.highAlarm = level(kSecondHigh);
                ch.lowAlarm = level(kSecondLow);
            }
        }
        return true;
    }

    ArchiveStore& store_;
    Deployment& d_;
    std::int64_t now_;
    std::unique_ptr<DeploymentWriter> writer_;
    std::int64_t offset_ = 0; // instant minus the file's wall seconds
    bool stopped_ = false;
    bool alreadyArchived_ = false;
    std::string skippedStart_;
};

AddOutcome refused(std::string message)
{
    AddOutcome out;
    out.status = AddStatus::Refused;
    out.message = std::move(message);
    return out;
}

} // namespace

AddOutcome addDownloadFile(ArchiveStore& store, const AddRequest& request)
{
    FileByteSource file;
    if (!file.open(request.path))
        return refused(readFailureMessage({ReadStatus::CannotOpen, 0}));
    const std::optional<std::string> sha = sha256OfFile(request.path);
    if (!sha)
        return refused(readFailureMessage({ReadStatus::ReadError, 0}));

    Deployment d;
    d.sha256 = *sha;
    d.fileName = std::filesystem::path(request.path).filename().string();
    d.fileSize = static_cast<std::int64_t>(file.sizeAtOpen());
    d.addedBy = request.addedBy;
    d.addedHost = request.addedHost;
    d.addedUtc = request.now;
    d.zone = request.zone;
    d.loggerType = request.loggerType;

    KeepingSource source(file);
    ArchiveVisitor visitor(store, d, request.now);
    const ParsedFile parsed = parseDownloadFile(source, visitor, file.sizeAtOpen());
    if (visitor.alreadyArchived()) {
        AddOutcome out;
        out.status = AddStatus::AlreadyArchived;
        return out;
    }
    if (parsed.result.status == ReadStatus::EventFile)
        return refused(std::string(graphtext::kEventFileNotCharted));
    if (!parsed.loaded())
        return refused(readFailureMessage(parsed.result));
    if (!visitor.skippedStart().empty())
        return refused(archivetext::fill(archivetext::kSkippedStart, {visitor.skippedStart(), request.zone}));
    if (!source.drain())
        return refused(readFailureMessage({ReadStatus::ReadError, 0}));
    // The bytes kept must be the bytes hashed before the add began: a file rewritten
    // in between would be stored under another file's fingerprint.
    if (source.sha256() != d.sha256 || file.endedEarly())
        return refused(std::string(archivetext::kFileChanged));

    d.serial = parsed.serialNumber;
    d.intervalSeconds = parsed.interval;
    d.id = visitor.writer()->id();
    visitor.writer()->finish(d, source.compressed());

    AddOutcome out;
    out.status = AddStatus::Added;
    out.deployment = d.id;
    out.readings = d.readingCount;
    if (parsed.lastLineUnterminated)
        out.warning = std::string(graphtext::kLastLineCut);
    return out;
}

} // namespace velmora
