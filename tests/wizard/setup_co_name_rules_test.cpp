// The CO logger's name page: the rate list and its neighbours, the safety agreement
// before it and the warning level after it.
#include <gtest/gtest.h>

#include "setup_co_name_rules.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

namespace {

class SetupCoNameRules : public test::WizardFixture {};

} // namespace

TEST_F(SetupCoNameRules, TheRateListFallsBackToItsFirstEntryAndNextStoresTheChosenSeconds)
{
    struct Case {
        LoggerType type;
        std::uint16_t interval;
        int shown, chosen;
        std::uint16_t stored;
    };
    const Case cases[] = {
        {9, 30, 1, 3, 300}, // "30 Sec (11 Days)", then "5 Min (3 Mths)"
        {11, 60, 2, 2, 60},
        {9, 600, 0, 0, 10},  // not listed: the first entry
        {11, 10, 0, -1, 10}, // nothing selected stores 10
    };
    for (const Case& c : cases) {
        connect(c.type, [&](LoggerConfig& r) { r.setSampleInterval(c.interval); });
        setup_co_name::Values v = setup_co_name::load(logger);
        EXPECT_EQ(v.rate, c.shown) << int(c.type) << " " << c.interval;
        v.rate = c.chosen;
        EXPECT_EQ(setup_co_name::next(core, v), WizardStep::to(page::kCoAlarms));
        EXPECT_EQ(config().sampleInterval(), c.stored) << int(c.type) << " " << c.interval;
        EXPECT_EQ(setup_co_name::back(core), WizardStep::to(page::kCoAgreement));
        bridge.detach(0);
    }
}
