// The utility's string table: every message and fixed text, verbatim, by its id.
// Texts are UTF-8 (they are pure ASCII today). Where a text named a program or a
// driver of another system, it names the Linux one (the programs' own names, the udev
// rule that gives the user the logger).
#include "utility_strings.h"

#include <map>

namespace velmora {

namespace {
const std::map<int, std::string_view>& table()
{
    static const std::map<int, std::string_view> texts = {
        {129,
         "Unable to locate and load the Velmora Graph program.\nEnsure that the velmora-graph is installed in the same directory\nas velmora-usb"},
        {130,
         "The USB Data Logger is currently logging.\nEntering set-up will stop the log & data may be lost.\nDo you wish to continue?"},
        {131,
         "The USB Data Logger is currently in delayed start.\nEntering set-up will stop the log & data may be lost.\nDo you wish to continue?"},
        {132, "Configuration Error.\nThe High Alarm must be set greater than the Low Alarm. "},
        {133,
         "The USB Data Logger contains data that has not been downloaded.\nEntering set-up may cause data to be lost."},
        {134,
         "No Velmora USB Data Logger found, is the Data Logger:\na) Plugged in?\nb) Battery OK?\nc) Allowed by the udev rule 70-velmora-loggers.rules?\n(See Help: Connecting a logger to a Linux computer)"},
        {135,
         "An error occurred whilst communicating with the logger.\nRe-insert the logger and try again.\nIf the problem persists, contact your supplier for further help.\n(See About box for contact details)"},
        {136, "The Logger does not have a name to identify it.\nPlease enter a Logger Name."},
        {137, "The Logger Name is too long.\nMaximum length is 15 characters."},
        {138, "Are you sure you wish to STOP the USB Data Logger?\nData will be saved to your PC."},
        {139,
         "The USB device currently connected is not compatible with this version of the software.\nContact your supplier for further assistance.\n(See About box for contact details)"},
        {140,
         "Warning:- The battery is critically low.\nLogging may have stopped early.\nThe battery must be replaced before starting another log."},
        {141,
         "Warning:- The battery is low.\nIt is recommended that the battery is replaced before starting another log."},
        {142,
         "The Logger Name contains a character that is not supported.\nUnsupported characters are \" % & * , . / : < > ? \\ | ( )"},
        {143, "Time set must be in the future.\nPlease enter a valid time."},
        {144,
         "The Data Logger that you were configuring has\nbeen removed from the port and replaced with another.\nPlease replace the original Data Logger."},
        {145, "Warning:- The data from the logger may not have been saved to your PC."},
        {146, "The USB Data Logger is currently in delayed start.\nAre you sure you wish to STOP this?"},
        {147,
         "During the last logging session a sensor error occurred.\nContact your supplier for further help.\n(See About box for contact details)"},
        {148, "Current Status of the USB Data Logger:-"},
        {149, "KV-USB-1"},
        {150, "KV-USB-2"},
        {151, "KV-USB-3"},
        {152, "KV-USB-4"},
        {153, "KV-USB-LITE"},
        {154, "KV-USB-5"},
        {155, "KV-USB-6"},
        {157, "Please enter a valid number."},
        {158, "The input values entered must be different."},
        {159, "The graph output values must be different."},
        {160, "Please check that the entered calibration values are valid."},
        {161, "Entered value must be within the logger's input range."},
        {162, "The USB Voltage Data Logger is set to:-"},
        {163, "High alarm value out of range. Adjusting Automatically."},
        {164, "Low alarm value out of range. Adjusting Automatically."},
        {165, "Error:- Warning Level out of range.\n(Range: 3-1000ppm)"},
        {166,
         "Attention:- The Warning Level has been set higher than the recommended 50ppm safety level.\nAre you sure you wish to continue?"},
        {167, "Attention:- The Sounder has been disabled.\nAre you sure you wish to continue?"},
        {168,
         "Attention:- The Warning Level has been set higher than the recommended 50ppm safety level\nand the Sounder has been disabled. Are you sure you wish to continue?"},
        {169,
         "The logger has been exposed to damaging concentrations of CO.\nContact your supplier for further help.\n(See About box for contact details)"},
        {170,
         "The USB device currently connected has invalid Sensor life data.\nContact your supplier for further assistance.\n(See About box for contact details)"},
        {171,
         "The Sensor of the currently connected USB device has exceeded its life.\nIt is recommended that the unit is replaced.\nContact your supplier for further assistance.\n(See About box for contact details)"},
        {172,
         "The USB device currently connected has invalid calibration period data.\nIt is recommended that the device is calibrated.\nContact your supplier for further assistance.\n(See About box for contact details)"},
        {173,
         "The Sensor of the currently connected USB device has exceeded its calibration period.\nIt is recommended that the device is calibrated.\nContact your supplier for further assistance.\n(See About box for contact details)"},
        {174, "KV-USB-5-LR"},
        {175, "KV-USB-2-LCD"},
        {176,
         "The USB Data Logger is currently in push button\nto start mode. Entering set-up will stop the logger.\nDo you wish to continue?"},
        {177, "KV-USB-2-HA"},
        {178, "KV-USB-1-HT"},
        {179, "of 16,382 samples."},
        {180, "retain the last 16,382 samples."},
        {181, "KV-USB-6-LCD"},
        {182, "KV-USB-2-HA-LCD"},
        {183, "QX-USB-5"},
        {184, "QX-USB-1-RCG"},
        {187, "KV-USB-1-LCD"},
        {188,
         "An error occurred whilst configuring the logger.\nRe-insert the logger and try again.\nIf the problem persists, contact your supplier for further help.\n(See About box for contact details)"},
        {189, "QX-OEM-3"},
        {190, "Entered value is out of range. Adjusting Automatically."},
    };
    return texts;
}
} // namespace

std::string_view utilityString(int id)
{
    const auto& t = table();
    const auto it = t.find(id);
    return it == t.end() ? std::string_view{} : it->second;
}

} // namespace velmora
