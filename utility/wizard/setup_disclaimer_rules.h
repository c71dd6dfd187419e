#pragma once
// The safety agreements that open the set-up of the carbon monoxide loggers and of
// the high-temperature logger. The user reads the agreement and goes on only after
// choosing "I Agree"; every visit starts again from "I Do Not Agree".
#include <string>

#include "wizard_step.h"

namespace velmora {

struct WizardCore;

namespace setup_disclaimer {

// The radios 1133 and 1134 by their values.
enum class Choice { DoNotAgree = 0, Agree = 1 };

struct Values {
    Choice choice = Choice::DoNotAgree;
    std::string text; // the agreement, paragraphs separated by CR LF pairs
};

// The agreement of the page (page::kCoAgreement or page::kHtAgreement): its body,
// then the closing line.
std::string agreementText(int page);

Values load(int page);
bool nextEnabled(const Values& values);
// "Next >" goes on only after "I Agree"; the page's own button is not enabled before,
// and velmora-cli gets the same answer.
WizardStep next(WizardCore& core, int page, const Values& values);

} // namespace setup_disclaimer
} // namespace velmora
