#pragma once

#include "colour.h"

// What a stroke draws with: the pen colour, the line width and style, and
// whether closed shapes are filled (in the pen colour) or only outlined.
struct Pen {
    Colour colour = 0;
    // 1..100.
    int width = 1;
    // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot; only 1-pixel pens.
    int style = 0;
    bool filled = false;

    // The same pen in another colour, or filling.
    Pen inColour(Colour other) const
    {
        Pen pen = *this;
        pen.colour = other;
        return pen;
    }
    Pen filling() const
    {
        Pen pen = *this;
        pen.filled = true;
        return pen;
    }
};
