#include "sqlite_store.h"

#include <sqlite3.h>

#include "archive_strings.h"
#include "schema.h"
#include "sqlite_statement.h"

namespace velmora {

namespace {

// Each step takes the store from version n to n + 1; the first creates it.
constexpr const char* kMigrations[] = {
    R"(CREATE TABLE schema_version (version INTEGER NOT NULL);
       INSERT INTO schema_version VALUES (0);
       CREATE TABLE deployments (
         id INTEGER PRIMARY KEY,
         serial TEXT NOT NULL DEFAULT '',
         logger_type INTEGER,
         model TEXT NOT NULL,
         name TEXT NOT NULL,
         columns INTEGER NOT NULL,
         interval_s INTEGER NOT NULL DEFAULT 1,
         first_utc INTEGER,
         last_utc INTEGER,
         readings INTEGER NOT NULL DEFAULT 0,
         file_name TEXT NOT NULL,
         sha256 TEXT NOT NULL UNIQUE,
         file_size INTEGER NOT NULL,
         file_bytes BLOB,
         added_by TEXT NOT NULL,
         added_host TEXT NOT NULL,
         added_utc INTEGER NOT NULL,
         zone TEXT NOT NULL);
       CREATE INDEX deployments_by_serial ON deployments (serial, first_utc);
       CREATE TABLE channels (
         deployment INTEGER NOT NULL REFERENCES deployments (id) ON DELETE CASCADE,
         position INTEGER NOT NULL,
         name TEXT NOT NULL,
         unit TEXT NOT NULL,
         high_alarm REAL,
         low_alarm REAL,
         PRIMARY KEY (deployment, position)) WITHOUT ROWID;
       CREATE TABLE readings (
         deployment INTEGER NOT NULL,
         t INTEGER NOT NULL,
         first_value REAL, first_high REAL, first_low REAL,
         second_value REAL, second_high REAL, second_low REAL,
         third_value REAL,
         PRIMARY KEY (deployment, t)) WITHOUT ROWID;)",
};
static_assert(std::size(kMigrations) == kSqliteSchemaVersion);

constexpr const char* kDeploymentColumns =
    "id, serial, logger_type, model, name, columns, interval_s, first_utc, last_utc, readings, file_name, sha256, "
    "file_size, added_by, added_host, added_utc, zone";

class SqliteStore;

class SqliteWriter final : public DeploymentWriter {
public:
    SqliteWriter(sqlite3* db, const std::string& where, std::int64_t id)
        : db_(db), where_(where), id_(id), insert_(db, "INSERT INTO readings VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)", where)
    {
    }
    ~SqliteWriter() override
    {
        if (!done_)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }

    std::int64_t id() const override { return id_; }

    void append(const StoredReading& r) override
    {
        insert_.bind(1, id_).bind(2, r.timeUtc);
        for (int c = 0; c < kReadingColumns; ++c) {
            if (r.nulls & (1u << c) || r.values[c] == kNoReading)
                insert_.bindNull(3 + c);
            else
                insert_.bind(3 + c, r.values[c]);
        }
        insert_.run();
    }

    void finish(const Deployment& d, const std::string& compressedFile) override
    {
        SqliteStatement update(db_,
                               "UPDATE deployments SET serial = ?, interval_s = ?, first_utc = ?, last_utc = ?, "
                               "readings = ?, file_bytes = ?, model = ?, name = ?, columns = ? WHERE id = ?",
                               where_);
        update.bind(1, d.serial)
            .bind(2, std::int64_t{d.intervalSeconds})
            .bind(3, d.firstUtc)
            .bind(4, d.lastUtc)
            .bind(5, d.readingCount)
            .bindBlob(6, compressedFile)
            .bind(7, d.model)
            .bind(8, d.name)
            .bind(9, std::int64_t{d.columns})
            .bind(10, id_);
        update.run();
        SqliteStatement channel(db_, "INSERT INTO channels VALUES (?, ?, ?, ?, ?, ?)", where_);
        for (const StoredChannel& c : d.channels) {
            channel.bind(1, id_).bind(2, std::int64_t{c.position}).bind(3, c.name).bind(4, c.unit);
            channel.bind(5, c.highAlarm).bind(6, c.lowAlarm);
            channel.run();
        }
        checkSqlite(db_, sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr), where_);
        done_ = true;
    }

private:
    sqlite3* db_;
    const std::string& where_;
    std::int64_t id_;
    SqliteStatement insert_;
    bool done_ = false;
};

