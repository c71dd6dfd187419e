#pragma once
// Readings out of PostgreSQL as one binary COPY: the server sends rows while we work
// on the ones already here, where a cursor's FETCH would leave one side idle in turn.
#include <cstdint>
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
    // At least `n` bytes from pos_ on, or false at the end of the data.
    bool have(std::size_t n);
    void readHeader();
    void finishCopy();
    [[noreturn]] void refuse(const char* what) const;

    PgConnection& db_;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool ended_ = false;
    bool headerRead_ = false;
};

} // namespace velmora
