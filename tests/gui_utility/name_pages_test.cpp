// The name pages and the scaling page as a user meets them: the controls filled from
// the logger, the Back buttons, the focus on the box at fault, and what the scaling
// page's unit box and "Default" do at once.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "setup_pages_fixture.h"
#include "utility_strings.h"

namespace velmora::test {
namespace {

class NamePagesTest : public SetupPagesTest {
protected:
    QStringList entries(int pageIndex, int id) const
    {
        QStringList list;
        if (auto* box = control<QComboBox>(pageIndex, id))
            for (int i = 0; i < box->count(); ++i)
                list << box->itemText(i);
        return list;
    }
    void type(int pageIndex, int id, const QString& text)
    {
        auto* edit = control<QLineEdit>(pageIndex, id);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    bool hasFocus(int pageIndex, int id) const
    {
        QWidget* box = control(pageIndex, id);
        return box && QApplication::focusWidget() == box;
    }
};

TEST_F(NamePagesTest, NamePageShowsTheLoggerAndKeepsTheFocusOnARefusedName)
{
    setUp(1, [](LoggerConfig& c) { c.setSampleInterval(3600); });
    ASSERT_EQ(shownPage(), 1);
    EXPECT_EQ(control<QLineEdit>(1, 1012)->text(), "Fridge");
    EXPECT_TRUE(checked(1, 1004));
    EXPECT_EQ(entries(1, 1028),
              (QStringList{"10 Sec (45 Hrs)", "1 Min (11 Days)", "5 Min (56 Days)", "30 Min (11 Mths)",
                           "1 Hour (1.8 Yrs)", "6 Hours (>2 Yrs)", "12 Hours (>2 Yrs)"}));
    EXPECT_EQ(control<QComboBox>(1, 1028)->currentIndex(), 4);
    EXPECT_FALSE(control(1, 1000)->isEnabled());

    type(1, 1012, "Cold:Store");
    prompts.expectMsg(utilitytext::kNameUnsupported);
    click(1, 1002);
    EXPECT_EQ(shownPage(), 1);
    EXPECT_TRUE(hasFocus(1, 1012));

    type(1, 1012, "Cold Store");
    click(1, 1002);
    EXPECT_EQ(shownPage(), 2);
}

TEST_F(NamePagesTest, NamePageBackWorksOnlyAfterTheAgreementPage)
{
    setUp(14, [](LoggerConfig& c) { c.setSampleInterval(30); });
    app->SwitchPage(1);
    EXPECT_TRUE(control(1, 1000)->isEnabled());
    EXPECT_EQ(control<QComboBox>(1, 1028)->count(), 8);
    EXPECT_EQ(control<QComboBox>(1, 1028)->currentIndex(), -1);
    click(1, 1000);
    EXPECT_EQ(shownPage(), 20);
}

TEST_F(NamePagesTest, VoltageNamePageShowsItsRangeAndLeadsToTheScalingPage)
{
    setUp(5);
    ASSERT_EQ(shownPage(), 8);
    EXPECT_EQ(text(8, 1099), "The USB Current Data Logger is set to:-");
    EXPECT_EQ(text(8, 1098), "(0.00 - 25.00 mA)");
    EXPECT_TRUE(checked(8, 1076));
    EXPECT_FALSE(control(8, 1031)->isEnabled());
    EXPECT_EQ(page(8)->control<QWidget>(1000), nullptr);
    // Typing stops at 15 characters.
    type(8, 1012, "Pump Current Loop A");
    EXPECT_EQ(control<QLineEdit>(8, 1012)->text(), "Pump Current Lo");

    control<QRadioButton>(8, 1077)->click();
    click(8, 1002);
    EXPECT_EQ(shownPage(), 9);
}

TEST_F(NamePagesTest, ScalingPageFollowsTheUnitAsTypedAndPutsTheFactoryPointsBack)
{
    setUp(4, [](LoggerConfig& c) {
        c.setInputOptions(1);
        c.setText(TextSlot::Units, "ppm");
        c.setText(TextSlot::ScaleIn1, "1.5");
        c.setText(TextSlot::ScaleOut2, "x9");
    });
    control<QRadioButton>(8, 1077)->click();
    click(8, 1002);
    ASSERT_EQ(shownPage(), 9);
    auto* unit = control<QComboBox>(9, 1078);
    EXPECT_EQ(unit->count(), 26);
    EXPECT_EQ(unit->itemText(unit->currentIndex()), "ppm CO");
    EXPECT_EQ(unit->currentText(), "ppm");
    EXPECT_EQ(text(9, 1096), "Volts");
    EXPECT_EQ(text(9, 1091), "ppm");
    EXPECT_EQ(control<QLineEdit>(9, 1080)->text(), "1.5");
    EXPECT_EQ(control<QLineEdit>(9, 1081)->text(), "0.00");

    unit->lineEdit()->selectAll();
    QTest::keyClicks(unit->lineEdit(), "kilopascal");
    EXPECT_EQ(unit->currentText(), "kilopasc");
    EXPECT_EQ(text(9, 1092), "kilopasc");

    click(9, 1095);
    EXPECT_EQ(control<QLineEdit>(9, 1080)->text(), "0.00");
    EXPECT_EQ(control<QLineEdit>(9, 1082)->text(), "30.00");
    EXPECT_EQ(unit->currentText(), "kilopasc");
    EXPECT_EQ(app->logger().config.units(), "Volts");

    type(9, 1082, "0");
    prompts.expectMsg(utilitytext::kInputsEqual);
    click(9, 1002);
    EXPECT_EQ(shownPage(), 9);
    EXPECT_TRUE(hasFocus(9, 1082));
    EXPECT_EQ(app->logger().config.units(), "kilopasc");
}

TEST_F(NamePagesTest, LiteNamePageHasNoRateBox)
{
    setUp(8);
    ASSERT_EQ(shownPage(), 11);
    EXPECT_EQ(page(11)->control<QWidget>(1028), nullptr);
    EXPECT_FALSE(control(11, 1031)->isEnabled());
    click(11, 1002);
    EXPECT_EQ(shownPage(), 12);
}

TEST_F(NamePagesTest, CoNamePageGoesBackToTheAgreement)
{
    setUp(11, [](LoggerConfig& c) { c.setSampleInterval(300); });
    app->SwitchPage(13);
    EXPECT_EQ(control<QComboBox>(13, 1028)->currentIndex(), 3);
    ASSERT_TRUE(control(13, 1000)->isEnabled());
    click(13, 1000);
    EXPECT_EQ(shownPage(), 14);
}

TEST_F(NamePagesTest, ThermocouplePageShowsTheKindAndTheScale)
{
    setUp(15, [](LoggerConfig& c) { c.setInputOptions(0x41); });
    ASSERT_EQ(shownPage(), 16);
    EXPECT_EQ(entries(16, 1142), (QStringList{"J-Type", "K-Type", "T-Type"}));
    EXPECT_EQ(control<QComboBox>(16, 1142)->currentIndex(), 2);
    EXPECT_TRUE(checked(16, 1026));
    EXPECT_FALSE(control(16, 1031)->isEnabled());
    click(16, 1002);
    EXPECT_EQ(shownPage(), 17);
}

} // namespace
} // namespace velmora::test
