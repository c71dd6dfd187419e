#include "velmora_usb_doc.h"

#include "page_view.h"

namespace velmora {

void CVelmoraUSBDoc::UpdateAllViews()
{
    for (CPageView* view : views_)
        view->refresh();
}

} // namespace velmora
