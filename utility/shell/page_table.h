#pragma once
// The pages of the main window by number: the main menu (0), the stop-and-download
// page (5), the status page (6), and the set-up pages, whose descriptor rows the
// wizard keeps (wizard_pages.h) and whose forms register themselves (setup_forms.h).
// Indices 21 to 24 are never used and get no page.
namespace velmora {

class CPageView;
struct PageContext;

// Page `index`, named after its class; nullptr for a number without a page.
CPageView* createPage(int index, PageContext& context);

} // namespace velmora