class SqliteCursor final : public ReadingCursor {
public:
    SqliteCursor(sqlite3* db, const std::string& where, std::int64_t deployment, std::int64_t from, std::int64_t to)
        : deployment_(deployment),
          select_(db,
                  "SELECT t, first_value, first_high, first_low, second_value, second_high, second_low, "
                  "third_value FROM readings WHERE deployment = ? AND t BETWEEN ? AND ? ORDER BY t",
                  where)
    {
        select_.bind(1, deployment).bind(2, from).bind(3, to);
    }

    bool next(StoredReading& r) override
    {
        if (!select_.step())
            return false;
        r.deployment = deployment_;
        r.timeUtc = select_.integer(0);
        r.nulls = 0;
        for (int c = 0; c < kReadingColumns; ++c) {
            if (select_.isNull(1 + c)) {
                r.nulls |= 1u << c;
                r.values[c] = kNoReading;
            } else {
                r.values[c] = select_.real(1 + c);
            }
        }
        return true;
    }

private:
    std::int64_t deployment_;
    SqliteStatement select_;
};

class SqliteStore final : public ArchiveStore {
public:
    explicit SqliteStore(const std::string& path) : where_(path)
    {
        const int opened = sqlite3_open_v2(path.c_str(), &db_,
                                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
        if (opened != SQLITE_OK) {
            const std::string reason = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(opened);
            sqlite3_close(db_);
            throw StoreError(archivetext::fill(archivetext::kCannotOpen, {path, reason}));
        }
        try {
            sqlite3_busy_timeout(db_, 10000);
            prepare();
        } catch (const StoreError& e) {
            sqlite3_close(db_);
            throw StoreError(archivetext::fill(archivetext::kCannotOpen, {path, e.what()}));
        }
    }
    ~SqliteStore() override { sqlite3_close(db_); }

    std::string where() const override { return where_; }

    std::unique_ptr<DeploymentWriter> beginAdd(const Deployment& d) override
    {
        if (sqlite3_db_readonly(db_, "main") == 1)
            throw StoreError(archivetext::fill(archivetext::kReadOnly, {where_}));
        exec("BEGIN IMMEDIATE");
        bool begun = true;
        try {
            SqliteStatement insert(db_,
                                   "INSERT INTO deployments (logger_type, model, name, columns, file_name, sha256, "
                                   "file_size, added_by, added_host, added_utc, zone) VALUES (?, ?, ?, ?, ?, ?, ?, ?, "
                                   "?, ?, ?) ON CONFLICT (sha256) DO NOTHING",
                                   where_);
            std::optional<std::int64_t> type;
            if (d.loggerType)
                type = *d.loggerType;
            insert.bind(1, type).bind(2, d.model).bind(3, d.name).bind(4, std::int64_t{d.columns});
            insert.bind(5, d.fileName).bind(6, d.sha256).bind(7, d.fileSize).bind(8, d.addedBy);
            insert.bind(9, d.addedHost).bind(10, d.addedUtc).bind(11, d.zone);
            insert.run();
            if (sqlite3_changes(db_) == 0) {
                exec("ROLLBACK");
                return nullptr;
            }
            begun = false;
            return std::make_unique<SqliteWriter>(db_, where_, sqlite3_last_insert_rowid(db_));
        } catch (...) {
            if (begun)
                sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    }

    std::vector<Deployment> deployments(const std::optional<std::string>& serial) override
    {
        SqliteStatement select(db_,
                               std::string("SELECT ") + kDeploymentColumns +
                                   " FROM deployments WHERE ?1 IS NULL OR serial = ?1 ORDER BY first_utc, id",
                               where_);
        select.bind(1, serial);
        std::vector<Deployment> out;
        while (select.step()) {
            Deployment d;
            d.id = select.integer(0);
            d.serial = select.text(1);
            if (!select.isNull(2))
                d.loggerType = static_cast<int>(select.integer(2));
            d.model = select.text(3);
            d.name = select.text(4);
            d.columns = static_cast<unsigned>(select.integer(5));
            d.intervalSeconds = static_cast<std::int32_t>(select.integer(6));
            d.firstUtc = select.integer(7);
            d.lastUtc = select.integer(8);
            d.readingCount = select.integer(9);
            d.fileName = select.text(10);
            d.sha256 = select.text(11);
            d.fileSize = select.integer(12);
            d.addedBy = select.text(13);
            d.addedHost = select.text(14);
            d.addedUtc = select.integer(15);
            d.zone = select.text(16);
            out.push_back(std::move(d));
        }
        SqliteStatement channels(db_,
                                 "SELECT position, name, unit, high_alarm, low_alarm FROM channels WHERE "
                                 "deployment = ? ORDER BY position",
                                 where_);
        for (Deployment& d : out) {
            channels.bind(1, d.id);
            while (channels.step()) {
                StoredChannel c;
                c.position = static_cast<int>(channels.integer(0));
                c.name = channels.text(1);
                c.unit = channels.text(2);
                if (!channels.isNull(3))
                    c.highAlarm = channels.real(3);
                if (!channels.isNull(4))
                    c.lowAlarm = channels.real(4);
                d.channels.push_back(std::move(c));
            }
            channels.reset();
        }
        return out;
    }

    std::unique_ptr<ReadingCursor> readings(std::int64_t deployment, std::int64_t fromUtc, std::int64_t toUtc) override
    {
        return std::make_unique<SqliteCursor>(db_, where_, deployment, fromUtc, toUtc);
    }

    std::optional<std::string> compressedFile(std::int64_t deployment) override
    {
        SqliteStatement select(db_, "SELECT file_bytes FROM deployments WHERE id = ?", where_);
        select.bind(1, deployment);
        if (!select.step())
            return std::nullopt;
        return select.blob(0);
    }

private:
    void exec(const char* sql) { checkSqlite(db_, sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), where_); }

    long long version()
    {
        SqliteStatement exists(db_, "SELECT count(*) FROM sqlite_master WHERE name = 'schema_version'", where_);
        exists.step();
        if (exists.integer(0) == 0)
            return 0;
        SqliteStatement select(db_, "SELECT version FROM schema_version", where_);
        return select.step() ? select.integer(0) : 0;
    }

    // WAL and the schema; a store from a newer program is left untouched.
    void prepare()
    {
        long long v = version();
        if (v > kSqliteSchemaVersion)
            throw StoreError(newerSchemaMessage(where_, v, kSqliteSchemaVersion));
        if (sqlite3_db_readonly(db_, "main") != 1) {
            exec("PRAGMA journal_mode = WAL");
            exec("PRAGMA synchronous = FULL");
        }
        exec("PRAGMA foreign_keys = ON");
        if (v == kSqliteSchemaVersion)
            return;
        if (sqlite3_db_readonly(db_, "main") == 1)
            throw StoreError(v == 0 ? archivetext::fill(archivetext::kReadOnly, {where_})
                                    : earlierSchemaReadOnlyMessage(where_, v, kSqliteSchemaVersion));
        exec("BEGIN IMMEDIATE");
        try {
            v = version(); // another program may have brought it forward meanwhile
            if (v > kSqliteSchemaVersion)
                throw StoreError(newerSchemaMessage(where_, v, kSqliteSchemaVersion));
            for (; v < kSqliteSchemaVersion; ++v) {
                exec(kMigrations[v]);
                SqliteStatement set(db_, "UPDATE schema_version SET version = ?", where_);
                set.bind(1, std::int64_t{v + 1});
                set.run();
            }
            exec("COMMIT");
        } catch (...) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    }

    sqlite3* db_ = nullptr;
    std::string where_;
};

} // namespace

std::unique_ptr<ArchiveStore> openSqliteStore(const std::string& path) { return std::make_unique<SqliteStore>(path); }

} // namespace velmora
