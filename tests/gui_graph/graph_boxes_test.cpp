// The viewer's boxes as a user sees them: the About box shows the program's own icon,
// and a message box is wide enough that its sentences are not broken before their
// last word.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTextLayout>
#include <gtest/gtest.h>

#include "graph_about_dlg.h"
#include "graph_strings.h"
#include "qt/qt_prompts.h"
#include "toolbar_icons.h"
#include "viewer_icon.h"

namespace velmora {
namespace {

QImage pictureOf(const QIcon& icon)
{
    return icon.pixmap(QSize(48, 48), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(GraphAboutBox, ShowsTheProgramsIcon)
{
    CGraphAboutDlg about;
    QImage shown;
    for (const QLabel* label : about.findChildren<QLabel*>())
        if (!label->pixmap().isNull())
            shown = label->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(shown.isNull());
    shown.setDevicePixelRatio(1.0);
    EXPECT_EQ(shown, pictureOf(viewerIcon()));
    EXPECT_NE(shown, pictureOf(toolbarIcon(ToolbarIcon::About))) << "not the About command's picture";
}

// The lines `paragraph` is broken into at `width` pixels, as the box's label breaks it.
QStringList linesOf(const QString& paragraph, const QFont& font, int width)
{
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

TEST(MessageBoxes, NoSentenceIsBrokenBeforeItsLastWord)
{
    std::string manyCharts(graphtext::kManyChartsWarning);
    manyCharts.replace(manyCharts.find("%1"), 2, "3");
    const std::string messages[] = {
        std::string(graphtext::kEventFileQuestion),
        manyCharts,
        std::string(graphtext::kTextEditorFailed),
        "The Sensor of the currently connected USB device has exceeded its calibration period.\n"
        "It is recommended that the device is calibrated.\nContact your supplier for further assistance.\n"
        "(See About box for contact details)",
        "The USB device currently connected is not compatible with this version of the software.\n"
        "Contact your supplier for further assistance.\n(See About box for contact details)",
    };
    QtPrompts prompts(QStringLiteral("VelmoraGraph"));
    int wrapped = 0;
    for (const std::string& text : messages) {
        SCOPED_TRACE(text.substr(0, 40));
        const std::unique_ptr<QMessageBox> box = prompts.makeBox(text, PromptIcon::Warning, PromptButtons::Ok);
        box->show();
        QApplication::processEvents();
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        const int width = label->contentsRect().width();
        for (const QString& paragraph : QString::fromStdString(text).split(QLatin1Char('\n'))) {
            const QStringList lines = linesOf(paragraph, label->font(), width);
            // Lines up to half the screen's width, and 400 pixels on any screen, stay whole.
            if (QFontMetrics(label->font()).horizontalAdvance(paragraph) <= 400) {
                EXPECT_EQ(lines.size(), 1) << "a line that fits is left whole: " << paragraph.toStdString();
            }
            if (lines.size() > 1) {
                ++wrapped;
                EXPECT_TRUE(lines.last().contains(QLatin1Char(' ')))
                    << "\"" << lines.last().toStdString() << "\" alone, in " << paragraph.toStdString();
            }
        }
        EXPECT_LE(box->width(), box->screen()->availableGeometry().width());
        box->hide();
    }
    EXPECT_GT(wrapped, 0) << "the long sentences are broken, evenly";
}

} // namespace
} // namespace velmora
