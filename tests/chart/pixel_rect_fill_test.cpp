#include "pixel_rect_fill.h"

#include "chart_style.h"
#include "dash_spans.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace velmora {
namespace {

// The rows written straight into an image must be the pixels the painter would fill:
// inside its clip, moved by its translation, right and bottom edges excluded, at one
// and at two device pixels a logical one (clip and translation in logical pixels, the
// rectangles in device pixels). An image of another format takes the painter's own
// path, so the two are compared.
TEST(PixelRectFill, WritingIntoTheImageFillsWhatThePainterWould)
{
    const std::vector<PixelRect> rects{{2, 3, 4, 9},    {-5, -5, 30, 1},  {15, 15, 40, 40}, {7, 7, 7, 12},
                                       {9, -4, 10, 30}, {12, 20, 13, 30}, {11, 12, 15, 14}};
    auto draw = [&](QImage::Format format, int scale) {
        QImage image(QSize(20, 20) * scale, format);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::white);
        QPainter p(&image);
        p.translate(1, 2);
        p.setClipRect(QRect(0, 0, 16, 16));
        fillPixelRects(p, QColor(10, 20, 200), rects.data(), rects.size(), scale);
        p.end();
        return image.convertToFormat(QImage::Format_RGB32);
    };
    const QImage direct = draw(QImage::Format_RGB32, 1);
    EXPECT_EQ(direct, draw(QImage::Format_RGB888, 1));
    // By hand: the first rectangle lands on columns 3..4, rows 5..10.
    EXPECT_EQ(direct.pixelColor(3, 5), QColor(10, 20, 200));
    EXPECT_EQ(direct.pixelColor(4, 10), QColor(10, 20, 200));
    EXPECT_EQ(direct.pixelColor(5, 10), QColor(Qt::white));
    EXPECT_EQ(direct.pixelColor(3, 11), QColor(Qt::white));
    EXPECT_EQ(direct.pixelColor(17, 17), QColor(Qt::white)) << "outside the clip";
    // A column one pixel wide, as most of a trace's are: column 10, cut by the clip
    // to rows 2..17.
    EXPECT_EQ(direct.pixelColor(10, 17), QColor(10, 20, 200));
    EXPECT_EQ(direct.pixelColor(10, 18), QColor(Qt::white));
    EXPECT_EQ(direct.pixelColor(11, 10), QColor(Qt::white));
    EXPECT_EQ(direct.pixelColor(13, 18), QColor(Qt::white)) << "wholly below the clip";

    // Twice the density: moved by 2 and 4 device pixels, clipped to 2..33 and 4..35.
    const QImage dense = draw(QImage::Format_RGB32, 2);
    EXPECT_EQ(dense, draw(QImage::Format_RGB888, 2));
    EXPECT_EQ(dense.pixelColor(4, 7), QColor(10, 20, 200)) << "the first rectangle's corner";
    EXPECT_EQ(dense.pixelColor(5, 12), QColor(10, 20, 200));
    EXPECT_EQ(dense.pixelColor(6, 12), QColor(Qt::white));
    EXPECT_EQ(dense.pixelColor(33, 35), QColor(10, 20, 200)) << "the clip's last pixel";
    EXPECT_EQ(dense.pixelColor(34, 35), QColor(Qt::white)) << "outside the clip";
    EXPECT_EQ(dense.pixelColor(11, 4), QColor(10, 20, 200)) << "a one-pixel column from the clip's top";
    EXPECT_EQ(dense.pixelColor(11, 3), QColor(Qt::white));
    EXPECT_EQ(dense.pixelColor(11, 33), QColor(10, 20, 200)) << "to its own bottom";
    EXPECT_EQ(dense.pixelColor(11, 34), QColor(Qt::white));
    EXPECT_EQ(dense.pixelColor(16, 17), QColor(10, 20, 200)) << "a column four pixels wide: 13..16";
    EXPECT_EQ(dense.pixelColor(17, 17), QColor(Qt::white));
}

// The fault: an alarm level filled as its dashes (dash_spans.h) looks other than the
// painter's own dashed line, which it replaces on screen. Every dash pattern the chart
// offers, at even pen widths and one and two device pixels a logical one, the line
// ending within a pixel of the clip as a condensed level does.
TEST(PixelRectFill, DashedLevelsAsThePainterDashesThem)
{
    for (LinePattern pattern : {LinePattern::LongDash, LinePattern::Dotted, LinePattern::ShortDash,
                                LinePattern::LongShortLongDash, LinePattern::DashDot})
        for (int width : {2, 4})
            for (double scale : {1.0, 2.0})
                for (double from : {9.0, 14.0}) {
                    const QPen pen = penFor({pattern, QColor(200, 30, 40), width});
                    const QRect clip(10, 5, 180, 30);
                    const double to = clip.right() + 1.0;
                    const double y = 20.0;
                    auto draw = [&](bool fill) {
                        QImage image(QSize(200, 40) * scale, QImage::Format_RGB32);
                        image.setDevicePixelRatio(scale);
                        image.fill(Qt::white);
                        QPainter p(&image);
                        p.setClipRect(clip);
                        p.setRenderHint(QPainter::Antialiasing, true);
                        if (fill) {
                            std::vector<double> lengths;
                            for (qreal d : pen.dashPattern())
                                lengths.push_back(d * width * scale);
                            std::vector<PixelRect> rects;
                            EXPECT_TRUE(
                                dashSpans(from * scale, to * scale, y * scale, width * scale / 2.0, lengths, rects));
                            fillPixelRects(p, pen.color(), rects.data(), rects.size(), scale);
                        } else {
                            p.setPen(pen);
                            p.drawLine(QLineF(from, y, to, y));
                        }
                        p.end();
                        return image;
                    };
                    EXPECT_EQ(draw(true), draw(false))
                        << static_cast<int>(pattern) << " width " << width << " scale " << scale << " from " << from;
                }
}

} // namespace
} // namespace velmora
