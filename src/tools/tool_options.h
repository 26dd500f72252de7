#pragma once

#include "core/colour.h"
#include "core/surface.h"

#include <QImage>

// Magenta: the background of brush stamps and icons, left out when stamped.
inline constexpr Colour TransparentKey = 0x00FF00FF;

// The choices of the tool option lists that the tools read when they draw,
// and the brush and pattern bitmaps those lists load. The main window owns
// one instance and keeps it in step with its lists; the line width and style
// live on the canvas itself.
struct ToolOptions {
    // Eraser shape: 0 square, 1 circular.
    int eraserShape = 0;
    // Eraser size in pixels, 1..100.
    int eraserWidth = 10;
    // Flood fill: 0 with the pen colour, 1 with the pattern.
    int fillType = 0;
    // Gradient: 0 left to right, 1 top to bottom.
    int gradientDirection = 0;
    // Text effect: 0 normal, 1 a second copy offset in the second colour.
    int textEffect = 0;
    // Side of the clone block in pixels, 1..30.
    int cloneSize = 6;

    // The pattern bitmap for pattern fills; null when none was loaded.
    QImage pattern;
    // The brush as loaded (black on magenta) and its stamp recoloured to the
    // pen colour.
    Surface brushSource{32, 30, TransparentKey};
    Surface brushStamp{32, 30, TransparentKey};
};
