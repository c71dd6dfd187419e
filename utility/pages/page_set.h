#pragma once
// The page table of the main window and the switch between its pages. All pages are
// children of one pane; exactly one is visible. Each carries a child identifier:
// the page on show holds the pane's, page n otherwise holds pane + n, and a switch
// exchanges the two, as the pages have always been numbered.
#include <array>
#include <functional>

#include "page_switcher.h"

class QWidget;
class QGridLayout;

namespace velmora {

class CPageView;
class CVelmoraUSBDoc;

class CPageSet final : public PageSwitcher {
public:
    static constexpr int kPaneId = 0xE900;

    // `pane` receives the pages; they are attached to `doc` in the order installed.
    CPageSet(QWidget& pane, CVelmoraUSBDoc& doc);

    // Adds page `index` to the table and to the document. The first page added is
    // the active view and is shown; later ones are hidden.
    void install(int index, CPageView* page);

    CPageView* SwitchPage(int index) override;

    CPageView* page(int index) const;
    CPageView* activeView() const { return active_; }
    int currentPage() const { return currentPage_; }
    // Runs after each switch, before the pages refresh (the main window enables
    // its commands by the page on show).
    void setOnActivated(std::function<void(int)> callback) { onActivated_ = std::move(callback); }

    // The child identifier a page holds at the moment.
    static int childId(const CPageView* page);

private:
    QWidget& pane_;
    QGridLayout* layout_;
    CVelmoraUSBDoc& doc_;
    std::array<CPageView*, page::kCount> pages_{};
    CPageView* active_ = nullptr;
    int currentPage_ = 0;
    std::function<void(int)> onActivated_;
};

} // namespace velmora
