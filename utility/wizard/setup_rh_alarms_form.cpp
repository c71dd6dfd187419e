#include "setup_rh_alarms_form.h"

#include "connected_logger.h"
#include "setup_forms.h"
#include "setup_rh_alarms_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kRhAlarms, makeSetupForm<CSetupRHAlarmsForm>);
} // namespace

namespace id = setup_rh_alarms::id;

CSetupRHAlarmsForm::CSetupRHAlarmsForm(PageContext& context, const PageDescriptor& descriptor)
    : CListAlarmsPage(context, descriptor, PanelMotif::Humidity, QStringLiteral("Humidity Alarms"),
                      QStringLiteral("Tick an alarm to switch it on and choose its level. Tick Hold to keep the "
                                     "alarm showing after the humidity has returned within the level."),
                      {id::kHighAlarm, id::kHighLevel, id::kHighHold, "High rh Alarm"},
                      {id::kLowAlarm, id::kLowLevel, id::kLowHold, "Low rh Alarm"})
{
}

void CSetupRHAlarmsForm::refresh()
{
    refreshBackButton();
    showValues(setup_rh_alarms::levelList(), setup_rh_alarms::load(core().logger));
}

void CSetupRHAlarmsForm::writeSwitch(bool high, bool on)
{
    LoggerConfig& c = core().logger.config;
    high ? c.setRhHighEnabled(on) : c.setRhLowEnabled(on);
}

void CSetupRHAlarmsForm::OnNext() { follow(setup_rh_alarms::next(core(), values())); }

void CSetupRHAlarmsForm::OnBack() { follow(setup_rh_alarms::back(core(), values())); }

} // namespace velmora
