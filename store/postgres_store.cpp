#include "postgres_store.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "big_endian.h"
#include "packed_readings.h"
#include "postgres_connection.h"
#include "postgres_reading_stream.h"
#include "schema.h"

namespace velmora {

namespace {

constexpr const char* kMigrations[] = {
    R"(CREATE TABLE schema_version (version integer NOT NULL);
       INSERT INTO schema_version VALUES (0);
       CREATE TABLE deployments (
         id bigserial PRIMARY KEY,
         serial text NOT NULL DEFAULT '',
         logger_type integer,
         model text NOT NULL,
         name text NOT NULL,
         columns integer NOT NULL,
         interval_s integer NOT NULL DEFAULT 1,
         first_utc timestamptz,
         last_utc timestamptz,
         readings bigint NOT NULL DEFAULT 0,
         file_name text NOT NULL,
         sha256 text NOT NULL UNIQUE,
         file_size bigint NOT NULL,
         file_bytes bytea,
         added_by text NOT NULL,
         added_host text NOT NULL,
         added_utc timestamptz NOT NULL,
         zone text NOT NULL);
       CREATE INDEX deployments_by_serial ON deployments (serial, first_utc);
       CREATE TABLE channels (
         deployment bigint NOT NULL REFERENCES deployments (id) ON DELETE CASCADE,
         position integer NOT NULL,
         name text NOT NULL,
         unit text NOT NULL,
         high_alarm float8,
         low_alarm float8,
         PRIMARY KEY (deployment, position));
       CREATE TABLE readings (
         deployment bigint NOT NULL,
         t timestamptz NOT NULL,
         first_value float8, first_high float8, first_low float8,
         second_value float8, second_high float8, second_low float8,
         third_value float8,
         PRIMARY KEY (deployment, t)) PARTITION BY RANGE (t);)",
    // Readings in blocks (packed_readings.h): each old row packed in SQL into the same
    // bytes the program packs, a block at most 4096 readings of one deployment within
    // one month, in time order. Blocks are compressed with lz4, which writes them faster
    // than it would write them whole (less to write) and costs a read next to nothing;
    // a server built without lz4 keeps them whole, as pglz would slow every add.
    R"(CREATE TABLE reading_blocks (
         deployment bigint NOT NULL,
         first_t timestamptz NOT NULL,
         last_t timestamptz NOT NULL,
         readings integer NOT NULL,
         data bytea NOT NULL,
         PRIMARY KEY (deployment, first_t)) PARTITION BY RANGE (first_t);
       DO $$
       BEGIN
         ALTER TABLE reading_blocks ALTER COLUMN data SET COMPRESSION lz4;
       EXCEPTION WHEN feature_not_supported THEN
         ALTER TABLE reading_blocks ALTER COLUMN data SET STORAGE EXTERNAL;
       END $$;
       DO $$
       DECLARE month timestamp;
       BEGIN
         FOR month IN SELECT DISTINCT date_trunc('month', t AT TIME ZONE 'UTC') FROM readings LOOP
           EXECUTE format('CREATE TABLE reading_blocks_%s PARTITION OF reading_blocks FOR VALUES FROM (%L) TO (%L)',
                          to_char(month, '"y"YYYY"m"MM'), month::text || '+00',
                          (month + interval '1 month')::text || '+00');
         END LOOP;
       END $$;
       INSERT INTO reading_blocks
         SELECT deployment, min(t), max(t), count(*),
                string_agg(int8send(extract(epoch FROM t)::bigint) || int4send(nulls) ||
                           float8send(coalesce(first_value, 0)) || float8send(coalesce(first_high, 0)) ||
                           float8send(coalesce(first_low, 0)) || float8send(coalesce(second_value, 0)) ||
                           float8send(coalesce(second_high, 0)) || float8send(coalesce(second_low, 0)) ||
                           float8send(coalesce(third_value, 0)), ''::bytea ORDER BY t)
         FROM (SELECT r.*,
                      (first_value IS NULL)::int | ((first_high IS NULL)::int << 1) |
                      ((first_low IS NULL)::int << 2) | ((second_value IS NULL)::int << 3) |
                      ((second_high IS NULL)::int << 4) | ((second_low IS NULL)::int << 5) |
                      ((third_value IS NULL)::int << 6) AS nulls,
                      date_trunc('month', t AT TIME ZONE 'UTC') AS month,
                      (row_number() OVER (PARTITION BY deployment, date_trunc('month', t AT TIME ZONE 'UTC')
                                          ORDER BY t) - 1) / 4096 AS block
               FROM readings r) numbered
         GROUP BY deployment, month, block;
       DROP TABLE readings;
       ANALYZE reading_blocks;)",
};
static_assert(std::size(kMigrations) == kPostgresSchemaVersion);

