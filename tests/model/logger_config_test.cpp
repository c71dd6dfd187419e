#include <gtest/gtest.h>

#include "logger_config.h"

using namespace velmora;

TEST(LoggerConfig, NumbersAreLittleEndianAtTheirOffsets)
{
    LoggerConfig c;
    c.setStartDelay(0x11223344);
    c.setSampleInterval(0x5566);
    c.setSerialNumber(12345);
    c.setCalGain(0.5f);
    EXPECT_EQ(c.bytes[24], 0x44);
    EXPECT_EQ(c.bytes[27], 0x11);
    EXPECT_EQ(c.bytes[28], 0x66);
    EXPECT_EQ(c.bytes[29], 0x55);
    EXPECT_EQ(c.bytes[52], 0x39); // 12345 = 0x3039
    EXPECT_EQ(c.bytes[53], 0x30);
    // 0.5f is 0x3F000000
    EXPECT_EQ(c.bytes[36], 0x00);
    EXPECT_EQ(c.bytes[39], 0x3F);
    EXPECT_FLOAT_EQ(c.calGain(), 0.5f);
}

TEST(LoggerConfig, AlarmSlotsFollowTheAlarmWidthOfTheType)
{
    LoggerConfig wide;
    wide.setType(14);
    wide.setHighAlarmRaw(0x1234);
    wide.setLowAlarmRaw(0x0456);
    EXPECT_EQ(wide.u16(34), 0x1234);
    EXPECT_EQ(wide.u16(56), 0x0456);

    LoggerConfig narrow;
    narrow.setType(17); // 256-byte record but 8-bit alarms
    narrow.setHighAlarmRaw(200);
    narrow.setLowAlarmRaw(20);
    EXPECT_EQ(narrow.u8(34), 200);
    EXPECT_EQ(narrow.u8(35), 20);
    EXPECT_EQ(narrow.u8(56), 0);
    EXPECT_EQ(narrow.highAlarmRaw(), 200);
    EXPECT_EQ(narrow.lowAlarmRaw(), 20);
}

TEST(LoggerConfig, TextSlotsKeepTheirTerminatorRules)
{
    LoggerConfig c;
    c.setName("ABCDEFGHIJKLMNOPQ"); // 17 characters: 15 kept, terminator in byte 17
    EXPECT_EQ(c.name(), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(c.bytes[2 + 15], 0);
    EXPECT_EQ(c.bytes[18], 0); // start hour untouched

    // A scaling slot that arrives full reads as its first seven characters.
    for (std::size_t i = 0; i < 8; ++i)
        c.bytes[76 + i] = static_cast<std::uint8_t>('1' + i);
    c.bytes[84] = 'X';
    EXPECT_EQ(c.text(TextSlot::ScaleIn1), "1234567");
    EXPECT_EQ(c.text(TextSlot::ScaleOut1), "X");

    // The firmware code uses all four bytes without a terminator.
    c.bytes[48] = 'V';
    c.bytes[49] = '2';
    c.bytes[50] = '.';
    c.bytes[51] = '1';
    EXPECT_EQ(c.firmwareText(), "V2.1");
}

TEST(LoggerConfig, StartYearBelowSeventyIsThisCentury)
{
    LoggerConfig c;
    c.setU8(cfg::kStartYear, 69);
    EXPECT_EQ(c.startFullYear(), 2069);
    c.setU8(cfg::kStartYear, 70);
    EXPECT_EQ(c.startFullYear(), 1970);
}

TEST(LoggerConfig, StateTests)
{
    struct Case {
        LoggerType type;
        std::uint32_t delay;
        std::uint16_t count;
        bool pushButton;
        bool delayed;
        bool waiting;
    };
    const Case cases[] = {
        {1, 60, 0, false, true, false},   // plain delayed start
        {1, 0, 0, false, false, false},   // started at once
        {12, 60, 5, false, false, false}, // LCD logger that already holds readings: logging
        {12, 60, 0, true, false, true},   // push-button logger not yet pressed
        {12, 0, 3, true, false, false},   // pressed
        {13, 60, 0, true, true, false},   // bit 7 means nothing on type 13
        {4, 60, 5, false, true, false},   // readings do not cancel the delay on other types
    };
    for (const Case& k : cases) {
        LoggerConfig c;
        c.setType(k.type);
        c.setStartDelay(k.delay);
        c.setReadingCount(k.count);
        c.setPushButtonStart(k.pushButton);
        EXPECT_EQ(c.isDelayedStartPending(), k.delayed) << int(k.type) << " " << k.delay << " " << k.count;
        EXPECT_EQ(c.isWaitingForButton(), k.waiting) << int(k.type);
    }
}

TEST(LoggerConfig, LcdModeBits)
{
    LoggerConfig c;
    c.setLcdMode(LcdMode::OnAfterButton);
    EXPECT_EQ(c.modeFlags(), 0x60);
    c.setLcdMode(LcdMode::AlwaysOn);
    EXPECT_EQ(c.modeFlags(), 0x20);
    c.setLcdMode(LcdMode::Off);
    EXPECT_EQ(c.modeFlags(), 0x00);
    // Read back: bit 5 switches the display on, bit 6 alone leaves it off.
    const std::pair<std::uint8_t, LcdMode> reads[] = {{0x00, LcdMode::Off},      {0x40, LcdMode::Off},
                                                      {0x20, LcdMode::AlwaysOn}, {0x60, LcdMode::OnAfterButton},
                                                      {0xDF, LcdMode::Off},      {0xBF, LcdMode::AlwaysOn}};
    for (const auto& [bits, shown] : reads) {
        c.setModeFlags(bits);
        EXPECT_EQ(c.lcdMode(), shown) << std::hex << int(bits);
    }
}

TEST(LoggerConfig, TheUnitTextIsTheDegreeSignOrTheUnits)
{
    struct Case {
        LoggerType type;
        std::uint8_t inputOptions;
        const char* text; // Windows-1252
    } cases[] = {
        {14, 0, "\260C"}, {19, 1, "\260F"}, {21, 0, "\260C"}, {18, 1, "\260F"},
        {21, 2, ""},      {4, 0, "Volts"},  {6, 1, "Volts"},  {10, 0x21, "Volts"},
    };
    for (const Case& c : cases) {
        LoggerConfig config;
        config.setType(c.type);
        config.setInputOptions(c.inputOptions);
        config.setText(TextSlot::Units, "Volts");
        EXPECT_EQ(config.unitText(), c.text) << int(c.type) << " " << int(c.inputOptions);
    }
}
