// Every set-up page fits the form of 300 x 175 dialog units with nothing cut off:
// the window is the form, each control on show has at least the room it asks for
// and lies inside its page, and the buttons stand at the same place on every page.
// ctest runs this at 1x and again at QT_SCALE_FACTOR=2.
#include <QAbstractButton>
#include <QLabel>
#include <QStyle>

#include "dialog_units.h"
#include "main_frame.h"
#include "page_sequence.h"
#include "setup_pages_fixture.h"
#include "type_catalogue.h"
#include "wizard_pages.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << " x " << s.height(); }
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << "(" << p.x() << ", " << p.y() << ")"; }
QT_END_NAMESPACE

namespace velmora::test {
namespace {

// What is wrong with the room `w` has on `page`, or nothing. A size the page fixed
// on purpose is its own, except that a list or a picker must show its entries whole.
std::string crampedBy(const QWidget& page, const QWidget& w)
{
    const QRect box(w.mapTo(&page, QPoint(0, 0)), w.size());
    if (!page.rect().contains(box))
        return "outside the page";
    const bool entries = w.inherits("QComboBox") || w.inherits("QAbstractSpinBox");
    const int width = entries ? w.sizeHint().width() : w.minimumSizeHint().width();
    if (w.width() < width && (entries || w.minimumWidth() != w.maximumWidth()))
        return "narrower than it needs (" + std::to_string(w.width()) + " < " + std::to_string(width) + ")";
    const int height = w.hasHeightForWidth() ? w.heightForWidth(w.width()) : w.minimumSizeHint().height();
    if (w.height() < height && w.minimumHeight() != w.maximumHeight())
        return "lower than it needs (" + std::to_string(w.height()) + " < " + std::to_string(height) + ")";
    return {};
}

std::string describe(const QWidget& w)
{
    std::string name = w.metaObject()->className();
    if (!w.objectName().isEmpty())
        name += " " + w.objectName().toStdString();
    if (auto* label = qobject_cast<const QLabel*>(&w))
        name += " \"" + label->text().toStdString() + "\"";
    if (auto* button = qobject_cast<const QAbstractButton*>(&w))
        name += " \"" + button->text().toStdString() + "\"";
    return name;
}

class PageLayoutTest : public SetupPagesTest, public ::testing::WithParamInterface<LoggerType> {};

TEST_P(PageLayoutTest, EveryPageOfTheRowFitsTheForm)
{
    const LoggerType type = GetParam();
    setUp(type, [](LoggerConfig& c) {
        // The longest name a logger holds; the scaling page with the user's points.
        c.setName("WWWWWWWWWWWWWWW");
        if (isScaled(c.type()))
            c.setInputOptions(1);
    });
    const QSize form = DialogUnits(app->mainFrame().font()).size(kPageWidthDlu, kPageHeightDlu);
    EXPECT_EQ(app->mainFrame().pane()->size(), form);

    std::optional<QPoint> cornerAt;
    for (const int index : pageRow(type)) {
        SCOPED_TRACE("page " + std::to_string(index));
        app->SwitchPage(index);
        QApplication::processEvents();
        CPageView* view = page(index);
        const QSize least = view->minimumSizeHint();
        EXPECT_LE(least.width(), form.width());
        EXPECT_LE(least.height(), form.height());
        EXPECT_EQ(view->size(), form);
        for (QWidget* w : view->findChildren<QWidget*>()) {
            // The parts of a list, a picker or a scrolling box are theirs to arrange.
            const QWidget* owner = w->parentWidget();
            if (!w->isVisibleTo(view) || owner->inherits("QComboBox") || owner->inherits("QAbstractSpinBox") ||
                owner->inherits("QAbstractScrollArea") || w->inherits("QScrollBar"))
                continue;
            const std::string fault = crampedBy(*view, *w);
            EXPECT_EQ(fault, "") << describe(*w);
        }
        // The buttons stand in one place on every page: the last of them ("&Cancel", or
        // the summary's "OK") in the corner.
        const QWidget* button = view->control<QWidget>(index == page::kSummary ? ctl::kOk : ctl::kCancel);
        ASSERT_NE(button, nullptr);
        const QPoint at = button->mapTo(view, button->rect().bottomRight());
        if (cornerAt) {
            EXPECT_EQ(at, *cornerAt);
        }
        cornerAt = at;
    }
}

INSTANTIATE_TEST_SUITE_P(CompatibleTypes, PageLayoutTest,
                         ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19, 21),
                         [](const ::testing::TestParamInfo<LoggerType>& info) {
                             return "type" + std::to_string(info.param);
                         });

} // namespace
} // namespace velmora::test
