#include "postgres_reading_stream.h"

#include <cstring>

#include "archive_strings.h"

namespace velmora {

namespace {

constexpr char kSignature[] = "PGCOPY\n\377\r\n";
constexpr std::size_t kHeaderSize = 11 + 4 + 4;
constexpr int kFields = 2 + kReadingColumns;

std::uint32_t big32(const char* p)
{
    return (std::uint32_t(static_cast<unsigned char>(p[0])) << 24) |
           (std::uint32_t(static_cast<unsigned char>(p[1])) << 16) |
           (std::uint32_t(static_cast<unsigned char>(p[2])) << 8) | std::uint32_t(static_cast<unsigned char>(p[3]));
}

} // namespace

PgReadingStream::PgReadingStream(PgConnection& db, const std::vector<std::int64_t>& deployments, std::int64_t fromUtc,
                                 std::int64_t toUtc)
    : db_(db)
{
    // COPY takes no parameters; every value pasted here is a number we formatted.
    std::string ids;
    for (std::int64_t id : deployments) {
        if (!ids.empty())
            ids += ", ";
        ids += std::to_string(id);
    }
    if (ids.empty())
        ids = "NULL";
    db_.exec("COPY (SELECT deployment, t, first_value, first_high, first_low, second_value, second_high, "
             "second_low, third_value FROM readings WHERE deployment IN (" +
                 ids + ") AND t BETWEEN to_timestamp(" + std::to_string(fromUtc) + ") AND to_timestamp(" +
                 std::to_string(toUtc) + ") ORDER BY t, deployment) TO STDOUT (FORMAT binary)",
             {}, PGRES_COPY_OUT);
}

void PgReadingStream::readHeader()
{
    if (!have(kHeaderSize) || std::memcmp(buffer_.data(), kSignature, 11) != 0)
        refuse("the server sent readings in a form this program does not know");
    const std::uint32_t extension = big32(buffer_.data() + 15);
    pos_ = kHeaderSize;
    if (!have(extension))
        refuse("the server sent readings in a form this program does not know");
    pos_ += extension;
}

PgReadingStream::~PgReadingStream()
{
    if (ended_)
        return;
    // Abandoned midway: stop the server sending the rest, and take what is on its way.
    if (PGcancel* cancel = PQgetCancel(db_.get())) {
        char error[256];
        PQcancel(cancel, error, sizeof error);
        PQfreeCancel(cancel);
    }
    char* chunk = nullptr;
    while (PQgetCopyData(db_.get(), &chunk, 0) > 0)
        PQfreemem(chunk);
    while (PGresult* r = PQgetResult(db_.get()))
        PQclear(r);
}

void PgReadingStream::refuse(const char* what) const
{
    throw StoreError(archivetext::fill(archivetext::kStoreFailed, {db_.where(), what}));
}

bool PgReadingStream::have(std::size_t n)
{
    while (buffer_.size() - pos_ < n) {
        if (ended_)
            return false;
        char* chunk = nullptr;
        const int size = PQgetCopyData(db_.get(), &chunk, 0);
        if (size < 0) {
            finishCopy();
            return buffer_.size() - pos_ >= n;
        }
        buffer_.erase(0, pos_);
        pos_ = 0;
        buffer_.append(chunk, static_cast<std::size_t>(size));
        PQfreemem(chunk);
    }
    return true;
}

void PgReadingStream::finishCopy()
{
    ended_ = true;
    PgResult result(PQgetResult(db_.get()));
    const bool ok = result && PQresultStatus(result.get()) == PGRES_COMMAND_OK;
    while (PGresult* r = PQgetResult(db_.get()))
        PQclear(r);
    if (!ok)
        db_.fail(result.get());
}

bool PgReadingStream::next(StoredReading& r)
{
    if (!headerRead_) {
        headerRead_ = true;
        readHeader();
    }
    if (!have(2))
        return false;
    const int fields = static_cast<std::int16_t>((static_cast<unsigned char>(buffer_[pos_]) << 8) |
                                                 static_cast<unsigned char>(buffer_[pos_ + 1]));
    if (fields == -1) { // the trailer; what follows it ends the COPY
        pos_ += 2;
        while (have(1))
            pos_ = buffer_.size();
        return false;
    }
    if (fields != kFields)
        refuse("the server sent readings in a form this program does not know");
    // Offsets from pos_, which have() may move the bytes under.
    std::size_t at = 2;
    auto field = [&](std::uint64_t& bits) {
        if (!have(at + 4))
            refuse("the server's readings ended in the middle of one");
        const std::uint32_t length = big32(buffer_.data() + pos_ + at);
        at += 4;
        if (length == 0xffffffffu)
            return false;
        if (length != 8 || !have(at + 8))
            refuse("the server sent readings in a form this program does not know");
        bits = pgBigEndian64(buffer_.data() + pos_ + at);
        at += 8;
        return true;
    };
    std::uint64_t bits = 0;
    if (!field(bits))
        refuse("the server sent a reading without its deployment");
    r.deployment = static_cast<std::int64_t>(bits);
    if (!field(bits))
        refuse("the server sent a reading without its time");
    r.timeUtc = static_cast<std::int64_t>(bits) / 1000000 + kPgEpochUnixSeconds;
    r.nulls = 0;
    for (int c = 0; c < kReadingColumns; ++c) {
        if (field(bits)) {
            std::memcpy(&r.values[c], &bits, sizeof bits);
        } else {
            r.nulls |= 1u << c;
            r.values[c] = kNoReading;
        }
    }
    pos_ += at;
    return true;
}

} // namespace velmora
