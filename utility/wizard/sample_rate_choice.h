#pragma once
// The sample-rate box of the name pages and the scale and thermocouple choices some
// of them share: which entries they show, which entry a stored value selects and what
// an entry stores. velmora-cli maps values to entries through the same functions.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "logger_config.h"
#include "type_catalogue.h"

namespace velmora {

// The rate entries of the type's name page, in the order shown.
std::span<const IntervalChoice> rateEntries(LoggerType type);
// The entry a stored interval selects: its own, or the list's fallback when it is not
// listed; -1 when nothing is selected.
int rateIndexFor(LoggerType type, std::uint32_t seconds);
// The seconds an entry stores; 10 when no entry is selected.
std::uint16_t rateSecondsAt(LoggerType type, int index);

// The controls the name pages share, by identifier.
namespace name_page {
inline constexpr int kNameBox = 1012;
inline constexpr int kCelsiusRadio = 1004;
inline constexpr int kFahrenheitRadio = 1026;
inline constexpr int kRateBox = 1028;
} // namespace name_page

// The temperature scale radios: 0 = "°C", 1 = "°F".
inline constexpr int kCelsius = 0;
inline constexpr int kFahrenheit = 1;
// The radio labels, Windows-1252 ("\260" is the degree sign).
inline constexpr std::array<std::string_view, 2> kScaleLabels{"\260C", "\260F"};

// The thermocouple kinds in the order of their list.
inline constexpr std::array<std::string_view, 3> kThermocoupleEntries{"J-Type", "K-Type", "T-Type"};
// The entry inputOptions bits 4 to 6 select: J, T, or K for anything else.
int thermocoupleIndexFor(std::uint8_t inputOptions);
// The kind bits an entry stores; K for no selection.
std::uint8_t thermocoupleBitsAt(int index);

} // namespace velmora
