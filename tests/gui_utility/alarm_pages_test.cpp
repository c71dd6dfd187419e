// The alarm pages as the user meets them: the controls filled from the logger's
// record, switches that write their bit at once and enable their controls, the
// focus on the control at fault, corrected levels shown, and the advice dialog.
// What the rules check and store is proven without a display in tests/wizard.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "connected_logger.h"
#include "main_frame.h"
#include "qt/qt_prompts.h"
#include "utility_fixture.h"
#include "utility_strings.h"

namespace velmora::test {
namespace {

class AlarmPagesTest : public UtilityTest {
protected:
    // The logger as the main menu has read it, on the page.
    void openPage(LoggerImage image, int pageIndex)
    {
        plugIn(std::move(image));
        startApp();
        ASSERT_TRUE(app->logger().readConfiguration());
        app->SwitchPage(pageIndex);
        app->mainFrame().activateWindow();
        QApplication::processEvents();
    }
    LoggerConfig& config() { return app->logger().config; }
    bool focused(int pageIndex, int id) const { return QApplication::focusWidget() == control(pageIndex, id); }
};

TEST_F(AlarmPagesTest, TemperatureAlarms)
{
    openPage(fridgeImage(), 2); // high 8.0, low 2.0, both on
    auto* high = control<QComboBox>(2, 1019);
    auto* low = control<QComboBox>(2, 1021);
    EXPECT_EQ(high->count(), 256);
    EXPECT_EQ(high->currentText(), QStringLiteral("8.0 \u00B0C"));
    EXPECT_EQ(low->currentText(), QStringLiteral("2.0 \u00B0C"));

    click(2, 1036);
    EXPECT_FALSE(config().hasFlag(flag::kLowEnabled));
    EXPECT_FALSE(low->isEnabled());
    EXPECT_FALSE(control(2, 1022)->isEnabled());
    click(2, 1036);
    EXPECT_TRUE(config().hasFlag(flag::kLowEnabled));
    EXPECT_TRUE(low->isEnabled());

    high->setCurrentIndex(low->currentIndex());
    prompts.expectMsg(utilitytext::kHighNotAboveLow);
    click(2, 1002);
    EXPECT_EQ(shownPage(), 2);
    EXPECT_TRUE(focused(2, 1019));

    click(2, 1000);
    EXPECT_EQ(shownPage(), 1);
}

TEST_F(AlarmPagesTest, HumidityAndLiteAlarms)
{
    openPage(presetImage(3), 7);
    EXPECT_EQ(control<QComboBox>(7, 1071)->currentText(), QStringLiteral("70.0 %"));
    EXPECT_EQ(control<QComboBox>(7, 1073)->currentText(), QStringLiteral("30.0 %"));
    click(7, 1069);
    EXPECT_FALSE(config().hasFlag(flag::kRhHighEnabled));
    EXPECT_FALSE(control(7, 1071)->isEnabled());
    EXPECT_FALSE(control(7, 1072)->isEnabled());

    app.reset();
    bridge.detach(0);
    openPage(presetImage(8), 12);
    EXPECT_EQ(control<QComboBox>(12, 1019)->count(), 61);
    EXPECT_EQ(control<QComboBox>(12, 1019)->currentText(), QStringLiteral("26 \u00B0C"));
}

TEST_F(AlarmPagesTest, TypedLevels)
{
    openPage(presetImage(4), 10); // 0 to 30 V, high 14.4, low 11.5
    auto* high = control<QLineEdit>(10, 1083);
    EXPECT_EQ(high->text(), QStringLiteral("14.40"));
    EXPECT_EQ(text(10, 1085), QStringLiteral("Volts"));
    EXPECT_EQ(high->maxLength(), 7);
    click(10, 1093);
    EXPECT_TRUE(config().hasMode(mode::kLedsDisabled));
    click(10, 1035);
    EXPECT_FALSE(config().hasFlag(flag::kHighEnabled));
    EXPECT_FALSE(high->isEnabled());
    click(10, 1035);

    high->setText(QStringLiteral("35"));
    prompts.expectMsg(utilitytext::kHighAlarmAdjusted);
    click(10, 1002);
    EXPECT_EQ(shownPage(), 10);
    EXPECT_EQ(high->text(), QStringLiteral("30.00"));
    EXPECT_TRUE(focused(10, 1083));

    // A level left empty is refused, with the focus on its box.
    auto* low = control<QLineEdit>(10, 1084);
    low->clear();
    high->setFocus();
    prompts.expect(std::string(utilitytext::kLowLevelMissing));
    click(10, 1002);
    EXPECT_EQ(shownPage(), 10);
    EXPECT_TRUE(focused(10, 1084));
    low->setText(QStringLiteral("11.50"));

    app.reset();
    bridge.detach(0);
    openPage(presetImage(14), 10);
    EXPECT_TRUE(control(10, 1093)->isHidden());
    EXPECT_EQ(text(10, 1086), QStringLiteral("\u00B0C"));
}

TEST_F(AlarmPagesTest, CarbonMonoxideWarningLevel)
{
    openPage(presetImage(9), 15); // 35 ppm, indicator and sounder on
    auto* level = control<QLineEdit>(15, 1084);
    EXPECT_EQ(level->text(), QStringLiteral("35"));
    EXPECT_EQ(level->maxLength(), 4);
    click(15, 1036);
    EXPECT_FALSE(config().hasFlag(flag::kLowEnabled));
    for (int id : {1084, 1022, 1105, 1123, 1085, 1124, 1125, 1126, 1128, 1129})
        EXPECT_FALSE(control(15, id)->isEnabled()) << id;
    click(15, 1036);
    EXPECT_TRUE(control(15, 1123)->isEnabled());

    level->setText(QStringLiteral("60"));
    click(15, 1105); // the sounder off: written on Next only
    EXPECT_TRUE(config().hasMode(mode::kSounder));
    prompts.expectMsg(utilitytext::kCoAboveSafetySounderOff, PromptAnswer::No, PromptIcon::Question);
    click(15, 1002);
    EXPECT_EQ(shownPage(), 15);
    EXPECT_TRUE(focused(15, 1084));

    // "CO Levels..." shows the advice modally.
    QString caption;
    QTimer::singleShot(0, [&caption] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            caption = dialog->windowTitle() + " " + dialog->objectName();
            dialog->accept();
        }
    });
    click(15, 1123);
    EXPECT_EQ(caption, QStringLiteral("Velmora USB CSetupCOTableDlg"));
}

