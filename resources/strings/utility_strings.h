#pragma once
// The utility's texts, verbatim. Each keeps in a comment the number the message has
// always had, so the help pages and people can still refer to it by number. Texts are
// UTF-8 (pure ASCII today). Where a text named a program of another system, or what it
// loaded to reach the logger, it names the Linux one (the programs' own names, the udev
// rule that gives the user the logger). No numbered text has a %1: the set-up page
// puts the logger's own memory size in place of the 16,382 its two texts were written
// with. Texts of our own fill theirs with fillPlaceholders or QString::arg.
#include <string_view>

namespace velmora::utilitytext {

// Messages of the main menu, the link, the connected logger and the status.
inline constexpr std::string_view kViewerNotFound = // 129
    "Unable to locate and load the Velmora Graph program.\n"
    "Ensure that the velmora-graph is installed in the same directory\n"
    "as velmora-usb";
inline constexpr std::string_view kStopQuestionLogging = // 130
    "The USB Data Logger is currently logging.\n"
    "Entering set-up will stop the log & data may be lost.\n"
    "Do you wish to continue?";
inline constexpr std::string_view kStopQuestionDelayed = // 131
    "The USB Data Logger is currently in delayed start.\n"
    "Entering set-up will stop the log & data may be lost.\n"
    "Do you wish to continue?";
inline constexpr std::string_view kUndownloadedData = // 133
    "The USB Data Logger contains data that has not been downloaded.\n"
    "Entering set-up may cause data to be lost.";
inline constexpr std::string_view kNoLogger = // 134
    "No Velmora USB Data Logger found, is the Data Logger:\n"
    "a) Plugged in?\n"
    "b) Battery OK?\n"
    "c) Allowed by the udev rule 70-velmora-loggers.rules?\n"
    "(See Help: Connecting a logger to a Linux computer)";
inline constexpr std::string_view kCommsError = // 135
    "An error occurred whilst communicating with the logger.\n"
    "Re-insert the logger and try again.\n"
    "If the problem persists, contact your supplier for further help.\n"
    "(See About box for contact details)";
inline constexpr std::string_view kStopConfirm = // 138
    "Are you sure you wish to STOP the USB Data Logger?\n"
    "Data will be saved to your PC.";
inline constexpr std::string_view kIncompatible = // 139
    "The USB device currently connected is not compatible with this version of the software.\n"
    "Contact your supplier for further assistance.\n"
    "(See About box for contact details)";
inline constexpr std::string_view kBatteryCritical = // 140
    "Warning:- The battery is critically low.\n"
    "Logging may have stopped early.\n"
    "The battery must be replaced before starting another log.";
inline constexpr std::string_view kBatteryLow = // 141
    "Warning:- The battery is low.\n"
    "It is recommended that the battery is replaced before starting another log.";
inline constexpr std::string_view kLoggerReplaced = // 144
    "The Data Logger that you were configuring has\n"
    "been removed from the port and replaced with another.\n"
    "Please replace the original Data Logger.";
inline constexpr std::string_view kDataMayNotBeSaved = // 145
    "Warning:- The data from the logger may not have been saved to your PC.";
inline constexpr std::string_view kStopDelayedConfirm = // 146
    "The USB Data Logger is currently in delayed start.\n"
    "Are you sure you wish to STOP this?";
inline constexpr std::string_view kHumiditySensorFault = // 147
    "During the last logging session a sensor error occurred.\n"
    "Contact your supplier for further help.\n"
    "(See About box for contact details)";
inline constexpr std::string_view kStatusHeading = "Current Status of the USB Data Logger:-"; // 148
inline constexpr std::string_view kCoOverExposure =                                           // 169
    "The logger has been exposed to damaging concentrations of CO.\n"
    "Contact your supplier for further help.\n"
    "(See About box for contact details)";
inline constexpr std::string_view kSensorLifeInvalid = // 170
    "The USB device currently connected has invalid Sensor life data.\n"
    "Contact your supplier for further assistance.\n"
    "(See About box for contact details)";
inline constexpr std::string_view kSensorLifeExceeded = // 171
    "The Sensor of the currently connected USB device has exceeded its life.\n"
    "It is recommended that the unit is replaced.\n"
    "Contact your supplier for further assistance.\n"
    "(See About box for contact details)";
inline constexpr std::string_view kCalibrationInvalid = // 172
    "The USB device currently connected has invalid calibration period data.\n"
    "It is recommended that the device is calibrated.\n"
    "Contact your supplier for further assistance.\n"
    "(See About box for contact details)";
inline constexpr std::string_view kCalibrationExceeded = // 173
    "The Sensor of the currently connected USB device has exceeded its calibration period.\n"
    "It is recommended that the device is calibrated.\n"
    "Contact your supplier for further assistance.\n"
    "(See About box for contact details)";
inline constexpr std::string_view kPushButtonQuestion = // 176
    "The USB Data Logger is currently in push button\n"
    "to start mode. Entering set-up will stop the logger.\n"
    "Do you wish to continue?";
inline constexpr std::string_view kConfigureError = // 188
    "An error occurred whilst configuring the logger.\n"
    "Re-insert the logger and try again.\n"
    "If the problem persists, contact your supplier for further help.\n"
    "(See About box for contact details)";

// The set-up pages.
inline constexpr std::string_view kHighNotAboveLow = // 132
    "Configuration Error.\n"
    "The High Alarm must be set greater than the Low Alarm. ";
inline constexpr std::string_view kNameMissing = // 136
    "The Logger does not have a name to identify it.\n"
    "Please enter a Logger Name.";
inline constexpr std::string_view kNameTooLong = // 137
    "The Logger Name is too long.\n"
    "Maximum length is 15 characters.";
inline constexpr std::string_view kNameUnsupported = // 142
    "The Logger Name contains a character that is not supported.\n"
    "Unsupported characters are \" % & * , . / : < > ? \\ | ( )";
inline constexpr std::string_view kStartInPast = "Time set must be in the future.\nPlease enter a valid time."; // 143
inline constexpr std::string_view kEnterValidNumber = "Please enter a valid number.";                           // 157
inline constexpr std::string_view kInputsEqual = "The input values entered must be different.";                 // 158
inline constexpr std::string_view kOutputsEqual = "The graph output values must be different.";                 // 159
inline constexpr std::string_view kCalibrationValuesInvalid =                                                   // 160
    "Please check that the entered calibration values are valid.";
inline constexpr std::string_view kOutsideInputRange = "Entered value must be within the logger's input range.";  // 161
inline constexpr std::string_view kScaleSetTo = "The USB Voltage Data Logger is set to:-";                        // 162
inline constexpr std::string_view kHighAlarmAdjusted = "High alarm value out of range. Adjusting Automatically."; // 163
inline constexpr std::string_view kLowAlarmAdjusted = "Low alarm value out of range. Adjusting Automatically.";   // 164
inline constexpr std::string_view kCoLevelRange = "Error:- Warning Level out of range.\n(Range: 3-1000ppm)";      // 165
inline constexpr std::string_view kCoAboveSafety =                                                                // 166
    "Attention:- The Warning Level has been set higher than the recommended 50ppm safety level.\n"
    "Are you sure you wish to continue?";
inline constexpr std::string_view kCoSounderOff = // 167
    "Attention:- The Sounder has been disabled.\n"
    "Are you sure you wish to continue?";
inline constexpr std::string_view kCoAboveSafetySounderOff = // 168
    "Attention:- The Warning Level has been set higher than the recommended 50ppm safety level\n"
    "and the Sounder has been disabled. Are you sure you wish to continue?";
inline constexpr std::string_view kStopWhenFullCapacity = "of 16,382 samples.";                               // 179
inline constexpr std::string_view kOverwriteCapacity = "retain the last 16,382 samples.";                     // 180
inline constexpr std::string_view kCountAdjusted = "Entered value is out of range. Adjusting Automatically."; // 190

// The model names the catalogue gives each logger type.
inline constexpr std::string_view kModelKvUsb1 = "KV-USB-1";             // 149
inline constexpr std::string_view kModelKvUsb2 = "KV-USB-2";             // 150
inline constexpr std::string_view kModelKvUsb3 = "KV-USB-3";             // 151
inline constexpr std::string_view kModelKvUsb4 = "KV-USB-4";             // 152
inline constexpr std::string_view kModelKvUsbLite = "KV-USB-LITE";       // 153
inline constexpr std::string_view kModelKvUsb5 = "KV-USB-5";             // 154
inline constexpr std::string_view kModelKvUsb6 = "KV-USB-6";             // 155
inline constexpr std::string_view kModelKvUsb5Lr = "KV-USB-5-LR";        // 174
inline constexpr std::string_view kModelKvUsb2Lcd = "KV-USB-2-LCD";      // 175
inline constexpr std::string_view kModelKvUsb2Ha = "KV-USB-2-HA";        // 177
inline constexpr std::string_view kModelKvUsb1Ht = "KV-USB-1-HT";        // 178
inline constexpr std::string_view kModelKvUsb6Lcd = "KV-USB-6-LCD";      // 181
inline constexpr std::string_view kModelKvUsb2HaLcd = "KV-USB-2-HA-LCD"; // 182
inline constexpr std::string_view kModelQxUsb5 = "QX-USB-5";             // 183
inline constexpr std::string_view kModelQxUsb1Rcg = "QX-USB-1-RCG";      // 184
inline constexpr std::string_view kModelKvUsb1Lcd = "KV-USB-1-LCD";      // 187
inline constexpr std::string_view kModelQxOem3 = "QX-OEM-3";             // 189

// Texts of our own, where the utility had none.
inline constexpr std::string_view kStartTimeSkipped =
    "The start time does not exist on that date: the clocks go forward past it.\nPlease enter a valid time.";
// Cancel on the download's progress: nothing reaches a file, the logger stays as the
// stop left it, readings and all.
inline constexpr std::string_view kDownloadCancelled = "The download was cancelled: nothing has been saved.\n"
                                                       "The logger remains stopped and still holds its readings.";
// A text typed into a page with a control character in it (a tab, a line break):
// it would break the download file's header lines.
inline constexpr std::string_view kNameControlCharacter =
    "The Logger Name contains a control character (a tab, a line break or the like).\n"
    "Please type the name without it.";
inline constexpr std::string_view kUnitControlCharacter =
    "The unit contains a control character (a tab, a line break or the like).\nPlease type the unit without it.";
// A scaling whose alarm levels would not fit the alarm page's boxes of 7 characters.
inline constexpr std::string_view kScalingTooWide =
    "The graph output values give alarm levels too long for the alarm boxes (7 characters).\n"
    "Please enter output values with fewer digits.";
// A typed alarm level left empty with its alarm on.
inline constexpr std::string_view kHighLevelMissing = "Please enter a level for the High Alarm.";
inline constexpr std::string_view kLowLevelMissing = "Please enter a level for the Low Alarm.";
// The logger keeps the year in two digits, read as 1970 to 2069.
inline constexpr std::string_view kStartTooLate =
    "The start date must be in 2069 or earlier.\nPlease enter a valid date.";

// Several loggers plugged in: the dialog that asks which one a task works on.
inline constexpr std::string_view kChooseLoggerTitle = "Choose a Logger";
inline constexpr std::string_view kChooseLoggerPrompt =
    "Several USB Data Loggers are plugged in.\nChoose the logger for this task:";
inline constexpr std::string_view kSerialColumn = "Serial Number";
inline constexpr std::string_view kNameColumn = "Logger Name";
inline constexpr std::string_view kTypeColumn = "Type";
inline constexpr std::string_view kStateColumn = "State";
inline constexpr std::string_view kCannotBeRead = "Cannot be read";
// The chosen logger went between the choice and the task; only reads had been made.
inline constexpr std::string_view kChosenLoggerGone =
    "The Data Logger you chose (serial number %1) is no longer plugged in.\n"
    "Nothing has been done. Plug it in and choose the task again.";

// Options > Download All Loggers...
inline constexpr std::string_view kDownloadAllTitle = "Download All Loggers";
inline constexpr std::string_view kLoggersLogging = // %1 logging of %2 plugged in
    "Some of the USB Data Loggers are logging (%1 of %2).\n"
    "Stop them and download their readings too?\n\n"
    "No: only the loggers that are stopped are downloaded.";
inline constexpr std::string_view kDownloadAllHeading = "Downloading every USB Data Logger into %1";
inline constexpr std::string_view kProgressColumn = "Progress";
inline constexpr std::string_view kOutcomeColumn = "Outcome";
inline constexpr std::string_view kWaiting = "Waiting";
inline constexpr std::string_view kDownloading = "Downloading...";
inline constexpr std::string_view kSavedAs = "Saved as %1"; // the file's name
inline constexpr std::string_view kStopping = "Stopping...";
inline constexpr std::string_view kFolderNotShown = "The download files are in\n%1\nbut the folder could not be shown.";

} // namespace velmora::utilitytext
