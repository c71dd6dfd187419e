#pragma once
// The rules of the wizard's numeric edit box without the box: which typed
// characters it takes, how its text reads as a number and how a number is shown.
#include <string>
#include <string_view>

namespace velmora {

struct NumericFormat {
    int decimals = 0;             // digits allowed after the point; 0 = whole numbers
    bool negativeAllowed = false; // a leading minus sign may be typed
};

inline constexpr char kBackspace = '\b';

// Whether typing `ch` with the caret at `caret` (0 = before the first character) is
// taken; a refused character beeps and is dropped. Control characters pass unless
// the decimal part is full, where only backspace still does.
bool numericKeyAccepted(std::string_view text, int caret, char ch, NumericFormat format);

// The number the text starts with; 0 when it does not start with one.
double numericTextValue(std::string_view text);
// Whether the text starts with a number at all: not empty, not only a sign or a point.
bool startsWithNumber(std::string_view text);

// The value as a fixed-point number with exactly `decimals` digits after the point.
std::string numericText(double value, int decimals);

} // namespace velmora
