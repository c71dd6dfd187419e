#pragma once
// Readings out of PostgreSQL as one binary COPY of their blocks: the server sends
// blocks while we unpack the ones already here, where a cursor's FETCH would leave one
// side idle in turn.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive_store.h"
#include "postgres_connection.h"

namespace velmora {

// The readings of `deployments` from `fromUtc` to `toUtc`, both included, by instant and
// then deployment. While it is open the connection carries nothing else.
class PgReadingStream final : public ReadingCursor {
public:
    PgReadingStream(PgConnection& db, const std::vector<std::int64_t>& deployments, std::int64_t fromUtc,
                    std::int64_t toUtc);
    ~PgReadingStream() override;

    bool next(StoredReading& reading) override;

private:
    // A block being read: its deployment's readings from `at` on.
    struct Block {
        std::int64_t deployment = 0;
        std::int64_t firstUtc = 0;
        std::string bytes;
        std::size_t at = 0;
        StoredReading head; // the reading at `at`
    };
    using BlockPtr = std::unique_ptr<Block>;
    // The heap's order: the block whose next reading comes later sinks.
    static bool later(const BlockPtr& a, const BlockPtr& b);

    // The next block of the COPY into `block`, or false at its end.
    bool readBlock(Block& block);
    // Moves `block` to its next reading within the range; false when it has none.
    bool advance(Block& block) const;
    // Blocks come by their first instant: every block that may hold a reading at or
    // before `utc` is taken in before a reading at `utc` is given out.
    void takeBlocksUpTo(std::int64_t utc);

    // At least `n` bytes from pos_ on, or false at the end of the data.
    bool have(std::size_t n);
    void readHeader();
    void finishCopy();
    [[noreturn]] void refuse(const char* what) const;

    PgConnection& db_;
    std::int64_t fromUtc_;
    std::int64_t toUtc_;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool ended_ = false;
    bool headerRead_ = false;

    // A heap of the blocks with readings still to give, by their next reading; the
    // next block of the COPY waits in pending_ until the merge reaches its first instant.
    std::vector<BlockPtr> heads_;
    BlockPtr pending_;
};

} // namespace velmora
