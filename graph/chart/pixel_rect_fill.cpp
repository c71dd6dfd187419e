#include "pixel_rect_fill.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace velmora {

namespace {

// The device rectangle the painter may draw in, when it draws into a plain image at
// `scale` device pixels a logical one, moved by whole device pixels, with nothing that
// would blend or transform otherwise.
bool directTarget(QPainter& p, const QColor& colour, double scale, QImage*& image, QRect& clip)
{
    if (!p.device() || p.device()->devType() != QInternal::Image || colour.alpha() != 255 || p.opacity() != 1.0 ||
        p.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    image = static_cast<QImage*>(p.device());
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return false;
    // The painter writes into the buffer it began on; a shared image would move ours.
    if (!image->isDetached())
        return false;
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() != scale || t.m22() != scale || t.dx() != std::floor(t.dx()) ||
        t.dy() != std::floor(t.dy()))
        return false;
    clip = image->rect();
    if (p.hasClipping()) {
        const QRegion region = p.clipRegion(); // in logical pixels
        if (region.rectCount() != 1)
            return false;
        // The clip's edges on device pixels, or the painter would round them its own way.
        const QRectF device = t.mapRect(QRectF(region.boundingRect()));
        if (device != QRectF(device.toRect()))
            return false;
        clip &= device.toRect();
    }
    return true;
}

void fillDirect(QImage& image, const QRect& clip, QRgb pixel, const PixelRect* rects, std::size_t count, int dx, int dy)
{
    uchar* const bits = image.bits(); // once: every scanLine() would check for sharing again
    const qsizetype stride = image.bytesPerLine();
    const std::uint64_t pair = (static_cast<std::uint64_t>(pixel) << 32) | pixel;
    for (const PixelRect& r : std::span(rects, count)) {
        const int left = std::max(clip.left(), static_cast<int>(r.left) + dx);
        const int right = std::min(clip.right() + 1, static_cast<int>(r.right) + dx);
        const int top = std::max(clip.top(), static_cast<int>(r.top) + dy);
        const int bottom = std::min(clip.bottom() + 1, static_cast<int>(r.bottom) + dy);
        if (right <= left || bottom <= top)
            continue;
        // Most rectangles are a column of a trace, one or two pixels wide: a step down
        // the image a row, without a call to fill each.
        uchar* at = bits + top * stride + left * static_cast<qsizetype>(sizeof(QRgb));
        if (right - left == 1) {
            for (int y = top; y < bottom; ++y, at += stride)
                *reinterpret_cast<QRgb*>(at) = pixel;
            continue;
        }
        if (right - left == 2) {
            // A two-pixel line's column: one store a row.
            for (int y = top; y < bottom; ++y, at += stride)
                std::memcpy(at, &pair, sizeof pair);
            continue;
        }
        if (right - left == 4) {
            // The same line at twice the density.
            for (int y = top; y < bottom; ++y, at += stride) {
                std::memcpy(at, &pair, sizeof pair);
                std::memcpy(at + sizeof pair, &pair, sizeof pair);
            }
            continue;
        }
        for (int y = top; y < bottom; ++y, at += stride)
            std::fill_n(reinterpret_cast<QRgb*>(at), right - left, pixel);
    }
}

} // namespace

void fillPixelRects(QPainter& p, const QColor& colour, const PixelRect* rects, std::size_t count, double scale)
{
    QImage* image = nullptr;
    QRect clip;
    if (directTarget(p, colour, scale, image, clip)) {
        const QTransform t = p.deviceTransform();
        fillDirect(*image, clip, colour.rgba(), rects, count, static_cast<int>(t.dx()), static_cast<int>(t.dy()));
        return;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    if (scale == 1.0) {
        // Whole logical pixels: the raster engine fills integer rectangles directly.
        std::vector<QRect> pixels;
        pixels.reserve(count);
        for (const PixelRect& r : std::span(rects, count))
            pixels.emplace_back(QPoint(static_cast<int>(r.left), static_cast<int>(r.top)),
                                QPoint(static_cast<int>(r.right) - 1, static_cast<int>(r.bottom) - 1));
        p.drawRects(pixels.data(), static_cast<int>(pixels.size()));
    } else {
        std::vector<QRectF> logical;
        logical.reserve(count);
        for (const PixelRect& r : std::span(rects, count))
            logical.emplace_back(QPointF(r.left / scale, r.top / scale), QPointF(r.right / scale, r.bottom / scale));
        p.drawRects(logical.data(), static_cast<int>(logical.size()));
    }
    p.restore();
}

} // namespace velmora
