#pragma once
// The name check every name page makes on "Next >" before it stores anything.
#include <string>

namespace velmora {

struct WizardCore;

// Removes leading spaces from `name` (trailing ones stay) and returns the message
// that refuses it, or an empty text when it may be stored.
std::string loggerNameProblem(std::string& name);

// The check with its message; a name that passes is stored in the configuration.
// `name` is Windows-1252 text, as the record holds it.
bool takeLoggerName(WizardCore& core, std::string name);

} // namespace velmora
