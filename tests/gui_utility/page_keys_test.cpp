// The keys on the utility's pages, as on a dialog: the first control has the focus when
// a page is shown, Return presses the default button (or the push button with the
// focus), Escape the page's Cancel, and Tab visits a page's own controls before its
// buttons. The keys go where a user's keys go: to the widget with the focus.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "setup_pages_fixture.h"

namespace velmora::test {
namespace {

class PageKeysTest : public SetupPagesTest {
protected:
    QWidget* focused() const { return QApplication::focusWidget(); }
    void press(Qt::Key key)
    {
        ASSERT_NE(focused(), nullptr);
        QTest::keyClick(focused(), key);
    }
};

TEST_F(PageKeysTest, MainMenuFocusesItsFirstButtonAndEscapeDoesNothing)
{
    setUp(1);
    click(1, 2); // back to the main menu through the name page's Cancel
    ASSERT_EQ(shownPage(), 0);
    EXPECT_EQ(focused(), control(0, 1101)) << "the first picture button";
    press(Qt::Key_Escape);
    EXPECT_EQ(shownPage(), 0);
    press(Qt::Key_Return); // the focused button: set up
    EXPECT_EQ(shownPage(), 1);
}

TEST_F(PageKeysTest, ReturnPressesNextFromAFieldAndEscapeCancels)
{
    setUp(1);
    ASSERT_EQ(shownPage(), 1);
    EXPECT_EQ(focused(), control(1, 1012)) << "the name box, not a button";
    press(Qt::Key_Return);
    ASSERT_EQ(shownPage(), 2) << "Next";
    ASSERT_NE(focused(), nullptr);
    EXPECT_FALSE(qobject_cast<QPushButton*>(focused())) << "a control of the alarms page";
    EXPECT_TRUE(page(2)->isAncestorOf(focused()));
    press(Qt::Key_Escape);
    EXPECT_EQ(shownPage(), 0) << "Cancel";
    prompts.expectAllShown();
}

TEST_F(PageKeysTest, AFocusedButtonTakesReturn)
{
    setUp(1);
    control(1, 2)->setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(shownPage(), 0) << "Cancel, not the default Next";

    click(0, 1102);
    ASSERT_EQ(shownPage(), 5);
    EXPECT_EQ(focused(), control(5, 1)) << "the stop page's OK, its default";
    press(Qt::Key_Escape);
    EXPECT_EQ(shownPage(), 0) << "the stop page's Cancel";
}

TEST_F(PageKeysTest, ReturnInANumberBoxGoesToThePage)
{
    setUp(4); // a voltage logger: the scaling page's boxes take numbers only
    app->SwitchPage(9);
    auto* in1 = control<QLineEdit>(9, 1080);
    in1->setFocus();
    ASSERT_EQ(focused(), in1);
    const QString before = in1->text();
    press(Qt::Key_Return);
    EXPECT_EQ(in1->text(), before) << "Return is no character of the number";
    EXPECT_EQ(shownPage(), 10) << "Next";
}

TEST_F(PageKeysTest, TabVisitsThePageControlsBeforeItsButtons)
{
    setUp(1);
    QWidget* start = focused();
    ASSERT_EQ(start, control(1, 1012));
    QStringList visited;
    bool buttonSeen = false, controlAfterButton = false;
    QWidget* w = start;
    for (int n = 0; n < 20; ++n) {
        const bool button = qobject_cast<QPushButton*>(w) != nullptr;
        controlAfterButton = controlAfterButton || (buttonSeen && !button);
        buttonSeen = buttonSeen || button;
        visited << w->objectName();
        press(Qt::Key_Tab);
        w = focused();
        if (w == start)
            break;
    }
    EXPECT_EQ(w, start) << "Tab comes round";
    EXPECT_TRUE(buttonSeen);
    EXPECT_FALSE(controlAfterButton) << visited.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(visited.mid(visited.size() - 2), (QStringList{"1002", "2"})) << "Next, Cancel (Back is off)";
}

TEST_F(PageKeysTest, StatusPageFocusesOkWhichReturnAndEscapePress)
{
    setUp(1);
    click(1, 2);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        app->mainFrame().command(32775)->trigger();
        ASSERT_EQ(shownPage(), 6);
        EXPECT_EQ(focused(), control(6, 1)) << "OK";
        press(key);
        EXPECT_EQ(shownPage(), 0) << key;
    }
}

} // namespace
} // namespace velmora::test
