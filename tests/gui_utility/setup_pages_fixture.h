#pragma once
// The utility with a logger of a chosen type whose set-up has been entered from the
// main menu, and the looks at controls the set-up page tests share.
#include <QAbstractButton>
#include <QDateTimeEdit>
#include <QTest>
#include <functional>

#include "main_frame.h"
#include "utility_fixture.h"

namespace velmora::test {

class SetupPagesTest : public UtilityTest {
protected:
    // A logger of `type` with nothing to warn about, set up from the main menu.
    void setUp(LoggerType type, const std::function<void(LoggerConfig&)>& change = {})
    {
        LoggerImage image = presetImage(type);
        LoggerConfig& c = image.record;
        for (std::uint16_t bit :
             {flag::kUndownloaded, flag::kBatteryLow, flag::kBatteryCritical, flag::kSensorFault, flag::kLogging})
            c.setFlag(bit, false);
        c.setSensorLife({});
        c.setCalibrationDue({});
        if (change)
            change(c);
        device = &plugIn(std::move(image));
        startApp();
        app->mainFrame().show();
        app->mainFrame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&app->mainFrame()));
        click(0, 1101);
    }

    bool checked(int pageIndex, int id) const
    {
        auto* button = control<QAbstractButton>(pageIndex, id);
        return button && button->isChecked();
    }
    bool enabled(int pageIndex, int id) const
    {
        QWidget* widget = control(pageIndex, id);
        return widget && widget->isEnabled();
    }
    QDateTimeEdit* picker(int pageIndex, int id) const { return control<QDateTimeEdit>(pageIndex, id); }

    VirtualLogger* device = nullptr;
};

} // namespace velmora::test