// Every add and every schema change holds this lock until it ends: making a month's
// partition locks the whole blocks table, which two adds writing at once could
// otherwise each wait for from the other.
constexpr const char* kAddLock = "SELECT pg_advisory_xact_lock(7460436552)";

std::string number(std::int64_t v) { return std::to_string(v); }

std::optional<std::string> optionalNumber(const std::optional<double>& v)
{
    if (!v)
        return std::nullopt;
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", *v);
    return std::string(text);
}

// The first instant of the month holding `utc`, and of the month after.
void monthOf(std::int64_t utc, int& year, int& month)
{
    const std::time_t t = static_cast<std::time_t>(utc);
    std::tm tm{};
    gmtime_r(&t, &tm);
    year = tm.tm_year + 1900;
    month = tm.tm_mon + 1;
}

// COPY's binary form, row by row.
class CopyBuffer {
public:
    void header()
    {
        static const char kSignature[] = "PGCOPY\n\377\r\n";
        bytes_.append(kSignature, 11);
        appendBig32(bytes_, 0); // flags
        appendBig32(bytes_, 0); // header extension
    }
    void row(int fields) { appendBig16(bytes_, static_cast<std::uint16_t>(fields)); }
    void int8(std::int64_t v)
    {
        appendBig32(bytes_, 8);
        appendBig64(bytes_, static_cast<std::uint64_t>(v));
    }
    void int4(std::int32_t v)
    {
        appendBig32(bytes_, 4);
        appendBig32(bytes_, static_cast<std::uint32_t>(v));
    }
    void timestamp(std::int64_t utc) { int8((utc - kPgEpochUnixSeconds) * 1000000); }
    void bytea(const std::string& v)
    {
        appendBig32(bytes_, static_cast<std::uint32_t>(v.size()));
        bytes_ += v;
    }
    void trailer() { appendBig16(bytes_, 0xffff); }
    std::string& bytes() { return bytes_; }

private:
    std::string bytes_;
};

class PgWriter final : public DeploymentWriter {
public:
    PgWriter(PgConnection& db, std::int64_t id) : db_(db), id_(id) {}
    ~PgWriter() override
    {
        if (done_)
            return;
        if (copying_)
            PQputCopyEnd(db_.get(), "the add was abandoned");
        while (PGresult* r = PQgetResult(db_.get()))
            PQclear(r);
        PQclear(PQexec(db_.get(), "ROLLBACK"));
    }

    std::int64_t id() const override { return id_; }

    void append(const StoredReading& r) override
    {
        int year, month;
        monthOf(r.timeUtc, year, month);
        if (year != year_ || month != month_) {
            endBlock();
            endCopy();
            makePartition(year, month);
            year_ = year;
            month_ = month;
        }
        if (blockReadings_ == 0)
            blockFirst_ = r.timeUtc;
        blockLast_ = r.timeUtc;
        packReading(r, block_);
        if (++blockReadings_ == kBlockReadings)
            endBlock();
    }

