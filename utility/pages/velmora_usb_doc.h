#pragma once
// The utility's one document. It holds no data of its own: it links the pages so
// that one update reaches them all, in the order they were attached (page 0 first,
// then the others by number).
#include <vector>

namespace velmora {

class CPageView;

class CVelmoraUSBDoc {
public:
    void addView(CPageView* view) { views_.push_back(view); }
    const std::vector<CPageView*>& views() const { return views_; }
    // Every view refreshes itself from the connected logger, shown or hidden; a view
    // not built yet loads itself when it is.
    void UpdateAllViews();

private:
    std::vector<CPageView*> views_;
};

} // namespace velmora
