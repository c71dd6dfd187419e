// The alarm page with typed levels: the range each type takes, corrections with and
// without messages, a falling scaling turning the slots round, the low-code floor,
// the texts, "Disable LEDs" and where the page leads.
#include <gtest/gtest.h>

#include "conversions.h"
#include "setup_voltage_alarms_rules.h"
#include "utility_strings.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;
namespace sva = velmora::setup_voltage_alarms;

namespace {

class SetupVoltageAlarms : public test::WizardFixture {};

// The user scaling of a voltage or current logger: input points and the values shown.
auto userScaling(const char* in1, const char* out1, const char* in2, const char* out2)
{
    return [=](LoggerConfig& c) {
        c.setInputOptions(1);
        c.setText(TextSlot::ScaleIn1, in1);
        c.setText(TextSlot::ScaleOut1, out1);
        c.setText(TextSlot::ScaleIn2, in2);
        c.setText(TextSlot::ScaleOut2, out2);
    };
}

// The preset voltage logger reads 0 to 30 V; this shows 100 at 0 V falling to 0 at 30 V.
const auto kFalling = userScaling("0", "100", "15", "50");

sva::Values typed(bool highOn, bool lowOn, const char* high, const char* low)
{
    sva::Values v;
    v.highOn = highOn;
    v.lowOn = lowOn;
    v.highText = high;
    v.lowText = low;
    return v;
}

} // namespace

TEST_F(SetupVoltageAlarms, LoadShowsTheStoredLevelsInsideTheRange)
{
    connect(10); // thermocouple in °C: -200 to 1300
    sva::Values v = sva::load(logger);
    EXPECT_EQ(v.highText, "200.0");
    EXPECT_EQ(v.lowText, "150.0");
    EXPECT_EQ(v.decimals, 1);
    EXPECT_EQ(v.unit, "\260C");
    EXPECT_TRUE(v.ledsOffered);

    connect(10, [](LoggerConfig& c) {
        c.setHighAlarmRaw(28000); // 1355.6 °C
        c.setLowAlarmRaw(0);      // -200 °C, the bottom itself
    });
    v = sva::load(logger);
    EXPECT_EQ(v.highText, "1300.0");
    EXPECT_EQ(v.lowText, "-200.0");

    connect(6, [](LoggerConfig& c) { c.setText(TextSlot::LowAlarmText, "-3"); }); // 0 to 30 V, 2 decimals
    v = sva::load(logger);
    EXPECT_EQ(v.highText, "14.40");
    EXPECT_EQ(v.lowText, "0.00");
    EXPECT_EQ(v.unit, "Volts");

    connect(14, [](LoggerConfig& c) { c.setMode(mode::kLedsDisabled, true); });
    v = sva::load(logger);
    EXPECT_FALSE(v.ledsOffered);
    EXPECT_FALSE(v.ledsDisabled);
    EXPECT_EQ(v.unit, "\260C");
}

TEST_F(SetupVoltageAlarms, NextChecksInOrderAndCorrectsOnlyAlarmsThatAreOn)
{
    // Thermocouple in °C: -200 to 1300 °C are the codes 0 to 27000, tenths of °F above -328 °F.
    struct Case {
        bool highOn, lowOn;
        const char *high, *low;
        std::string_view message; // empty: none
        int stayOn;               // 0: the page goes on to the start page
        const char *highAfter, *lowAfter;
        int highCode, lowCode; // -1: not stored
    } cases[] = {
        {true, true, "100.0", "100.0", utilitytext::kHighNotAboveLow, sva::id::kHighLevel, "100.0", "100.0", -1, -1},
        {true, true, "1400", "0", utilitytext::kHighAlarmAdjusted, sva::id::kHighLevel, "1300.0", "0", -1, -1},
        {true, true, "-250", "-300", utilitytext::kHighAlarmAdjusted, sva::id::kHighLevel, "-200.0", "-300", -1, -1},
        {true, true, "-150", "-250", utilitytext::kLowAlarmAdjusted, sva::id::kLowLevel, "-150", "-200.0", 900, -1},
        {true, true, "100", "1350", utilitytext::kHighNotAboveLow, sva::id::kHighLevel, "100", "1350", -1, -1},
        {true, false, "100", "1350", {}, 0, "100", "1350", 5400, 0},
        {false, true, "1400", "0", {}, 0, "1400", "0", 27000, 3600},
        {true, false, "100", "-300", {}, 0, "100", "-300", 5400, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.high << " / " << c.low);
        connect(10);
        const std::uint16_t high = config().highAlarmRaw();
        const std::uint16_t low = config().lowAlarmRaw();
        if (!c.message.empty())
            prompts.expectMsg(c.message, PromptAnswer::Ok, PromptIcon::Warning);
        sva::Values v = typed(c.highOn, c.lowOn, c.high, c.low);
        EXPECT_EQ(sva::next(core, v), c.stayOn ? WizardStep::stay(c.stayOn) : WizardStep::to(page::kStart));
        EXPECT_EQ(v.highText, c.highAfter);
        EXPECT_EQ(v.lowText, c.lowAfter);
        EXPECT_EQ(config().highAlarmRaw(), c.highCode < 0 ? high : c.highCode);
        EXPECT_EQ(config().lowAlarmRaw(), c.lowCode < 0 ? low : c.lowCode);
        if (!c.stayOn) { // the texts as typed, even a level replaced because its alarm is off
            EXPECT_EQ(config().text(TextSlot::HighAlarmText), c.high);
            EXPECT_EQ(config().text(TextSlot::LowAlarmText), c.low);
        }
        prompts.expectAllShown();
    }
}

