#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "chart.h"
#include "chart_settings.h"
#include "print_page.h"
#include "scripted_prompts.h"
#include "velmora_graph_view.h"

namespace velmora {
namespace {

TEST(PrintPage, ScalesThe1024By768PageUniformlyAndCentresIt)
{
    struct Case {
        int width, height;
        PageMapping want;
    } cases[] = {
        {2048, 1000, {1000.0 / 768.0, (2048.0 - 1024.0 * 1000.0 / 768.0) / 2.0, 0.0}}, // wide: centred across
        {1024, 1000, {1.0, 0.0, 116.0}},                                               // tall: centred down
        {4096, 3072, {4.0, 0.0, 0.0}},                                                 // exactly 4:3
    };
    for (const Case& c : cases) {
        const PageMapping m = pageMapping(c.width, c.height);
        EXPECT_DOUBLE_EQ(m.scale, c.want.scale) << c.width << "x" << c.height;
        EXPECT_DOUBLE_EQ(m.dx, c.want.dx) << c.width << "x" << c.height;
        EXPECT_DOUBLE_EQ(m.dy, c.want.dy) << c.width << "x" << c.height;
    }
}

TEST(PrintChart, TheScreensRangesIncludingZeroWhenNotZoomed)
{
    GraphData data;
    data.loggerName = "Fridge";
    data.readingCount = 31;
    data.sampleInterval = 10;
    data.startTime = GraphData::kDefaultStart;
    Chart screen;
    applyChartSettings(screen, {});
    screen.setAxisMinimum(Axis::X, 100);
    screen.setAxisMaximum(Axis::X, 250);
    screen.setAxisMinimum(Axis::Y, 5.5);
    screen.setAxisMaximum(Axis::Y, 9.5);
    screen.setAxisMinimum(Axis::Y2, -30);
    screen.setAxisMaximum(Axis::Y2, -10);
    screen.setMarkerX(120);

    const Chart zoomed = makePrintChart(screen, data, true);
    EXPECT_EQ(zoomed.axisMinimum(Axis::X), 100);
    EXPECT_EQ(zoomed.axisMaximum(Axis::X), 250);
    EXPECT_EQ(zoomed.axisMinimum(Axis::Y), 5.5);
    EXPECT_EQ(zoomed.axisMaximum(Axis::Y), 9.5);
    EXPECT_EQ(zoomed.axisMaximum(Axis::Y2), -10);
    EXPECT_EQ(zoomed.header(), QStringList{"Fridge"});
    EXPECT_EQ(zoomed.footer(), QStringList{"From:-  01 January 2000 00:01:40     To:-  01 January 2000 00:04:10"});
    EXPECT_FALSE(zoomed.markerShown());
    EXPECT_EQ(zoomed.bounds(), QRect(0, 0, 1024, 768));

    const Chart whole = makePrintChart(screen, data, false);
    EXPECT_EQ(whole.axisMinimum(Axis::Y), 0.0);
    EXPECT_EQ(whole.axisMaximum(Axis::Y), 9.5);
    EXPECT_EQ(whole.axisMinimum(Axis::Y2), -30.0);
    EXPECT_EQ(whole.axisMaximum(Axis::Y2), 0.0);
}

// Colours as pdftoppm renders them may blend at the edges of thin lines; count pixels
// close to a colour.
int countNear(const QImage& image, QColor colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                             std::abs(c.blue() - colour.blue()) <
                         60
                     ? 1
                     : 0;
        }
    return n;
}

TEST(Printing, ALandscapePageWithTheChartOnIt)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    QTemporaryDir dir;
    GraphData data;
    data.loggerName = "Store";
    data.readingCount = 50;
    for (ChannelData* c : {&data.channel1, &data.channel2}) {
        c->data.setInterval(10);
        c->data.setPointCount(0, 50);
        c->data.setShown(0, true);
    }
    for (std::size_t i = 0; i < 50; ++i) {
        data.channel1.data.setY(0, i, 20.0 + double(i % 10));
        data.channel2.data.setY(0, i, 50.0 + double(i % 7));
    }
    test::ScriptedPrompts prompts;
    CVelmoraGraphView view(prompts);
    view.resize(900, 600);
    view.bind(data);

    QPrinter& printer = view.printer();
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("graph.pdf")));
    ASSERT_TRUE(view.printTo(printer));

    QProcess raster;
    raster.start(pdftoppm,
                 {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                  dir.filePath(QStringLiteral("graph.pdf")), dir.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(raster.waitForFinished(60000));
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height()) << "landscape";
    EXPECT_GT(countNear(page, chart_colours::kFirstChannel), 50) << "the first channel";
    EXPECT_GT(countNear(page, chart_colours::kSecondChannel), 50) << "the second channel";

    // The black frame of the plot sits centred across the page.
    int left = page.width(), right = -1;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixelColor(x, y).value() < 60) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LT(left, right);
    EXPECT_NEAR(left, page.width() - 1 - right, page.width() / 40.0);
}

TEST(Printing, APrinterThatCannotStartGivesTheMessage)
{
    test::ScriptedPrompts prompts;
    prompts.expect("Error: Failed to print graph.");
    CVelmoraGraphView view(prompts);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/for/sure/graph.pdf"));
    EXPECT_FALSE(view.printTo(printer));
}

} // namespace
} // namespace velmora
