#pragma once
// Helpers shared by the viewer's tests: a readable description of a GraphData, so a
// table row can state what a file must load as.
#include <algorithm>
#include <ctime>
#include <sstream>
#include <string>

#include "graph_data.h"

#include <gtest/gtest.h>

namespace velmora::test {

inline std::string testData(const std::string& name) { return std::string(VELMORA_TEST_DATA_DIR) + "/" + name; }

// A series' points: a gap as "-", a point whose field held no number followed by "?".
inline std::string describeSeries(const ChartDataSet& set, int s)
{
    std::ostringstream out;
    out << " s" << s << (set.shown(s) ? " shown" : " hidden") << " last=" << set.lastPoint(s) << ":";
    if (set.pointCount(s) == 0)
        out << " (none)";
    const std::vector<std::size_t>& notNumbers = set.notNumbers(s);
    for (std::size_t i = 0; i < set.pointCount(s); ++i) {
        const double v = set.y(s, i);
        if (v == ChartDataSet::kGap) {
            out << " -";
        } else {
            char text[32];
            std::snprintf(text, sizeof text, " %.10g", v);
            out << text;
        }
        if (std::find(notNumbers.begin(), notNumbers.end(), i) != notNumbers.end())
            out << "?";
    }
    return out.str() + "\n";
}

inline std::string describeChannel(const char* title, const ChannelData& c)
{
    std::ostringstream out;
    out << title;
    if (!c.present && c.name.empty() && !c.hasHigh && !c.hasLow && !c.hasThird) {
        out << " absent\n";
    } else {
        out << " '" << c.name << "' unit='" << c.unit << "'";
        if (c.hasHigh)
            out << " high='" << c.highLabel << "'";
        if (c.hasLow)
            out << " low='" << c.lowLabel << "'";
        if (c.hasThird)
            out << " third='" << c.thirdName << "'";
        out << " dec=" << c.decimals << "\n";
    }
    for (int s = 0; s < c.data.seriesCount(); ++s)
        if (c.data.pointCount(s) > 0 || c.data.shown(s))
            out << describeSeries(c.data, s);
    return out.str();
}

// Everything the document holds, one fact per line.
inline std::string describe(const GraphData& d)
{
    std::ostringstream out;
    const std::time_t t = static_cast<std::time_t>(d.startTime);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char start[32];
    std::strftime(start, sizeof start, "%Y-%m-%d %H:%M:%S", &tm);
    out << "name=" << d.loggerName << " count=" << d.readingCount << " interval=" << d.sampleInterval
        << " start=" << start << "\n";
    if (d.lastLineUnterminated)
        out << "last line has no line end\n";
    out << describeChannel("ch1", d.channel1) << describeChannel("ch2", d.channel2);
    return out.str();
}

} // namespace velmora::test