TEST_F(SetupVoltageAlarms, AFallingScalingKeepsTheLowerLevelInTheHighSlot)
{
    connect(4, kFalling);
    ASSERT_FALSE(logger.scaleRising);
    sva::Values v = typed(true, true, "80", "20");
    ASSERT_EQ(sva::next(core, v), WizardStep::to(page::kStart));
    EXPECT_NEAR(rawToValue(logger, config().u16(cfg::kHighAlarm)), 20.0, 0.01);
    EXPECT_NEAR(rawToValue(logger, config().u16(cfg::kLowAlarmWide)), 80.0, 0.01);
    EXPECT_NEAR(highAlarmValue(logger), 80.0, 0.01);
    EXPECT_NEAR(lowAlarmValue(logger), 20.0, 0.01);

    // Out of range, the low level is settled first, and either end is corrected.
    struct Case {
        bool highOn, lowOn;
        const char *high, *low;
        std::string_view message;
        int stayOn;
        const char *highAfter, *lowAfter;
    } cases[] = {
        {true, true, "80", "-5", utilitytext::kLowAlarmAdjusted, sva::id::kLowLevel, "80", "0.0"},
        {false, true, "200", "150", utilitytext::kLowAlarmAdjusted, sva::id::kLowLevel, "200", "100.0"},
        {true, true, "150", "20", utilitytext::kHighAlarmAdjusted, sva::id::kHighLevel, "100.0", "20"},
        {true, true, "-3", "-5", utilitytext::kLowAlarmAdjusted, sva::id::kLowLevel, "-3", "0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.high << " / " << c.low);
        connect(4, kFalling);
        prompts.expectMsg(c.message);
        v = typed(c.highOn, c.lowOn, c.high, c.low);
        EXPECT_EQ(sva::next(core, v), WizardStep::stay(c.stayOn));
        EXPECT_EQ(v.highText, c.highAfter);
        EXPECT_EQ(v.lowText, c.lowAfter);
        prompts.expectAllShown();
    }

    // The high level is corrected after the low one is stored.
    connect(4, kFalling);
    prompts.expectMsg(utilitytext::kHighAlarmAdjusted);
    v = typed(true, true, "150", "20");
    ASSERT_EQ(sva::next(core, v), WizardStep::stay(sva::id::kHighLevel));
    EXPECT_NEAR(rawToValue(logger, config().u16(cfg::kHighAlarm)), 20.0, 0.01);

    // With the low alarm off its level silently becomes the bottom, 0.
    connect(4, kFalling);
    v = typed(true, false, "80", "-5");
    ASSERT_EQ(sva::next(core, v), WizardStep::to(page::kStart));
    EXPECT_EQ(config().u16(cfg::kHighAlarm), 65472); // 0 is full-scale input
}

TEST_F(SetupVoltageAlarms, ALevelAtTheEndShownIsInsideTheRange)
{
    // The preset's 0 to 30 V: float calibration puts the top a hair below 30. It is
    // shown as 30.00, and the correction writes 30.00, which must then be taken.
    connect(4);
    prompts.expectMsg(utilitytext::kHighAlarmAdjusted);
    sva::Values v = typed(true, true, "35", "10");
    ASSERT_EQ(sva::next(core, v), WizardStep::stay(sva::id::kHighLevel));
    EXPECT_EQ(v.highText, "30.00");
    EXPECT_EQ(sva::next(core, v), WizardStep::to(page::kStart));
    EXPECT_EQ(config().u16(cfg::kHighAlarm), 65472);
}

TEST_F(SetupVoltageAlarms, ALevelJustBeyondTheEndIsOutsideThoughItShowsAsTheEnd)
{
    // 0 to 30 V shown as 0 to 52.78 bar: a 1023rd of the span is 0.052, so levels have
    // one decimal and the top the edit can show is 52.7.
    const auto bar = userScaling("0", "0", "30", "52.78");
    struct Case {
        const char *high, *low;
        std::string_view message;
        int stayOn;
        const char *highAfter, *lowAfter;
    } cases[] = {
        {"52.8", "1.0", utilitytext::kHighAlarmAdjusted, sva::id::kHighLevel, "52.7", "1.0"},
        {"52.7", "1.0", {}, 0, "52.7", "1.0"},
        {"40.0", "-0.1", utilitytext::kLowAlarmAdjusted, sva::id::kLowLevel, "40.0", "0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.high << " / " << c.low);
        connect(4, bar);
        ASSERT_EQ(logger.displayDecimals, 1);
        if (!c.message.empty())
            prompts.expectMsg(c.message);
        sva::Values v = typed(true, true, c.high, c.low);
        EXPECT_EQ(sva::next(core, v), c.stayOn ? WizardStep::stay(c.stayOn) : WizardStep::to(page::kStart));
        EXPECT_EQ(v.highText, c.highAfter);
        EXPECT_EQ(v.lowText, c.lowAfter);
        prompts.expectAllShown();
    }
    // A level stored beyond what the edit can show is shown as the end it can (type 6
    // keeps its levels as typed).
    connect(6, [&](LoggerConfig& c) {
        bar(c);
        c.setText(TextSlot::HighAlarmText, "52.8");
    });
    EXPECT_EQ(sva::load(logger).highText, "52.7");
}

TEST_F(SetupVoltageAlarms, AnEmptyLevelOfAnAlarmThatIsOnIsRefused)
{
    struct Case {
        bool highOn, lowOn;
        const char *high, *low;
        std::string_view message; // empty: taken
        int stayOn;
    } cases[] = {
        {true, true, "", "150.0", utilitytext::kHighLevelMissing, sva::id::kHighLevel},
        {true, true, "200.0", "", utilitytext::kLowLevelMissing, sva::id::kLowLevel},
        {true, true, "-", "150.0", utilitytext::kHighLevelMissing, sva::id::kHighLevel},
        {true, true, "200.0", ".", utilitytext::kLowLevelMissing, sva::id::kLowLevel},
        {true, false, "200.0", "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.high << "\" / \"" << c.low << "\"");
        connect(10); // thermocouple in \260C, high 200, low 150
        const std::uint16_t high = config().highAlarmRaw();
        if (!c.message.empty())
            prompts.expect(std::string(c.message), PromptAnswer::Ok, PromptIcon::Warning);
        sva::Values v = typed(c.highOn, c.lowOn, c.high, c.low);
        EXPECT_EQ(sva::next(core, v), c.stayOn ? WizardStep::stay(c.stayOn) : WizardStep::to(page::kStart));
        if (c.stayOn)
            EXPECT_EQ(config().highAlarmRaw(), high);
        prompts.expectAllShown();
    }
}

TEST_F(SetupVoltageAlarms, TheLowCodeIsRaisedTo31WhenCodeZeroReadsAboveZero)
{
    connect(5, userScaling("0", "4", "10", "10.4")); // 4 at 0 mA, 20 at 25 mA
    sva::Values v = typed(true, true, "20.00", "4.00");
    ASSERT_EQ(sva::next(core, v), WizardStep::to(page::kStart));
    EXPECT_EQ(config().u16(cfg::kLowAlarmWide), 31);
}

TEST_F(SetupVoltageAlarms, LedsTextsAndTheWayOn)
{
    connect(14, [](LoggerConfig& c) { c.setMode(mode::kLedsDisabled, true); });
    sva::Values v = sva::load(logger);
    v.ledsDisabled = true; // a caller may ask; the logger cannot
    ASSERT_EQ(sva::next(core, v), WizardStep::to(page::kStart));
    EXPECT_FALSE(config().hasMode(mode::kLedsDisabled));

    connect(19);
    v = sva::load(logger);
    v.ledsDisabled = true;
    v.highHold = true;
    ASSERT_EQ(sva::next(core, v), WizardStep::to(page::kPushToStart));
    EXPECT_TRUE(config().hasMode(mode::kLedsDisabled));
    EXPECT_TRUE(config().hasFlag(flag::kHighLatched));
    EXPECT_FALSE(config().hasFlag(flag::kLowLatched));

    // Type 21 goes to the consecutive alarms page only with an alarm on.
    connect(21);
    v = sva::load(logger);
    EXPECT_EQ(sva::next(core, v), WizardStep::to(page::kConsecutiveAlarms));
    v.highOn = v.lowOn = false;
    EXPECT_EQ(sva::next(core, v), WizardStep::to(page::kPushToStart));
    EXPECT_FALSE(config().hasFlag(flag::kHighEnabled));

    connect(10);
    const LoggerConfig before = config();
    EXPECT_EQ(sva::back(core), WizardStep::to(page::kTcName));
    EXPECT_EQ(config().bytes, before.bytes);
}
