#include "velmora_usb_doc.h"

#include "page_view.h"

namespace velmora {

void CVelmoraUSBDoc::UpdateAllViews()
{
    for (CPageView* view : views_)
        if (view->isBuilt())
            view->refresh();
}

} // namespace velmora
