#include "grip_geometry.h"

#include "core/numbers.h"

#include <algorithm>
#include <limits>
#include <tuple>
#include <utility>

namespace {

// A drag moves by whole pixels: the distance is rounded to whole twips (15 to
// a pixel at 96 dpi) and then cut to whole pixels toward zero, so a move of
// less than a pixel does nothing.
constexpr int TwipsPerPixel = 15;

int wholePixels(double pixels)
{
    return roundToInt(pixels * TwipsPerPixel) / TwipsPerPixel;
}

// The bar's maximum and its pixels per step.
std::pair<int, int> scrollMaximum(int canvas, int viewport)
{
    constexpr long long Largest = std::numeric_limits<qint16>::max();
    const long long value = static_cast<long long>(canvas) - viewport + ScrollBarThickness;
    if (value <= Largest)
        return {static_cast<int>(std::max<long long>(value, std::numeric_limits<qint16>::min())),
                1};
    const long long unit = (value + Largest - 1) / Largest;
    return {static_cast<int>((value + unit - 1) / unit), static_cast<int>(unit)};
}

} // namespace

std::array<QPoint, 3> gripPositions(QSize canvas)
{
    const int w = canvas.width();
    const int h = canvas.height();
    return {QPoint(w, (h - GripSize) / 2), QPoint(w, h), QPoint((w - GripSize) / 2, h)};
}

ScrollRanges scrollRanges(QSize canvas, QSize viewport)
{
    ScrollRanges ranges;
    std::tie(ranges.verticalMaximum, ranges.verticalUnit) =
        scrollMaximum(canvas.height(), viewport.height());
    std::tie(ranges.horizontalMaximum, ranges.horizontalUnit) =
        scrollMaximum(canvas.width(), viewport.width());
    ranges.horizontalEnabled = ranges.horizontalMaximum > 0;
    ranges.verticalEnabled = ranges.verticalMaximum > 0;
    return ranges;
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
