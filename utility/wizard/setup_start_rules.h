#pragma once
// The start page of the loggers without a start button: "&Finish" starts the logger
// at once, or at the local date and time of the two pickers. While the wizard's
// startClockLive flag is set the pickers follow the computer clock: the page runs
// its 500 ms timer exactly then, so a user who changes nothing starts at once.
#include "finish_rules.h"
#include "wizard_step.h"

namespace velmora {

struct WizardCore;

namespace setup_start {

struct Values {
    StartPickers pickers;
};

// refresh(), and each tick of the page's timer: both pickers at the current local
// date and time.
Values load(WizardCore& core);
// Going forward onto the page: its pickers follow the clock.
void arrive(WizardCore& core);
// Whether the page's timer runs.
bool clockLive(const WizardCore& core);

// The user changed a picker: it keeps the user's value and stops following the clock.
void pickerEdited(WizardCore& core);

// The start the page asks for: the pickers' local date and time.
StartChoice choice(const Values& values);
// What the user does for a start: picks its date and time; a start now is the clock
// the pickers show. (A button start is not on this page.)
void choose(WizardCore& core, Values& values, const StartChoice& start);
// "&Finish": the clock stops, then the logger starts at the pickers' date and time.
WizardStep finish(WizardCore& core, const Values& values);
// "< Back" and "&Cancel" stop the clock; Back then goes to the previous page.
WizardStep back(WizardCore& core);
void cancel(WizardCore& core);

} // namespace setup_start
} // namespace velmora
