#include "setup_lcd_rules.h"

#include "connected_logger.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_lcd {

LcdMode displayMode(int choice)
{
    switch (choice) {
    case 1: return LcdMode::OnAfterButton;
    case 2: return LcdMode::AlwaysOn;
    default: return LcdMode::Off;
    }
}

Values load(const LoggerRecord& logger)
{
    const LoggerConfig& config = logger.config;
    Values values;
    switch (config.lcdMode()) {
    case LcdMode::Off: values.display = 0; break;
    case LcdMode::OnAfterButton: values.display = 1; break;
    case LcdMode::AlwaysOn: values.display = 2; break;
    }
    values.storage = config.isOverwriteMode() ? 1 : 0;
    return values;
}

WizardStep next(WizardCore& core, const Values& values)
{
    LoggerConfig& config = core.logger.config;
    config.setLcdMode(displayMode(values.display));
    config.setOverwriteMode(values.storage == 1);
    return forwardFrom(core, page::kLcd);
}

WizardStep back(WizardCore& core) { return backFrom(core, page::kLcd); }

} // namespace velmora::setup_lcd
