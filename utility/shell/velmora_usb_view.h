#pragma once
// The main menu (page 0, form 101): three picture buttons beside their captions.
// Every task starts here; the commands themselves are MainMenuCommands.
#include "main_menu_commands.h"
#include "page_view.h"

class QPushButton;

namespace velmora {

struct PageContext;

class CVelmoraUSBView final : public CPageView {
    Q_OBJECT
public:
    explicit CVelmoraUSBView(PageContext& context);
    void refresh() override {}

public slots:
    void OnSetUp();
    void OnStopAndDownload();
    void OnViewPreviousGraph();
    void OnCurrentStatus();

private:
    void switchTo(std::optional<int> page);

    PageContext& context_;
    MainMenuCommands commands_;
};

} // namespace velmora
