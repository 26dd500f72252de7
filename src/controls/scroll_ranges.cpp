#include "scroll_ranges.h"

#include <QtGlobal>

#include <algorithm>
#include <limits>
#include <tuple>
#include <utility>

namespace {

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
