// The messages that named programs, files or drivers of another system, as a Linux
// user reads them: the programs' Linux names, a text editor, LibreOffice Calc's text
// import and the udev rule, every other word as it was. One row per message, both
// programs; the texts are written out here by hand.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "graph_strings.h"
#include "utility_strings.h"
#include "viewer_launch.h"

namespace velmora {
namespace {

const std::string kImportSteps =
    "Clicking 'Yes' will open the data in a text editor.\n\n"
    "Note: To import QX-USB-5 data into LibreOffice Calc, use the following method:\n\n"
    "1. In LibreOffice Calc, select 'File > Open...'.\n"
    "2. Locate data file (*.txt) ensuring 'Text CSV (*.csv *.txt)' is selected as the file type; click 'Open'.\n"
    "3. In 'Text Import', ensure 'Comma' is checked under 'Separator Options'; click 'OK'.\n\n"
    "For further information consult the QX-USB-5 help file section 'Importing the Measurements into Other "
    "Applications'.\n\n"
    "Do you wish to open the file in a text editor?";

TEST(MessageWording, LinuxNamesInPlaceOfTheOldOnes)
{
    const struct {
        const char* what;
        std::string text;
        std::string want;
    } rows[] = {
        {"utility 129, the viewer cannot start", std::string(utilitytext::kViewerNotFound),
         "Unable to locate and load the Velmora Graph program.\n"
         "Ensure that the velmora-graph is installed in the same directory\n"
         "as velmora-usb"},
        {"utility 134, no logger", std::string(utilitytext::kNoLogger),
         "No Velmora USB Data Logger found, is the Data Logger:\n"
         "a) Plugged in?\n"
         "b) Battery OK?\n"
         "c) Allowed by the udev rule 70-velmora-loggers.rules?\n"
         "(See Help: Connecting a logger to a Linux computer)"},
        {"utility, an event file after its download", kEventFileQuestion,
         "Velmora USB Graph cannot display event files. " + kImportSteps},
        {"utility, no text editor", kTextEditorFailed,
         "Unable to locate and load a text editor to view event data.\n"
         "To view data, open the downloaded file with a text editor."},
        {"viewer, an event file opened", std::string(graphtext::kEventFileQuestion),
         "The file you are trying to open is an event log which cannot be displayed in Velmora USB Graph. " +
             kImportSteps},
        {"viewer, no text editor", std::string(graphtext::kTextEditorFailed),
         "Unable to locate and load a text editor to view event data.\n"
         "To view data, open the downloaded file with a text editor."},
        {"viewer 129, invalid data", std::string(graphtext::kInvalidData), "The File contains invalid data."},
        {"viewer 129 with the line the reader gave up on", std::string(graphtext::kInvalidDataOnLine),
         "The File contains invalid data (line %1)."},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.text, row.want) << row.what;
}

// The string literals of a source file, as written (escapes left as they are), with
// the line each starts on. Comments are skipped.
std::vector<std::pair<int, std::string>> literalsOf(const std::string& path)
{
    std::ifstream in(path);
    const std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::pair<int, std::string>> found;
    int line = 1;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] == '\n') {
            ++line;
        } else if (source.compare(i, 2, "//") == 0) {
            i = source.find('\n', i) - 1;
        } else if (source[i] == '"') {
            std::string text;
            for (++i; i < source.size() && source[i] != '"'; ++i) {
                if (source[i] == '\\')
                    text += source[i++];
                text += source[i];
            }
            found.emplace_back(line, text);
        }
    }
    return found;
}

// No text of either program names a program file, Notepad or a driver. Every text,
// including those added later, is a literal in one of the two tables.
TEST(MessageWording, NoTextNamesAnotherSystemsPrograms)
{
    for (const char* table : {"utility_strings.h", "graph_strings.h"}) {
        const auto texts = literalsOf(std::string(VELMORA_STRINGS_DIR) + "/" + table);
        EXPECT_GT(texts.size(), 50u) << table << " was not read";
        for (const auto& [line, text] : texts)
            for (const char* gone : {".exe", "otepad", "driver"})
                EXPECT_EQ(text.find(gone), std::string::npos) << table << ":" << line << " still says " << gone;
    }
}

} // namespace
} // namespace velmora
