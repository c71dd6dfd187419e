#pragma once
// The finish page of the loggers with a start button: start at once, when the
// button is pressed, or at the local date and time of the two pickers. The pickers
// follow the computer clock while the wizard's pushClockLive flag is set, and the
// page runs its 500 ms timer exactly then; with the button start they show nothing.
#include "finish_rules.h"
#include "wizard_step.h"

namespace velmora {

struct WizardCore;

namespace setup_push_to_start {

// The radio group 1146, 1147, 1148 by its values.
enum class Start { Immediate = 0, Button = 1, Delayed = 2 };

struct Values {
    Start start = Start::Immediate;
    bool pickersEnabled = true;
    bool pickersBlank = false; // shown with a blank display format; their values are not used
    StartPickers pickers;
};

// refresh(): a logger set for a button start shows that choice with blank, disabled
// pickers and stops the clock; any other shows "Immediate start." at now.
Values load(WizardCore& core);
// Going forward onto the page: its pickers follow the clock, unless the logger is
// already set to start on its button (its pickers are then blank).
void arrive(WizardCore& core);
// Whether the page's timer runs.
bool clockLive(const WizardCore& core);
// A tick of the timer: both pickers shown again, at now.
void tick(WizardCore& core, Values& values);

// The three radios as the user chooses them.
void chooseImmediate(WizardCore& core, Values& values);
void chooseButton(WizardCore& core, Values& values);
void chooseDelayed(WizardCore& core, Values& values);
// The user changed a picker: it keeps the user's value, the clock stops and the
// delayed start is chosen.
void pickerEdited(WizardCore& core, Values& values);

// The start the page asks for: the pickers' date and time only for the delayed start,
// now otherwise, and the button only when that is chosen.
StartChoice choice(const Values& values);
// What the user does for a start: chooses its radio, and for a delayed start picks
// its date and time.
void choose(WizardCore& core, Values& values, const StartChoice& start);
// "&Finish": the clock stops; the start is the pickers' date and time only for the
// delayed start, and the button starts the logger only when that is chosen.
WizardStep finish(WizardCore& core, const Values& values);
// "< Back" and "&Cancel" stop the clock; Back then goes to the previous page.
WizardStep back(WizardCore& core);
void cancel(WizardCore& core);

} // namespace setup_push_to_start
} // namespace velmora
