#include "nine_grid.h"

#include "core/resample.h"

#include <QPainter>

#include <algorithm>

namespace {

// Copies the part of source at from, of size box.size(), to box's corner,
// skipping key pixels when one is given.
void copyBlock(QImage &target, const QRect &box, const QImage &source, QPoint from,
               std::optional<QRgb> key)
{
    const QPoint shift = box.topLeft() - from;
    const QRect to = box & target.rect() & source.rect().translated(shift);
    if (to.isEmpty())
        return;
    const QRect read = to.translated(-shift);
    for (int y = 0; y < to.height(); ++y) {
        const auto *in =
            reinterpret_cast<const QRgb *>(source.constScanLine(read.y() + y)) + read.x();
        auto *out = reinterpret_cast<QRgb *>(target.scanLine(to.y() + y)) + to.x();
        if (!key) {
            std::copy(in, in + to.width(), out);
            continue;
        }
        for (int x = 0; x < to.width(); ++x) {
            if ((in[x] | 0xFF000000u) != *key)
                out[x] = in[x];
        }
    }
}

// The part of source stretched onto box of target by pixel replication.
void stretch(QImage &target, const QRect &box, const QImage &source, const QRect &part)
{
    if (box.width() <= 0 || box.height() <= 0 || part.width() <= 0 || part.height() <= 0)
        return;
    if (box.size() == part.size()) {
        copyBlock(target, box, source, part.topLeft(), std::nullopt);
        return;
    }
    const QImage scaled =
        resample(source.copy(part), box.size(), false, false, ResampleFilter::Nearest);
    copyBlock(target, box, scaled, QPoint(0, 0), std::nullopt);
}

} // namespace

void FillBox(QImage &target, const QRect &box, QRgb colour)
{
    const QRect area = box & target.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(target.scanLine(y));
        std::fill(row + area.left(), row + area.right() + 1, colour);
    }
}

void FrameBox(QImage &target, const QRect &box, QRgb colour)
{
    if (box.isEmpty())
        return;
    FillBox(target, QRect(box.left(), box.top(), box.width(), 1), colour);
    FillBox(target, QRect(box.left(), box.bottom(), box.width(), 1), colour);
    FillBox(target, QRect(box.left(), box.top(), 1, box.height()), colour);
    FillBox(target, QRect(box.right(), box.top(), 1, box.height()), colour);
}

void FrameBox(QPainter &painter, const QRect &box, QRgb colour)
{
    if (box.isEmpty())
        return;
    const QColor c = QColor::fromRgb(colour);
    painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), c);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), c);
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), c);
    painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), c);
}

void TransparentCopy(QImage &target, const QRect &box, const QImage &source, QPoint from, QRgb key)
{
    copyBlock(target, box, source, from, key | 0xFF000000u);
}

void DrawNineGrid(QImage &target, const QRect &box, const QImage &source, const QRect &part,
                  const QMargins &margins, std::optional<QRgb> key)
{
    const int w = box.width(), h = box.height();
    const int sx = part.x(), sy = part.y(), sw = part.width(), sh = part.height();
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0)
        return;
    const int L = margins.left(), T = margins.top(), R = margins.right(), B = margins.bottom();

    // Composed apart and put on the target in one step.
    QImage surface(w, h, QImage::Format_RGB32);
    surface.fill(key.value_or(0xFF000000u));
    if (L <= 0 && T <= 0 && R <= 0 && B <= 0) {
        stretch(surface, surface.rect(), source, QRect(sx + L, sy + T, sw - R, sh - B));
    } else {
        auto copy = [&](int fromX, int fromY, int cw, int ch, int toX, int toY) {
            copyBlock(surface, QRect(toX, toY, cw, ch), source, QPoint(fromX, fromY), std::nullopt);
        };
        if (L > 0 && T > 0)
            copy(sx, sy, L, T, 0, 0);
        if (R > 0 && T > 0)
            copy(sx + sw - R, sy, R, T, w - R, 0);
        if (L > 0 && B > 0)
            copy(sx, sy + sh - B, L, B, 0, h - B);
        if (R > 0 && B > 0)
            copy(sx + sw - R, sy + sh - B, R, B, w - R, h - B);
        if (L > 0)
            stretch(surface, QRect(0, T, L, h - T - B), source, QRect(sx, sy + T, L, sh - T - B));
        if (R > 0)
            stretch(surface, QRect(w - R, T, R, h - T - B), source,
                    QRect(sx + sw - R, sy + T, R, sh - T - B));
        if (T > 0)
            stretch(surface, QRect(L, 0, w - L - R, T), source, QRect(sx + L, sy, sw - L - R, T));
        if (B > 0)
            stretch(surface, QRect(L, h - B, w - L - R, B), source,
                    QRect(sx + L, sy + sh - B, sw - L - R, B));
        stretch(surface, QRect(L, T, w - L - R, h - T - B), source,
                QRect(sx + L, sy + T, sw - L - R, sh - T - B));
    }
    copyBlock(target, box, surface, QPoint(0, 0), key ? std::optional(*key | 0xFF000000u) : key);
}

void DrawLogical(QPainter &painter, QPoint at, const QImage &picture)
{
    // Without smooth transformation Qt scales by replication.
    painter.drawImage(QRect(at, picture.size()), picture);
}

QImage ScreenImage(QSize size, qreal ratio)
{
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}
