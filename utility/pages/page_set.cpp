#include "page_set.h"

#include <QGridLayout>
#include <QWidget>

#include "page_view.h"
#include "velmora_usb_doc.h"

namespace velmora {

namespace {
constexpr const char* kChildId = "childId";
}

CPageSet::CPageSet(QWidget& pane, CVelmoraUSBDoc& doc) : pane_(pane), layout_(new QGridLayout(&pane)), doc_(doc)
{
    layout_->setContentsMargins(0, 0, 0, 0);
}

void CPageSet::install(int index, CPageView* page)
{
    if (index < 0 || index >= page::kCount || !page || pages_[static_cast<std::size_t>(index)])
        return;
    pages_[static_cast<std::size_t>(index)] = page;
    page->setParent(&pane_);
    layout_->addWidget(page, 0, 0);
    doc_.addView(page);
    if (!active_) {
        active_ = page;
        currentPage_ = index;
        page->setProperty(kChildId, kPaneId);
        page->show();
    } else {
        page->setProperty(kChildId, kPaneId + index);
        page->hide();
    }
}

CPageView* CPageSet::SwitchPage(int index)
{
    if (index < 0 || index >= page::kCount)
        return nullptr;
    CPageView* target = pages_[static_cast<std::size_t>(index)];
    if (!target)
        return nullptr; // 21..24: no page exists there, nothing changes
    if (!active_ || target == active_)
        return active_;

    currentPage_ = index;
    const QVariant activeId = active_->property(kChildId);
    active_->setProperty(kChildId, target->property(kChildId));
    target->setProperty(kChildId, activeId);

    CPageView* previous = active_;
    previous->hide();
    target->show();
    active_ = target;
    if (onActivated_)
        onActivated_(index);
    layout_->activate();
    target->update();

    doc_.UpdateAllViews();
    return previous;
}

CPageView* CPageSet::page(int index) const
{
    return index < 0 || index >= page::kCount ? nullptr : pages_[static_cast<std::size_t>(index)];
}

int CPageSet::childId(const CPageView* page) { return page ? page->property(kChildId).toInt() : 0; }

} // namespace velmora
