#include "page_table.h"

#include <cstdio>
#include <cstdlib>

#include "page_switcher.h"
#include "setup_forms.h"
#include "setup_page.h"
#include "status_info_form.h"
#include "stop_info_form.h"
#include "velmora_usb_view.h"

namespace velmora {

namespace {

CPageView* setupPage(int index, PageContext& context)
{
    const PageDescriptor* row = pageDescriptor(index);
    if (!row)
        return nullptr;
    const SetupFormFactory make = setupFormFactory(index);
    if (!make) {
        // A row without a form is a build that left the form's unit out.
        std::fprintf(stderr, "velmora-usb: set-up page %d has no form\n", index);
        std::abort();
    }
    return make(context, *row);
}

// "velmora::CStatusInfoForm" is "CStatusInfoForm", as the pages have always been named.
QString className(const CPageView& page)
{
    const QString name = QString::fromLatin1(page.metaObject()->className());
    return name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
}

} // namespace

CPageView* createPage(int index, PageContext& context)
{
    CPageView* page = nullptr;
    switch (index) {
    case page::kMainMenu: page = new CVelmoraUSBView(context); break;
    case page::kStopAndDownload: page = new CStopInfoForm(context); break;
    case page::kStatus: page = new CStatusInfoForm(context); break;
    default: page = setupPage(index, context); break;
    }
    if (page && page->objectName().isEmpty())
        page->setObjectName(className(*page));
    return page;
}

} // namespace velmora
