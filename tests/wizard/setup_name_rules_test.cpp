// The name page of the temperature and humidity loggers: what it shows, what "Next >"
// stores (with the alarm levels carried across a change of scale) and where it leads.
#include <gtest/gtest.h>

#include "setup_name_rules.h"
#include "utility_strings.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

namespace {

class SetupNameRules : public test::WizardFixture {};

} // namespace

TEST_F(SetupNameRules, LoadShowsTheScaleAndTheRateEntryOfTheStoredValues)
{
    struct Case {
        LoggerType type;
        std::uint8_t inputOptions;
        std::uint16_t interval;
        int scale, rate;
    };
    const Case cases[] = {
        {1, 0, 300, 0, 2},   // list A: "5 Min (56 Days)"
        {1, 1, 43200, 1, 6}, // "12 Hours (>2 Yrs)"
        {3, 2, 60, 1, 1},    // any byte but 0 shows as °F
        {1, 0, 30, 0, 0},    // not in list A: its first entry
        {14, 0, 1, 0, 0},    // list B: "1 Sec (9 Hrs)"
        {14, 1, 30, 1, -1},  // not in list B: nothing selected
        {21, 0, 3600, 0, 4},
    };
    for (const Case& c : cases) {
        connect(c.type, [&](LoggerConfig& r) {
            r.setInputOptions(c.inputOptions);
            r.setSampleInterval(c.interval);
        });
        const setup_name::Values v = setup_name::load(logger);
        EXPECT_EQ(v.name, device->record().name()) << int(c.type);
        EXPECT_EQ(v.scale, c.scale) << int(c.type) << " options " << int(c.inputOptions);
        EXPECT_EQ(v.loadedScale, c.scale) << int(c.type);
        EXPECT_EQ(v.rate, c.rate) << int(c.type) << " interval " << c.interval;
        bridge.detach(0);
    }
}

TEST_F(SetupNameRules, NextStoresScaleAndRateAndCarriesTheAlarmTemperaturesAcrossAChangeOfScale)
{
    struct Case {
        const char* what;
        LoggerType type;
        std::uint8_t inputOptions;
        float gain;
        std::uint16_t high, low; // raw codes as read
        int scale, rate;         // chosen on the page
        // Expected afterwards.
        std::uint8_t storedOptions;
        std::uint16_t interval;
        float newGain;
        std::uint16_t newHigh, newLow;
        int page;
    };
    const Case cases[] = {
        // 30 °C and 10 °C at -40 + 0.5 per count are 86 °F and 50 °F at -40 + 1 per count.
        {"°C to °F", 1, 0, 0.5f, 140, 100, 1, 3, 1, 1800, 1.0f, 126, 90, page::kAlarms},
        {"°F back to °C", 1, 1, 1.0f, 126, 90, 0, 3, 0, 1800, 0.5f, 140, 100, page::kAlarms},
        {"unchanged scale", 3, 0, 0.5f, 140, 100, 0, 0, 0, 10, 0.5f, 140, 100, page::kAlarms},
        // A byte of 2 showed as °F; keeping °F stores the whole byte as 1 and converts nothing.
        {"byte 2 kept as °F", 1, 2, 1.0f, 126, 90, 1, 1, 1, 60, 1.0f, 126, 90, page::kAlarms},
        {"byte 2 changed to °C", 1, 2, 1.0f, 126, 90, 0, 1, 0, 60, 0.5f, 140, 100, page::kAlarms},
        {"no entry selected", 12, 0, 0.5f, 140, 100, 0, -1, 0, 10, 0.5f, 140, 100, page::kLcd},
        {"storage page next", 13, 0, 0.5f, 140, 100, 0, 6, 0, 43200, 0.5f, 140, 100, page::kStorageMode},
        // Hundredths of a degree in both scales: 30 °C = 7000, 86 °F = 12600.
        {"high temperature to °F", 14, 0, 0.01f, 7000, 5000, 1, 0, 1, 1, 0.01f, 12600, 9000, page::kStorageMode},
        // The fixed encoding means the same temperature in either scale.
        {"fixed encoding", 21, 0, 0.1f, 4050, 3000, 1, 4, 1, 3600, 0.1f, 4050, 3000, page::kLcd},
        {"fixed encoding back", 19, 1, 0.1f, 4050, 3000, 0, 4, 0, 3600, 0.1f, 4050, 3000, page::kLcd},
    };
    for (const Case& c : cases) {
        connect(c.type, [&](LoggerConfig& r) {
            r.setInputOptions(c.inputOptions);
            r.setCalGain(c.gain);
            r.setCalOffset(c.gain == 0.1f ? -328.0f : -40.0f);
            r.setHighAlarmRaw(c.high);
            r.setLowAlarmRaw(c.low);
        });
        setup_name::Values v = setup_name::load(logger);
        v.name = "Walk-in";
        v.scale = c.scale;
        v.rate = c.rate;
        EXPECT_EQ(setup_name::next(core, v), WizardStep::to(c.page)) << c.what;
        EXPECT_EQ(config().name(), "Walk-in") << c.what;
        EXPECT_EQ(config().inputOptions(), c.storedOptions) << c.what;
        EXPECT_EQ(config().sampleInterval(), c.interval) << c.what;
        EXPECT_FLOAT_EQ(config().calGain(), c.newGain) << c.what;
        EXPECT_EQ(config().highAlarmRaw(), c.newHigh) << c.what;
        EXPECT_EQ(config().lowAlarmRaw(), c.newLow) << c.what;
        bridge.detach(0);
    }
}

TEST_F(SetupNameRules, ARefusedNameStaysInTheNameBoxAndStoresNothing)
{
    connect(1);
    const LoggerConfig before = config();
    setup_name::Values v = setup_name::load(logger);
    v.name = "Cold/Store";
    v.scale = 1;
    v.rate = 4;
    prompts.expectMsg(utilitytext::kNameUnsupported, PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_EQ(setup_name::next(core, v), WizardStep::stay(setup_name::kNameBox));
    EXPECT_EQ(config().bytes, before.bytes);
}

TEST_F(SetupNameRules, BackLeadsToTheAgreementOnlyOnTheHighTemperatureRow)
{
    connect(14);
    EXPECT_EQ(setup_name::back(core), WizardStep::to(page::kHtAgreement));
    bridge.detach(0);
    connect(1);
    EXPECT_EQ(setup_name::back(core), WizardStep::stay());
}