    void finish(const Deployment& d, const std::string& compressedFile) override
    {
        endBlock();
        endCopy();
        const char* values[11];
        int lengths[11] = {};
        int formats[11] = {};
        const std::string texts[] = {d.serial,
                                     number(d.intervalSeconds),
                                     number(d.firstUtc),
                                     number(d.lastUtc),
                                     number(d.readingCount),
                                     "",
                                     d.model,
                                     d.name,
                                     number(d.columns),
                                     number(id_)};
        for (int i = 0; i < 10; ++i)
            values[i] = texts[i].c_str();
        values[5] = compressedFile.data();
        lengths[5] = static_cast<int>(compressedFile.size());
        formats[5] = 1; // the bytes as they are
        PgResult update(
            PQexecParams(db_.get(),
                         "UPDATE deployments SET serial = $1, interval_s = $2, first_utc = to_timestamp($3), "
                         "last_utc = to_timestamp($4), readings = $5, file_bytes = $6, model = $7, "
                         "name = $8, columns = $9 WHERE id = $10",
                         10, nullptr, values, lengths, formats, 0));
        if (!update || PQresultStatus(update.get()) != PGRES_COMMAND_OK)
            db_.fail(update.get());
        for (const StoredChannel& c : d.channels)
            db_.exec("INSERT INTO channels VALUES ($1, $2, $3, $4, $5, $6)",
                     {number(id_), number(c.position), c.name, c.unit, optionalNumber(c.highAlarm),
                      optionalNumber(c.lowAlarm)});
        db_.exec("COMMIT");
        done_ = true;
        // The planner knows a month's new blocks only once they are counted; until then
        // it may sort them instead of walking the index in order. Autovacuum would
        // count them later; failing here loses nothing of the add.
        for (const std::string& partition : touched_)
            PQclear(PQexec(db_.get(), ("ANALYZE " + partition).c_str()));
    }

private:
    void makePartition(int year, int month)
    {
        char name[48], from[32], to[32];
        std::snprintf(name, sizeof name, "reading_blocks_y%04dm%02d", year, month);
        std::snprintf(from, sizeof from, "%04d-%02d-01", year, month);
        std::snprintf(to, sizeof to, "%04d-%02d-01", month == 12 ? year + 1 : year, month == 12 ? 1 : month + 1);
        // The name and bounds are digits we made, not values from outside: DDL takes
        // no parameters.
        db_.exec(std::string("CREATE TABLE IF NOT EXISTS ") + name + " PARTITION OF reading_blocks FOR VALUES FROM ('" +
                 from + " 00:00:00+00') TO ('" + to + " 00:00:00+00')");
        touched_.emplace_back(name);
    }

    // The block so far becomes a row of the COPY.
    void endBlock()
    {
        if (blockReadings_ == 0)
            return;
        if (!copying_)
            startCopy();
        buffer_.row(5);
        buffer_.int8(id_);
        buffer_.timestamp(blockFirst_);
        buffer_.timestamp(blockLast_);
        buffer_.int4(static_cast<std::int32_t>(blockReadings_));
        buffer_.bytea(block_);
        block_.clear();
        blockReadings_ = 0;
        if (buffer_.bytes().size() >= (1u << 18))
            send();
    }

    void startCopy()
    {
        db_.exec("COPY reading_blocks (deployment, first_t, last_t, readings, data) FROM STDIN (FORMAT binary)", {},
                 PGRES_COPY_IN);
        copying_ = true;
        buffer_.header();
    }

    void send()
    {
        std::string& bytes = buffer_.bytes();
        if (!bytes.empty() && PQputCopyData(db_.get(), bytes.data(), static_cast<int>(bytes.size())) != 1)
            db_.fail(nullptr);
        bytes.clear();
    }

    void endCopy()
    {
        if (!copying_)
            return;
        buffer_.trailer();
        send();
        copying_ = false;
        if (PQputCopyEnd(db_.get(), nullptr) != 1)
            db_.fail(nullptr);
        PgResult result(PQgetResult(db_.get()));
        if (!result || PQresultStatus(result.get()) != PGRES_COMMAND_OK)
            db_.fail(result.get());
        while (PGresult* r = PQgetResult(db_.get()))
            PQclear(r);
    }

