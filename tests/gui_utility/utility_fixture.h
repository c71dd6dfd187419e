#pragma once
// The whole utility on a virtual clock: a simulated bridge with virtual loggers,
// scripted prompts and dialogs, a recording launcher, settings in memory.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <memory>
#include <string>

#include "clock.h"
#include "fixed_locale.h"
#include "logger_image.h"
#include "logger_presets.h"
#include "memory_settings.h"
#include "page_set.h"
#include "page_view.h"
#include "recording_help.h"
#include "recording_launcher.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompts.h"
#include "simulated_bridge.h"
#include "velmora_usb_app.h"
#include "wall_clock.h"

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace velmora::test {

inline const CivilTime kNow{2026, 12, 7, 15, 0, 0};
inline const std::string kProgramFolder = "/opt/velmora/bin";

// A type-1 logger described by hand: "Fridge", Celsius, high alarm 8.0 and low 2.0
// on, 10-second interval from 07/12/2026 14:00:00, serial 12345, and three readings
// of 4.5, 5.0 and 5.5 degrees (value = raw x 0.5 - 20), not yet downloaded.
inline LoggerImage fridgeImage()
{
    LoggerImage image;
    LoggerConfig& c = image.record;
    c.setType(1);
    c.setName("Fridge");
    c.setStart(2026, 12, 7, 14, 0, 0);
    c.setSampleInterval(10);
    c.setReadingCount(3);
    c.setFlags(flag::kHighEnabled | flag::kLowEnabled | flag::kUndownloaded);
    c.setCalGain(0.5f);
    c.setCalOffset(-20.0f);
    c.setHighAlarmRaw(56); // 8.0
    c.setLowAlarmRaw(44);  // 2.0
    c.setSerialNumber(12345);
    for (int i = 0; i < 4; ++i)
        c.bytes[cfg::kFirmwareCode + i] = static_cast<std::uint8_t>("2.10"[i]);
    c.setMemoryCapacity(16382);
    image.memory = {49, 50, 51};
    return image;
}

inline LoggerImage presetImage(LoggerType type) { return makePresetImage(type, kNow); }

class UtilityTest : public ::testing::Test {
protected:
    UtilityTest() : clock(kNow), bridge(clock) {}

    VirtualLogger& plugIn(LoggerImage image) { return bridge.attach(std::move(image)); }

    void startApp()
    {
        app = std::make_unique<CVelmoraUSBApp>(UtilityServices{bridge, clock, wallClock, prompts, dialogs, launcher,
                                                               settings, locale, help, kProgramFolder, documentsFolder,
                                                               homeFolder});
        app->InitInstance();
    }

    int shownPage() const { return app->currentPage(); }
    CPageView* page(int index) const { return app->page(index); }

    template <typename T = QWidget> T* control(int pageIndex, int id) const
    {
        T* widget = page(pageIndex)->control<T>(id);
        EXPECT_NE(widget, nullptr) << "page " << pageIndex << " has no control " << id;
        return widget;
    }
    QString text(int pageIndex, int id) const
    {
        auto* label = control<QLabel>(pageIndex, id);
        return label ? label->text() : QString();
    }
    // Presses a button the way a user does; a disabled button does nothing.
    void click(int pageIndex, int id)
    {
        if (auto* button = control<QAbstractButton>(pageIndex, id))
            button->click();
    }

    VirtualClock clock;
    // The calendar clock of the finish pages stands at the same local moment.
    FixedWallClock wallClock{*WallClock::fromLocal(kNow)};
    SimulatedBridge bridge;
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    RecordingLauncher launcher;
    MemorySettings settings;
    FixedLocale locale;
    RecordingHelp help;
    std::string documentsFolder = "/home/tester/Documents";
    std::string homeFolder = "/home/tester";
    std::unique_ptr<CVelmoraUSBApp> app;
};

} // namespace velmora::test
