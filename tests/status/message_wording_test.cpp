// The messages that named programs, files or drivers of another system, as a Linux
// user reads them: the programs' Linux names, a text editor, LibreOffice Calc's text
// import and the udev rule, every other word as it was. One row per message, both
// programs; the texts are written out here by hand.
#include <gtest/gtest.h>

#include <string>

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
        {"utility 129, the viewer cannot start", msg(msgid::kViewerNotFound),
         "Unable to locate and load the Velmora Graph program.\n"
         "Ensure that the velmora-graph is installed in the same directory\n"
         "as velmora-usb"},
        {"utility 134, no logger", msg(msgid::kNoLogger),
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

    // No message of the utility's table names a program file, Notepad or a driver.
    for (int id = 0; id < 1000; ++id) {
        const std::string text(utilityString(id));
        for (const char* gone : {".exe", "otepad", "driver"})
            EXPECT_EQ(text.find(gone), std::string::npos) << id << " still says " << gone;
    }
}

} // namespace
} // namespace velmora