    PgConnection& db_;
    std::int64_t id_;
    CopyBuffer buffer_;
    bool copying_ = false;
    bool done_ = false;
    int year_ = 0, month_ = 0;
    std::vector<std::string> touched_;
    std::string block_;
    std::size_t blockReadings_ = 0;
    std::int64_t blockFirst_ = 0, blockLast_ = 0;
};

class NoReadings final : public ReadingCursor {
public:
    bool next(StoredReading&) override { return false; }
};

class PostgresStore final : public ArchiveStore {
public:
    explicit PostgresStore(const std::string& conninfo) : db_(conninfo) { prepare(); }

    std::string where() const override { return db_.where(); }

    std::unique_ptr<DeploymentWriter> beginAdd(const Deployment& d) override
    {
        db_.begin();
        try {
            db_.query(kAddLock);
            std::optional<std::string> type;
            if (d.loggerType)
                type = number(*d.loggerType);
            PgResult inserted =
                db_.query("INSERT INTO deployments (logger_type, model, name, columns, file_name, sha256, file_size, "
                          "added_by, added_host, added_utc, zone) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, "
                          "to_timestamp($10), $11) ON CONFLICT (sha256) DO NOTHING RETURNING id",
                          {type, d.model, d.name, number(d.columns), d.fileName, d.sha256, number(d.fileSize),
                           d.addedBy, d.addedHost, number(d.addedUtc), d.zone});
            if (PQntuples(inserted.get()) == 0) {
                db_.exec("ROLLBACK");
                return nullptr;
            }
            return std::make_unique<PgWriter>(db_, std::stoll(PQgetvalue(inserted.get(), 0, 0)));
        } catch (...) {
            PQclear(PQexec(db_.get(), "ROLLBACK"));
            throw;
        }
    }

    std::vector<Deployment> deployments(const std::optional<std::string>& serial) override
    {
        PgResult rows = db_.query(
            "SELECT id, serial, logger_type, model, name, columns, interval_s, extract(epoch FROM first_utc)::bigint, "
            "extract(epoch FROM last_utc)::bigint, readings, file_name, sha256, file_size, added_by, added_host, "
            "extract(epoch FROM added_utc)::bigint, zone FROM deployments WHERE $1::text IS NULL OR serial = $1 "
            "ORDER BY first_utc, id",
            {serial});
        std::vector<Deployment> out;
        const PGresult* r = rows.get();
        auto text = [&](int row, int c) { return std::string(PQgetvalue(r, row, c)); };
        auto integer = [&](int row, int c) { return PQgetisnull(r, row, c) ? 0 : std::stoll(PQgetvalue(r, row, c)); };
        for (int i = 0; i < PQntuples(r); ++i) {
            Deployment d;
            d.id = integer(i, 0);
            d.serial = text(i, 1);
            if (!PQgetisnull(r, i, 2))
                d.loggerType = static_cast<int>(integer(i, 2));
            d.model = text(i, 3);
            d.name = text(i, 4);
            d.columns = static_cast<unsigned>(integer(i, 5));
            d.intervalSeconds = static_cast<std::int32_t>(integer(i, 6));
            d.firstUtc = integer(i, 7);
            d.lastUtc = integer(i, 8);
            d.readingCount = integer(i, 9);
            d.fileName = text(i, 10);
            d.sha256 = text(i, 11);
            d.fileSize = integer(i, 12);
            d.addedBy = text(i, 13);
            d.addedHost = text(i, 14);
            d.addedUtc = integer(i, 15);
            d.zone = text(i, 16);
            PgResult channels = db_.query("SELECT position, name, unit, high_alarm, low_alarm FROM channels WHERE "
                                          "deployment = $1 ORDER BY position",
                                          {number(d.id)});
            const PGresult* c = channels.get();
            for (int j = 0; j < PQntuples(c); ++j) {
                StoredChannel ch;
                ch.position = std::stoi(PQgetvalue(c, j, 0));
                ch.name = PQgetvalue(c, j, 1);
                ch.unit = PQgetvalue(c, j, 2);
                if (!PQgetisnull(c, j, 3))
                    ch.highAlarm = std::stod(PQgetvalue(c, j, 3));
                if (!PQgetisnull(c, j, 4))
                    ch.lowAlarm = std::stod(PQgetvalue(c, j, 4));
                d.channels.push_back(std::move(ch));
            }
            out.push_back(std::move(d));
        }
        return out;
    }

