#pragma once
// What fetch must remember about a logger between runs, kept on this computer
// because the logger cannot be told: a logger marks its readings downloaded as soon
// as its whole memory has gone out, whether or not the file was then saved. So
// before a download the log is noted here as not yet saved, and the note goes only
// once its file is saved; a noted log counts as holding new readings, and the next
// fetch downloads it again. A log that fetch itself started is noted too, so that the
// logger coming back at once (its restart re-plugs it, or a person does) is not
// stopped and fetched over a new log of a reading or two.
//
// A log is known by its logger's serial number and its start (YYYYMMDD-HHMMSS). One
// line per log in the file: "unsaved SERIAL START" or "restarted SERIAL START AT", AT
// the local time of the restart in seconds. Every change re-reads the file and
// writes it whole and atomically, under a lock, so fetches on several threads or in
// several processes keep each other's notes.
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

class FetchLedger {
public:
    // Kept in `path`; an empty path keeps the notes in memory only.
    explicit FetchLedger(std::string path = {}) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // Each change returns false, with `error` saying why, when the file could not be
    // written; the note is then not kept.
    bool noteUnsaved(const std::string& serial, const std::string& start, std::string& error);
    bool noteSaved(const std::string& serial, const std::string& start, std::string& error);
    bool noteRestarted(const std::string& serial, const std::string& start, std::int64_t atSeconds, std::string& error);

    bool isUnsaved(const std::string& serial, const std::string& start);
    // When fetch started this log, the local time it did so in seconds.
    std::optional<std::int64_t> restartedAt(const std::string& serial, const std::string& start);

private:
    // Runs `edit` on the lines read afresh and writes them back.
    bool change(const std::function<void(std::vector<std::string>&)>& edit, std::string& error);
    std::vector<std::string> read();

    std::string path_;
    std::vector<std::string> memory_; // the lines when there is no file
    std::mutex mutex_;
};

// $XDG_STATE_HOME/velmora/fetch-ledger, else ~/.local/state/velmora/fetch-ledger.
std::string defaultFetchLedgerPath();

} // namespace velmora
