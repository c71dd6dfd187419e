#pragma once
// The set-up pages, one descriptor row per page: its number in the main window's page
// table, its help topic, when a row shows it, what going forward onto it does, and its
// rules with the settings keys it owns. The page sequence, the main window's page
// table and velmora-cli's settings and setup all read these rows; adding a page is a
// row here, a rules unit and a form. Also the buttons every set-up page carries.
#include <span>

#include "logger_config.h"

namespace velmora {

class PageRules;
struct WizardCore;

namespace page {
inline constexpr int kName = 1;
inline constexpr int kAlarms = 2;
inline constexpr int kStart = 3;
inline constexpr int kSummary = 4;
inline constexpr int kRhAlarms = 7;
inline constexpr int kVoltageName = 8;
inline constexpr int kVoltageCal = 9;
inline constexpr int kVoltageAlarms = 10;
inline constexpr int kLiteName = 11;
inline constexpr int kLiteAlarms = 12;
inline constexpr int kCoName = 13;
inline constexpr int kCoAgreement = 14;
inline constexpr int kCoAlarms = 15;
inline constexpr int kTcName = 16;
inline constexpr int kLcd = 17;
inline constexpr int kPushToStart = 18;
inline constexpr int kStorageMode = 19;
inline constexpr int kHtAgreement = 20;
inline constexpr int kConsecutiveAlarms = 25;
} // namespace page

namespace ctl {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kBack = 1000;
// The Back button of the first pages of some rows: shown, never enabled.
inline constexpr int kBackInert = 1031;
inline constexpr int kNext = 1002;
} // namespace ctl

struct PageDescriptor {
    int id;        // the page's number
    int helpTopic; // the number of its form, which is also its help topic
    // A page its rows show only for some configurations; nullptr: always.
    bool (*shownFor)(const LoggerConfig& config) = nullptr;
    // What going forward onto the page does besides (the finish pages' clocks).
    void (*onArrival)(WizardCore& core) = nullptr;
    // Its rules as velmora-cli drives them; nullptr for the summary page, which
    // follows a finish and takes nothing.
    const PageRules* rules = nullptr;
};

// Every set-up page, by number.
std::span<const PageDescriptor> pageDescriptors();
// The row of page `id`; nullptr when no set-up page has that number.
const PageDescriptor* pageDescriptor(int id);

// The pages of the type's row in order, ending with the summary page; empty for a
// type that is never set up. Pages a row shows only under a condition are in it.
std::span<const int> pageRow(LoggerType type);

} // namespace velmora
