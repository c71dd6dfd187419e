#include "postgres_reading_stream.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "archive_strings.h"
#include "big_endian.h"
#include "packed_readings.h"

namespace velmora {

namespace {

constexpr char kSignature[] = "PGCOPY\n\377\r\n";
constexpr std::size_t kHeaderSize = 11 + 4 + 4;
constexpr int kFields = 3; // deployment, first_t, data
constexpr const char* kUnknownForm = "the server sent readings in a form this program does not know";

// The first instant of the month (UTC) holding `utc`: no block that holds a reading at
// or after `utc` starts before it, since a block never spans two months.
std::int64_t monthStart(std::int64_t utc)
{
    const std::time_t t = static_cast<std::time_t>(utc);
    std::tm tm{};
    if (!gmtime_r(&t, &tm))
        return utc; // beyond any calendar: nothing to prune by
    tm.tm_mday = 1;
    tm.tm_hour = tm.tm_min = tm.tm_sec = 0;
    return static_cast<std::int64_t>(timegm(&tm));
}

} // namespace

PgReadingStream::PgReadingStream(PgConnection& db, const std::vector<std::int64_t>& deployments, std::int64_t fromUtc,
                                 std::int64_t toUtc)
    : db_(db), fromUtc_(fromUtc), toUtc_(toUtc)
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
    const std::string from = "to_timestamp(" + std::to_string(fromUtc) + ")";
    const std::string to = "to_timestamp(" + std::to_string(toUtc) + ")";
    db_.exec("COPY (SELECT deployment, first_t, data FROM reading_blocks WHERE deployment IN (" + ids +
                 ") AND first_t <= " + to + " AND last_t >= " + from + " AND first_t >= to_timestamp(" +
                 std::to_string(monthStart(fromUtc)) + ") ORDER BY first_t, deployment) TO STDOUT (FORMAT binary)",
             {}, PGRES_COPY_OUT);
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

bool PgReadingStream::later(const BlockPtr& a, const BlockPtr& b)
{
    return a->head.timeUtc != b->head.timeUtc ? a->head.timeUtc > b->head.timeUtc
                                              : a->head.deployment > b->head.deployment;
}

bool PgReadingStream::next(StoredReading& r)
{
    if (!headerRead_) {
        headerRead_ = true;
        readHeader();
        pending_ = std::make_unique<Block>();
        if (!readBlock(*pending_))
            pending_.reset();
    }
    takeBlocksUpTo(heads_.empty() ? toUtc_ : heads_.front()->head.timeUtc);
    if (heads_.empty())
        return false;
    std::pop_heap(heads_.begin(), heads_.end(), later);
    Block& top = *heads_.back();
    r = top.head;
    if (advance(top))
        std::push_heap(heads_.begin(), heads_.end(), later);
    else
        heads_.pop_back();
    return true;
}

void PgReadingStream::takeBlocksUpTo(std::int64_t utc)
{
    while (pending_ && pending_->firstUtc <= utc) {
        BlockPtr block = std::move(pending_);
        pending_ = std::make_unique<Block>();
        if (!readBlock(*pending_))
            pending_.reset();
        if (!advance(*block))
            continue;
        heads_.push_back(std::move(block));
        std::push_heap(heads_.begin(), heads_.end(), later);
        utc = heads_.front()->head.timeUtc;
    }
}

bool PgReadingStream::advance(Block& block) const
{
    while (block.at < block.bytes.size()) {
        unpackReading(block.bytes.data() + block.at, block.deployment, block.head);
        block.at += kPackedReadingSize;
        if (block.head.timeUtc > toUtc_)
            break; // a block is in time order: nothing after this is wanted
        if (block.head.timeUtc >= fromUtc_)
            return true;
    }
    block.at = block.bytes.size();
    return false;
}

bool PgReadingStream::readBlock(Block& block)
{
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
        refuse(kUnknownForm);
    // Offsets from pos_, which have() may move the bytes under.
    std::size_t at = 2;
    auto field = [&]() -> std::size_t {
        if (!have(at + 4))
            refuse("the server's readings ended in the middle of a block");
        const std::uint32_t length = readBig32(buffer_.data() + pos_ + at);
        at += 4;
        if (length == 0xffffffffu)
            refuse(kUnknownForm);
        if (!have(at + length))
            refuse("the server's readings ended in the middle of a block");
        at += length;
        return length;
    };
    if (field() != 8)
        refuse(kUnknownForm);
    block.deployment = static_cast<std::int64_t>(readBig64(buffer_.data() + pos_ + at - 8));
    if (field() != 8)
        refuse(kUnknownForm);
    block.firstUtc =
        static_cast<std::int64_t>(readBig64(buffer_.data() + pos_ + at - 8)) / 1000000 + kPgEpochUnixSeconds;
    const std::size_t length = field();
    if (length == 0 || length % kPackedReadingSize != 0)
        refuse(kUnknownForm);
    block.bytes.assign(buffer_.data() + pos_ + at - length, length);
    block.at = 0;
    pos_ += at;
    return true;
}

void PgReadingStream::readHeader()
{
    if (!have(kHeaderSize) || std::memcmp(buffer_.data(), kSignature, 11) != 0)
        refuse(kUnknownForm);
    const std::uint32_t extension = readBig32(buffer_.data() + 15);
    pos_ = kHeaderSize;
    if (!have(extension))
        refuse(kUnknownForm);
    pos_ += extension;
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

} // namespace velmora
