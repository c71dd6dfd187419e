#pragma once
// The table of the utility's pages: index, class, form number and role. Indices 21
// to 24 are never used and get no page. Adding a page is one line in the table.
#include <span>

#include "page_context.h"

namespace velmora {

class CPageView;

using PageFactory = CPageView* (*)(PageContext&);

template <typename Page> CPageView* makePage(PageContext& context) { return new Page(context); }

struct PageEntry {
    int index;
    const char* className;
    int dialogId;
    const char* role;
    PageFactory make;
};

std::span<const PageEntry> pageTable();

// The page of `entry`, named after its class.
CPageView* createPage(const PageEntry& entry, PageContext& context);

} // namespace velmora
