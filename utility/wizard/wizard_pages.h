#pragma once
// The numbers of the set-up pages in the main window's page table, and the
// identifiers of the buttons every set-up page carries.
namespace velmora {

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

} // namespace velmora
