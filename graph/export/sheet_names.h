#pragma once
// Names for the sheets of a workbook that holds several download files, one sheet
// each, named after the file. A spreadsheet program refuses a workbook whose sheet
// names break its rules: at most 31 characters, none of []:*?/\ , no apostrophe at
// either end, none equal to another in any case, and not "History", which it keeps
// for itself. A name that would break one is mended, not refused: the user chose
// the file names, not the sheet names.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr std::size_t kMaxSheetNameLength = 31; // characters, as the program counts them (UTF-16)

// `wanted` (UTF-8, or bytes that are not) made a valid sheet name: every forbidden or
// control character and every byte that is not UTF-8 becomes "_", an apostrophe at
// either end too, the rest cut to 31 characters on a character's boundary; an empty
// name becomes `fallback`.
std::string validSheetName(std::string_view wanted, std::string_view fallback);

// Hands out names no other sheet of the workbook has, ignoring case: a name already
// given gets " (2)", " (3)", ..., its own text shortened so that the whole stays
// within 31 characters.
class SheetNames {
public:
    // `taken`: the names of sheets made otherwise (the chart sheet).
    explicit SheetNames(std::vector<std::string> taken);

    // A valid name for a sheet that would be called `wanted`.
    std::string unique(std::string_view wanted, std::string_view fallback);

private:
    bool isTaken(const std::string& name) const;
    std::vector<std::string> folded_; // every name given or taken, ASCII letters in lower case
};

} // namespace velmora