    std::unique_ptr<ReadingCursor> readings(std::int64_t deployment, std::int64_t fromUtc, std::int64_t toUtc) override
    {
        return std::make_unique<PgReadingStream>(db_, std::vector<std::int64_t>{deployment}, fromUtc, toUtc);
    }

    // One COPY for them all: the server orders them, and no instant outside the
    // deployments' spans is asked for.
    std::unique_ptr<ReadingCursor> readingsInOrder(const std::vector<Deployment>& deployments, std::int64_t fromUtc,
                                                   std::int64_t toUtc) override
    {
        std::vector<std::int64_t> ids;
        std::int64_t first = toUtc, last = fromUtc;
        for (const Deployment& d : deployments) {
            if (d.readingCount == 0 || d.lastUtc < fromUtc || d.firstUtc > toUtc)
                continue;
            ids.push_back(d.id);
            first = std::min(first, std::max(fromUtc, d.firstUtc));
            last = std::max(last, std::min(toUtc, d.lastUtc));
        }
        if (ids.empty())
            return std::make_unique<NoReadings>();
        return std::make_unique<PgReadingStream>(db_, ids, first, last);
    }

    std::optional<std::string> compressedFile(std::int64_t deployment) override
    {
        PgResult r = db_.query("SELECT file_bytes FROM deployments WHERE id = $1", {number(deployment)}, true);
        if (PQntuples(r.get()) == 0)
            return std::nullopt;
        return std::string(PQgetvalue(r.get(), 0, 0), static_cast<std::size_t>(PQgetlength(r.get(), 0, 0)));
    }

private:
    long long version()
    {
        PgResult exists = db_.query("SELECT to_regclass('schema_version') IS NOT NULL");
        if (std::strcmp(PQgetvalue(exists.get(), 0, 0), "t") != 0)
            return 0;
        PgResult v = db_.query("SELECT version FROM schema_version");
        return PQntuples(v.get()) ? std::stoll(PQgetvalue(v.get(), 0, 0)) : 0;
    }

    void prepare()
    {
        long long v = version();
        if (v > kPostgresSchemaVersion)
            throw StoreError(newerSchemaMessage(where(), v, kPostgresSchemaVersion));
        if (v == kPostgresSchemaVersion)
            return;
        db_.exec("BEGIN");
        try {
            db_.query(kAddLock);
            v = version(); // another program may have brought it forward meanwhile
            if (v > kPostgresSchemaVersion)
                throw StoreError(newerSchemaMessage(where(), v, kPostgresSchemaVersion));
            for (; v < kPostgresSchemaVersion; ++v) {
                db_.script(kMigrations[v]);
                db_.exec("UPDATE schema_version SET version = $1", {number(v + 1)});
            }
            db_.exec("COMMIT");
        } catch (const StoreReadOnly&) {
            PQclear(PQexec(db_.get(), "ROLLBACK"));
            if (v == 0)
                throw;
            throw StoreError(earlierSchemaReadOnlyMessage(where(), v, kPostgresSchemaVersion));
        } catch (...) {
            PQclear(PQexec(db_.get(), "ROLLBACK"));
            throw;
        }
    }

    PgConnection db_;
};

} // namespace

std::unique_ptr<ArchiveStore> openPostgresStore(const std::string& conninfo)
{
    return std::make_unique<PostgresStore>(conninfo);
}

} // namespace velmora
