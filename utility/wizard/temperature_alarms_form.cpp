#include "temperature_alarms_form.h"

#include "connected_logger.h"
#include "setup_forms.h"

namespace velmora {

namespace {
const SetupFormRegistration registeredAlarms(page::kAlarms, makeSetupForm<CSetupAlarmsForm>);
const SetupFormRegistration registeredLiteAlarms(page::kLiteAlarms, makeSetupForm<CSetupLiteAlarmsForm>);
} // namespace

namespace id = temperature_alarms::id;

CTemperatureAlarmsPage::CTemperatureAlarmsPage(PageContext& context, const PageDescriptor& descriptor,
                                               const temperature_alarms::ListPage& lists)
    : CListAlarmsPage(context, descriptor, PanelMotif::Thermometer, QStringLiteral("Temperature Alarms"),
                      QStringLiteral("Tick an alarm to switch it on and choose its level. Tick Hold to keep the "
                                     "alarm showing after the temperature has returned within the level."),
                      {id::kHighAlarm, id::kHighLevel, id::kHighHold, "High Alarm"},
                      {id::kLowAlarm, id::kLowLevel, id::kLowHold, "Low Alarm"}),
      lists_(lists)
{
}

void CTemperatureAlarmsPage::refresh()
{
    refreshBackButton();
    const LoggerRecord& record = core().logger;
    showValues(lists_.levelList(record), lists_.load(record));
}

void CTemperatureAlarmsPage::OnNext() { follow(lists_.next(core(), values())); }

void CTemperatureAlarmsPage::OnBack() { follow(lists_.back(core(), values())); }

CSetupAlarmsForm::CSetupAlarmsForm(PageContext& context, const PageDescriptor& descriptor)
    : CTemperatureAlarmsPage(context, descriptor, temperature_alarms::kTemperaturePage)
{
}

CSetupLiteAlarmsForm::CSetupLiteAlarmsForm(PageContext& context, const PageDescriptor& descriptor)
    : CTemperatureAlarmsPage(context, descriptor, temperature_alarms::kLitePage)
{
}

} // namespace velmora
