#pragma once

#include "core/colour.h"

class Surface;

// Whole-picture commands of the Image menu and the frame submenu that move or
// paint pixels without reading them into a pixel array.

// How FlipImage mirrors the picture.
enum FlipMode {
    // Left and right swap: (x, y) goes to (W - 1 - x, y).
    FlipLeftRight = 0,
    // Top and bottom swap: (x, y) goes to (x, H - 1 - y).
    FlipTopBottom = 1,
    // A half turn: (x, y) goes to (W - 1 - x, H - 1 - y).
    FlipBoth = 2,
};

// Mirrors the surface's current layer in place, then refreshes it; any mode
// other than FlipLeftRight and FlipTopBottom flips both ways. False, with the
// picture as it was, when the memory for the work cannot be had.
bool FlipImage(Surface &surface, int mode);

// A frame along the edges: for every ring i = 0, 1, ..., width the outline of
// the box with corners (i - 1, i - 1) and (W - i, H - i) in colour, drawn with
// the surface's own pen width and line style; then a refresh. A negative width
// draws nothing. The picture is exactly that of drawing every ring, however
// wide the frame, but rings that cannot change a pixel are not drawn.
bool DrawBorder(Surface &surface, int width, Colour colour);
