// The help pages: every context number leads to a page and anchor that exist, every
// link between pages resolves, and every page can be reached from the contents.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "help_topics.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
const fs::path kHelp = VELMORA_HELP_SOURCE;

std::string read(const fs::path& p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::set<std::string> anchorsOf(const std::string& html)
{
    std::set<std::string> anchors;
    const std::regex name(R"re((?:name|id)="([^"]+)")re");
    for (std::sregex_iterator it(html.begin(), html.end(), name), end; it != end; ++it)
        anchors.insert((*it)[1]);
    return anchors;
}

std::map<std::string, std::string> pages()
{
    std::map<std::string, std::string> all;
    for (const auto& entry : fs::directory_iterator(kHelp))
        if (entry.path().extension() == ".html")
            all[entry.path().filename().string()] = read(entry.path());
    return all;
}

// "file#anchor" resolves when the file exists and holds the anchor.
bool resolves(const std::map<std::string, std::string>& all, const std::string& target)
{
    const auto hash = target.find('#');
    const auto it = all.find(target.substr(0, hash));
    if (it == all.end())
        return false;
    return hash == std::string::npos || anchorsOf(it->second).count(target.substr(hash + 1)) == 1;
}

TEST(HelpPages, EveryContextNumberHasAPageAndAnchor)
{
    const auto all = pages();
    ASSERT_TRUE(all.count(std::string(kHelpContentsPage)));
    for (const HelpTopic& topic : helpTopics())
        EXPECT_TRUE(resolves(all, std::string(topic.page))) << topic.contextId << " -> " << topic.page;
    // The viewer's channel topics, one page each.
    for (int id = 1001; id <= 1006; ++id)
        EXPECT_NE(helpPageFor(id), kHelpContentsPage) << id;
    EXPECT_EQ(helpPageFor(4242), kHelpContentsPage);
}

// The heading a topic opens under: the heading that holds its anchor, or the page's
// first for a topic without one.
std::string headingOf(const std::map<std::string, std::string>& all, std::string_view topic)
{
    const std::string target(topic);
    const auto hash = target.find('#');
    const std::string& html = all.at(target.substr(0, hash));
    std::size_t at = 0;
    if (hash != std::string::npos) {
        at = html.find("id=\"" + target.substr(hash + 1) + "\"");
        at = html.rfind("<h", at);
    } else {
        at = html.find("<h1");
    }
    const std::size_t end = html.find("</h", at);
    if (at == std::string::npos || end == std::string::npos)
        return {};
    return std::regex_replace(html.substr(at, end - at), std::regex("<[^>]*>"), "");
}

TEST(HelpPages, EachSetUpFormOpensUnderItsOwnHeading)
{
    const auto all = pages();
    const std::pair<int, const char*> forms[] = {
        {102, "Temperature and humidity loggers"},
        {103, "Temperature alarms"},
        {104, "Start now or later"},
        {105, "Configured successfully"},
        {154, "Humidity alarms"},
        {155, "Voltage and current loggers"},
        {156, "Voltage and current scaling"},
        {157, "Alarms with typed levels"},
        {158, "KV-USB-LITE"},
        {159, "KV-USB-LITE alarms"},
        {160, "Carbon monoxide loggers"},
        {161, "Carbon monoxide warning level"},
        {163, "Carbon monoxide loggers"},
        {165, "Thermocouple loggers"},
        {166, "Loggers with a start button"},
        {167, "Display"},
        {168, "When the memory is full"},
        {169, "High-temperature logger"},
        {174, "Consecutive alarms"},
    };
    for (const auto& [form, heading] : forms)
        EXPECT_EQ(headingOf(all, helpPageFor(form)), heading) << form;
}

TEST(HelpPages, EachViewerTopicOpensUnderItsOwnHeading)
{
    // A temperature file's readings have a decimal (1001): it opens on the temperature
    // topic, not on another logger's.
    const auto all = pages();
    const std::pair<int, const char*> topics[] = {
        {1001, "Temperature"}, {1002, "Humidity and dew point"},    {1003, "Voltage"},
        {1004, "Current"},     {1005, "Readings in whole numbers"}, {1006, "Carbon monoxide"},
    };
    for (const auto& [context, heading] : topics)
        EXPECT_EQ(headingOf(all, helpPageFor(context)), heading) << context;
}

TEST(HelpPages, EveryLinkResolvesAndEveryPageIsReachable)
{
    const auto all = pages();
    const std::regex href(R"re(href="([^"]+)")re");
    std::set<std::string> reached{std::string(kHelpContentsPage)};
    std::vector<std::string> queue{std::string(kHelpContentsPage)};
    while (!queue.empty()) {
        const std::string page = queue.back();
        queue.pop_back();
        const std::string& html = all.at(page);
        for (std::sregex_iterator it(html.begin(), html.end(), href), end; it != end; ++it) {
            std::string target = (*it)[1];
            if (target.rfind("http", 0) == 0 || target.rfind("mailto:", 0) == 0 || target.ends_with(".css"))
                continue;
            if (target.front() == '#')
                target = page + target;
            EXPECT_TRUE(resolves(all, target)) << page << " links to " << target;
            const std::string file = target.substr(0, target.find('#'));
            if (all.count(file) && reached.insert(file).second)
                queue.push_back(file);
        }
    }
    for (const auto& [name, html] : all)
        EXPECT_TRUE(reached.count(name)) << name << " cannot be reached from the contents";
}

} // namespace
} // namespace velmora
