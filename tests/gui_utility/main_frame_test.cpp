// The main window: its menu, its fixed size, the help keys and the About box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "about_dlg.h"
#include "main_frame.h"
#include "qt/context_help_mode.h"
#include "qt/qt_help.h"
#include "recording_help.h"

namespace velmora {
namespace {

struct MenuLine {
    QString text; // empty for a separator
    QString name; // the command's object name
};

std::vector<MenuLine> linesOf(QMenu* menu)
{
    std::vector<MenuLine> lines;
    for (QAction* a : menu->actions())
        lines.push_back(a->isSeparator() ? MenuLine{} : MenuLine{a->text(), a->objectName()});
    return lines;
}

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest() : frame(help)
    {
        frame.setCurrentContext([this] { return currentContext; });
    }
    test::RecordingHelp help;
    CMainFrame frame;
    int currentContext = 101;
};

TEST_F(MainFrameTest, MenuHoldsEveryCommandInOrder)
{
    const QList<QAction*> top = frame.menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), "&Options");
    EXPECT_EQ(top[1]->text(), "&Help");

    const std::vector<MenuLine> options = linesOf(top[0]->menu());
    const std::vector<MenuLine> expectedOptions = {
        {"&Set up and Start...", "1101"},
        {"Stop and &Download...", "1102"},
        {"&View Previous Graph...", "1103"},
        {"&Current Status...", "32775"},
        {"Download &All Loggers...", "32776"},
        {"", ""},
        {"E&xit", "exit"},
    };
    ASSERT_EQ(options.size(), expectedOptions.size());
    for (std::size_t i = 0; i < options.size(); ++i) {
        EXPECT_EQ(options[i].text, expectedOptions[i].text) << i;
        EXPECT_EQ(options[i].name, expectedOptions[i].name) << i;
    }
    const std::vector<MenuLine> helpMenu = linesOf(top[1]->menu());
    ASSERT_EQ(helpMenu.size(), 3u);
    EXPECT_EQ(helpMenu[0].text, "&Help Topics");
    EXPECT_EQ(helpMenu[1].text, "");
    EXPECT_EQ(helpMenu[2].text, "&About Velmora USB...");
    for (int id : {1101, 1102, 1103, 32775, 32776})
        EXPECT_EQ(frame.command(id), frame.findChild<QAction*>(QString::number(id)));
}

TEST_F(MainFrameTest, TitleIsTheProgramNameAlone) { EXPECT_EQ(frame.windowTitle(), "Velmora USB"); }

