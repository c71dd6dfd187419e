#include "viewer_launch.h"

#include "process_launcher.h"
#include "prompts.h"
#include "type_catalogue.h"
#include "utility_strings.h"

namespace velmora {

// The desktop's text editor and LibreOffice Calc's text import, the programs a Linux
// user has for an event file.
const char* const kEventFileQuestion =
    "Velmora USB Graph cannot display event files. Clicking 'Yes' will open the data in a text editor.\n\n"
    "Note: To import QX-USB-5 data into LibreOffice Calc, use the following method:\n\n"
    "1. In LibreOffice Calc, select 'File > Open...'.\n"
    "2. Locate data file (*.txt) ensuring 'Text CSV (*.csv *.txt)' is selected as the file type; click 'Open'.\n"
    "3. In 'Text Import', ensure 'Comma' is checked under 'Separator Options'; click 'OK'.\n\n"
    "For further information consult the QX-USB-5 help file section 'Importing the Measurements into Other "
    "Applications'.\n\n"
    "Do you wish to open the file in a text editor?";

const char* const kTextEditorFailed =
    "Unable to locate and load a text editor to view event data.\nTo view data, open the downloaded file with a text "
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
    prompts.warn(std::string(utilitytext::kViewerNotFound));
    return false;
}

bool launchDownloadFile(ProcessLauncher& launcher, Prompts& prompts, const std::string& programFolder, LoggerType type,
                        const std::string& path)
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
