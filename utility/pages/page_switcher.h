#pragma once
// What every page calls to move on: SwitchPage(index) shows page `index`, hides the
// one on show and refreshes every page. Returns the page that was on show, or
// nullptr when nothing changed hands.
namespace velmora {

class CPageView;

class PageSwitcher {
public:
    virtual ~PageSwitcher() = default;
    virtual CPageView* SwitchPage(int index) = 0;
};

// Page numbers named by their role; the wizard's pages are numbered in its own table.
namespace page {
inline constexpr int kMainMenu = 0;
inline constexpr int kStopAndDownload = 5;
inline constexpr int kStatus = 6;
inline constexpr int kCount = 26; // 0..25; 21..24 are never used
} // namespace page

} // namespace velmora
