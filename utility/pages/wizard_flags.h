#pragma once
// Wizard-wide state besides the configuration: whether the date and time pickers of
// the two finish pages follow the computer clock. Both start false.
namespace velmora {

struct WizardFlags {
    bool startClockLive = false;
    bool pushClockLive = false;
};

} // namespace velmora
