#pragma once

#include "tool.h"

// Fill: at the press, the area of the clicked pixel's exact colour, joined
// through horizontal and vertical neighbours, takes the pen colour, or the
// pattern tiled from the canvas origin when the fill type is pattern and a
// pattern is loaded.
class FillTool : public Tool
{
public:
    void press(ToolContext &context, const ToolEvent &event) override;
};

// Gradient: a black box follows the pointer; the release paints the box with
// a blend from the palette's first colour on the press side to its second on
// the release side, across (left to right) or down (top to bottom). The pen
// colour plays no part.
class GradientTool : public Tool
{
public:
    void drag(ToolContext &context, const ToolEvent &event) override;
    void release(ToolContext &context, const ToolEvent &event) override;
};

// Colour pick: the pixel under the pointer becomes the palette's first colour
// (left button) or second (right), at the press and at every drag step.
// Outside the picture the palette keeps its colour.
class ColourPickTool : public Tool
{
public:
    void press(ToolContext &context, const ToolEvent &event) override;
    void drag(ToolContext &context, const ToolEvent &event) override { press(context, event); }
};
