// The page switch: one page on show, every page refreshed in page order after each
// switch, nothing at all when the target is already on show or does not exist; a page
// that builds its controls when first needed is passed by until then.
#include <gtest/gtest.h>

#include <QWidget>
#include <vector>

#include "page_set.h"
#include "page_view.h"
#include "velmora_usb_doc.h"

namespace velmora {
namespace {

class FakePage final : public CPageView {
public:
    FakePage(int index, std::vector<int>& log) : CPageView(100 + index), index_(index), log_(log) {}
    void refresh() override { log_.push_back(index_); }

private:
    int index_;
    std::vector<int>& log_;
};

// Installed the way the program installs its pages: 0 to 20, then 25.
constexpr int kIndices[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 25};

class PageSwitchTest : public ::testing::Test {
protected:
    PageSwitchTest() : set(pane, doc)
    {
        for (int i : kIndices) {
            auto* p = new FakePage(i, log);
            pages[i] = p;
            set.install(i, p);
        }
        pane.show();
    }

    std::vector<int> visiblePages() const
    {
        std::vector<int> visible;
        for (int i : kIndices)
            if (pages[i]->isVisible())
                visible.push_back(i);
        return visible;
    }

    QWidget pane;
    CVelmoraUSBDoc doc;
    CPageSet set;
    std::vector<int> log;
    CPageView* pages[26] = {};
};

const std::vector<int> kRefreshOrder(std::begin(kIndices), std::end(kIndices));

TEST_F(PageSwitchTest, StartsWithTheMainMenuOnShowHoldingThePaneIdentifier)
{
    EXPECT_EQ(visiblePages(), std::vector<int>{0});
    EXPECT_EQ(set.activeView(), pages[0]);
    EXPECT_EQ(CPageSet::childId(pages[0]), CPageSet::kPaneId);
    EXPECT_EQ(CPageSet::childId(pages[7]), CPageSet::kPaneId + 7);
    EXPECT_EQ(CPageSet::childId(pages[25]), CPageSet::kPaneId + 25);
    EXPECT_TRUE(log.empty());
}

TEST_F(PageSwitchTest, SwitchShowsTheTargetAndRefreshesEveryPageInPageOrder)
{
    EXPECT_EQ(set.SwitchPage(6), pages[0]);
    EXPECT_EQ(visiblePages(), std::vector<int>{6});
    EXPECT_EQ(set.currentPage(), 6);
    EXPECT_EQ(log, kRefreshOrder);
    // The identifiers were exchanged: the page on show holds the pane's.
    EXPECT_EQ(CPageSet::childId(pages[6]), CPageSet::kPaneId);
    EXPECT_EQ(CPageSet::childId(pages[0]), CPageSet::kPaneId + 6);
}

TEST_F(PageSwitchTest, SwitchToThePageOnShowChangesNothingAndRefreshesNothing)
{
    set.SwitchPage(5);
    log.clear();
    EXPECT_EQ(set.SwitchPage(5), pages[5]);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(visiblePages(), std::vector<int>{5});
    EXPECT_EQ(set.currentPage(), 5);
}

TEST_F(PageSwitchTest, IndicesWithoutAPageDoNothing)
{
    set.SwitchPage(3);
    log.clear();
    for (int index : {21, 22, 23, 24, 26, 100, -1}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(set.SwitchPage(index), nullptr);
        EXPECT_EQ(set.page(index), nullptr);
        EXPECT_EQ(visiblePages(), std::vector<int>{3});
        EXPECT_EQ(set.currentPage(), 3);
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(PageSwitchTest, AfterAnyNumberOfSwitchesExactlyOnePageIsVisibleAndHoldsThePaneIdentifier)
{
    const int route[] = {1, 2, 7, 3, 4, 0, 8, 9, 10, 3, 0, 14, 13, 15, 3, 4, 0, 5, 0, 6, 6, 0, 25, 18, 0};
    CPageView* shown = pages[0];
    for (int target : route) {
        SCOPED_TRACE(target);
        log.clear();
        CPageView* previous = set.SwitchPage(target);
        const bool changed = pages[target] != shown;
        EXPECT_EQ(previous, shown);
        EXPECT_EQ(log, changed ? kRefreshOrder : std::vector<int>{});
        shown = pages[target];
        EXPECT_EQ(visiblePages(), std::vector<int>{target});
        int holders = 0;
        for (int i : kIndices)
            holders += CPageSet::childId(pages[i]) == CPageSet::kPaneId;
        EXPECT_EQ(holders, 1);
        EXPECT_EQ(CPageSet::childId(shown), CPageSet::kPaneId);
        // Every identifier is still held by exactly one page.
        std::vector<int> ids;
        for (int i : kIndices)
            ids.push_back(CPageSet::childId(pages[i]));
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    }
}

TEST_F(PageSwitchTest, ThePagesOutliveEverySwitch)
{
    // Pages are never re-created: the table keeps the same objects throughout.
    for (int target : {5, 0, 6, 0, 1})
        set.SwitchPage(target);
    for (int i : kIndices)
        EXPECT_EQ(set.page(i), pages[i]);
    EXPECT_EQ(doc.views().size(), std::size(kIndices));
}

// A page with no controls until it is first needed: refreshing it before would reach
// for controls it does not have.
class LazyPage final : public CPageView {
public:
    LazyPage(int index, std::vector<int>& log) : CPageView(100 + index), index_(index), log_(log) { buildWhenNeeded(); }
    void refresh() override
    {
        EXPECT_TRUE(isBuilt()) << "page " << index_ << " refreshed before it was built";
        log_.push_back(index_);
    }
    int builds = 0;

protected:
    void build() override { ++builds; }

private:
    int index_;
    std::vector<int>& log_;
};

TEST(LazyPageSwitchTest, APageIsBuiltAndLoadedWhenFirstShownOrLookedIntoAndOnlyThen)
{
    QWidget pane;
    CVelmoraUSBDoc doc;
    CPageSet set(pane, doc);
    std::vector<int> log;
    set.install(0, new FakePage(0, log));
    auto* shownLater = new LazyPage(1, log);
    auto* lookedInto = new LazyPage(2, log);
    set.install(1, shownLater);
    set.install(2, lookedInto);
    pane.show();
    for (CPageView* view : doc.views())
        view->initialUpdate();
    EXPECT_EQ(log, std::vector<int>{0});
    EXPECT_FALSE(shownLater->isBuilt());
    EXPECT_FALSE(lookedInto->isBuilt());

    // Shown: built and loaded first, then refreshed with the others; page 2 still
    // waits.
    log.clear();
    set.SwitchPage(1);
    EXPECT_EQ(shownLater->builds, 1);
    EXPECT_EQ(log, (std::vector<int>{1, 0, 1}));
    EXPECT_FALSE(lookedInto->isBuilt());

    // Looking for one of its controls builds and loads it, once.
    log.clear();
    EXPECT_EQ(lookedInto->control<QWidget>(7), nullptr);
    EXPECT_EQ(lookedInto->control<QWidget>(7), nullptr);
    EXPECT_EQ(lookedInto->builds, 1);
    EXPECT_EQ(log, std::vector<int>{2});

    // From then on every page is refreshed after a switch; nobody is built again.
    log.clear();
    set.SwitchPage(0);
    EXPECT_EQ(log, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(shownLater->builds, 1);
    EXPECT_EQ(lookedInto->builds, 1);
}

} // namespace
} // namespace velmora
