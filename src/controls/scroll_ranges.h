#pragma once

#include <QSize>

// The thickness of the window's scroll bars, which lie over the canvas view's
// right and bottom edges.
inline constexpr int ScrollBarThickness = 18;

struct ScrollRanges {
    int horizontalMaximum = 0;
    int verticalMaximum = 0;
    bool horizontalEnabled = false;
    bool verticalEnabled = false;
    // Pixels per step of each bar.
    int horizontalUnit = 1;
    int verticalUnit = 1;

    bool operator==(const ScrollRanges &) const = default;
};

// The scroll bar maxima for a canvas shown at this size in a viewport of
// inner size viewport. The opposite bar's thickness is added because it
// covers that strip. The maxima stay in the 16-bit range the scroll bars were
// built for: past it a step of the bar moves several pixels, so that every
// part of a huge or much enlarged picture can still be reached.
ScrollRanges scrollRanges(QSize canvas, QSize viewport);
