#pragma once
// The main menu (page 0, form 101): three picture buttons beside their captions.
// Every task starts here; the commands themselves are MainMenuCommands. With several
// loggers plugged in, a logger task first asks which one (CChooseLoggerDlg).
#include "choose_logger_dlg.h"
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
    void OnDownloadAll();

private:
    void switchTo(std::optional<int> page);

    PageContext& context_;
    DialogLoggerPicker picker_;
    MainMenuCommands commands_;
};

} // namespace velmora