TEST_F(MainFrameTest, CannotBeResizedOrMaximised)
{
    frame.fitToForm(QSize(470, 290));
    frame.show();
    EXPECT_EQ(frame.minimumSize(), frame.maximumSize());
    EXPECT_EQ(frame.pane()->size(), QSize(470, 290));
    EXPECT_FALSE(frame.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(frame.windowFlags() & Qt::WindowMinimizeButtonHint);
    frame.resize(900, 700);
    EXPECT_EQ(frame.size(), frame.minimumSize());
}

TEST_F(MainFrameTest, TaskCommandsFollowThePageOnShow)
{
    frame.setTaskCommandsEnabled(false);
    for (int id : {1101, 1102, 1103, 32775, 32776})
        EXPECT_FALSE(frame.command(id)->isEnabled()) << id;
    EXPECT_TRUE(frame.exitAction()->isEnabled());
    EXPECT_TRUE(frame.helpTopicsAction()->isEnabled());
    frame.setTaskCommandsEnabled(true);
    for (int id : {1101, 1102, 1103, 32775, 32776})
        EXPECT_TRUE(frame.command(id)->isEnabled()) << id;
}

TEST_F(MainFrameTest, HelpKeysAndHelpTopics)
{
    EXPECT_EQ(frame.helpAction()->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(frame.contextHelpAction()->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));

    currentContext = 142;
    QTest::keyClick(&frame, Qt::Key_F1);
    frame.helpTopicsAction()->trigger();
    EXPECT_EQ(help.requests, (std::vector<int>{142, test::RecordingHelp::kContents}));
}

TEST_F(MainFrameTest, ContextHelpOpensTheTopicOfWhatIsClicked)
{
    auto* page = new QWidget(frame.pane());
    page->setProperty("helpContext", 141);
    auto* button = new QPushButton(QStringLiteral("OK"), page);
    page->resize(200, 100);
    frame.fitToForm(QSize(200, 100));
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));

    QTest::keyClick(&frame, Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_TRUE(frame.contextHelpMode().active());
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(frame.contextHelpMode().active());
    EXPECT_EQ(help.requests, std::vector<int>{141});
    EXPECT_EQ(clicks, 0) << "the click that picks the topic must not press the button";

    // Escape leaves the mode without help.
    QTest::keyClick(&frame, Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_TRUE(frame.contextHelpMode().active());
    QTest::keyClick(&frame, Qt::Key_Escape);
    EXPECT_FALSE(frame.contextHelpMode().active());
    EXPECT_EQ(help.requests, std::vector<int>{141});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainFrameTest, AboutBoxShowsVersionAndSupplier)
{
    QString title, version;
    bool hasSupplier = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        for (QLabel* l : box->findChildren<QLabel*>())
            if (l->text().startsWith("Velmora USB Version"))
                version = l->text();
        hasSupplier = box->findChild<QGroupBox*>() != nullptr;
        QTest::mouseClick(box->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    frame.aboutAction()->trigger();
    EXPECT_EQ(title, "About Velmora USB");
    EXPECT_EQ(version, "Velmora USB Version 5.53");
    EXPECT_TRUE(hasSupplier);
}

TEST(HelpWindowTest, OpensTheTopicOfAContextNumberAndIsReused)
{
    // From the build tree the pages are found in the source tree.
    ASSERT_FALSE(findHelpFolder().isEmpty());
    openHelp(1006);
    auto* window = qobject_cast<HelpWindow*>(QApplication::activeWindow());
    if (!window)
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* h = qobject_cast<HelpWindow*>(w))
                window = h;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->browser()->source().path().endsWith("graph-channels.html"));
    EXPECT_EQ(window->browser()->source().fragment(), "co");
    EXPECT_EQ(window->browser()->documentTitle(), "Reading the chart");

    openHelp(142);
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows += qobject_cast<HelpWindow*>(w) != nullptr && w->isVisible();
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(window->browser()->source().path().endsWith("status.html"));
    window->close();
}

HelpWindow* helpWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible())
            return h;
    return nullptr;
}

TEST(HelpWindowTest, ATopicOpensWithItsHeadingAtTheTop)
{
    // The viewer's carbon monoxide topic ends its page; the others stand early, late
    // and in the middle of theirs. Each comes up at the top, on a new window as on one
    // already open.
    for (int round = 0; round < 2; ++round)
        for (int context : {1006, 1001, 1005, 1002, 161, 105}) {
            SCOPED_TRACE(context);
            openHelp(context);
            HelpWindow* window = helpWindow();
            ASSERT_NE(window, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
            QTest::qWait(20);
            const std::optional<int> offset = window->topicOffset();
            ASSERT_TRUE(offset.has_value()) << window->browser()->source().toString().toStdString();
            EXPECT_LE(std::abs(*offset), 2);
            if (round == 0 && context == 105)
                window->close();
        }
    if (HelpWindow* window = helpWindow())
        window->close();
}

TEST(HelpWindowTest, EscapeAndCtrlWCloseIt)
{
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::CTRL | Qt::Key_W)}) {
        openHelp(142);
        QPointer<HelpWindow> window = helpWindow();
        ASSERT_NE(window, nullptr);
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window->browser(), key.key(), key.keyboardModifiers());
        QTest::qWait(10); // the window deletes itself once closed
        EXPECT_TRUE(window.isNull() || !window->isVisible()) << QKeySequence(key).toString().toStdString();
    }
}

TEST(HelpWindowTest, PageUrlsCarryTheirAnchor)
{
    const QUrl url = helpPageUrl("/usr/share/velmora/help", "setup-alarm-pages.html#co");
    EXPECT_EQ(url.toLocalFile(), "/usr/share/velmora/help/setup-alarm-pages.html");
    EXPECT_EQ(url.fragment(), "co");
    EXPECT_EQ(helpPageUrl("/h", "index.html").fragment(), "");
}

} // namespace
} // namespace velmora
