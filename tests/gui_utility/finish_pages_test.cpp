// The two finish pages and the summary page as a user meets them: pickers on the
// computer's clock while it runs, a user's edit stopping it, the radios of the
// push-button page, and the logger written by "&Finish".
#include <QLabel>
#include <QTimer>

#include "setup_pages_fixture.h"
#include "setup_push_to_start_form.h"
#include "setup_start_form.h"
#include "utility_strings.h"
#include "wizard_flags.h"

namespace velmora::test {
namespace {

class FinishPagesTest : public SetupPagesTest {
protected:
    QTimer* timer(int pageIndex, int id) const { return page(pageIndex)->findChild<QTimer*>(QString::number(id)); }
    WizardFlags& flags() { return app->wizardFlags(); }
    // What the pickers show, as one date and time each.
    QDateTime shown(int pageIndex, int id) const { return picker(pageIndex, id)->dateTime(); }
    static QDateTime at(int h, int mi, int s, int d = 7)
    {
        return QDateTime(QDate(2026, 12, d), QTime(h, mi, s), Qt::UTC);
    }
};

TEST_F(FinishPagesTest, StartPageFollowsTheClockUntilEditedAndFinishesAtThePickedTime)
{
    setUp(1);
    flags().startClockLive = true; // as the page before it leaves it
    app->SwitchPage(3);
    EXPECT_EQ(control<QAbstractButton>(3, 1002)->text(), "&Finish");
    EXPECT_EQ(shown(3, 1024), at(15, 0, 0));
    EXPECT_EQ(shown(3, 1025).date(), QDate(2026, 12, 7));
    ASSERT_TRUE(timer(3, 1001)->isActive());
    EXPECT_EQ(timer(3, 1001)->interval(), 500);

    wallClock.advance(30);
    static_cast<CSetupStartForm*>(page(3))->OnTimer();
    EXPECT_EQ(shown(3, 1024), at(15, 0, 30));

    picker(3, 1024)->setTime(QTime(16, 0, 30)); // the user's edit
    EXPECT_FALSE(timer(3, 1001)->isActive());
    EXPECT_FALSE(flags().startClockLive);
    EXPECT_EQ(shown(3, 1024).time(), QTime(16, 0, 30));

    click(3, 1002);
    ASSERT_EQ(shownPage(), 4);
    EXPECT_EQ(device->record().startDelay(), 3600u);
    EXPECT_EQ(device->record().startHour(), 16);
    EXPECT_FALSE(timer(3, 1001)->isActive());

    auto* name = control<QLabel>(4, 1029);
    EXPECT_EQ(name->text(), QString::fromStdString(device->record().name()));
    EXPECT_EQ(name->font().pointSize(), 16);
    click(4, 1);
    EXPECT_EQ(shownPage(), 0);
}

TEST_F(FinishPagesTest, StartPageRefusesAPastTimeAndCancelWritesNothing)
{
    setUp(1);
    flags().startClockLive = true;
    app->SwitchPage(3);
    picker(3, 1024)->setTime(QTime(14, 59, 0));
    prompts.expectMsg(utilitytext::kStartInPast);
    click(3, 1002);
    EXPECT_EQ(shownPage(), 3);
    EXPECT_EQ(shown(3, 1024).time(), QTime(14, 59, 0));

    flags().startClockLive = true;
    app->SwitchPage(3);
    click(3, 2);
    EXPECT_EQ(shownPage(), 0);
    EXPECT_FALSE(flags().startClockLive);
    EXPECT_FALSE(timer(3, 1001)->isActive());
    EXPECT_EQ(device->recordsTaken(), 0);
}

TEST_F(FinishPagesTest, PushToStartPageBlanksThePickersForTheButtonAndTakesAnEditAsADelay)
{
    setUp(12, [](LoggerConfig& c) { c.setPushButtonStart(true); });
    app->SwitchPage(18);
    EXPECT_TRUE(checked(18, 1147));
    EXPECT_FALSE(enabled(18, 1024));
    EXPECT_EQ(picker(18, 1024)->text(), " ");
    EXPECT_EQ(picker(18, 1025)->text(), " ");
    EXPECT_FALSE(timer(18, 1004)->isActive());

    click(18, 1146);
    EXPECT_TRUE(enabled(18, 1025));
    EXPECT_NE(picker(18, 1025)->text(), " ");
    EXPECT_TRUE(flags().pushClockLive);
    EXPECT_TRUE(timer(18, 1004)->isActive());
    wallClock.advance(5);
    static_cast<CSetupPushToStartForm*>(page(18))->OnTimer();
    EXPECT_EQ(shown(18, 1024), at(15, 0, 5));

    click(18, 1148);
    EXPECT_NE(picker(18, 1024)->text(), " ");
    EXPECT_FALSE(timer(18, 1004)->isActive());
    click(18, 1146);
    picker(18, 1025)->setDate(QDate(2026, 12, 8)); // the user's edit
    EXPECT_TRUE(checked(18, 1148));
    EXPECT_FALSE(checked(18, 1146));
    EXPECT_FALSE(timer(18, 1004)->isActive());

    click(18, 1002);
    ASSERT_EQ(shownPage(), 4);
    EXPECT_EQ(device->record().startDelay(), 86400u); // the pickers were set to now, a day ahead
    EXPECT_FALSE(device->record().hasMode(mode::kPushButton));
}

} // namespace
} // namespace velmora::test
