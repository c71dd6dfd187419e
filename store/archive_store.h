#pragma once
// The archive's one small interface: what the commands ask of a store, whichever engine
// holds it. A store keeps deployments (one a download file: what the file says about
// its logger, the file itself compressed, its SHA-256) and their readings, each at an
// absolute instant. Engines throw StoreError with a message for the user; nothing else
// leaves them.
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "download_file_parser.h"

namespace velmora {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The store may not be written: a read-only file or transaction, or no privilege.
class StoreReadOnly : public StoreError {
public:
    using StoreError::StoreError;
};

// One measurement channel of a deployment: the first, the second (humidity) or the
// third trace (dew point), with the alarm levels of the first reading.
struct StoredChannel {
    int position = 1; // 1, 2 or 3
    std::string name; // UTF-8
    std::string unit; // UTF-8
    std::optional<double> highAlarm;
    std::optional<double> lowAlarm;

    bool operator==(const StoredChannel&) const = default;
};

// What a deployment row holds apart from the file's bytes. Texts are UTF-8; instants
// are seconds since 1970-01-01 00:00:00 UTC.
struct Deployment {
    std::int64_t id = 0;
    std::string serial;
    std::optional<int> loggerType; // known when a download adds it; a file does not say
    std::string model;             // the kind of logger the file's columns show
    std::string name;
    std::vector<StoredChannel> channels;
    unsigned columns = 0; // bit c: ReadingColumn c is in the file
    std::int32_t intervalSeconds = 1;
    std::int64_t firstUtc = 0;
    std::int64_t lastUtc = 0;
    std::int64_t readingCount = 0;
    std::string fileName;
    std::string sha256; // lower-case hexadecimal
    std::int64_t fileSize = 0;
    std::string addedBy;
    std::string addedHost;
    std::int64_t addedUtc = 0;
    std::string zone; // the zone the logger was started in, "Europe/Berlin"
};

// A reading as stored: the values of the file's columns in ReadingColumn places; a
// set bit of `nulls` is a field without a number ("Error").
struct StoredReading {
    std::int64_t deployment = 0;
    std::int64_t timeUtc = 0;
    double values[kReadingColumns] = {};
    unsigned nulls = 0;
};

// One add, all or nothing: readings go in as they are read, and nothing is seen by
// anyone until finish(). Dropped without finish(), it leaves the store as it was.
class DeploymentWriter {
public:
    virtual ~DeploymentWriter() = default;
    virtual std::int64_t id() const = 0;
    virtual void append(const StoredReading& reading) = 0;
    // Fills in what was known only at the end and commits. `d` carries id().
    virtual void finish(const Deployment& d, const std::string& compressedFile) = 0;
};

// The readings of one deployment in time order.
class ReadingCursor {
public:
    virtual ~ReadingCursor() = default;
    virtual bool next(StoredReading& reading) = 0;
};

class ArchiveStore {
public:
    virtual ~ArchiveStore() = default;

    // Where the store is, for messages (a path, or the server and database).
    virtual std::string where() const = 0;

    // Starts adding the deployment `d` (its id is ignored). Nothing, and nothing
    // changed, when a file of the same SHA-256 is already there.
    virtual std::unique_ptr<DeploymentWriter> beginAdd(const Deployment& d) = 0;

    // All deployments, or those of one serial number, by first reading.
    virtual std::vector<Deployment> deployments(const std::optional<std::string>& serial) = 0;

    // The readings of one deployment from `fromUtc` to `toUtc`, both included. An engine
    // may carry one open cursor at a time: several deployments are read together
    // through readingsInOrder.
    virtual std::unique_ptr<ReadingCursor> readings(std::int64_t deployment, std::int64_t fromUtc,
                                                    std::int64_t toUtc) = 0;

    // The readings of `deployments` from `fromUtc` to `toUtc` in time order, at the same
    // instant (overlapping deployments) by deployment id. By default a merge of one
    // readings() cursor a deployment, each asked only within its deployment's span.
    virtual std::unique_ptr<ReadingCursor> readingsInOrder(const std::vector<Deployment>& deployments,
                                                           std::int64_t fromUtc, std::int64_t toUtc);

    // The compressed bytes of a deployment's file; nothing when there is no such id.
    virtual std::optional<std::string> compressedFile(std::int64_t deployment) = 0;
};

} // namespace velmora
