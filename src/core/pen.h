#pragma once

#include "colour.h"

// What a stroke draws with: the pen colour, the line width and style, and
// whether closed curved shapes are filled (in a colour of their own) or only
// outlined.
struct Pen {
    Colour colour = 0;
    // 1..100.
    int width = 1;
    // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot; only 1-pixel pens.
    int style = 0;
    bool filled = false;
    Colour fill = 0;

    // The same pen in another colour, or filling.
    Pen inColour(Colour other) const
    {
        Pen pen = *this;
        pen.colour = other;
        return pen;
    }
    Pen filling(Colour interior) const
    {
        Pen pen = *this;
        pen.filled = true;
        pen.fill = interior;
        return pen;
    }
};
