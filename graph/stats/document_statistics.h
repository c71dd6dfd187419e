#pragma once
// The statistics of a loaded download file: one entry for each reading series it
// shows (the first channel, the second channel, the third trace, in that order) over
// the whole file or a range of readings, with the alarm levels that apply to each.
// Shared by the viewer's panel, velmora-cli inspect and the report.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph_data.h"
#include "series_statistics.h"

namespace velmora {

// Readings first..last (inclusive) of a document; empty when the range holds none.
struct ReadingRange {
    std::size_t first = 0;
    std::size_t last = 0;
    bool empty = true;

    std::size_t size() const { return empty ? 0 : last - first + 1; }
};

ReadingRange wholeFile(const GraphData& data);
// The readings whose X (seconds after the start) lies within [xMin, xMax].
ReadingRange readingsWithinX(const GraphData& data, double xMin, double xMax);
// The readings whose time stamp (seconds after 1970, no zone) lies within [from, to].
ReadingRange readingsWithinTimes(const GraphData& data, std::int64_t from, std::int64_t to);

// "DD/MM/YYYY HH:MM:SS" as seconds after 1970 without a zone; none when the text is
// not exactly that or names no such time.
std::optional<std::int64_t> parseReadingTime(std::string_view text);
// The same form of a time.
std::string readingTimeText(std::int64_t seconds);
// The time of reading `index`.
std::int64_t readingTime(const GraphData& data, std::size_t index);

// Which side of which level a channel's alarm column watches.
enum class LevelKind {
    HighAlarm,    // readings above it
    LowAlarm,     // readings below it
    WarningLevel, // a carbon monoxide logger's warning level: readings above it
};

struct LevelReport {
    LevelKind kind;
    std::string label; // the column's title, Windows-1252
};

enum class SeriesKind { FirstChannel, SecondChannel, ThirdTrace };

struct SeriesReport {
    SeriesKind kind;
    std::string name; // Windows-1252, as the header names it
    std::string unit; // Windows-1252
    int decimals = 1; // the file's own for the first channel, one for the others
    TemperatureScale scale = TemperatureScale::None;
    std::vector<LevelReport> levels; // in the order of SeriesStatistics::levels
    SeriesStatistics stats;
};

struct StatisticsOptions {
    double activationEnergy = kDefaultActivationEnergy; // kJ/mol
};

struct DocumentStatistics {
    ReadingRange range;
    std::int64_t interval = 0; // seconds each reading stands for
    std::vector<SeriesReport> series;
};

DocumentStatistics documentStatistics(const GraphData& data, const ReadingRange& range,
                                      const StatisticsOptions& options = {});

// An alarm column's levels over a range: lowest and highest level and on how many
// lines it stands (a line may have none).
struct LevelSpan {
    std::string channel; // the channel's name, Windows-1252
    std::string unit;
    int decimals = 1;
    LevelReport level;
    std::size_t lines = 0;
    double lowest = 0;
    double highest = 0;
};
std::vector<LevelSpan> alarmLevels(const GraphData& data, const ReadingRange& range);

// The scale of a unit: °C and °F (Windows-1252) are temperatures.
TemperatureScale temperatureScaleOf(const std::string& unit);

} // namespace velmora
