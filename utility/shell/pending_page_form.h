#pragma once
// Stands in for a set-up page that this version does not have yet: says so and
// offers the way back to the main menu, so a logger type whose pages are missing
// can never strand the user or crash the program.
#include "page_view.h"

namespace velmora {

struct PageContext;
struct PageEntry;

inline constexpr const char* kPendingPageText = "This set-up page is not yet available in this version of Velmora USB.";

class CPendingPageForm final : public CPageView {
    Q_OBJECT
public:
    CPendingPageForm(PageContext& context, const PageEntry& entry);
    void refresh() override {}
    void OnCancel();

private:
    PageContext& context_;
};

} // namespace velmora
