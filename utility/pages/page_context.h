#pragma once
// What a page works with, handed to each page when the page table creates it: the
// one connected logger and readings array, the page switch, and the seams through
// which pages ask, choose files, start programs, keep settings and open help.
#include <string>
#include <vector>

#include "wizard_flags.h"

namespace velmora {

class Clock;
class ConnectedLogger;
class FileDialogs;
class Help;
class LocaleFormat;
class PageSwitcher;
class ProcessLauncher;
class Prompts;
class Settings;
class WallClock;

struct PageContext {
    ConnectedLogger& logger;
    std::vector<float>& readings;
    PageSwitcher& pages;
    Prompts& prompts;
    FileDialogs& fileDialogs;
    ProcessLauncher& launcher;
    Settings& settings;
    const LocaleFormat& locale;
    Clock& clock;
    Help& help;
    WizardFlags& wizard;
    WallClock& wallClock;
    std::string programFolder;   // the utility's own folder, where the viewer lies
    std::string documentsFolder; // the user's documents folder
    std::string homeFolder;      // the user's home folder
};

} // namespace velmora
