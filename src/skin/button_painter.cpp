#include "button_painter.h"

#include "nine_grid.h"
#include "skin_colours.h"
#include "skin_images.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// Every other pixel of the rectangle's outline, starting at its corner.
void dottedFrame(QPainter &painter, const QRect &box, QRgb colour)
{
    if (box.width() < 1 || box.height() < 1)
        return;
    const QColor c = QColor::fromRgb(colour);
    auto dot = [&](int x, int y) {
        if (((x - box.left()) + (y - box.top())) % 2 == 0)
            painter.fillRect(QRect(x, y, 1, 1), c);
    };
    for (int x = box.left(); x <= box.right(); ++x) {
        dot(x, box.top());
        dot(x, box.bottom());
    }
    for (int y = box.top() + 1; y < box.bottom(); ++y) {
        dot(box.left(), y);
        dot(box.right(), y);
    }
}

} // namespace

std::array<QImage, 4> RenderButtonStates(const SkinImages &images, const ButtonLook &look)
{
    std::array<QImage, 4> states;
    const QSize size = look.size;
    if (size.isEmpty())
        return states;
    const QRect inner(2, 2, size.width() - 4, size.height() - 4);
    const QString caption = QFontMetrics(look.font).elidedText(
        look.caption, Qt::ElideRight, std::max(inner.width(), 0), Qt::TextShowMnemonic);
    for (int i = 0; i < 4; ++i) {
        QImage frame(size, QImage::Format_RGB32);
        DrawNineGrid(frame, frame.rect(), images.buttonImage, skinrect::button(i),
                     QMargins(3, 3, 3, 3));
        QImage face((QSizeF(size) * look.ratio).toSize(), QImage::Format_RGB32);
        face.setDevicePixelRatio(look.ratio);
        QPainter painter(&face);
        DrawLogical(painter, QPoint(0, 0), frame);
        painter.setFont(look.font);
        painter.setPen(QColor::fromRgb(i == 3 ? skin::CaptionDisabled : skin::Caption));
        painter.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                         caption);
        if (look.focus)
            dottedFrame(painter, inner, skin::Caption);
        painter.end();
        states[static_cast<std::size_t>(i)] = face;
    }
    return states;
}

void BlendConstant(QImage &target, const QImage &source, int alpha)
{
    if (alpha <= 0 || target.size() != source.size())
        return;
    alpha = std::min(alpha, 255);
    const int keep = 255 - alpha;
    const int w = target.width();
    for (int y = 0; y < target.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(target.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb s = in[x], t = out[x];
            auto channel = [&](int shift) {
                const int v = static_cast<int>((s >> shift) & 0xFF) * alpha +
                              static_cast<int>((t >> shift) & 0xFF) * keep;
                return static_cast<QRgb>((v + 127) / 255) << shift;
            };
            out[x] = 0xFF000000u | channel(16) | channel(8) | channel(0);
        }
    }
}