TEST_F(AlarmPagesTest, ConsecutiveAlarms)
{
    LoggerImage image = presetImage(21);
    image.record.setLowAlarmEnabled(false);
    openPage(std::move(image), 25);
    auto* box = control<QCheckBox>(25, 1035);
    auto* count = control<QLineEdit>(25, 1183);
    EXPECT_TRUE(box->isEnabled());
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(count->isEnabled());
    EXPECT_FALSE(control(25, 1036)->isEnabled()); // the low alarm is off
    EXPECT_EQ(text(25, 1047), QStringLiteral("5 Minutes"));

    click(25, 1035);
    EXPECT_EQ(count->text(), QStringLiteral("2"));
    count->setText(QStringLiteral("40"));
    click(25, 1035);
    EXPECT_EQ(count->text(), QString());
    EXPECT_FALSE(count->isEnabled());
    click(25, 1035);
    EXPECT_EQ(count->text(), QStringLiteral("40")); // remembered

    count->setText(QStringLiteral("1"));
    prompts.expectMsg(utilitytext::kCountAdjusted);
    click(25, 1002);
    EXPECT_EQ(count->text(), QStringLiteral("2"));
    EXPECT_TRUE(focused(25, 1183));
}

TEST(SafetyQuestionBox, ReturnAnswersNoWhenNoIsTheDefault)
{
    QtPrompts prompts(QStringLiteral("Velmora USB"));
    const std::unique_ptr<QMessageBox> box = prompts.makeBox(
        std::string(utilitytext::kCoSounderOff), PromptIcon::Question, PromptButtons::YesNo, PromptAnswer::No);
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::No));
    QTimer::singleShot(0, box.get(), [&box] { QTest::keyClick(box.get(), Qt::Key_Return); });
    EXPECT_EQ(box->exec(), QMessageBox::No);
    // Other questions keep Yes on Return.
    const std::unique_ptr<QMessageBox> plain = prompts.makeBox("?", PromptIcon::Question, PromptButtons::YesNo);
    EXPECT_EQ(static_cast<QAbstractButton*>(plain->defaultButton()), plain->button(QMessageBox::Yes));
}

} // namespace
} // namespace velmora::test
