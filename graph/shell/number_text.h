#pragma once
// Numbers in download-file fields, read the way C's atof and atoi read them in the
// "C" locale: leading white space and a sign are accepted, the longest number at the
// start counts, anything after it is ignored, and text with no number gives 0. The
// common plain decimal form is read in place without copying.
#include <string_view>

namespace velmora {

double textToDouble(std::string_view text);

// atoi: leading white space, an optional sign, then decimal digits; none gives 0.
// Values beyond the int range are clamped to it.
int textToInt(std::string_view text);

// Digits after the first '.' of a value field: the count of characters after it, or
// 0 when there is no '.'.
int decimalsOf(std::string_view text);

} // namespace velmora
