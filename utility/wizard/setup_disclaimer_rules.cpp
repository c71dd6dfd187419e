#include "setup_disclaimer_rules.h"

#include <span>
#include <string_view>

#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_disclaimer {

namespace {

constexpr std::string_view kParagraphEnd = "\r\n\r\n";
constexpr std::string_view kClosingLine =
    "I confirm I have read and fully understood the manual and the above conditions.\r\n";

constexpr std::string_view kCoBody[] = {
    "PLEASE READ THROUGH THE MANUAL, WHICH SHOULD BE KEPT FOR FUTURE REFERENCE.",
    "PASS THE MANUAL ON TO THOSE WHO USE THIS DEVICE. ",
    "DO NOT ATTEMPT TO USE THE KV-USB-5 WITHOUT READING AND UNDERSTANDING THE DOCUMENTATION. CARBON MONOXIDE "
    "MONITORING IS A COMPLEX PROCEDURE. IF THERE IS ANY DOUBT AS TO THE SAFETY OR APPLICATION - STOP! CONSULT A "
    "QUALIFIED EXPERT.",
    "The KV-USB-5 is a professional measuring instrument, designed to record Carbon Monoxide (CO) gas levels for "
    "later analysis. It is not an alarm, safety or warning device, for the following reasons:",
    "1. Its lights and sounder do not give adequate warning to people nearby.",
    "2. Its battery runs down quickly while it is indicating.",
    "3. It registers CO only when it takes a sample, at the sample interval set by the user.",
    "4. The light and sound alarms are set by the user, who can set the logger to give no warning at all.",
    "Carbon monoxide is a poisonous gas without colour, smell or taste. It is lethal even in low concentrations.",
    "Wherever people or animals are at risk, a CO detector or alarm built to a national standard, with a loud alarm "
    "and a clear visual warning, must be installed, used and maintained.",
    "IMPORTANT INFORMATION",
    "- Always operate KV-USB-5 and replace its batteries according to the instructions.",
    "- The logger flashes a red LED when a pre-set CO level is exceeded. The factory default enables this indicator "
    "for CO levels of 50ppm or greater, with the sounder also enabled. Changing these settings in the software is "
    "entirely at the user's risk. The logger samples at the interval chosen from a drop-down list and triggers its "
    "LED and sounder only at the moment it takes a sample.",
    "The lights, sounds and battery of this device are not enough to warn people in the same vicinity or building. "
    "A domestic or industrial CO detector or alarm should be properly installed wherever people or animals are "
    "present.",
    "KV-USB-5 is not authorized for use as a critical component in life support devices or systems without the "
    "express written approval of the Managing Director of Oskenby Electronics Ltd.",
    "The logger is intended for non-life-saving analysis projects only. It detects no parameter other than CO, and "
    "it is not a fire or combustible gas detector, although such gases may affect its CO reading.",
};

constexpr std::string_view kHighTemperatureBody[] = {
    "PLEASE READ THROUGH THE MANUAL, WHICH SHOULD BE KEPT FOR FUTURE REFERENCE.",
    "PASS THE MANUAL ON TO THOSE WHO USE THIS DEVICE.",
    "DO NOT ATTEMPT TO USE THE KV-USB-1-HT WITHOUT READING AND UNDERSTANDING THE DOCUMENTATION. THIS PRODUCT IS "
    "CAPABLE OF MEASURING HIGH TEMPERATURES, THE CORRECT PROCEDURES ARE REQUIRED TO AVOID INJURY. ANY DOUBT AS TO "
    "THE SAFETY OR APPLICATION - STOP! CONSULT A QUALIFIED EXPERT.",
    "The KV-USB-1-HT is a professional measuring instrument, designed to record TEMPERATURE. Care must be taken "
    "when:",
    "1. Removing the logger from extreme environment - the metal logger stays hot or cold after it has been "
    "removed, so heat-resistant gloves or tools must be used to handle it. The temperature limits are given in the "
    "data sheet.",
    "2. Replacing batteries - Always operate KV-USB-1-HT and replace its batteries according to the instructions.",
    "Many batteries fail at extreme temperatures. Only the battery specified by Oskenby may be used; the wrong "
    "battery can cause serious injury. Any alternative needs the written approval of the Managing Director of "
    "Oskenby Electronics Ltd.",
    "KV-USB-1-HT is not authorized for use as a critical component in life support devices or systems without the "
    "express written approval of the Managing Director of Oskenby Electronics Ltd.",
};

} // namespace

std::string agreementText(int page)
{
    std::string text;
    const std::span<const std::string_view> body =
        page == page::kCoAgreement ? std::span<const std::string_view>(kCoBody) : kHighTemperatureBody;
    for (std::string_view paragraph : body) {
        text.append(paragraph);
        text.append(kParagraphEnd);
    }
    text.append(kClosingLine);
    return text;
}

Values load(int page) { return Values{Choice::DoNotAgree, agreementText(page)}; }

bool nextEnabled(const Values& values) { return values.choice == Choice::Agree; }

WizardStep next(WizardCore& core, int page, const Values& values)
{
    if (!nextEnabled(values))
        return WizardStep::stay();
    return forwardFrom(core, page);
}

} // namespace velmora::setup_disclaimer
