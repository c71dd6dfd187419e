#pragma once
// The utility's application object: it owns the connected logger, the readings
// array, the document, the main window and the page table, and runs the start-up
// sequence. The seams come from main() or from a test.
#include <memory>
#include <string>
#include <vector>

#include "connected_logger.h"
#include "page_context.h"
#include "page_switcher.h"
#include "velmora_usb_doc.h"

namespace velmora {

class CMainFrame;
class CPageSet;
class CPageView;
class UsbBridge;
class WallClock;

struct UtilityServices {
    UsbBridge& bridge;
    Clock& clock;
    WallClock& wallClock;
    Prompts& prompts;
    FileDialogs& fileDialogs;
    ProcessLauncher& launcher;
    Settings& settings;
    const LocaleFormat& locale;
    Help& help;
    std::string programFolder;
    std::string documentsFolder;
    std::string homeFolder; // where file dialogs open when the documents folder is missing
};

class CVelmoraUSBApp final : public PageSwitcher {
public:
    static constexpr std::size_t kReadingsAtStart = 65536;

    explicit CVelmoraUSBApp(const UtilityServices& services);
    ~CVelmoraUSBApp() override;

    // Creates the main window and every page, runs their first update in page
    // order, fits the window to the form and shows it.
    void InitInstance();

    CPageView* SwitchPage(int index) override;

    ConnectedLogger& logger() { return logger_; }
    std::vector<float>& readings() { return readings_; }
    CVelmoraUSBDoc& document() { return doc_; }
    WizardFlags& wizardFlags() { return wizard_; }
    CMainFrame& mainFrame() { return *frame_; }
    CPageSet& pageSet() { return *pageSet_; }
    CPageView* page(int index) const;
    int currentPage() const;

private:
    ConnectedLogger logger_;
    std::vector<float> readings_;
    WizardFlags wizard_;
    CVelmoraUSBDoc doc_;
    PageContext context_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<CPageSet> pageSet_;
};

} // namespace velmora
