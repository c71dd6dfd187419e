#pragma once
// The graph viewer's own texts. The viewer numbers its messages separately from the
// utility (its 129 is not the utility's 129), so it has its own table.
// Placeholders are Qt's %1, %2: QString::arg fills them, fillPlaceholders without Qt.
#include <string_view>

#include "velmora_version.h"

namespace velmora::graphtext {

// Numbered entries of the viewer's string table. The column titles it looks for in a
// download file (130, 136, 138, 141 to 143) are the format's: download_columns.h.
inline constexpr std::string_view kInvalidData = "The File contains invalid data.";                         // 129
inline constexpr std::string_view kTerminatedUnexpectedly = "The data file terminated unexpectedly.";       // 132
inline constexpr std::string_view kOpenBeforeExport = "Open the data file before exporting data to Excel."; // 137
inline constexpr std::string_view kDataSheetName = "Data";                                                  // 144
inline constexpr std::string_view kManyChartsWarning =                                                      // 145
    "Warning: The file contains more than 32000 readings.The maximum number of points in an Excel 2-D chart data "
    "series is 32000. Therefore %1 charts will be generated to show all the readings.";
// The viewer's one name, its product name: message captions, the window title, the
// Help menu and the About box all use it.
inline constexpr std::string_view kAppTitle = "VelmoraGraph"; // 57344

inline constexpr std::string_view kUnableToOpen = "Unable to open the file.";
inline constexpr std::string_view kCannotFindFile =
    "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.";
// The Linux desktop's programs in place of the ones the texts once named: a text editor
// (whichever the desktop opens text files with) and LibreOffice Calc's text import.
inline constexpr std::string_view kEventFileQuestion =
    "The file you are trying to open is an event log which cannot be displayed in Velmora USB Graph. "
    "Clicking 'Yes' will open the data in a text editor.\n\n"
    "Note: To import QX-USB-5 data into LibreOffice Calc, use the following method:\n\n"
    "1. In LibreOffice Calc, select 'File > Open...'.\n"
    "2. Locate data file (*.txt) ensuring 'Text CSV (*.csv *.txt)' is selected as the file type; click 'Open'.\n"
    "3. In 'Text Import', ensure 'Comma' is checked under 'Separator Options'; click 'OK'.\n\n"
    "For further information consult the QX-USB-5 help file section "
    "'Importing the Measurements into Other Applications'.\n\n"
    "Do you wish to open the file in a text editor?";
// The question's first sentence, all that applies where nothing can be opened.
inline constexpr std::string_view kEventFileNotCharted =
    "The file you are trying to open is an event log which cannot be displayed in Velmora USB Graph.";
inline constexpr std::string_view kTextEditorFailed = "Unable to locate and load a text editor to view event data.\n"
                                                      "To view data, open the downloaded file with a text editor.";

// Texts of our own where the viewer had only a framework report.
// The invalid-data message with the line the reader gave up on.
inline constexpr std::string_view kInvalidDataOnLine = "The File contains invalid data (line %1).";
inline constexpr std::string_view kCannotOpenFile = "%1\nThe file cannot be opened for reading.";
inline constexpr std::string_view kReadError = "An error occurred while reading the file.";
inline constexpr std::string_view kOutOfMemory = "There is not enough memory to load the file.";
inline constexpr std::string_view kTooManyReadings = "The file holds more readings than the viewer can show.";
inline constexpr std::string_view kLastLineCut =
    "The last line of the file has no line end: it may have been cut short.";

// Window, menus, toolbar and status bar.
inline constexpr std::string_view kWindowTitle = kAppTitle;
inline constexpr std::string_view kTitleSeparator = " - "; // between the file's name and the title
inline constexpr std::string_view kOpenDialogTitle = "Open";
inline constexpr std::string_view kFileFilter = "VelmoraGraph Files (*.txt)|*.txt|All Files (*.*)|*.*||";

// The workbook export: what the viewer's Save dialog and its progress show, and the
// reports of a workbook that could not be written.
inline constexpr std::string_view kExportDialogTitle = "Export to Excel";
inline constexpr std::string_view kWorkbookFilter = "Excel Workbook (*.xlsx)|*.xlsx|All Files (*.*)|*.*||";
inline constexpr std::string_view kNowProcessing = "Now processing File..";
inline constexpr std::string_view kWorkbookOpenFailed = "Failed opening file:\n%1\n(%2)";
inline constexpr std::string_view kWorkbookWriteFailed = "Failed writing file:\n%1\n(%2)";
inline constexpr std::string_view kTooManyRows = "The file holds more lines than a worksheet can hold.";
inline constexpr std::string_view kWorkbookOverDownload =
    "The workbook cannot be saved as:\n%1\nThat is the download file it is made from: choose another name.";
// After the workbook is written. No spreadsheet program is needed to write it, so a
// desktop without one is told where the file is, not that the export failed.
inline constexpr std::string_view kWorkbookSaved = "The workbook was saved as:\n%1";
inline constexpr std::string_view kWorkbookSavedNotOpened =
    "The workbook was saved as:\n%1\nNo program could be started to open it: open it with a spreadsheet program.";
// Several files exported or reported together: a file that cannot be is named before
// the reason; the overlay chart's sheet and each file's legend entry (its title is
// the report's kReportComparison).
inline constexpr std::string_view kFileAndReason = "%1\n%2";
inline constexpr std::string_view kOverlaySheetName = "Chart1";
inline constexpr std::string_view kFileWithSerial = "%1 (SN %2)";
// Over the times a file's series is drawn at, when its logger's clock and the first
// file's were an hour apart (one started before a change of the clocks, one after).
inline constexpr std::string_view kChartTimeColumn = "Time on chart";

inline constexpr std::string_view kReady = "Ready"; // the status bar's idle prompt

inline constexpr std::string_view kFileMenu = "&File";
inline constexpr std::string_view kViewMenu = "&View";
inline constexpr std::string_view kHelpMenu = "&Help";
inline constexpr std::string_view kToolBarTitle = "Standard";

// The frame's commands: menu text, status-bar prompt, tool tip.
inline constexpr std::string_view kOpen = "&Open...";
inline constexpr std::string_view kOpenPrompt = "Open an existing document";
inline constexpr std::string_view kOpenTip = "Open";
inline constexpr std::string_view kExportToExcel = "Export to Excel"; // text, prompt and tip alike
inline constexpr std::string_view kCloseGraph = "&Close Graph";
inline constexpr std::string_view kCloseGraphPrompt = "Close the graph application";
inline constexpr std::string_view kCloseGraphTip = "Close Graph";
inline constexpr std::string_view kRecentFile = "Recent File"; // the File menu's entry while the list is empty
inline constexpr std::string_view kRecentFilePrompt = "Open this document";
inline constexpr std::string_view kToolBar = "&Toolbar";
inline constexpr std::string_view kToolBarPrompt = "Show or hide the toolbar";
inline constexpr std::string_view kStatusBar = "&Status Bar";
inline constexpr std::string_view kStatusBarPrompt = "Show or hide the status bar";
inline constexpr std::string_view kHelpTopics = "&Help Topics";
inline constexpr std::string_view kHelpTopicsPrompt = "List Help topics";
inline constexpr std::string_view kHelpTopicsTip = "Help Topics";
inline constexpr std::string_view kAbout = "&About VelmoraGraph...";
inline constexpr std::string_view kAboutPrompt = "Display program information, version number and copyright";
inline constexpr std::string_view kAboutTip = "About";
inline constexpr std::string_view kHelp = "Help";                // F1
inline constexpr std::string_view kContextHelp = "Context Help"; // Shift+F1

// The frame's prompts and tips for the chart view's commands.
inline constexpr std::string_view kPrintPrompt = "Print the active document";
inline constexpr std::string_view kPrintTip = "Print";
inline constexpr std::string_view kPrintPreviewPrompt = "Display full pages";
inline constexpr std::string_view kPrintSetupPrompt = "Change the printer and printing options";
inline constexpr std::string_view kMarkPointsPrompt = "Mark each reading with a point";
inline constexpr std::string_view kGridXPrompt = "Show or hide the vertical grid lines";
inline constexpr std::string_view kGridYPrompt = "Show or hide the horizontal grid lines";

// The About box.
inline constexpr std::string_view kAboutTitle = "About VelmoraGraph";
inline constexpr std::string_view kVersion = "Version " VELMORA_VERSION;
inline constexpr std::string_view kAboutRole = "Graph viewer for Velmora USB Data Logger download files.";
inline constexpr std::string_view kCopyright = "Copyright \u00a9 Oskenby Electronics Ltd.";

// The command line (--help).
inline constexpr std::string_view kCommandLineDescription = "Shows a Velmora USB data logger download file as a chart.";
inline constexpr std::string_view kFileArgument = "file";
inline constexpr std::string_view kFileArgumentHelp = "The download file to show.";
inline constexpr std::string_view kFileArgumentSyntax = "[file]";

// Chart view: footer, messages, commands and their status-bar prompts.
inline constexpr std::string_view kMaximumZoom = "Maximum zoom level reached.";
inline constexpr std::string_view kPrintFailed = "Error: Failed to print graph.";
inline constexpr std::string_view kZoomIn = "Zoom In";
inline constexpr std::string_view kZoomInPrompt = "Zoom In; Left click and drag box to select zoom area.";
inline constexpr std::string_view kZoomOut = "Zoom Out";
inline constexpr std::string_view kZoomOutPrompt = "Zoom out one level";
inline constexpr std::string_view kZoomOutTip = "Zoom out";
inline constexpr std::string_view kMarkPoints = "Mark Points";
inline constexpr std::string_view kShowTraces = "Show traces...";
inline constexpr std::string_view kGridLines = "Grid Lines...";
inline constexpr std::string_view kGridX = "X Axis";
inline constexpr std::string_view kGridY = "Y Axis";
inline constexpr std::string_view kPrint = "&Print...";
inline constexpr std::string_view kPrintPreview = "Print Pre&view";
inline constexpr std::string_view kPrintSetup = "P&rint Setup...";

// Statistics: the panel, the report and velmora-cli's table share these texts.
inline constexpr std::string_view kStatistics = "Statistics...";
inline constexpr std::string_view kStatisticsPrompt =
    "Show the statistics of the readings on show: extremes, mean, time beyond the alarms, mean kinetic temperature";
inline constexpr std::string_view kStatisticsTitle = "Statistics";
inline constexpr std::string_view kWholeFile = "Whole file";
inline constexpr std::string_view kActivationEnergy = "Activation energy (kJ/mol):";
inline constexpr std::string_view kStatisticsRange = "%1 to %2";
inline constexpr std::string_view kNoReadingsInRange = "No readings in this range.";
inline constexpr std::string_view kStatReadings = "Readings";
inline constexpr std::string_view kStatSkipped = "Skipped (not a number)";
inline constexpr std::string_view kStatMinimum = "Minimum";
inline constexpr std::string_view kStatMinimumAt = "Minimum first reached";
inline constexpr std::string_view kStatMaximum = "Maximum";
inline constexpr std::string_view kStatMaximumAt = "Maximum first reached";
inline constexpr std::string_view kStatMean = "Mean";
inline constexpr std::string_view kStatStandardDeviation = "Standard deviation";
inline constexpr std::string_view kStatMeanKinetic = "Mean kinetic temperature";
inline constexpr std::string_view kStatTimeAboveHigh = "Time above high alarm";
inline constexpr std::string_view kStatExcursionsAboveHigh = "Excursions above high alarm";
inline constexpr std::string_view kStatLongestAboveHigh = "Longest above high alarm";
inline constexpr std::string_view kStatTimeBelowLow = "Time below low alarm";
inline constexpr std::string_view kStatExcursionsBelowLow = "Excursions below low alarm";
inline constexpr std::string_view kStatLongestBelowLow = "Longest below low alarm";
inline constexpr std::string_view kStatTimeAboveWarning = "Time above warning level";
inline constexpr std::string_view kStatExcursionsAboveWarning = "Excursions above warning level";
inline constexpr std::string_view kStatLongestAboveWarning = "Longest above warning level";
inline constexpr std::string_view kStatNotApplicable = "-";
inline constexpr std::string_view kStatBelowAbsoluteZero = "below absolute zero";

// The report: File > Save Report as PDF... and velmora-cli report.
inline constexpr std::string_view kSaveReport = "Save Report as PDF...";
inline constexpr std::string_view kSaveReportPrompt =
    "Save a one-page report of the readings on show, with the download file's SHA-256 fingerprint";
inline constexpr std::string_view kReportDialogTitle = "Save Report as PDF";
inline constexpr std::string_view kReportFilter = "PDF Document (*.pdf)|*.pdf|All Files (*.*)|*.*||";
inline constexpr std::string_view kOpenBeforeReport = "Open the data file before saving a report.";
inline constexpr std::string_view kFileChangedSinceOpened =
    "The data file has changed since it was opened. Open it again before saving a report.";
inline constexpr std::string_view kReportOverDownload =
    "The report cannot be saved as:\n%1\nThat is the download file it reports on: choose another name.";
inline constexpr std::string_view kReportOpenFailed = "Failed opening file:\n%1\n(%2)";
inline constexpr std::string_view kReportWriteFailed = "Failed writing file:\n%1\n(%2)";
inline constexpr std::string_view kReportTitle = "Data Logger Report";
inline constexpr std::string_view kReportLogger = "Logger";
inline constexpr std::string_view kReportSerialNumber = "Serial number";
inline constexpr std::string_view kReportNoSerialNumber = "not in the file";
inline constexpr std::string_view kReportInterval = "Interval";
inline constexpr std::string_view kReportFirstReading = "First reading";
inline constexpr std::string_view kReportLastReading = "Last reading";
inline constexpr std::string_view kReportReadings = "Readings";
inline constexpr std::string_view kReportReadingsOfFile = "%1 of %2 in the file";
inline constexpr std::string_view kReportStatistics = "Statistics";
inline constexpr std::string_view kReportMeanKineticNote =
    "Mean kinetic temperature with an activation energy of %1 kJ/mol.";
inline constexpr std::string_view kReportAlarmLevels = "Alarm levels";
inline constexpr std::string_view kReportNoAlarmLevels = "No alarm levels in the file.";
inline constexpr std::string_view kReportLevelLines = "(on %1 of %2 lines)";
inline constexpr std::string_view kReportFile = "Download file";
inline constexpr std::string_view kReportBytes = "%1 bytes";
inline constexpr std::string_view kReportSha256 = "SHA-256";
inline constexpr std::string_view kReportCheck = "Check the file against this report with: sha256sum %1";

// Several files on one chart.
inline constexpr std::string_view kUnitFitsNoAxis =
    "%1\nThis file cannot join the chart: its unit %2 fits neither axis (%3 on the left, %4 on the right).";
inline constexpr std::string_view kNoUnit = "(no unit)";

inline constexpr std::string_view kCompareHottest = "Hottest";
inline constexpr std::string_view kCompareColdest = "Coldest";
inline constexpr std::string_view kCompareWarmestMean = "Warmest mean";
inline constexpr std::string_view kCompareCoolestMean = "Coolest mean";
inline constexpr std::string_view kCompareLongestAboveHigh = "Longest excursion above high alarm";
inline constexpr std::string_view kCompareNoHighAlarm = "no file has a high alarm";
inline constexpr std::string_view kCompareNoReadings = "no readings in range";
inline constexpr std::string_view kCompareAt = " at ";

inline constexpr std::string_view kAddFileToChart = "&Add File to Chart...";
inline constexpr std::string_view kAddFileToChartPrompt =
    "Show another download file on the same chart, on the same time axis";
inline constexpr std::string_view kRemoveFileFromChart = "Re&move File from Chart";
inline constexpr std::string_view kRemoveFileFromChartPrompt = "Take a file off the chart";
inline constexpr std::string_view kAddFileDialogTitle = "Add File to Chart";
inline constexpr std::string_view kJoinDeployments = "&Join Deployments";
inline constexpr std::string_view kJoinDeploymentsPrompt =
    "Show the files of one logger that follow each other as one series, with a gap between deployments";
inline constexpr std::string_view kShowSpread = "Spread &Between Files";
inline constexpr std::string_view kShowSpreadPrompt =
    "Show the spread between the files: the highest less the lowest reading at each time";
inline constexpr std::string_view kSpreadLabel = "Spread between files";
inline constexpr std::string_view kSpreadAxisTitle = "Spread (%1)";
inline constexpr std::string_view kJoinedFiles = " + ";
inline constexpr std::string_view kChartHeaderMore = "%1 and %2 more";

inline constexpr std::string_view kReportComparison = "%1 files compared";
inline constexpr std::string_view kReportComparisonOfOne = "1 file"; // an archive's range with one deployment
inline constexpr std::string_view kReportSummary = "Summary";
inline constexpr std::string_view kReportFiles = "Download files";
inline constexpr std::string_view kReportFileColumn = "File";

} // namespace velmora::graphtext
