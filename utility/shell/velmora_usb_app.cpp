#include "velmora_usb_app.h"

#include <QAction>

#include "dialog_units.h"
#include "main_frame.h"
#include "page_set.h"
#include "page_table.h"
#include "page_view.h"
#include "velmora_usb_view.h"

namespace velmora {

CVelmoraUSBApp::CVelmoraUSBApp(const UtilityServices& s)
    : logger_(s.bridge, s.clock, s.prompts), context_{logger_,         readings_,         *this,
                                                      s.prompts,       s.fileDialogs,     s.launcher,
                                                      s.settings,      s.locale,          s.clock,
                                                      s.help,          wizard_,           s.wallClock,
                                                      s.programFolder, s.documentsFolder, s.homeFolder}
{
}

CVelmoraUSBApp::~CVelmoraUSBApp()
{
    // The pages go with the window, before the logger they refer to.
    pageSet_.reset();
    frame_.reset();
}

void CVelmoraUSBApp::InitInstance()
{
    frame_ = std::make_unique<CMainFrame>(context_.help);
    pageSet_ = std::make_unique<CPageSet>(*frame_->pane(), doc_);
    readings_.assign(kReadingsAtStart, 0.0f);

    for (int index = 0; index < page::kCount; ++index)
        if (CPageView* page = createPage(index, context_))
            pageSet_->install(index, page);

    auto* menu = static_cast<CVelmoraUSBView*>(pageSet_->page(page::kMainMenu));
    QObject::connect(frame_->command(cmd::kSetUp), &QAction::triggered, menu, &CVelmoraUSBView::OnSetUp);
    QObject::connect(frame_->command(cmd::kStopAndDownload), &QAction::triggered, menu,
                     &CVelmoraUSBView::OnStopAndDownload);
    QObject::connect(frame_->command(cmd::kViewPreviousGraph), &QAction::triggered, menu,
                     &CVelmoraUSBView::OnViewPreviousGraph);
    QObject::connect(frame_->command(cmd::kCurrentStatus), &QAction::triggered, menu,
                     &CVelmoraUSBView::OnCurrentStatus);
    QObject::connect(frame_->command(cmd::kDownloadAll), &QAction::triggered, menu, &CVelmoraUSBView::OnDownloadAll);
    // The task commands belong to the main menu: they act only while it is on show.
    pageSet_->setOnActivated([this](int index) { frame_->setTaskCommandsEnabled(index == page::kMainMenu); });
    frame_->setCurrentContext([this] { return pageSet_->activeView()->helpContext(); });

    for (CPageView* view : doc_.views())
        view->initialUpdate();

    // Every page has the same form size; a page whose texts need more widens them all.
    const DialogUnits du(frame_->font());
    QSize form = du.size(kPageWidthDlu, kPageHeightDlu);
    for (CPageView* view : doc_.views())
        form = form.expandedTo(view->minimumSizeHint());
    frame_->fitToForm(form);

    frame_->show();
    frame_->update();
}

CPageView* CVelmoraUSBApp::SwitchPage(int index) { return pageSet_ ? pageSet_->SwitchPage(index) : nullptr; }

CPageView* CVelmoraUSBApp::page(int index) const { return pageSet_ ? pageSet_->page(index) : nullptr; }

int CVelmoraUSBApp::currentPage() const { return pageSet_ ? pageSet_->currentPage() : 0; }

} // namespace velmora
