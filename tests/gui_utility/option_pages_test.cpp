// The display, full-memory and safety agreement pages as a user meets them: radios
// filled from the record, the capacity texts, and "Next >" held back until "I Agree".
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "setup_pages_fixture.h"

namespace velmora::test {
namespace {

class OptionPagesTest : public SetupPagesTest {};

TEST_F(OptionPagesTest, DisplayPageShowsAndWritesTheModeBits)
{
    setUp(19, [](LoggerConfig& c) { c.setModeFlags(mode::kLcdBit6 | mode::kOverwrite | mode::kSounder); });
    app->SwitchPage(17);
    EXPECT_TRUE(checked(17, 1149));
    EXPECT_TRUE(checked(17, 1153));
    EXPECT_TRUE(enabled(17, 1000));

    click(17, 1150);
    click(17, 1152);
    click(17, 1002);
    EXPECT_EQ(shownPage(), 10);
    EXPECT_EQ(app->logger().config.modeFlags(), mode::kLcdBit5 | mode::kLcdBit6 | mode::kSounder);
}

TEST_F(OptionPagesTest, StoragePageTellsTheLoggersCapacity)
{
    setUp(13, [](LoggerConfig& c) { c.setMemoryCapacity(32000); });
    app->SwitchPage(19);
    EXPECT_TRUE(checked(19, 1152));
    EXPECT_EQ(text(19, 1154), "of 32000 samples.");
    EXPECT_EQ(text(19, 1155), "retain the last 31999 samples.");
    click(19, 1153);
    click(19, 1000);
    EXPECT_EQ(shownPage(), 1);
    EXPECT_FALSE(app->logger().config.isOverwriteMode());
}

TEST_F(OptionPagesTest, AgreementPagesGoOnOnlyAfterIAgreeAndForgetItOnTheWayBack)
{
    struct Case {
        LoggerType type;
        int agreement;
        int next;
        const char* mentions;
    };
    const Case cases[] = {{9, 14, 13, "KV-USB-5 WITHOUT"}, {14, 20, 1, "KV-USB-1-HT WITHOUT"}};
    for (const Case& c : cases) {
        setUp(c.type);
        ASSERT_EQ(shownPage(), c.agreement);
        auto* box = control<QPlainTextEdit>(c.agreement, 1121);
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_TRUE(box->toPlainText().contains(c.mentions));
        EXPECT_FALSE(box->toPlainText().contains('\r'));
        EXPECT_GT(box->verticalScrollBar()->maximum(), 0) << "the agreement is longer than the box";
        EXPECT_EQ(text(c.agreement, 1075), "Safety Agreement");
        EXPECT_TRUE(checked(c.agreement, 1133));
        EXPECT_FALSE(enabled(c.agreement, 1002));
        EXPECT_FALSE(enabled(c.agreement, 1000));

        click(c.agreement, 1134);
        EXPECT_TRUE(enabled(c.agreement, 1002));
        click(c.agreement, 1133);
        EXPECT_FALSE(enabled(c.agreement, 1002));
        click(c.agreement, 1134);
        click(c.agreement, 1002);
        ASSERT_EQ(shownPage(), c.next);

        click(c.next, 1000);
        ASSERT_EQ(shownPage(), c.agreement);
        EXPECT_TRUE(checked(c.agreement, 1133));
        EXPECT_FALSE(enabled(c.agreement, 1002));
        EXPECT_FALSE(enabled(c.agreement, 1000));
        app.reset();
        bridge.detach(0);
    }
}

} // namespace
} // namespace velmora::test
