#include "page_view.h"

namespace velmora {

CPageView::CPageView(int dialogId, QWidget* parent) : QWidget(parent), dialogId_(dialogId)
{
    setProperty("dialogId", dialogId);
    setProperty("helpContext", dialogId);
}

} // namespace velmora
