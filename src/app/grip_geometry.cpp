#include "grip_geometry.h"

#include "core/numbers.h"

#include <algorithm>

namespace {

// A drag moves by whole pixels: the distance is rounded to whole twips (15 to
// a pixel at 96 dpi) and then cut to whole pixels toward zero, so a move of
// less than a pixel does nothing.
constexpr int TwipsPerPixel = 15;

int wholePixels(double pixels)
{
    return roundToInt(pixels * TwipsPerPixel) / TwipsPerPixel;
}

} // namespace

std::array<QPoint, 3> gripPositions(QSize canvas)
{
    const int w = canvas.width();
    const int h = canvas.height();
    return {QPoint(w, (h - GripSize) / 2), QPoint(w, h), QPoint((w - GripSize) / 2, h)};
}

void GripDrag::press(Qt::MouseButton button, QPointF at)
{
    if (button != Qt::LeftButton)
        return;
    grab = at;
    dragging = true;
}

std::optional<QSize> gripDragStep(const GripDrag &drag, int grip, QPoint gripPos, QSize canvas,
                                  Qt::MouseButtons buttons, QPointF at)
{
    if (!drag.dragging || !buttons.testFlag(Qt::LeftButton) || grip < 0 || grip > 2)
        return std::nullopt;
    const int dx = wholePixels(drag.grab.x() - at.x());
    const int dy = wholePixels(drag.grab.y() - at.y());
    QSize size = canvas;
    if (grip != 2)
        size.setWidth(std::max(1, gripPos.x() - dx));
    if (grip != 0)
        size.setHeight(std::max(1, gripPos.y() - dy));
    return size;
}
