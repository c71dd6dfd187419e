#pragma once
// Where a button of a set-up page leads: to another page, or nowhere, with the
// keyboard focus on the control whose value was refused.
namespace velmora {

struct WizardStep {
    int page = -1;        // the page to show; -1 to stay
    int focusControl = 0; // when staying: the control at fault, 0 to leave the focus

    static WizardStep to(int page) { return WizardStep{page, 0}; }
    static WizardStep stay(int control = 0) { return WizardStep{-1, control}; }
    bool moves() const { return page >= 0; }
    bool operator==(const WizardStep&) const = default;
};

} // namespace velmora
