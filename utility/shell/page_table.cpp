#include "page_table.h"

#include <array>

#include "setup_alarms_form.h"
#include "setup_co_alarms_form.h"
#include "setup_co_disclaimer_form.h"
#include "setup_co_name_form.h"
#include "setup_consecutive_alarms_form.h"
#include "setup_lcd_form.h"
#include "setup_lite_alarms_form.h"
#include "setup_lite_name_form.h"
#include "setup_name_form.h"
#include "setup_pro_disclaimer_form.h"
#include "setup_push_to_start_form.h"
#include "setup_rh_alarms_form.h"
#include "setup_start_form.h"
#include "setup_storage_mode_form.h"
#include "setup_summary_form.h"
#include "setup_tc_name_form.h"
#include "setup_voltage_alarms_form.h"
#include "setup_voltage_cal_form.h"
#include "setup_voltage_name_form.h"
#include "status_info_form.h"
#include "stop_info_form.h"
#include "velmora_usb_view.h"

namespace velmora {

namespace {
// Index, class, form, role, constructor. Each page's constructor takes the
// PageContext.
constexpr std::array kPageTable = {
    PageEntry{0, "CVelmoraUSBView", 101, "main menu", makePage<CVelmoraUSBView>},
    PageEntry{1, "CSetupNameForm", 102, "name, unit and interval", makePage<CSetupNameForm>},
    PageEntry{2, "CSetupAlarmsForm", 103, "alarms", makePage<CSetupAlarmsForm>},
    PageEntry{3, "CSetupStartForm", 104, "start options", makePage<CSetupStartForm>},
    PageEntry{4, "CSetupSummaryForm", 105, "configured successfully", makePage<CSetupSummaryForm>},
    PageEntry{5, "CStopInfoForm", 141, "stop and download", makePage<CStopInfoForm>},
    PageEntry{6, "CStatusInfoForm", 142, "current status", makePage<CStatusInfoForm>},
    PageEntry{7, "CSetupRHAlarmsForm", 154, "humidity alarms", makePage<CSetupRHAlarmsForm>},
    PageEntry{8, "CSetupVoltageNameForm", 155, "voltage/current name and interval", makePage<CSetupVoltageNameForm>},
    PageEntry{9, "CSetupVoltageCalForm", 156, "voltage/current scaling", makePage<CSetupVoltageCalForm>},
    PageEntry{10, "CSetupVoltageAlarmsForm", 157, "16-bit alarms", makePage<CSetupVoltageAlarmsForm>},
    PageEntry{11, "CSetupLiteNameForm", 158, "lite name", makePage<CSetupLiteNameForm>},
    PageEntry{12, "CSetupLiteAlarmsForm", 159, "lite alarms", makePage<CSetupLiteAlarmsForm>},
    PageEntry{13, "CSetupCONameForm", 160, "CO name and interval", makePage<CSetupCONameForm>},
    PageEntry{14, "CSetupCODisclaimerForm", 163, "CO safety agreement", makePage<CSetupCODisclaimerForm>},
    PageEntry{15, "CSetupCOAlarmsForm", 161, "CO warning level", makePage<CSetupCOAlarmsForm>},
    PageEntry{16, "CSetupTCNameForm", 165, "thermocouple name and interval", makePage<CSetupTCNameForm>},
    PageEntry{17, "CSetupLCDForm", 167, "display and full-memory behaviour", makePage<CSetupLCDForm>},
    PageEntry{18, "CSetupPushToStartForm", 166, "push-button start", makePage<CSetupPushToStartForm>},
    PageEntry{19, "CSetupStorageModeForm", 168, "full-memory behaviour", makePage<CSetupStorageModeForm>},
    PageEntry{20, "CSetupPRODisclaimerForm", 169, "high-temperature safety agreement",
              makePage<CSetupPRODisclaimerForm>},
    PageEntry{25, "CSetupConsecutiveAlarmsForm", 174, "consecutive-reading alarms",
              makePage<CSetupConsecutiveAlarmsForm>},
};
} // namespace

std::span<const PageEntry> pageTable() { return kPageTable; }

CPageView* createPage(const PageEntry& entry, PageContext& context)
{
    CPageView* page = entry.make(context);
    if (page->objectName().isEmpty())
        page->setObjectName(QString::fromLatin1(entry.className));
    return page;
}

} // namespace velmora
