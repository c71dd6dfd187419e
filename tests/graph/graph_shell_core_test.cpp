// The viewer's recent-file list and its choice of help topic.
#include "graph_help.h"
#include "memory_settings.h"
#include "recent_file_list.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, FourNewestFirstKeptInTheSettings)
{
    test::MemorySettings settings;
    {
        RecentFileList list(settings);
        EXPECT_TRUE(list.entries().empty());
        for (const char* p : {"/d/a.txt", "/d/b.txt", "/d/c.txt", "/d/d.txt", "/d/e.txt"})
            list.add(p);
        EXPECT_EQ(list.entries(), (Paths{"/d/e.txt", "/d/d.txt", "/d/c.txt", "/d/b.txt"}));
        list.add("/d/c.txt"); // opened again: moves to the top, nothing lost
        EXPECT_EQ(list.entries(), (Paths{"/d/c.txt", "/d/e.txt", "/d/d.txt", "/d/b.txt"}));
        list.remove("/d/d.txt");
        list.remove("/d/not-listed.txt");
        EXPECT_EQ(list.entries(), (Paths{"/d/c.txt", "/d/e.txt", "/d/b.txt"}));
    }
    EXPECT_EQ(settings.values["Recent File List/File1"], "/d/c.txt");
    EXPECT_EQ(settings.values["Recent File List/File3"], "/d/b.txt");
    EXPECT_EQ(settings.values["Recent File List/File4"], "");
    // The next run starts with the same list; a value typed twice by hand counts once.
    settings.values["Recent File List/File4"] = "/d/c.txt";
    EXPECT_EQ(RecentFileList(settings).entries(), (Paths{"/d/c.txt", "/d/e.txt", "/d/b.txt"}));
}

TEST(RecentFileList, MenuTextNumbersAndShortensLongPaths)
{
    EXPECT_EQ(recentFileMenuText(0, "/home/lab/fridge.txt"), "&1 /home/lab/fridge.txt");
    EXPECT_EQ(recentFileMenuText(3, "/data/R&D/log.txt"), "&4 /data/R&&D/log.txt");
    const std::string deep = "/home/lab/" + std::string(80, 'x') + "/store room.txt";
    EXPECT_EQ(recentFileMenuText(1, deep), "&2 /home/lab/" + std::string(32, 'x') + ".../store room.txt");
}

TEST(GraphHelpContext, FirstMatchingRuleWins)
{
    struct Case {
        const char* name;
        int decimals;
        bool second;
        int context;
    } cases[] = {
        {"Celsius", 1, true, 1002},  {"Voltage", 2, true, 1002},  {"Voltage", 2, false, 1003},
        {"Current", 0, false, 1004}, {"CO", 1, false, 1006},      {"Celsius", 1, false, 1001},
        {"Celsius", 0, false, 1005}, {"voltage", 0, false, 1005}, {"", 0, false, 1005},
    };
    for (const Case& c : cases) {
        GraphData d;
        d.channel1.name = c.name;
        d.channel1.decimals = c.decimals;
        d.channel2.present = c.second;
        EXPECT_EQ(graphHelpContext(d), c.context) << c.name << " " << c.decimals << " " << c.second;
    }
    EXPECT_EQ(graphHelpContext(GraphData{}), 1005);
}

} // namespace
} // namespace velmora
