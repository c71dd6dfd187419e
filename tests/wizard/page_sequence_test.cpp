// The set-up pages of every logger type, walked forwards and back, and the live
// clocks armed on the way to the finish pages.
#include <gtest/gtest.h>

#include <vector>

#include "clock.h"
#include "connected_logger.h"
#include "page_sequence.h"
#include "scripted_prompts.h"
#include "simulated_bridge.h"
#include "type_catalogue.h"
#include "wall_clock.h"
#include "wizard_core.h"
#include "wizard_flags.h"

using namespace velmora;

namespace {

struct RowCase {
    LoggerType type;
    std::uint8_t inputOptions;
    std::uint16_t flags;
    std::vector<int> pages; // written from the page table of each model
};

const RowCase kRows[] = {
    {1, 0, 0, {1, 2, 3, 4}},
    {2, 1, 3, {1, 2, 3, 4}},
    {3, 0, 0, {1, 2, 7, 3, 4}},
    {4, 0, 0, {8, 10, 3, 4}},
    {4, 1, 0, {8, 9, 10, 3, 4}},
    {5, 0, 0, {8, 10, 3, 4}},
    {6, 1, 0, {8, 9, 10, 3, 4}},
    {7, 2, 0, {8, 9, 10, 3, 4}},
    {8, 0, 0, {11, 12, 3, 4}},
    {9, 0, 0, {14, 13, 15, 3, 4}},
    {10, 0, 0, {16, 10, 3, 4}},
    {11, 0, 0, {14, 13, 15, 3, 4}},
    {12, 0, 0, {1, 17, 2, 7, 18, 4}},
    {13, 0, 0, {1, 19, 2, 7, 3, 4}},
    {14, 0, 0, {20, 1, 19, 10, 3, 4}},
    {15, 0, 0, {16, 17, 10, 18, 4}},
    {16, 0, 0, {1, 17, 2, 7, 18, 4}},
    {19, 0, 3, {1, 17, 10, 18, 4}},
    {21, 0, 0, {1, 17, 10, 18, 4}},
    {21, 0, 1, {1, 17, 10, 25, 18, 4}},
    {21, 0, 2, {1, 17, 10, 25, 18, 4}},
};

LoggerConfig configOf(const RowCase& c)
{
    LoggerConfig config;
    config.setType(c.type);
    config.setInputOptions(c.inputOptions);
    config.setFlags(c.flags);
    return config;
}

} // namespace

TEST(PageSequence, EveryTypeWalksItsRowForwardFromItsEntryPageAndBack)
{
    for (const RowCase& c : kRows) {
        const LoggerConfig config = configOf(c);
        ASSERT_EQ(setupEntryPage(c.type), c.pages.front()) << "type " << int(c.type);

        std::vector<int> forward{c.pages.front()};
        for (int p = nextPage(config, forward.back()); p >= 0; p = nextPage(config, p))
            forward.push_back(p);
        EXPECT_EQ(forward, c.pages) << "type " << int(c.type);

        // Back retraces the row from the finish page to the first, which has none.
        std::vector<int> backward{c.pages[c.pages.size() - 2]};
        for (int p = previousPage(config, backward.back()); p >= 0; p = previousPage(config, p))
            backward.push_back(p);
        const std::vector<int> expected(c.pages.rbegin() + 1, c.pages.rend());
        EXPECT_EQ(backward, expected) << "type " << int(c.type);
    }
}

TEST(PageSequence, TypesNeverSetUpHaveNoRow)
{
    for (const LoggerType type : {0, 17, 18, 20, 22, 255}) {
        EXPECT_TRUE(pageRow(type).empty()) << int(type);
        EXPECT_EQ(setupEntryPage(type), 0) << int(type);
    }
}

TEST(PageSequence, GoingForwardToAFinishPageArmsItsClockUnlessTheButtonStarts)
{
    struct Case {
        LoggerType type;
        int from;
        bool pushButtonStart;
        int to;
        bool startLive, pushLive;
    };
    const Case cases[] = {
        {1, 2, false, 3, true, false},   {8, 12, false, 3, true, false},   {12, 7, false, 18, false, true},
        {12, 7, true, 18, false, false}, {19, 10, false, 18, false, true}, {19, 10, true, 18, false, false},
        {1, 1, false, 2, false, false},
    };
    VirtualClock ticks;
    SimulatedBridge bridge{ticks};
    test::ScriptedPrompts prompts;
    FixedWallClock clock{0};
    for (const Case& c : cases) {
        ConnectedLogger logger{bridge, ticks, prompts};
        logger.config.setType(c.type);
        logger.config.setPushButtonStart(c.pushButtonStart);
        WizardFlags flags;
        WizardCore core{logger, prompts, flags, clock};
        EXPECT_EQ(forwardFrom(core, c.from), WizardStep::to(c.to)) << int(c.type) << " from " << c.from;
        EXPECT_EQ(flags.startClockLive, c.startLive) << int(c.type) << " from " << c.from;
        EXPECT_EQ(flags.pushClockLive, c.pushLive) << int(c.type) << " from " << c.from;
        EXPECT_EQ(backFrom(core, c.to), WizardStep::to(c.from)) << int(c.type) << " back to " << c.from;
    }
}
