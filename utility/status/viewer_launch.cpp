#include "viewer_launch.h"

#include "process_launcher.h"
#include "prompts.h"
#include "type_catalogue.h"
#include "utility_strings.h"

namespace velmora {

const char* const kEventFileQuestion =
    "Velmora USB Graph cannot display event files. Clicking 'Yes' will open the data in notepad.\n\n"
    "Note: To import QX-USB-5 data into Excel, use the following method:\n\n"
    "1. In Excel, select 'File > Open'.\n"
    "2. Locate data file (*.txt) ensuring 'All Files' is selected in 'Files of type:'; click 'Open'.\n"
    "3. In 'Text Import Wizard 1 of 3'; click 'Next'.\n"
    "4. Ensure 'Comma' is checked in 'Text Import Wizard 2 of 3'; click 'Finish'.\n\n"
    "For further information consult the QX-USB-5 help file section 'Importing the Measurements into Other "
    "Applications'.\n\n"
    "Do you wish to open the file in notepad?";

const char* const kTextEditorFailed =
    "Unable to locate and load Notepad.exe to view event data.\nTo view data, open the downloaded file with a text "
    "editor.";

std::string viewerProgram(const std::string& programFolder)
{
    if (programFolder.empty())
        return kViewerFileName;
    return programFolder.back() == '/' ? programFolder + kViewerFileName : programFolder + '/' + kViewerFileName;
}

bool launchViewer(ProcessLauncher& launcher, Prompts& prompts, const std::string& programFolder,
                  const std::string& path)
{
    if (launcher.startDetached(viewerProgram(programFolder), {path}, programFolder))
        return true;
    prompts.warn(msg(msgid::kViewerNotFound));
    return false;
}

bool launchDownloadFile(ProcessLauncher& launcher, Prompts& prompts, const std::string& programFolder,
                        LoggerType type, const std::string& path)
{
    if (!isEventLogger(type))
        return launchViewer(launcher, prompts, programFolder, path);
    if (!prompts.askYesNo(kEventFileQuestion, PromptIcon::Question))
        return false;
    if (launcher.startDetached(kTextEditorProgram, {path}, programFolder))
        return true;
    prompts.warn(kTextEditorFailed);
    return false;
}

} // namespace velmora
